#include "RecordWindow.h"

#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Keys.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace records {

void RecordGrid::resizeEvent(QResizeEvent* e) {
    QTableView::resizeEvent(e);
    const QModelIndexList chosen = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList{};
    if (!chosen.isEmpty())
        scrollTo(chosen.first());
}

int RecordGrid::contentWidth(int column) const {
    return std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
}

RecordWindow::RecordWindow(const RecordKind& kind) : m_kind(kind) {
    setWindowTitle(kind.windowCaption);

    Label1 = new QLabel(QStringLiteral("搜尋條件:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo1 = choiceBox("Combo1");
    for (int i = 1; i <= 33; ++i)
        Combo1->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        Combo1->addItem(QString(QChar(c)));
    Combo1->setEditText(QStringLiteral("編號"));
    filterRow = new QHBoxLayout;
    filterRow->addWidget(Label1);
    filterRow->addWidget(Combo1);
    if (!kind.categoryFilterView.isEmpty()) {
        Combo2 = choiceBox("Combo2", QStringLiteral("分類"));
        filterRow->addWidget(Combo2);
        connectChoice(Combo2, [this](int) { Combo2_Click(); });
    }
    filterRow->addStretch();

    HFG = new RecordGrid(this);
    HFG->setObjectName(QStringLiteral("HFG"));
    HFG->setModel(&m_grid);
    HFG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    HFG->setSelectionBehavior(QAbstractItemView::SelectRows);
    HFG->setSelectionMode(QAbstractItemView::SingleSelection);
    HFG->verticalHeader()->hide();
    HFG->verticalHeader()->setDefaultSectionSize(ui::twipsToPixelsY(260));

    cmdAdd = ui::button(this, "cmdAdd", QStringLiteral("新增"));
    cmdEdit = ui::button(this, "cmdEdit", QStringLiteral("修改"));
    cmdDel = ui::button(this, "cmdDel", QStringLiteral("刪除"));
    Command1 = ui::button(this, "Command1", QStringLiteral("全文搜尋"));
    Command2 = ui::button(this, "Command2", QStringLiteral("整頁模式>>"));
    Command3 = ui::button(this, "Command3", kind.allButtonCaption);
    cmdPp = ui::button(this, "cmdPp", QStringLiteral("列印"));
    cmdY = ui::button(this, "cmdY", QStringLiteral("確定"));
    cmdN = ui::button(this, "cmdN", QStringLiteral("取消"));
    lbf = new QLabel(QStringLiteral("新增中"), this);
    lbf->setObjectName(QStringLiteral("lbf"));
    buttonRow = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdAdd), static_cast<QWidget*>(cmdEdit), static_cast<QWidget*>(cmdDel),
                       static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(cmdPp)})
        buttonRow->addWidget(w);
    buttonRow->addStretch();
    buttonRow->addWidget(lbf);
    buttonRow->addWidget(cmdY);
    buttonRow->addWidget(cmdN);

    buildDetail();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(HFG, 1);
    layout->addLayout(buttonRow);
    layout->addWidget(ui::scrollWhenShort(Frame1)); // scrolls where the screen is too short for it

    connectChoice(Combo1, [this](int) { Combo1_Click(); });
    // The current line is followed once the grid is done with the key or the press that moved it;
    // a message said in the middle of a press would leave the grid dragging.
    const auto follow = [this] {
        if (!std::exchange(m_followPending, true))
            QMetaObject::invokeMethod(this, &RecordWindow::HFG_RowColChange, Qt::QueuedConnection);
    };
    connect(HFG->selectionModel(), &QItemSelectionModel::currentChanged, this, follow);
    connect(HFG->selectionModel(), &QItemSelectionModel::selectionChanged, this, follow);
    connect(HFG, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { HFG_DblClick(i.row()); });
    // A group typed and entered that is no entry of the box lists nothing.
    connect(Combo1->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const QString group = Combo1->currentText();
        if (group.isEmpty() || Combo1->findText(group, Qt::MatchFixedString) >= 0)
            return;
        showMessage(QStringLiteral("沒有這個分類"), ui::Icon::Exclamation);
        Combo1->setEditText(m_groupText);
    });
    connect(cmdAdd, &QPushButton::clicked, this, &RecordWindow::cmdAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &RecordWindow::cmdEdit_Click);
    connect(cmdDel, &QPushButton::clicked, this, &RecordWindow::cmdDel_Click);
    connect(Command1, &QPushButton::clicked, this, &RecordWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RecordWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &RecordWindow::Command3_Click);
    connect(cmdPp, &QPushButton::clicked, this, &RecordWindow::cmdPp_Click);
    connect(cmdY, &QPushButton::clicked, this, &RecordWindow::cmdY_Click);
    connect(cmdN, &QPushButton::clicked, this, &RecordWindow::cmdN_Click);
    // Wide enough for the list's columns beside a vertical scroll bar.
    resize(ui::twipsToPixelsX(11700), ui::twipsToPixelsY(kind.shortHeight));
}

