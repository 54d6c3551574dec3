// The quotation window's controls and menus, and their places (layout in twips).
#include "CellEditors.h"
#include "EditingCommands.h"
#include "ItemGridModel.h"
#include "frmPe.h"
#include "frmQ.h"
#include "ui/Controls.h"
#include "ui/Keys.h"
#include "ui/Twips.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Design tops and heights of the header, totals and body (twips).
constexpr int kRow1Top = 60;
constexpr int kRow2Top = 440;
constexpr int kFieldHeight = 330;
constexpr int kLineTop = 830;
constexpr int kTotalsTop = 880;
constexpr int kBodyTop = 1230;
constexpr int kPageEndButtonHeight = 360;
constexpr int kSplitterWidth = 60;
constexpr int kTreeWidth = 2600;

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QComboBox* comboBox(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    return c;
}

} // namespace

QAction* frmQ::action(const QString& name) const {
    return m_actions.value(name);
}

QMenu* frmQ::menu(const QString& name) const {
    return m_menus.value(name);
}

void frmQ::buildMenus() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    auto newMenu = [this](const char* name, const QString& caption, QMenu* parentMenu) {
        auto* m = new QMenu(caption, this);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        m_menus.insert(m->objectName(), m);
        if (parentMenu)
            parentMenu->addMenu(m);
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        m_actions.insert(a->objectName(), a);
        return a;
    };

    QMenu* file = newMenu("mFile", QStringLiteral("檔案(&F)"), nullptr);
    m_menuBar->addMenu(file);
    connect(item(file, "mNew", QStringLiteral("建立新檔(&N)")), &QAction::triggered, this, &frmQ::mNew_Click);
    connect(item(file, "mOpen", QStringLiteral("開啟舊檔(&O)")), &QAction::triggered, this, &frmQ::mOpen_Click);
    connect(item(file, "mClose", QStringLiteral("關閉(&E)")), &QAction::triggered, this, &frmQ::mClose_Click);
    connect(item(file, "mSaveF", QStringLiteral("儲存檔案(&S)")), &QAction::triggered, this,
            [this] { mSaveF_Click(); });
    connect(item(file, "mSaveAs", QStringLiteral("另存新檔(&A)")), &QAction::triggered, this,
            [this] { mSaveAs_Click(); });
    file->addSeparator();
    for (int i = 0; i < quote::RecentFiles::kCount; ++i) {
        const QByteArray name = "mRF" + QByteArray::number(i);
        mRF[size_t(i)] = item(file, name.constData(), QString());
        mRF[size_t(i)]->setVisible(false);
        connect(mRF[size_t(i)], &QAction::triggered, this, [this, i] { mRF_Click(i); });
    }
    file->addSeparator();
    connect(item(file, "mExit", QStringLiteral("結束(&X)")), &QAction::triggered, this, &frmQ::mExit_Click);

    // 計算設定: three pairs of exclusive check items.
    QMenu* calc = newMenu("mCalc", QStringLiteral("計算設定(&C)"), nullptr);
    m_menuBar->addMenu(calc);
    const std::array<std::array<std::pair<const char*, QString>, 2>, 3> pairs{{
        {{{"mEpCr", QStringLiteral("改單價  固定成本  變比例")}, {"mEpCc", QStringLiteral("改單價  固定比例  變成本")}}},
        {{{"mEcCp", QStringLiteral("改成本  固定比例  變單價")}, {"mEcCr", QStringLiteral("改成本  固定單價  變比例")}}},
        {{{"mErCp", QStringLiteral("改比例  固定成本  變單價")}, {"mErCc", QStringLiteral("改比例  固定單價  變成本")}}},
    }};
    for (size_t p = 0; p < pairs.size(); ++p) {
        if (p > 0)
            calc->addSeparator();
        auto* group = new QActionGroup(calc);
        group->setExclusive(true);
        for (size_t i = 0; i < 2; ++i) {
            QAction* a = item(calc, pairs[p][i].first, pairs[p][i].second);
            a->setCheckable(true);
            a->setChecked(i == 0);
            group->addAction(a);
        }
    }

    // Excel printing: the fifteen print commands and the print settings.
    QMenu* xls = newMenu("mPxls", QStringLiteral("列印(Excel)(&P)"), nullptr);
    m_menuBar->addMenu(xls);
    const std::pair<const char*, QString> printItems[] = {
        {"mPs", QStringLiteral("單張估價(無首頁)")},
        {"mPss", QStringLiteral("單張估價(無首頁無階層)")},
        {"mPa", QStringLiteral("區域首頁(估價)")},
        {"mPnw", QStringLiteral("區域首頁(估價)(不印工種)")},
        {"mAs", QStringLiteral("區域分頁")},
        {"mPw", QStringLiteral("工種首頁(估價)")},
        {"mPwa", QStringLiteral("工種首頁(估價)(分離區域)")},
        {"mWs", QStringLiteral("工種分頁")},
        {"mPas", QStringLiteral("區域首頁(空白估價)")},
        {"mPws", QStringLiteral("工種首頁(空白估價)")},
        {"mPwaS", QStringLiteral("工種首頁(空白估價)(分離區域)")},
        {"mPwsb", QStringLiteral("工種分頁(空白估價)")},
        {"mPac", QStringLiteral("區域首頁(成本)")},
        {"mPwc", QStringLiteral("工種首頁(成本)")},
        {"mPwac", QStringLiteral("工種首頁(成本)(分離區域)")},
    };
    for (const auto& [name, caption] : printItems)
        item(xls, name, caption);
    xls->addSeparator();
    item(xls, "mPxlset", QStringLiteral("列印設定(&U)"));

    // Report printing.
    QMenu* report = newMenu("mP", QStringLiteral("列印(&R)"), nullptr);
    m_menuBar->addMenu(report);
    item(report, "mPfp", QStringLiteral("列印首頁"));
    item(report, "mPdt", QStringLiteral("列印明細"));
    report->setToolTipsVisible(true); // a greyed item says why

    // Popup menus, not in the menu bar: the grid's row menu, the tree's menu and the list menu.
    QMenu* rowMenu = newMenu("mQ", QStringLiteral("mQ"), nullptr);
    item(rowMenu, "mInsQ", QStringLiteral("插入一空白列"));
    item(rowMenu, "mInsQcp", QStringLiteral("插入複製資料"));
    rowMenu->addSeparator();
    item(rowMenu, "mDelQ", QStringLiteral("刪除"));
    rowMenu->addSeparator();
    item(rowMenu, "mCpq", QStringLiteral("複製"));
    rowMenu->addSeparator();
    item(rowMenu, "mPstQ", QStringLiteral("貼上"));
    rowMenu->addSeparator();
    item(rowMenu, "mUndo", QStringLiteral("退回當筆(修改)"));
    rowMenu->addSeparator();
    item(rowMenu, "mAdd2W", QStringLiteral("品名加入施工資料庫"));

    QMenu* treeMenu = newMenu("mTV", QStringLiteral("mTV"), nullptr);
    QMenu* add = newMenu("mAddN", QStringLiteral("新增"), treeMenu);
    item(add, "mAddA", QStringLiteral("新增區域"));
    add->addSeparator();
    item(add, "mAddT", QStringLiteral("新增工種"));
    treeMenu->addSeparator();
    QMenu* ins = newMenu("mInsN", QStringLiteral("插入"), treeMenu);
    item(ins, "mInsA", QStringLiteral("插入區域"));
    ins->addSeparator();
    item(ins, "mInsT", QStringLiteral("插入工種"));
    treeMenu->addSeparator();
    item(treeMenu, "mDelN", QStringLiteral("刪除"));
    treeMenu->addSeparator();
    QMenu* cal = newMenu("mCal", QStringLiteral("統計"), treeMenu);
    item(cal, "mCalT", QStringLiteral("依工種..."));
    cal->addSeparator();
    item(cal, "mCalA", QStringLiteral("依區域..."));

    QMenu* listMenu = newMenu("mADAK", QStringLiteral("mADAK"), nullptr);
    item(listMenu, "mADakO", QStringLiteral("確定"));
    listMenu->addSeparator();
    item(listMenu, "mADakC", QStringLiteral("取消"));
}

