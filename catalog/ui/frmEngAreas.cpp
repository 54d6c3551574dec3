// Tab 0 of the construction-data window: the categories and, twenty to a column, their areas.
#include "frmEm.h"
#include "frmEng.h"

#include "GridCells.h"
#include "Questions.h"
#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

using catalog::AreaCell;
using catalog::AreaColumns;

namespace {
const QString kTitle = QStringLiteral("Kavo III");
// The rows of a column the frame shows at least; a frame too short for twenty scrolls its columns.
constexpr int kLeastAreaRows = 5;
} // namespace

QWidget* frmEng::buildAreasTab() {
    auto* w = new QWidget;
    cmEdK = ui::button(w, "cmEdK", QStringLiteral("工程類別："));
    cbK = new QComboBox(w);
    cbK->setObjectName(QStringLiteral("cbK"));
    cbK->setMinimumWidth(240);
    Frame1 = new QGroupBox(QStringLiteral("區域地點："), w);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->installEventFilter(this);
    txtA = ui::textBox(Frame1, "txtA");
    txtA->hide();
    txtA->installEventFilter(this);
    cmdUpA = ui::button(w, "cmdUpA", QStringLiteral("▲"));
    cmdDnA = ui::button(w, "cmdDnA", QStringLiteral("▼"));
    cmAp = ui::button(w, "cmAp", QStringLiteral("套用"));
    cmdCancel = ui::button(w, "cmdCancel", QStringLiteral("取消"));
    cmdPrK = ui::button(w, "cmdPrK", QStringLiteral("列印"));
    cmAp->setEnabled(false);

    static const char* const items[7] = {"mAddA", "mDelA", "mEditA", "mCopyA", "mPastA", "mAp", "mAc"};
    mA = buildPopup("mA", items);
    auto action = [this](const char* name) { return mA->findChild<QAction*>(QString::fromLatin1(name)); };
    connect(action("mAddA"), &QAction::triggered, this, &frmEng::mAddA_Click);
    connect(action("mDelA"), &QAction::triggered, this, &frmEng::mDelA_Click);
    connect(action("mEditA"), &QAction::triggered, this, &frmEng::mEditA_Click);
    connect(action("mAp"), &QAction::triggered, this, &frmEng::cmAp_Click);
    connect(action("mAc"), &QAction::triggered, this, &frmEng::cmdCancel_Click);
    action("mAp")->setEnabled(false);

    connect(cbK, &QComboBox::activated, this, &frmEng::cbK_Click);
    connect(cmEdK, &QPushButton::clicked, this, &frmEng::cmEdK_Click);
    connect(cmdPrK, &QPushButton::clicked, this, &frmEng::cmdPrK_Click);
    connect(cmAp, &QPushButton::clicked, this, &frmEng::cmAp_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEng::cmdCancel_Click);
    connect(cmdUpA, &QPushButton::clicked, this, &frmEng::cmdUpA_Click);
    connect(cmdDnA, &QPushButton::clicked, this, &frmEng::cmdDnA_Click);
    connect(txtA, &QLineEdit::textChanged, this, &frmEng::txtA_Change);

    auto* top = new QHBoxLayout;
    top->addWidget(cmEdK);
    top->addWidget(cbK);
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    for (QPushButton* b : {cmdUpA, cmdDnA})
        bottom->addWidget(b);
    bottom->addStretch();
    for (QPushButton* b : {cmAp, cmdCancel, cmdPrK})
        bottom->addWidget(b);
    auto* v = new QVBoxLayout(w);
    v->addLayout(top);
    v->addWidget(Frame1, 1);
    v->addLayout(bottom);
    // The frame shows a column's twenty rows below its caption where the screen has room for them,
    // else fewer, and the columns scroll: the window fits a 1280x800 screen below the menu bar.
    QTableWidget* first = areaGrid(0);
    // The categories, or the areas shown, that could not be read are read again at their use: a
    // press on the box or the grid (never over changes not applied).
    for (QWidget* view : {static_cast<QWidget*>(cbK), static_cast<QWidget*>(first)})
        ui::readAgainAtUse(
            view,
            [this] {
                if (m_store && !cmAp->isEnabled())
                    cmdCancel_Click();
            },
            [this] { return !m_categoriesLoaded || (m_areasCategoryIndex >= 0 && !m_areasLoaded); });
    Frame1->setMinimumHeight(ui::twipsToPixelsY(320) + 2 * first->frameWidth() +
                             first->verticalHeader()->defaultSectionSize() * kLeastAreaRows);
    return w;
}