RecordWindow::~RecordWindow() {
    // A box losing the focus while its window goes (an edited filter box reports a choice then)
    // must not reach the window's handlers.
    for (QObject* c : findChildren<QObject*>())
        QObject::disconnect(c, nullptr, this, nullptr);
}

void RecordWindow::connectChoice(QComboBox* cb, std::function<void(int)> chosen) {
    // An editable box also reports typed text matching an entry when it is left, which is no
    // choice: the focus has gone on by then.
    connect(cb, &QComboBox::activated, this, [cb, chosen = std::move(chosen)](int index) {
        if (cb->hasFocus())
            chosen(index);
    });
}

QComboBox* RecordWindow::choiceBox(const char* name, const QString& prompt) {
    auto* cb = new QComboBox(this);
    cb->setObjectName(QString::fromLatin1(name));
    cb->setEditable(true);
    cb->setInsertPolicy(QComboBox::NoInsert);
    cb->view()->setTextElideMode(Qt::ElideRight);
    connect(cb, &QComboBox::activated, cb, [cb] { cb->lineEdit()->setCursorPosition(0); });
    cb->setEditText(prompt);
    return cb;
}

QWidget* RecordWindow::makeBox(const FieldSlot& s, const QString& name) {
    QWidget* w = nullptr;
    if (name.startsWith(QLatin1String("cb"))) {
        w = choiceBox(name.toLatin1().constData());
    } else if (s.kind == FieldKind::Memo) {
        auto* memo = new QPlainTextEdit;
        memo->setTabChangesFocus(true);
        memo->setMaximumHeight(ui::twipsToPixelsY(900));
        memo->installEventFilter(this); // Ctrl+Enter breaks the line
        w = memo;
    } else {
        w = new QLineEdit;
    }
    // The first box of a pair refuses ";": the stored text splits at its first one.
    if (s.kind == FieldKind::Pair && name == s.box1) {
        auto* noSemicolon = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;]*")), w);
        if (auto* cb = qobject_cast<QComboBox*>(w))
            cb->setValidator(noSemicolon);
        else
            static_cast<QLineEdit*>(w)->setValidator(noSemicolon);
    }
    w->setObjectName(name);
    registerBox(w);
    if (!m_kind.noEnterBoxes.contains(name))
        ui::enterAsTab(w);
    return w;
}

void RecordWindow::registerBox(QWidget* w) {
    m_boxes.insert(w->objectName(), w);
}

