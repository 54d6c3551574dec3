// Cell editing in the quotation window's item grid: the floating editors, their placement, the
// Enter order, the grid's mouse handling and the item, area and detail (規格) picks.
#include "CellEditors.h"
#include "ItemGridModel.h"
#include "PickLists.h"
#include "Pricing.h"
#include "TypedNumber.h"
#include "frmQ.h"
#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>

namespace quote {

namespace {
const QString kTitle = QStringLiteral("Kavo III");
constexpr int kListHeight = 4000;
constexpr int kListRoom = 4900;

QComboBox* editorBox(QWidget* parent, const char* name) {
    auto* b = new QComboBox(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setEditable(true);
    b->setInsertPolicy(QComboBox::NoInsert);
    b->setCompleter(nullptr); // what is typed stays as typed
    b->hide();
    return b;
}

// A number of the catalogue no cell can show is not carried into the row: the pick says whose it is.
void sayNotCarried(const QString& item, std::span<const int> columns) {
    if (!columns.empty())
        ui::msgBox(notCarriedMessage(item, columns), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
}

QPushButton* listButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(QStringLiteral("▼"), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->hide();
    return b;
}

// The box's list drops at least as wide as its longest entry, so no entry is cut short in a narrow
// column.
void fitListWidth(QComboBox* b) {
    QAbstractItemView* v = b->view();
    v->setFont(b->font());
    const int entries = b->count() > 0 ? v->sizeHintForColumn(0) : 0;
    const int frame = 2 * v->frameWidth() + v->verticalScrollBar()->sizeHint().width();
    v->setMinimumWidth(std::max(b->width(), entries + frame));
}

bool isEnter(const QKeyEvent* k) {
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}
} // namespace

CellEditors::CellEditors(frmQ* window) : QObject(window), w(window) {
    QWidget* vp = w->hfgQ->viewport();
    T = ui::textBox(vp, "T");
    T->hide();
    c = listButton(vp, "c");
    ca = listButton(vp, "ca");
    c->setFixedWidth(ui::twipsToPixelsX(285, w));
    ca->setFixedWidth(ui::twipsToPixelsX(285, w));
    Ls = new QListWidget(w->body());
    Ls->setObjectName(QStringLiteral("Ls"));
    Ls->hide();
    LsA = new QListWidget(w->body());
    LsA->setObjectName(QStringLiteral("LsA"));
    LsA->hide();
    txt = ui::textBox(vp, "txt");
    txt->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(255, 255, 192); }"));
    // Typed, pasted and input-method text alike: digits and "." only.
    txt->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), txt));
    txt->hide();
    cbD = editorBox(vp, "cbD");
    cbU = editorBox(vp, "cbU");
    cbS = editorBox(vp, "cbS");
    cbPs = editorBox(vp, "cbPs");

    // Every change of an editor's text goes into the cell.
    connect(T, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!T->isHidden())
            setCurrentCell(t);
    });
    for (QComboBox* b : {cbD, cbU, cbPs}) {
        connect(b, &QComboBox::editTextChanged, this, [this, b](const QString& t) {
            if (!b->isHidden())
                setCurrentCell(t);
        });
    }
    connect(txt, &QLineEdit::textChanged, this, &CellEditors::txt_Change);
    connect(cbS, &QComboBox::editTextChanged, this, &CellEditors::cbS_Change);
    connect(cbS, &QComboBox::activated, this, &CellEditors::cbS_Change);
    connect(cbU, &QComboBox::activated, this, [this] {
        if (cbU->isHidden())
            return;
        setCurrentCell(cbU->currentText());
        commitEdit();
    });
    connect(cbS, &QComboBox::activated, this, [this] {
        if (!cbS->isHidden())
            commitEdit();
    });
    connect(cbPs, &QComboBox::activated, this, &CellEditors::cbPs_Click);
    connect(cbD, &QComboBox::activated, this, &CellEditors::cbD_Click);
    connect(c, &QPushButton::clicked, this, &CellEditors::c_Click);
    connect(ca, &QPushButton::clicked, this, &CellEditors::ca_Click);
    connect(Ls, &QListWidget::itemClicked, this, &CellEditors::Ls_Click);
    connect(LsA, &QListWidget::itemClicked, this, &CellEditors::LsA_Click);

    for (QWidget* e : std::initializer_list<QWidget*>{T, txt, cbD, cbU, cbS, cbPs, cbD->lineEdit(),
                                                      cbU->lineEdit(), cbS->lineEdit(), cbPs->lineEdit()})
        e->installEventFilter(this);

    QTableView* g = w->hfgQ;
    g->viewport()->installEventFilter(this);
    g->horizontalHeader()->viewport()->installEventFilter(this);
    connect(g->verticalScrollBar(), &QScrollBar::valueChanged, this, &CellEditors::hfgQ_Scroll);
    connect(g->horizontalScrollBar(), &QScrollBar::valueChanged, this, &CellEditors::hfgQ_Scroll);
}