QTableWidget* frmEng::areaGrid(int i) {
    while (hfgA.size() <= i) {
        auto* g = new QTableWidget(Frame1);
        g->setObjectName(QStringLiteral("hfgA(%1)").arg(hfgA.size()));
        catalog_ui::setUpGrid(g);
        g->horizontalHeader()->hide();
        g->setColumnCount(1);
        g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->viewport()->installEventFilter(this);
        connect(g->verticalScrollBar(), &QScrollBar::valueChanged, txtA, &QWidget::hide);
        // The cell highlighted, by the mouse or the arrow keys, is the one the moves act on.
        const int index = int(hfgA.size());
        connect(g, &QTableWidget::currentCellChanged, this, [this, index](int row) {
            if (!m_showingAreas && row >= 0) {
                CurAreaGrid = index;
                CurAreaRow = row;
            }
        });
        g->hide();
        hfgA.append(g);
    }
    return hfgA.at(i);
}

bool frmEng::LoadCategories() {
    QStringList names;
    m_categoriesLoaded = tryLoad([&] { names = m_store->categories(); }, cbK);
    if (!m_categoriesLoaded && cbK->count() > 0)
        return false; // the list shown stays
    cbK->clear();
    cbK->addItems(names);
    cbK->setCurrentIndex(cbK->count() > 0 ? 0 : -1);
    return m_categoriesLoaded;
}

bool frmEng::areasEditable() const {
    return canEdit() && m_areasCategoryIndex >= 0 && m_areasLoaded;
}

void frmEng::LoadAreas() {
    m_areasCategory = cbK->currentText();
    m_areasCategoryIndex = cbK->currentIndex();
    QStringList areas;
    m_areasLoaded = m_areasCategoryIndex >= 0 && tryLoad([&] { areas = m_store->areas(m_areasCategory); }, areaGrid(0));
    m_loadedAreas = areas;
    if (m_areasCategoryIndex < 0) // no category to show: the categories' reason, if they failed
        catalog_ui::markUnloaded(areaGrid(0), cbK->toolTip());
    m_areas = areas.isEmpty() ? AreaColumns() : AreaColumns(areas);
    CurAreaGrid = 0;
    CurAreaRow = 0;
    AreaEditMode = false;
    txtA->hide();
    ShowAreas();
    setDirty(cmAp, mA->findChild<QAction*>(QStringLiteral("mAp")), false);
    for (const char* name : {"mAddA", "mDelA", "mEditA"})
        mA->findChild<QAction*>(QString::fromLatin1(name))->setEnabled(areasEditable());
    cmdUpA->setEnabled(m_rights && m_areasLoaded);
    cmdDnA->setEnabled(m_rights && m_areasLoaded);
}

void frmEng::ShowAreas() {
    Frame1->setUpdatesEnabled(false);
    m_showingAreas = true;
    for (int c = 0; c < m_areas.columnCount(); ++c) {
        QTableWidget* g = areaGrid(c);
        const QStringList& column = m_areas.column(c);
        g->setCurrentItem(nullptr);
        g->clearContents();
        g->setRowCount(int(column.size()));
        for (int r = 0; r < column.size(); ++r)
            catalog_ui::setCellText(g, r, 0, column.at(r));
        g->show();
    }
    for (int c = m_areas.columnCount(); c < hfgA.size(); ++c)
        hfgA.at(c)->hide();
    LayoutAreaGrids();
    m_showingAreas = false;
    Frame1->setUpdatesEnabled(true);
}

void frmEng::LayoutAreaGrids() {
    // The grids in use share the frame's width equally, in twips: each (W - 120) / n wide, its
    // column 80 narrower, the first 50 from the frame's left edge, all 200 from its top (below the
    // frame's caption where that is taller).
    const int n = std::max(1, m_areas.columnCount());
    const double frameWidth = ui::pixelsToTwipsX(Frame1->width(), Frame1);
    const double width = (frameWidth - 120) / n;
    const int top = std::max(ui::twipsToPixelsY(200, Frame1), Frame1->contentsRect().top());
    const int room = Frame1->contentsRect().bottom() + 1 - top;
    for (int i = 0; i < m_areas.columnCount() && i < hfgA.size(); ++i) {
        QTableWidget* g = hfgA.at(i);
        const int full =
            g->verticalHeader()->defaultSectionSize() * catalog::kAreasPerColumn + 2 * g->frameWidth();
        const int height = std::min(full, room);
        const int gridWidth = ui::twipsToPixelsX(width, Frame1);
        g->setGeometry(ui::twipsToPixelsX(width * i + 50, Frame1), top, gridWidth, height);
        // Beside a scroll bar the column takes what the bar leaves.
        const int inside =
            gridWidth - 2 * g->frameWidth() -
            (height < full ? g->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g) : 0);
        g->setColumnWidth(0, std::min(ui::twipsToPixelsX(std::round(width - 80), Frame1), inside));
    }
}

void frmEng::showAreaCurrent() {
    QTableWidget* g = areaGrid(CurAreaGrid);
    if (CurAreaRow >= 0 && CurAreaRow < g->rowCount())
        g->setCurrentCell(CurAreaRow, 0);
}