void frmQ::buildHeader() {
    QWidget* b = m_body;
    cmdC = ui::button(b, "cmdC", QStringLiteral("客戶名稱:"));
    connect(cmdC, &QPushButton::clicked, this, &frmQ::cmdC_Click);
    txtCn = ui::textBox(b, "txtCn");
    lbCN = label(b, "lbCN", QStringLiteral("工程案名:"));
    cbEcn = comboBox(b, "cbEcn");
    lbAddr = label(b, "lbAddr", QStringLiteral("工程地址:"));
    txtAddr = ui::textBox(b, "txtAddr");
    l10 = label(b, "l10", QStringLiteral("聯絡人:"));
    lbConn = label(b, "lbConn", QString());
    lbSal = label(b, "lbSal", QStringLiteral("負責業務:"));
    cbSal = comboBox(b, "cbSal");
    l11 = label(b, "l11", QStringLiteral("電話:"));
    lbCtel = label(b, "lbCtel", QString());
    lbQd = label(b, "lbQd", QStringLiteral("報價日期:"));
    txtQD = ui::textBox(b, "txtQD");
    DTP = new QDateEdit(b);
    DTP->setObjectName(QStringLiteral("DTP"));
    DTP->setCalendarPopup(true);
    // The date box is one Tab stop: the text box; the calendar button is for the mouse.
    DTP->setFocusPolicy(Qt::ClickFocus);
    lbK = label(b, "lbK", QStringLiteral("類別:"));
    cbK = comboBox(b, "cbK");
    // A header box about to drop down reads the pick lists again while one of them is not read.
    for (QComboBox* box : {cbK, cbSal, cbEcn})
        ui::readAgainAtUse(box, [this] { rereadPickLists(); }, [this] { return m_pickListsUnread; });
    lbNo = label(b, "lbNo", QStringLiteral("單號:"));
    txtNo = ui::textBox(b, "txtNo");
    Line1 = new QFrame(b);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    for (QWidget* w : std::initializer_list<QWidget*>{txtCn, cbEcn, txtAddr, cbSal, txtQD, cbK, txtNo})
        ui::enterAsTab(w);
    // Tab goes through the header line by line, in reading order.
    const std::initializer_list<QWidget*> tabOrder{cmdC, txtCn, cbEcn, cbSal, cbK, txtNo, txtAddr, txtQD};
    for (auto it = tabOrder.begin(); it + 1 != tabOrder.end(); ++it)
        setTabOrder(*it, *(it + 1));

    lbPath = label(b, "lbPath", quote::kRootKey);
    lbSum = label(b, "lbSum", QStringLiteral("合計:"));
    lbSumT = label(b, "lbSumT", QString());
    lbCsum = label(b, "lbCsum", QStringLiteral("成本:"));
    lbCsumT = label(b, "lbCsumT", QString());
    lbPro = label(b, "lbPro", QStringLiteral("毛利:"));
    lbProT = label(b, "lbProT", QString());
    lbSc = label(b, "lbSc", QStringLiteral("比例:"));
    lbScT = label(b, "lbScT", QString());
    lbSc->installEventFilter(this);
    lbSum->installEventFilter(this);

    // Design places (twips): the header groups on two lines, the address under the project name.
    auto& L = m_layout;
    L.cmdC = {0, kRow1Top, 1100, kFieldHeight};
    L.txtCn = {1100, kRow1Top, 2400, kFieldHeight};
    L.lbCN = {0, kRow1Top + 40, 1000, kFieldHeight};
    L.cbEcn = {0, kRow1Top, 4000, kFieldHeight};
    L.lbAddr = {0, kRow2Top + 40, 1000, kFieldHeight};
    L.txtAddr = {0, kRow2Top, 4000, kFieldHeight};
    L.l10 = {0, kRow1Top + 40, 750, kFieldHeight};
    L.lbConn = {0, kRow1Top + 40, 1300, kFieldHeight};
    L.lbSal = {0, kRow1Top + 40, 1000, kFieldHeight};
    L.cbSal = {0, kRow1Top, 1500, kFieldHeight};
    L.l11 = {0, kRow2Top + 40, 600, kFieldHeight};
    L.lbCtel = {0, kRow2Top + 40, 1500, kFieldHeight};
    L.lbQd = {0, kRow2Top + 40, 1000, kFieldHeight};
    L.txtQD = {0, kRow2Top, 1100, kFieldHeight};
    L.DTP = {0, kRow2Top, 330, kFieldHeight};
    for (quote::TwipRect* r : {&L.lbPath, &L.lbSum, &L.lbSumT, &L.lbCsum, &L.lbCsumT, &L.lbPro, &L.lbProT, &L.lbSc,
                               &L.lbScT}) {
        r->top = kTotalsTop;
        r->height = kFieldHeight;
    }
    L.lbPath.width = 4000;
}