QTableView* CellEditors::grid() const {
    return w->hfgQ;
}

void CellEditors::HideCellEditors() {
    for (QWidget* e : std::initializer_list<QWidget*>{T, c, ca, Ls, LsA, cbD, cbU, cbS, cbPs, txt})
        e->hide();
}

QWidget* CellEditors::openEditor() const {
    for (QWidget* e : std::initializer_list<QWidget*>{T, cbD, cbU, cbS, cbPs, txt})
        if (!e->isHidden())
            return e;
    return nullptr;
}

void CellEditors::setCurrentCell(const QString& text) {
    if (CurRow < 1 || CurRow >= w->m_doc.hfgQ.rows())
        return;
    w->SetCell(CurRow, CurCol, text);
}

// ---------------------------------------------------------------- placement

void CellEditors::BeginCellEdit() {
    HideCellEditors();
    if (CurRow < 1 || CurRow >= w->m_doc.hfgQ.rows())
        return;
    SkipEditorChange = true;
    QTableView* g = grid();
    const QRect rect = g->visualRect(w->m_model->index(CurRow - 1, CurCol));
    const int x0 = rect.left() + 2; // two pixels right of the column's edge
    const int y0 = rect.top();
    const QString text = w->GTxM(CurRow, CurCol);
    QWidget* focus = nullptr;
    // Escape puts the row back as it was before the editor opened, a filled-in cost included.
    m_openedRow = CurRow;
    m_rowAtOpen = w->m_doc.hfgQ.row(CurRow);

    auto placeBox = [&](QComboBox* b) {
        b->setFont(g->font());
        b->setGeometry(x0, y0, rect.width(), std::max(rect.height(), b->sizeHint().height()));
        fitListWidth(b);
        b->show();
        b->raise();
        b->setEditText(text);
        focus = b;
    };

    switch (editorForColumn(CurCol)) {
    case CellEditor::T: {
        T->setFont(g->font());
        Ls->setFont(g->font());
        c->setFixedHeight(rect.height());
        ca->setFixedHeight(c->height());
        int left = x0;
        int width = rect.width() - c->width();
        if (w->m_doc.WorkTypesOnly) {
            ca->move(x0, y0);
            ca->show();
            ca->raise();
            left = x0 + ca->width();
            width -= ca->width();
        }
        T->setGeometry(left, y0, std::max(0, width), rect.height());
        c->move(T->x() + T->width(), y0);
        T->show();
        c->show();
        T->raise();
        c->raise();
        T->setText(text);
        focus = T;
        break;
    }
    case CellEditor::cbD: {
        QStringList details;
        QString failure;
        if (mdM::MainDb) {
            try {
                details = PickLists::FillDetailList(*mdM::MainDb, w->GTxM(CurRow, ColCatalogName));
            } catch (const db::DbError& e) {
                failure = QStringLiteral("未能載入：%1").arg(e.description());
                ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, kTitle);
            }
        }
        {
            const QSignalBlocker block(cbD); // refilling the list leaves the cell alone
            cbD->clear();
            cbD->addItems(details);
        }
        ui::markUnloaded(cbD, failure);
        placeBox(cbD);
        break;
    }
    case CellEditor::cbU: w->rereadPickLists(); placeBox(cbU); break;
    case CellEditor::cbS: w->rereadPickLists(); placeBox(cbS); break;
    case CellEditor::cbPs: w->rereadPickLists(); placeBox(cbPs); break;
    default: {
        txt->setFont(g->font());
        txt->setGeometry(x0, y0 + 2, rect.width(), rect.height());
        txt->show();
        txt->raise();
        ItemRow& row = w->m_doc.hfgQ.dataRows()[size_t(CurRow - 1)];
        if (CurCol == ColCost && prefillCost(row, w->PricesHidden)) {
            // An empty cost takes the unit price (and the cost total follows) before the editor.
            w->m_model->rowChanged(CurRow);
            txt->setText(row[ColCost]);
        } else {
            txt->setText(text);
        }
        focus = txt;
        break;
    }
    }
    if (focus) {
        focus->setFocus(Qt::OtherFocusReason);
        if (auto* e = qobject_cast<QLineEdit*>(focus))
            e->selectAll();
        else if (auto* b = qobject_cast<QComboBox*>(focus); b && b->lineEdit())
            b->lineEdit()->selectAll();
    }
    SkipEditorChange = false;
}