void frmEng::EditAreaCell() {
    QTableWidget* g = areaGrid(CurAreaGrid);
    if (CurAreaRow < 0 || CurAreaRow >= g->rowCount())
        return;
    g->setCurrentCell(CurAreaRow, 0);
    catalog_ui::placeOver(txtA, g, CurAreaRow, 0);
    catalog_ui::startEditing(txtA, m_areas.text({CurAreaGrid, CurAreaRow}));
}

void frmEng::txtA_Change(const QString& text) {
    if (!txtA->isVisible())
        return;
    m_areas.setText({CurAreaGrid, CurAreaRow}, text);
    catalog_ui::setCellText(areaGrid(CurAreaGrid), CurAreaRow, 0, text);
}

void frmEng::areaMouseDown(int grid, QMouseEvent* e) {
    const int row = hfgA.at(grid)->rowAt(e->position().toPoint().y());
    if (e->button() == Qt::LeftButton) {
        CurAreaRow = row;
        CurAreaGrid = grid;
        if (AreaEditMode)
            EditAreaCell();
    } else if (e->button() == Qt::RightButton && canEdit()) {
        txtA->hide(); // it would write into the popup's cell
        CurAreaRow = row;
        CurAreaGrid = grid;
        showAreaCurrent();
        mA->popup(e->globalPosition().toPoint());
    }
}

void frmEng::cbK_Click(int index) {
    if (index == m_areasCategoryIndex && m_areasLoaded)
        return; // the category shown: its changes stay (one whose load failed loads again)
    if (!settleGroup(cmAp, &frmEng::cmAp_Click, &frmEng::cmdCancel_Click)) {
        cbK->setCurrentIndex(m_areasCategoryIndex);
        return;
    }
    LoadAreas();
}

void frmEng::cmEdK_Click() {
    if (!settleGroup(cmAp, &frmEng::cmAp_Click, &frmEng::cmdCancel_Click))
        return;
    mdEng::EmListMode = QStringLiteral("k");
    if (!showListEditor())
        return;
    const db::LoadSession session;
    if (LoadCategories())
        LoadAreas();
}

void frmEng::mAddA_Click() {
    if (!areasEditable())
        return;
    const AreaCell cell = m_areas.add();
    ShowAreas();
    CurAreaGrid = cell.column;
    CurAreaRow = cell.row;
    areaGrid(CurAreaGrid)->setFocus();
    EditAreaCell();
    setDirty(cmAp, mA->findChild<QAction*>(QStringLiteral("mAp")), true);
}

void frmEng::mDelA_Click() {
    if (!areasEditable() || !m_areas.contains({CurAreaGrid, CurAreaRow}))
        return;
    if (!catalog_ui::confirmLoss(QStringLiteral("確定刪除?")))
        return; // nothing changes
    txtA->hide();
    m_areas.remove({CurAreaGrid, CurAreaRow});
    ShowAreas();
    CurAreaGrid = m_areas.columnCount() - 1;
    CurAreaRow = std::max(0, int(m_areas.column(CurAreaGrid).size()) - 1);
    setDirty(cmAp, mA->findChild<QAction*>(QStringLiteral("mAp")), true);
}

void frmEng::mEditA_Click() {
    if (!areasEditable())
        return;
    AreaEditMode = true;
    setDirty(cmAp, mA->findChild<QAction*>(QStringLiteral("mAp")), true);
}

bool frmEng::cmAp_Click() {
    if (!areasEditable())
        return false;
    txtA->hide();
    const QStringList areas = m_areas.toStoredList();
    const QStringList loaded = m_loadedAreas;
    const QList<int> readAs = m_areas.readAs();
    if (!applyOverLoaded(
            groupName(cmAp),
            [&](bool overwrite) { m_store->saveAreas(m_areasCategory, areas, loaded, overwrite, readAs); },
            {}))
        return false;
    LoadAreas();
    return true;
}

void frmEng::cmdCancel_Click() {
    const db::LoadSession session;
    if (!m_categoriesLoaded)
        LoadCategories();
    LoadAreas();
}

void frmEng::cmdUpA_Click() {
    moveArea(false);
}

void frmEng::cmdDnA_Click() {
    moveArea(true);
}

void frmEng::moveArea(bool down) {
    if (!m_areasLoaded)
        return;
    // The cell current in the grid, none after a load.
    AreaCell at{CurAreaGrid, areaGrid(CurAreaGrid)->currentRow()};
    const AreaColumns::Move m = down ? m_areas.moveDown(at) : m_areas.moveUp(at);
    if (m == AreaColumns::Move::NothingSelected) {
        ui::msgBox(QStringLiteral("請先選取 再行調整順序"), ui::Buttons::OK, ui::Icon::None, kTitle);
        return;
    }
    setDirty(cmAp, mA->findChild<QAction*>(QStringLiteral("mAp")), true);
    if (m == AreaColumns::Move::AtEnd)
        QApplication::beep();
    txtA->hide();
    ShowAreas();
    CurAreaGrid = at.column;
    CurAreaRow = at.row;
    showAreaCurrent();
    areaGrid(CurAreaGrid)->setFocus();
}