void frmQ::buildBody() {
    QWidget* b = m_body;
    tv = new QTreeWidget(b);
    tv->setObjectName(QStringLiteral("tv"));
    tv->setHeaderHidden(true);
    tv->setColumnCount(1);
    tv->viewport()->installEventFilter(this);
    tv->installEventFilter(this);

    fme = new QFrame(b);
    fme->setObjectName(QStringLiteral("fme"));
    fme->setFrameShape(QFrame::VLine);
    fme->setCursor(Qt::SplitHCursor);
    fme->installEventFilter(this);

    m_model = new quote::ItemGridModel(&m_doc, this);
    hfgQ = new QTableView(b);
    hfgQ->setObjectName(QStringLiteral("hfgQ"));
    hfgQ->setModel(m_model);
    hfgQ->setEditTriggers(QAbstractItemView::NoEditTriggers);
    hfgQ->setSelectionMode(QAbstractItemView::NoSelection);
    hfgQ->setWordWrap(false);
    hfgQ->setMouseTracking(true);
    hfgQ->verticalHeader()->hide();
    hfgQ->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    hfgQ->verticalHeader()->setMinimumSectionSize(1);
    hfgQ->verticalHeader()->setDefaultSectionSize(ui::twipsToPixelsY(300, this));
    hfgQ->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    hfgQ->horizontalHeader()->setHighlightSections(false);
    hfgQ->horizontalHeader()->setMinimumSectionSize(0);

    cmdPe = ui::button(b, "cmdPe", QStringLiteral("頁尾備註 >>"));

    lstAK = new QListWidget(b);
    lstAK->setObjectName(QStringLiteral("lstAK"));
    lstAK->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstAK->hide();

    auto& L = m_layout;
    L.tv = {0, kBodyTop, kTreeWidth, 6000};
    L.fme = {kTreeWidth, kBodyTop, kSplitterWidth, 6000};
    L.hfgQ = {kTreeWidth + kSplitterWidth, kBodyTop, 8000, 6000};
    L.cmdPe = {0, kBodyTop + 6000, kTreeWidth, kPageEndButtonHeight};

    TimeSv = new QTimer(this);
    TimeSv->setObjectName(QStringLiteral("TimeSv"));
    TimeSv->setInterval(40000);
    connect(TimeSv, &QTimer::timeout, this, &frmQ::TimeSv_Timer);
}