void CellEditors::commitEdit() {
    if (CurRow < 1 || CurRow >= w->m_doc.hfgQ.rows())
        return;
    m_openedRow = CurRow;
    m_rowAtOpen = w->m_doc.hfgQ.row(CurRow);
}

void CellEditors::cancelEdit() {
    HideCellEditors();
    if (m_openedRow < 1 || m_openedRow >= w->m_doc.hfgQ.rows())
        return;
    w->m_doc.hfgQ.setRow(m_openedRow, m_rowAtOpen);
    w->m_model->rowChanged(m_openedRow);
    w->RefreshTotals();
}

// ---------------------------------------------------------------- editor handlers

void CellEditors::txt_Change() {
    numericChange(txt, txt->text(), CurCol);
}

void CellEditors::cbS_Change() {
    numericChange(cbS, cbS->currentText(), ColRatio);
}

void CellEditors::numericChange(QWidget* editor, const QString& text, int col) {
    if (!editor->isHidden() && CurRow >= 1 && CurRow < w->m_doc.hfgQ.rows()) {
        // A typed number no cell can show, or one that makes a cell the user sees (單價, 金額, 成本,
        // 成本複計, 比例) one, is refused: the row keeps its numbers and the editor shows its cell's
        // again. A cell he does not see is not judged (tooLongShown); a number read from a file is
        // left for the user to correct.
        const ItemRow before = w->m_doc.hfgQ.row(CurRow);
        const auto refuse = [&](const auto& say) {
            w->m_doc.hfgQ.setRow(CurRow, before);
            SkipEditorChange = true;
            if (editor == txt)
                txt->setText(w->GTxM(CurRow, CurCol));
            else
                cbS->setEditText(w->GTxM(CurRow, CurCol));
            SkipEditorChange = false;
            w->m_model->rowChanged(CurRow);
            say();
        };
        if (!SkipEditorChange && !cellCanShow(text))
            return refuse(sayNotANumber);
        setCurrentCell(text);
        if (!SkipEditorChange) {
            ItemRow& row = w->m_doc.hfgQ.dataRows()[size_t(CurRow - 1)];
            RecalcAfterEdit(row, col, w->switches());
            if (const std::vector<int> tooLong = tooLongShown(before, row, w->PricesHidden, w->CostsHidden);
                !tooLong.empty())
                return refuse([&tooLong] { sayTooLong(tooLong); });
            w->m_model->rowChanged(CurRow);
            w->RefreshTotals();
        }
    }
    SkipEditorChange = false;
}

void CellEditors::cbPs_Click() {
    if (cbPs->isHidden())
        return;
    setCurrentCell(cbPs->currentText());
    w->RefreshTotals();
    commitEdit();
}

void CellEditors::Enter(QWidget* editor) {
    int next = CurCol;
    if (editor == txt)
        next = nextColumnOnEnter(CurCol, w->PricesHidden, w->CostsHidden);
    else if (editor == T || editor == cbD || editor == cbU || editor == cbS)
        next = CurCol + 1;
    else
        return;
    CurCol = next;
    BeginCellEdit();
}