void RecordWindow::buildDetail() {
    Frame1 = new QGroupBox(QStringLiteral("詳細資料"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(Frame1);

    QVector<QGridLayout*> grids;
    for (int i = 0; i < 4; ++i) {
        auto* p = new QWidget;
        p->setObjectName(QStringLiteral("P%1").arg(i + 1));
        grids << new QGridLayout(p);
        grids.last()->setContentsMargins(0, 0, 0, 0);
        m_panels << p;
    }
    // Pages of the detail area besides P1: tabs when the kind names them, else side by side.
    QWidget* pagesHolder = nullptr;
    for (int i = 0; i < 4; ++i) {
        auto* page = new QWidget;
        new QVBoxLayout(page);
        m_pages << page;
    }
    if (!m_kind.panelCaptions.isEmpty()) {
        SSTab1 = new QTabWidget;
        SSTab1->setObjectName(QStringLiteral("SSTab1"));
        for (int i = 0; i < m_kind.panelCaptions.size(); ++i)
            SSTab1->addTab(m_pages.at(i), m_kind.panelCaptions.at(i));
        pagesHolder = SSTab1;
    } else {
        pagesHolder = new QWidget;
        auto* row = new QHBoxLayout(pagesHolder);
        row->setContentsMargins(0, 0, 0, 0);
        for (int i = 0; i < 3; ++i)
            row->addWidget(m_pages.at(i));
    }
    for (int i = 1; i < 4; ++i)
        m_pages.at(i - 1)->layout()->addWidget(m_panels.at(i));

    QVector<int> counts(4, 0);
    QWidget* remarksHolder = nullptr;
    for (const FieldSlot& s : m_kind.fields) {
        if (s.kind == FieldKind::Memo) {
            QWidget* memo = makeBox(s, s.box1);
            auto* holder = new QWidget;
            auto* v = new QVBoxLayout(holder);
            v->setContentsMargins(0, 0, 0, 0);
            auto* caption = new QHBoxLayout;
            caption->addWidget(new QLabel(s.label));
            if (s.panel == kBelowPages || s.panel == 3)
                caption->addWidget(new QLabel(QStringLiteral("(換行請按 Ctrl+Enter)")));
            caption->addStretch();
            v->addLayout(caption);
            v->addWidget(memo);
            if (s.panel == kBelowPages)
                remarksHolder = holder;
            else
                m_pages.at(s.panel - 1)->layout()->addWidget(holder);
            continue;
        }
        if (s.kind != FieldKind::Text && s.kind != FieldKind::Pair)
            continue;
        QGridLayout* g = grids.at(s.panel);
        // P1 holds two columns of label and boxes; the other panels one.
        const int perRow = s.panel == 0 ? 2 : 1;
        const int n = counts[s.panel]++;
        const int row = n / perRow;
        const int col = (n % perRow) * 2;
        g->addWidget(new QLabel(s.label.isEmpty() ? QStringLiteral("分類") : s.label), row, col);
        auto* boxes = new QHBoxLayout;
        boxes->setContentsMargins(0, 0, 0, 0);
        QWidget* first = makeBox(s, s.box1);
        boxes->addWidget(first, s.kind == FieldKind::Pair ? 1 : 3);
        if (s.kind == FieldKind::Pair)
            boxes->addWidget(makeBox(s, s.box2), 3);
        for (const auto& [picker, target] : m_kind.datePickers) {
            if (target != s.box1)
                continue;
            auto* d = new QDateEdit(QDate::currentDate());
            d->setObjectName(picker);
            d->setCalendarPopup(true);
            m_pickers.insert(picker, d);
            boxes->addWidget(d);
            const QString name = picker;
            connect(d->calendarWidget(), &QCalendarWidget::clicked, this, [this, name] { DTP_CloseUp(name); });
            connect(d->calendarWidget(), &QCalendarWidget::activated, this, [this, name] { DTP_CloseUp(name); });
        }
        g->addLayout(boxes, row, col + 1);
    }
    if (QComboBox* cbTp = qobject_cast<QComboBox*>(box(QStringLiteral("cbTp"))))
        cbTp->setEditText(QStringLiteral("分類"));

    L1 = new QListWidget(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->hide();

    frameLayout->addWidget(m_panels.at(0));
    frameLayout->addWidget(pagesHolder);
    // A kind whose boxes all stand on the first block leaves no empty band below it.
    pagesHolder->setVisible(SSTab1 || counts[1] + counts[2] + counts[3] > 0);
    if (remarksHolder)
        frameLayout->addWidget(remarksHolder);
    // Pages and panels this kind of record leaves unused stay hidden inside the frame, which owns them.
    for (QWidget* w : m_pages + m_panels)
        if (!w->parentWidget()) {
            w->setParent(Frame1);
            w->hide();
        }

    if (auto* cb1 = qobject_cast<QComboBox*>(box(QStringLiteral("cb1"))))
        connectChoice(cb1, [this](int index) { cb1_Click(index); });
    if (auto* t2 = qobject_cast<QLineEdit*>(box(QStringLiteral("T2")))) {
        connect(t2, &QLineEdit::textChanged, this, &RecordWindow::T2_Change);
        t2->installEventFilter(this);
    }
    if (auto* t11 = qobject_cast<QLineEdit*>(box(QStringLiteral("T11"))))
        connect(t11, &QLineEdit::textChanged, this, &RecordWindow::T11_Change);
}

bool RecordWindow::eventFilter(QObject* o, QEvent* e) {
    // The name box left while adding; not its focus going when the save leaves editing.
    if (e->type() == QEvent::FocusOut && o == box(QStringLiteral("T2")) && isEditing())
        T2_Validate();
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<const QKeyEvent*>(e);
        auto* memo = qobject_cast<QPlainTextEdit*>(o);
        if (memo && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            (k->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            memo->insertPlainText(QStringLiteral("\n"));
            return true;
        }
    }
    return ui::Form::eventFilter(o, e);
}

QString RecordWindow::boxText(const QString& name) const {
    QWidget* w = box(name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        return m->toPlainText();
    if (auto* k = qobject_cast<QCheckBox*>(w))
        return k->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return {};
}

void RecordWindow::setBoxText(const QString& name, const QString& text) {
    QWidget* w = box(name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        // The list marks the entry the box holds, or none.
        c->setCurrentIndex(c->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
        c->setEditText(text);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        m->setPlainText(text);
    else if (auto* k = qobject_cast<QCheckBox*>(w))
        k->setChecked(text == QLatin1String("1"));
}

BoxValues RecordWindow::boxValues() const {
    BoxValues values;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        values.insert(it.key(), boxText(it.key()));
    return values;
}

void RecordWindow::setBoxes(const BoxValues& values) {
    m_loading = true;
    for (const FieldSlot& s : m_kind.fields) {
        for (const QString& name : {s.box1, s.box2}) {
            if (name.isEmpty() || !values.contains(name))
                continue;
            setBoxText(name, values.value(name));
            // A long value shows its beginning.
            if (auto* e = qobject_cast<QLineEdit*>(box(name)))
                e->setCursorPosition(0);
            else if (auto* c = qobject_cast<QComboBox*>(box(name)); c && c->lineEdit())
                c->lineEdit()->setCursorPosition(0);
        }
    }
    m_loading = false;
}

void RecordWindow::showMessage(const QString& text, ui::Icon icon) {
    ui::msgBox(text, ui::Buttons::OK, icon, QStringLiteral("Kavo III"));
}

RecordStore RecordWindow::store() const {
    if (!mdM::MainDb)
        throw db::DbError(db::ErrGeneral, QStringLiteral("資料庫未開啟"));
    return RecordStore(*mdM::MainDb, m_kind);
}

bool RecordWindow::canEdit() const {
    return mdM::RightsToBits(mdM::UserRights).mid(m_kind.rightsPosition - 1, 1) != QLatin1String("0");
}

bool RecordWindow::isEditing() const {
    return !cmdY->isHidden();
}

bool RecordWindow::Form_QueryUnload() {
    // Closing (or leaving the program) while a record is typed asks before the typing is lost.
    return !isEditing() ||
           ui::msgBox(m_kind.windowCaption + QStringLiteral("正在新增或修改中，放棄已輸入的資料？"), ui::Buttons::YesNo,
                      ui::Icon::Question, QStringLiteral("Kavo III"), 2) == ui::Answer::Yes;
}

bool RecordWindow::editingMode() const {
    return Mode.compare(QLatin1String("EditF"), Qt::CaseInsensitive) == 0;
}

bool RecordWindow::addingMode() const {
    return Mode.compare(QLatin1String("AddF"), Qt::CaseInsensitive) == 0;
}

namespace {
std::function<void(Party)>& printOpener() {
    static std::function<void(Party)> open;
    return open;
}
} // namespace

void setListPrintOpener(std::function<void(Party)> open) {
    printOpener() = std::move(open);
}

void RecordWindow::cmdPp_Click() {
    mdM::ListPrintParty = int(m_kind.party);
    if (printOpener())
        printOpener()(m_kind.party);
}

} // namespace records