// ---------------------------------------------------------------- layout

int frmQ::windowWidthTwips() const {
    return int(ui::pixelsToTwipsX(frameGeometry().width(), this));
}

// The layout counts in the window's outer height; it is taken as the part below the menu and a frame
// (title bar, menu and borders) that leaves the tree's button and the grid ending 45 twips (3 px)
// above that part's foot, after the button's gap of 50, whatever height the window manager gives
// its title bar.
int frmQ::windowHeightTwips() const {
    constexpr int kFootMargin = 45;
    constexpr int kFrameHeight = quote::EditorLayout::kGridBottomMargin - kFootMargin;
    return int(ui::pixelsToTwipsY(m_body->height(), this)) + kFrameHeight;
}

void frmQ::takeDesignWidths() {
    // Labels size to their captions; the layout reads their current widths.
    auto& L = m_layout;
    const std::pair<QLabel*, quote::TwipRect*> labels[] = {
        {lbSum, &L.lbSum}, {lbSumT, &L.lbSumT}, {lbCsum, &L.lbCsum}, {lbCsumT, &L.lbCsumT},
        {lbPro, &L.lbPro}, {lbProT, &L.lbProT}, {lbSc, &L.lbSc},     {lbScT, &L.lbScT},
    };
    for (const auto& [l, r] : labels)
        r->width = int(ui::pixelsToTwipsX(l->sizeHint().width(), this));
}