bool CellEditors::eventFilter(QObject* watched, QEvent* e) {
    QTableView* g = grid();
    if (watched == g->viewport()) {
        switch (e->type()) {
        case QEvent::MouseButtonPress: {
            auto* m = static_cast<QMouseEvent*>(e);
            hfgQ_MouseDown(m->button(), m->position().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease:
            hfgQ_MouseUp();
            return true;
        case QEvent::MouseMove: {
            auto* m = static_cast<QMouseEvent*>(e);
            hfgQ_MouseMove(m->position().toPoint(), m->buttons());
            return false;
        }
        case QEvent::MouseButtonDblClick:
            hfgQ_DblClick(static_cast<QMouseEvent*>(e)->position().toPoint());
            return true;
        case QEvent::ToolTip: {
            auto* h = static_cast<QHelpEvent*>(e);
            if (g->toolTip().isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(h->globalPos(), g->toolTip(), g->viewport());
            return true;
        }
        default:
            return false;
        }
    }
    if (watched == g->horizontalHeader()->viewport()) {
        if (e->type() == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(e);
            hfgQ_HeaderMouseDown(m->button(), g->horizontalHeader()->logicalIndexAt(m->position().toPoint()));
            return true;
        }
        return false;
    }
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    QWidget* editor = qobject_cast<QWidget*>(watched);
    for (QComboBox* b : {cbD, cbU, cbS, cbPs})
        if (watched == b->lineEdit())
            editor = b;
    if (k->key() == Qt::Key_Escape) {
        if (auto* b = qobject_cast<QComboBox*>(editor); b && b->view() && b->view()->isVisible())
            return false; // an open list closes first
        cancelEdit();
        return true;
    }
    if (editor == txt) {
        // Digits, ".", Backspace and Enter; any other character beeps and is dropped.
        const QString typed = k->text();
        const bool character = !typed.isEmpty() && typed.at(0).isPrint();
        if (character && !isNumericText(typed) && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QApplication::beep();
            return true;
        }
    }
    if (isEnter(k)) {
        if (auto* b = qobject_cast<QComboBox*>(editor); b && b->view() && b->view()->isVisible())
            return false; // an open list takes the Enter
        commitEdit();
        if (editor == cbPs)
            return false; // the remark stays in its editor
        Enter(editor);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- grid mouse handling

void CellEditors::hfgQ_HeaderMouseDown(Qt::MouseButton button, int column) {
    if (column < 0)
        return;
    // Row 0: the header row.
    if (column == ColPath)
        return;
    if (CurRow != 0 || CurCol != column)
        HideCellEditors();
    CurCol = column;
    CurRow = 0;
    m_rowSel = 0;
    if (button == Qt::LeftButton) {
        SelRowStart = column == ColHeader ? 0 : -1;
        HideCellEditors();
    } else if (button == Qt::RightButton) {
        showRowPopup(QCursor::pos());
    }
}

void CellEditors::hfgQ_MouseDown(Qt::MouseButton button, const QPoint& pos) {
    QTableView* g = grid();
    const int modelRow = g->rowAt(pos.y());
    const int col = g->columnAt(pos.x());
    if (modelRow < 0 || col < 0)
        return; // below the last row or right of the last column
    const int row = modelRow + 1;
    if (col == ColPath)
        return;
    QuoteDocument& doc = w->m_doc;
    if (doc.tree.count() <= 1) {
        ui::msgBox(QStringLiteral("請在左方建立區域或工種"), ui::Buttons::OK, ui::Icon::Exclamation,
                   QString::fromLatin1(ui::kAppTitle));
        return;
    }
    if (!doc.NodeIsLeaf) {
        ui::msgBox(QStringLiteral("以下還有階層 無法修改\r\n請點取最低階層\r\n再行修改 OK "), ui::Buttons::OK,
                   ui::Icon::Exclamation, kTitle);
        return;
    }
    if (row != CurRow || col != CurCol)
        HideCellEditors();
    CurCol = col;
    CurRow = row;
    m_rowSel = row;
    if (button == Qt::LeftButton) {
        if (col == ColHeader) {
            SelRowStart = CurRow;
            m_rowSelAnchor = CurRow;
            selectRows(CurRow, CurRow);
            HideCellEditors();
            return;
        }
        SelRowStart = -1;
        selectRows(0, 0);
        if (editorForColumn(col) == CellEditor::None) {
            HideCellEditors();
            return;
        }
        if (row == doc.hfgQ.rows() - 1) {
            doc.hfgQ.setRows(doc.hfgQ.rows() + 10);
            w->SetupGrid(true);
        }
        BeginCellEdit();
    } else if (button == Qt::RightButton) {
        showRowPopup(g->viewport()->mapToGlobal(pos));
    }
}

void CellEditors::selectRows(int from, int to) {
    QTableView* g = grid();
    if (from < 1) {
        g->selectionModel()->clearSelection();
        return;
    }
    const int a = std::min(from, to) - 1;
    const int b = std::max(from, to) - 1;
    g->selectionModel()->select(QItemSelection(w->m_model->index(a, 0), w->m_model->index(b, ColCount - 1)),
                                QItemSelectionModel::ClearAndSelect);
}

void CellEditors::showRowPopup(const QPoint& globalPos) {
    const RowPopupEnabling e = rowPopupEnabling(RowUndo, SelRowStart, SelRowEnd, w->RowsCopied);
    w->action(QStringLiteral("mUndo"))->setEnabled(e.mUndo);
    if (CurCol != ColHeader)
        return;
    w->action(QStringLiteral("mCpq"))->setEnabled(e.mCpq);
    w->action(QStringLiteral("mDelQ"))->setEnabled(e.mDelQ);
    w->action(QStringLiteral("mPstQ"))->setEnabled(e.mPstQ);
    w->action(QStringLiteral("mInsQcp"))->setEnabled(e.mInsQcp);
    w->menu(QStringLiteral("mQ"))->popup(globalPos);
}

void CellEditors::hfgQ_MouseUp() {
    m_rowSelAnchor = -1;
    SelRowEnd = m_rowSel;
}

void CellEditors::hfgQ_MouseMove(const QPoint& pos, Qt::MouseButtons buttons) {
    QTableView* g = grid();
    const int modelRow = g->rowAt(pos.y());
    // Dragging from the row-header column selects a run of rows.
    if (m_rowSelAnchor > 0 && (buttons & Qt::LeftButton) && modelRow >= 0) {
        m_rowSel = modelRow + 1;
        selectRows(m_rowSelAnchor, m_rowSel);
    }
    QString tip;
    if (modelRow >= 0 && g->columnAt(pos.x()) == ColPath)
        tip = w->GTxM(modelRow + 1, ColPath);
    g->setToolTip(tip);
    w->ApplyColumnView();
}

void CellEditors::hfgQ_DblClick(const QPoint& pos) {
    QTableView* g = grid();
    const int modelRow = g->rowAt(pos.y());
    const int col = g->columnAt(pos.x());
    if (modelRow < 0 || col < 0)
        return;
    const QString s = w->GTxM(modelRow + 1, col);
    const QuoteDocument& doc = w->m_doc;
    if (s.isEmpty())
        return;
    // A node below the shown node whose full path is the cell's text.
    if (doc.tree.contains(s) && s.startsWith(doc.lbPath + kPathSeparator))
        w->tv_NodeClick(s);
}

void CellEditors::hfgQ_Scroll() {
    if (CurCol != ColRemark)
        HideCellEditors();
}

// ---------------------------------------------------------------- pick lists

void CellEditors::openList(QListWidget* list, QListWidget* other) {
    other->hide();
    if (list->count() == 0)
        return;
    QWidget* body = w->body();
    const QPoint topLeft = T->mapTo(body, QPoint(0, 0));
    const int tTopTwips = int(ui::pixelsToTwipsY(T->mapToGlobal(QPoint(0, 0)).y() - ui::screenRect(w).top(), w));
    const int tHeightTwips = int(ui::pixelsToTwipsY(T->height(), w));
    const int screenTwips = int(ui::pixelsToTwipsY(ui::screenRect(w).height(), w));
    const int height = ui::twipsToPixelsY(kListHeight, w);
    const int top = tTopTwips + tHeightTwips + kListRoom < screenTwips ? topLeft.y() + T->height()
                                                                        : topLeft.y() - height;
    list->setGeometry(topLeft.x(), top, T->width() + c->width(), height);
    list->show();
    list->raise();
}

void CellEditors::c_Click() {
    openList(Ls, LsA);
}

void CellEditors::ca_Click() {
    openList(LsA, Ls);
}

void CellEditors::LsA_Click() {
    if (!LsA->currentItem())
        return;
    T->setText(LsA->currentItem()->text());
    LsA->hide();
    commitEdit();
}

void CellEditors::Ls_Click() {
    if (!Ls->currentItem() || CurRow < 1)
        return;
    QuoteDocument& doc = w->m_doc;
    const QString n = Ls->currentItem()->text();
    const int r = CurRow;
    const ItemRow before = doc.hfgQ.row(r);

    std::optional<PickLists::CatalogueItem> item;
    try {
        if (mdM::MainDb)
            item = PickLists::catalogueItem(*mdM::MainDb, n);
    } catch (const db::DbError& e) {
        ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, kTitle);
        return; // the row stays as it was
    }

    // Undo snapshot of the row as it stands (the text typed into T already in it).
    RowUndo = {};
    bool filled = false;
    for (int col = ColName; col <= ColRemark; ++col)
        filled = filled || !before[size_t(col)].isEmpty();
    if (filled) {
        RowUndo[0] = QString::number(r);
        for (int k = 1; k <= 10; ++k)
            RowUndo[size_t(k)] = before[size_t(k + 1)];
    }
    T->setText(doc.WorkTypesOnly ? T->text() + n : n);
    w->SetCell(r, ColCatalogName, n);
    if (!item) {
        commitEdit();
        return; // the name stays; the list stays open
    }

    ItemRow& picked = doc.hfgQ.dataRows()[size_t(r - 1)];
    const std::vector<int> unshown = FillFromCatalogue(picked, item->unit, item->cost, item->ratio);
    // Empty rows above the picked row sink to the end of the grid.
    int pickedRow = r;
    for (int i = r - 1; i >= 1; --i) {
        if (!doc.hfgQ.cell(i, ColName).isEmpty())
            continue;
        const ItemRow empty = doc.hfgQ.row(i);
        doc.hfgQ.removeRows(i, 1);
        doc.hfgQ.appendRows(std::span<const ItemRow>(&empty, 1));
        --pickedRow;
    }
    if (!RowUndo[0].isEmpty())
        RowUndo[0] = QString::number(pickedRow);
    Ls->hide();
    T->hide();
    c->hide();
    HideCellEditors();
    m_openedRow = 0; // the rows moved, and no edit is in progress
    w->gridChanged();
    w->RefreshTotals();
    sayNotCarried(n, unshown);
}

void CellEditors::cbD_Click() {
    if (cbD->isHidden() || CurRow < 1)
        return;
    const QString itemName = w->GTxM(CurRow, ColCatalogName);
    const QString detail = cbD->currentText();
    // The catalogue first: a failure leaves the row as it was.
    std::optional<double> markup, cost;
    if (mdM::MainDb) {
        try {
            markup = PickLists::detailMarkup(*mdM::MainDb, detail, itemName);
            if (markup)
                cost = PickLists::itemCost(*mdM::MainDb, itemName);
        } catch (const db::DbError& e) {
            ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, kTitle);
            return;
        }
    }
    w->SetCell(CurRow, ColSpec, detail);
    std::vector<int> unshown;
    if (markup && cost) { // else no such detail or item: the cost stays
        ItemRow& row = w->m_doc.hfgQ.dataRows()[size_t(CurRow - 1)];
        unshown = SetDetailCost(row, *cost, *markup, !w->PricesHidden);
        w->m_model->rowChanged(CurRow);
        w->RefreshTotals();
    }
    commitEdit();
    sayNotCarried(itemName + u' ' + detail, unshown);
}

} // namespace quote