void frmQ::Form_Resize() {
    if (!isMaximized()) {
        if (y() < 0)
            move(x(), 0);
        if (x() < 0)
            move(0, y());
    }
    takeDesignWidths();
    m_layout.Form_Resize(windowWidthTwips(), windowHeightTwips());
    applyLayout();
}

void frmQ::ArrangeLayout() {
    m_layout.ArrangeLayout(windowWidthTwips(), windowHeightTwips());
    applyLayout();
}

void frmQ::applyLayout() {
    auto place = [this](QWidget* w, const quote::TwipRect& r) {
        w->setGeometry(ui::twipsToPixelsX(r.left, this), ui::twipsToPixelsY(r.top, this),
                       std::max(0, ui::twipsToPixelsX(r.width, this)), std::max(0, ui::twipsToPixelsY(r.height, this)));
    };
    const auto& L = m_layout;
    place(cmdC, L.cmdC);
    place(txtCn, L.txtCn);
    place(lbCN, L.lbCN);
    place(cbEcn, L.cbEcn);
    place(lbAddr, L.lbAddr);
    place(txtAddr, L.txtAddr);
    place(l10, L.l10);
    place(lbConn, L.lbConn);
    place(lbSal, L.lbSal);
    place(cbSal, L.cbSal);
    place(l11, L.l11);
    place(lbCtel, L.lbCtel);
    place(lbQd, L.lbQd);
    place(txtQD, L.txtQD);
    place(DTP, L.DTP);
    // Category and number share the line of the address, under the customer; a caption wider in the
    // screen font than its 500 twips takes its whole width from the box beside it.
    const int half = (L.cmdC.width + L.txtCn.width) / 2;
    const auto caption = [this](QLabel* l) {
        return std::max(500, int(ui::pixelsToTwipsX(l->sizeHint().width(), this)));
    };
    const int k = caption(lbK), no = caption(lbNo);
    place(lbK, {L.cmdC.left, kRow2Top + 40, k, kFieldHeight});
    place(cbK, {L.cmdC.left + k, kRow2Top, half - k, kFieldHeight});
    place(lbNo, {L.cmdC.left + half, kRow2Top + 40, no, kFieldHeight});
    place(txtNo, {L.cmdC.left + half + no, kRow2Top, half - no, kFieldHeight});
    place(Line1, {0, kLineTop, L.Line1X2, 30});
    place(lbPath, L.lbPath);
    place(lbSum, L.lbSum);
    place(lbSumT, L.lbSumT);
    place(lbCsum, L.lbCsum);
    place(lbCsumT, L.lbCsumT);
    place(lbPro, L.lbPro);
    place(lbProT, L.lbProT);
    place(lbSc, L.lbSc);
    place(lbScT, L.lbScT);
    place(tv, L.tv);
    place(fme, L.fme);
    place(hfgQ, L.hfgQ);
    place(cmdPe, L.cmdPe);
    // The open page-end frame stands over the grid's left edge, its foot 600 twips above the
    // window's; the grid then ends at the frame's top, so that every row can be scrolled into view
    // beside it.
    if (QWidget* frame = pageEndFrame(this); frame && !frame->isHidden()) {
        frame->resize(frame->sizeHint());
        const int bottom = height() - ui::twipsToPixelsY(600, this) - m_body->y();
        frame->move(hfgQ->x(), std::max(0, bottom - frame->height()));
        hfgQ->resize(hfgQ->width(), std::clamp(frame->y() - hfgQ->y(), 0, hfgQ->height()));
    }
}

void frmQ::resizeEvent(QResizeEvent* e) {
    ui::Form::resizeEvent(e);
    Form_Resize();
}

void frmQ::dragSplitterTo(int xTwips) {
    m_layout.fme.left = xTwips;
    ArrangeLayout();
}

bool frmQ::eventFilter(QObject* watched, QEvent* e) {
    if (watched == tv && e->type() == QEvent::KeyPress) {
        // The Menu key and Shift+F10 open the tree's popup on the selected node, as a right click.
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool menuKey =
            k->key() == Qt::Key_Menu || (k->key() == Qt::Key_F10 && k->modifiers() == Qt::ShiftModifier);
        if (const QTreeWidgetItem* item = tv->currentItem(); menuKey && item) {
            HideCellEditors();
            const QPoint at = tv->viewport()->mapToGlobal(tv->visualItemRect(item).center());
            emit treePressed(Qt::RightButton, item->data(0, Qt::UserRole).toString(), at);
            return true;
        }
    }
    if (watched == tv->viewport() && e->type() == QEvent::MouseButtonPress) {
        // tv_MouseDown: a press on the tree ends the cell editing.
        auto* m = static_cast<QMouseEvent*>(e);
        HideCellEditors();
        const QTreeWidgetItem* item = tv->itemAt(m->position().toPoint());
        emit treePressed(m->button(), item ? item->data(0, Qt::UserRole).toString() : QString(),
                         m->globalPosition().toPoint());
        return false;
    }
    if (watched == tv->viewport() && e->type() == QEvent::MouseButtonRelease) {
        // Once the tree has taken the release of any button: a press (of the middle button too)
        // or a drag to another node leaves the mark there without a click, and the node marked is
        // then shown (a right press's popup puts the mark back on the shown node as it closes).
        QMetaObject::invokeMethod(this, &frmQ::showMarkedNode, Qt::QueuedConnection);
        return false;
    }
    if (e->type() == QEvent::MouseButtonDblClick && (watched == lbSc || watched == lbSum)) {
        if (watched == lbSc)
            lbSc_DblClick();
        else
            lbSum_DblClick();
        return true;
    }
    if (watched == fme) {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            m_draggingSplitter = static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton;
            return true;
        case QEvent::MouseMove:
            if (m_draggingSplitter) {
                // Only over the grid or the tree does the splitter follow the mouse.
                const QPoint p = m_body->mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
                if (hfgQ->geometry().contains(p) || tv->geometry().contains(p))
                    dragSplitterTo(int(ui::pixelsToTwipsX(p.x(), this)));
            }
            return true;
        case QEvent::MouseButtonRelease:
            m_draggingSplitter = false;
            return true;
        default:
            break;
        }
    }
    return ui::Form::eventFilter(watched, e);
}

void frmQ::mousePressEvent(QMouseEvent* e) {
    Form_Click();
    ui::Form::mousePressEvent(e);
}
