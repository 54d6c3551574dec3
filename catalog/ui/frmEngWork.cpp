// Tab 1 of the construction-data window: the work items of a work kind (upper half) and the
// detail markups of the chosen work item (lower half).
#include "frmEm.h"
#include "frmEng.h"

#include "GridCells.h"
#include "Questions.h"
#include "ui/Controls.h"
#include "ui/Twips.h"
#include "LineGrid.h"
#include "mdM.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

using catalog_ui::LineGrid;

namespace {
const QString kTitle = QStringLiteral("Kavo III");
// The work-item grid's columns at their narrowest, in twips.
constexpr int kWorkColumnTwips[4] = {4000, 650, 800, 580};

QAction* item(QMenu* m, const char* name) {
    return m->findChild<QAction*>(QString::fromLatin1(name));
}

QTableWidget* lineGrid(QWidget* parent, const char* name, const QStringList& headings) {
    auto* g = new QTableWidget(parent);
    g->setObjectName(QString::fromLatin1(name));
    catalog_ui::setUpGrid(g);
    g->setColumnCount(int(headings.size()));
    g->setHorizontalHeaderLabels(headings);
    g->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return g;
}

// The origin of each of n lines loaded: its place among them.
QVector<QVariant> placesOf(qsizetype n) {
    QVector<QVariant> places;
    for (int i = 0; i < n; ++i)
        places << i;
    return places;
}

QVector<QStringList> workItemLines(const QVector<catalog::WorkItem>& items) {
    QVector<QStringList> lines;
    for (const catalog::WorkItem& w : items)
        lines.append({w.name, w.unit, w.cost, w.ratio});
    return lines;
}
} // namespace

QWidget* frmEng::buildWorkTab() {
    auto* w = new QWidget;
    Command2 = ui::button(w, "Command2", QStringLiteral("工程種類："));
    cbT = new QComboBox(w);
    cbT->setObjectName(QStringLiteral("cbT"));
    cbT->setMinimumWidth(240);
    hfgW = lineGrid(w, "hfgW", {QStringLiteral("施工"), QStringLiteral("單位"), QStringLiteral("成本"),
                                QStringLiteral("比例")});
    txtW = ui::textBox(hfgW->viewport(), "txtW");
    cbW = new QComboBox(hfgW->viewport());
    cbW->setObjectName(QStringLiteral("cbW"));
    cbW->setEditable(true);
    cbW->setInsertPolicy(QComboBox::NoInsert);
    cmdUpW = ui::button(w, "cmdUpW", QStringLiteral("▲"));
    cmdUpW->setToolTip(QStringLiteral("往上移"));
    cmdDnW = ui::button(w, "cmdDnW", QStringLiteral("▼"));
    cmWp = ui::button(w, "cmWp", QStringLiteral("套用"));
    Command4 = ui::button(w, "Command4", QStringLiteral("取消"));
    cmdPrt = ui::button(w, "cmdPrt", QStringLiteral("列印"));
    lbl2 = new QLabel(w);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    Label1 = new QLabel(QStringLiteral("細項加成："), w);
    Label1->setObjectName(QStringLiteral("Label1"));
    hfgD = lineGrid(w, "hfgD", {QStringLiteral("細項"), QStringLiteral("加成金")});
    txtD = ui::textBox(hfgD->viewport(), "txtD");
    cmUpD = ui::button(w, "cmUpD", QStringLiteral("▲"));
    cmDnD = ui::button(w, "cmDnD", QStringLiteral("▼"));
    cmdP = ui::button(w, "cmdP", QStringLiteral("套用"));
    Command5 = ui::button(w, "Command5", QStringLiteral("取消"));
    cmdPrd = ui::button(w, "cmdPrd", QStringLiteral("列印"));
    cmWp->setEnabled(false);
    cmdP->setEnabled(false);

    for (int c = 0; c < 4; ++c)
        hfgW->setColumnWidth(c, ui::twipsToPixelsX(kWorkColumnTwips[c]));
    hfgD->installEventFilter(this); // its column widths follow its width
    hfgW->installEventFilter(this); // its columns widen to their texts as far as it has room

    m_items = new LineGrid(hfgW, txtW, cbW, 1, {2, 3}, this);
    m_details = new LineGrid(hfgD, txtD, nullptr, -1, {1}, this);
    connect(m_items, &LineGrid::addRequested, this, &frmEng::mAddW_Click);
    connect(m_items, &LineGrid::firstColumnTyped, this, &frmEng::warnRenameWithMarkups);
    connect(m_details, &LineGrid::addRequested, this, &frmEng::mAddD_Click);
    hfgW->viewport()->installEventFilter(this);
    hfgD->viewport()->installEventFilter(this);
    connect(hfgW->verticalScrollBar(), &QScrollBar::valueChanged, m_items, &LineGrid::hideEditors);
    connect(hfgD->verticalScrollBar(), &QScrollBar::valueChanged, m_details, &LineGrid::hideEditors);

    static const char* const wItems[7] = {"mAddW", "mDelW", "mEditW", "mCopyW", "mPastW", "mWap", "mWc"};
    mW = buildPopup("mW", wItems);
    connect(item(mW, "mAddW"), &QAction::triggered, this, &frmEng::mAddW_Click);
    connect(item(mW, "mDelW"), &QAction::triggered, this, &frmEng::mDelW_Click);
    connect(item(mW, "mEditW"), &QAction::triggered, this, &frmEng::mEditW_Click);
    connect(item(mW, "mWap"), &QAction::triggered, this, &frmEng::cmWp_Click);
    connect(item(mW, "mWc"), &QAction::triggered, this, &frmEng::Command4_Click);
    item(mW, "mWap")->setEnabled(false);
    static const char* const dItems[7] = {"mAddD", "mDelD", "mEditD", "mCopyD", "mPastD", "mDap", "mDc"};
    mD = buildPopup("mD", dItems);
    connect(item(mD, "mAddD"), &QAction::triggered, this, &frmEng::mAddD_Click);
    connect(item(mD, "mDelD"), &QAction::triggered, this, &frmEng::mDelD_Click);
    connect(item(mD, "mEditD"), &QAction::triggered, this, &frmEng::mEditD_Click);
    connect(item(mD, "mDap"), &QAction::triggered, this, &frmEng::cmdP_Click);
    connect(item(mD, "mDc"), &QAction::triggered, this, &frmEng::Command5_Click);
    item(mD, "mDap")->setEnabled(false);

    connect(cbT, &QComboBox::activated, this, &frmEng::cbT_Click);
    connect(Command2, &QPushButton::clicked, this, &frmEng::Command2_Click);
    connect(cmdPrt, &QPushButton::clicked, this, &frmEng::cmdPrt_Click);
    connect(cmdPrd, &QPushButton::clicked, this, &frmEng::cmdPrd_Click);
    connect(cmWp, &QPushButton::clicked, this, &frmEng::cmWp_Click);
    connect(Command4, &QPushButton::clicked, this, &frmEng::Command4_Click);
    connect(cmdUpW, &QPushButton::clicked, this, &frmEng::cmdUpW_Click);
    connect(cmdDnW, &QPushButton::clicked, this, &frmEng::cmdDnW_Click);
    connect(cmdP, &QPushButton::clicked, this, &frmEng::cmdP_Click);
    connect(Command5, &QPushButton::clicked, this, &frmEng::Command5_Click);
    connect(cmUpD, &QPushButton::clicked, this, &frmEng::cmUpD_Click);
    connect(cmDnD, &QPushButton::clicked, this, &frmEng::cmDnD_Click);

    // The work kinds, the items or the markups shown that could not be read are read again at their
    // use: a press on the box or the grid (never over changes not applied).
    for (QWidget* view : {static_cast<QWidget*>(cbT), static_cast<QWidget*>(hfgW)})
        ui::readAgainAtUse(
            view,
            [this] {
                if (m_store && !cmWp->isEnabled())
                    Command4_Click();
            },
            [this] { return !m_kindsLoaded || (m_itemsKindIndex >= 0 && !m_itemsLoaded); });
    ui::readAgainAtUse(
        hfgD,
        [this] {
            if (m_store)
                Command5_Click();
        },
        [this] { return !m_detailsLoaded; });

    auto row = [](std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right) {
        auto* h = new QHBoxLayout;
        for (QWidget* x : left)
            h->addWidget(x);
        h->addStretch();
        for (QWidget* x : right)
            h->addWidget(x);
        return h;
    };
    auto* v = new QVBoxLayout(w);
    v->addLayout(row({Command2, cbT}, {}));
    v->addWidget(hfgW, 3);
    v->addLayout(row({cmdUpW, cmdDnW}, {cmWp, Command4, cmdPrt}));
    v->addLayout(row({lbl2, Label1}, {}));
    v->addWidget(hfgD, 2);
    v->addLayout(row({cmUpD, cmDnD}, {cmdP, Command5, cmdPrd}));
    return w;
}

// ---------------------------------------------------------------------------------------------
// Work items

bool frmEng::LoadWorkKinds() {
    QStringList kinds;
    m_kindsLoaded = tryLoad([&] { kinds = m_store->workKinds(); }, cbT);
    if (!m_kindsLoaded && cbT->count() > 0)
        return false; // the list shown stays
    cbT->clear();
    cbT->addItems(kinds);
    cbT->setCurrentIndex(cbT->count() > 0 ? 0 : -1);
    return m_kindsLoaded;
}

void frmEng::LoadUnits() {
    QStringList units;
    m_unitsLoaded = tryLoad([&] { units = m_store->units(); }, cbW);
    ui::refill(cbW, units);
}

bool frmEng::itemsEditable() const {
    return canEdit() && m_itemsKindIndex >= 0 && m_itemsLoaded;
}

bool frmEng::detailsEditable() const {
    return canEdit() && m_hasWorkItem && !m_detailsItem.isEmpty() && m_detailsLoaded;
}

void frmEng::fitWorkColumns() {
    QVector<int> base;
    for (const int w : kWorkColumnTwips)
        base << ui::twipsToPixelsX(w, hfgW);
    catalog_ui::widenColumns(hfgW, base, hfgW->viewport()->width());
}

void frmEng::LoadWorkItems() {
    m_itemsKind = cbT->currentText();
    m_itemsKindIndex = cbT->currentIndex();
    m_loadedItems.clear();
    m_itemsLoaded = m_itemsKindIndex >= 0 && tryLoad([this] { m_loadedItems = m_store->workItems(m_itemsKind); }, hfgW);
    if (m_itemsKindIndex < 0) // no work kind to show: the kinds' reason, if they failed
        catalog_ui::markUnloaded(hfgW, cbT->toolTip());
    m_deletedItems.clear();
    m_items->setLines(workItemLines(m_loadedItems), placesOf(m_loadedItems.size()));
    m_items->hideEditors();
    m_items->editMode = false;
    m_items->curCol = 0;
    setDirty(cmWp, item(mW, "mWap"), false);
    hfgD->setEnabled(true);
    for (const char* name : {"mAddW", "mDelW", "mEditW"})
        item(mW, name)->setEnabled(itemsEditable());
    cmdUpW->setEnabled(m_rights && m_itemsLoaded);
    cmdDnW->setEnabled(m_rights && m_itemsLoaded);
    fitWorkColumns();
}

void frmEng::forgetVanishedItem() {
    bool vanished = false;
    if (m_hasWorkItem && !cmdP->isEnabled() && tryLoad([&] { vanished = !m_store->hasWorkItem(CurWorkItem); }, nullptr) &&
        vanished)
        forgetWorkItem();
}

void frmEng::forgetWorkItem() {
    m_hasWorkItem = false;
    CurWorkItem.clear();
    lbl2->clear();
    LoadDetails();
}

bool frmEng::refuseNonNumeric(LineGrid* lines) {
    const LineGrid::NumberFault bad = lines->firstNumberFault();
    if (bad.line == 0)
        return false;
    const QTableWidgetItem* heading = lines->grid()->horizontalHeaderItem(bad.column);
    ui::msgBox(QStringLiteral("第 %1 行的%2%3").arg(bad.line).arg(heading ? heading->text() : QString(), bad.why),
               ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
    return true;
}

void frmEng::workMouseDown(QMouseEvent* e) {
    const int row = hfgW->rowAt(e->position().toPoint().y()); // -1 below the last line
    if (e->button() == Qt::LeftButton) {
        if (row < 0)
            return;
        const QString name = catalog_ui::cellText(hfgW, row, 0);
        // Markups of another item are about to show: unapplied ones are settled first.
        if ((name != m_detailsItem || !m_hasWorkItem) &&
            !settleGroup(cmdP, &frmEng::cmdP_Click, &frmEng::Command5_Click))
            return;
        m_items->curRow = row;
        m_items->curCol = std::max(0, hfgW->columnAt(int(e->position().x())));
        CurWorkItem = name;
        m_hasWorkItem = true;
        lbl2->setText(CurWorkItem + QStringLiteral(" 的"));
        if (m_items->editMode)
            m_items->editCell();
        if (!cmdP->isEnabled()) // changed markups of this same item stay
            LoadDetails();
    } else if (e->button() == Qt::RightButton && canEdit()) {
        m_items->hideEditors(); // it would write into the popup's line
        m_items->curRow = row;
        if (row >= 0)
            hfgW->setCurrentCell(row, std::max(0, hfgW->columnAt(int(e->position().x()))));
        mW->popup(e->globalPosition().toPoint());
    }
}

void frmEng::warnRenameWithMarkups() {
    const bool hasMarkups = hfgD->rowCount() > 1 || !catalog_ui::cellText(hfgD, 0, 0).isEmpty();
    if (hasMarkups)
        ui::msgBox(QStringLiteral("此工種包含細項加成"), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
}

void frmEng::cbT_Click(int index) {
    if (index == m_itemsKindIndex && m_itemsLoaded)
        return; // the kind shown: its changes stay (one whose load failed loads again)
    // The markups shown are those of an item of the kind shown so far: they go with it.
    const bool otherKind = index != m_itemsKindIndex;
    if (!settleGroup(cmWp, &frmEng::cmWp_Click, &frmEng::Command4_Click) ||
        (otherKind && !settleGroup(cmdP, &frmEng::cmdP_Click, &frmEng::Command5_Click))) {
        cbT->setCurrentIndex(m_itemsKindIndex);
        return;
    }
    LoadWorkItems();
    if (otherKind)
        forgetWorkItem();
}

void frmEng::Command2_Click() {
    if (!settleGroup(cmWp, &frmEng::cmWp_Click, &frmEng::Command4_Click) ||
        !settleGroup(cmdP, &frmEng::cmdP_Click, &frmEng::Command5_Click))
        return;
    mdEng::EmListMode = QStringLiteral("t");
    if (!showListEditor())
        return;
    const db::LoadSession session;
    if (!LoadWorkKinds())
        return;
    LoadWorkItems();
    // The kinds may stand in another order now: the markups shown are those of an item the grid
    // lists, read again, or none.
    if (m_hasWorkItem && catalog_ui::columnTexts(hfgW, 0).contains(CurWorkItem))
        LoadDetails();
    else if (m_hasWorkItem)
        forgetWorkItem();
}

void frmEng::mAddW_Click() {
    if (!itemsEditable())
        return;
    m_items->editExisting = false;
    m_items->editMode = true;
    forgetWorkItem();
    m_items->addLine();
    setDirty(cmWp, item(mW, "mWap"), true);
    hfgD->setEnabled(false);
}

void frmEng::mEditW_Click() {
    if (!itemsEditable())
        return;
    m_items->editExisting = true;
    m_items->editMode = true;
    setDirty(cmWp, item(mW, "mWap"), true);
    hfgD->setEnabled(false);
}

void frmEng::mDelW_Click() {
    const int row = m_items->curRow;
    if (!itemsEditable() || row < 0 || row >= hfgW->rowCount())
        return;
    const QString name = catalog_ui::cellText(hfgW, row, 0);
    if (!catalog_ui::confirmLoss(QStringLiteral("確定刪除? 【%1】\r\n如刪除會將所有加成一並刪除").arg(name)))
        return; // nothing changes
    const QVariant origin = m_items->origin(row);
    if (origin.isValid())
        m_deletedItems << m_loadedItems.value(origin.toInt()).name;
    m_items->removeLine(row);
    setDirty(cmWp, item(mW, "mWap"), true);
}

bool frmEng::cmWp_Click() {
    if (!itemsEditable())
        return false;
    // The markups shown may belong to an item this apply renames or deletes: they are settled
    // first, under the name they were loaded for.
    if (!settleGroup(cmdP, &frmEng::cmdP_Click, &frmEng::Command5_Click))
        return false;
    m_items->hideEditors();
    m_items->dropEmptyLastLine();
    if (hfgW->rowCount() == 0)
        hfgW->setRowCount(1);
    if (refuseNonNumeric(m_items))
        return false;

    QVector<catalog::WorkItemLine> lines;
    const QVector<QStringList> texts = m_items->lines();
    for (int r = 0; r < texts.size(); ++r) {
        const QStringList& t = texts.at(r);
        const QVariant origin = m_items->origin(r);
        lines.append(
            {{t.at(0), t.at(1), t.at(2), t.at(3)},
             origin.isValid() ? std::optional(m_loadedItems.value(origin.toInt()).name) : std::nullopt,
             origin.isValid() ? std::optional(origin.toInt()) : std::nullopt});
    }
    if (lines.size() == 1 && lines.first().item == catalog::WorkItem{} && !lines.first().loadedName)
        lines.clear(); // the one empty line of an emptied list

    // Another window (the quotation editor) may have added items since the grid was loaded.
    const QVector<catalog::WorkItem> loaded = m_loadedItems;
    if (!applyOverLoaded(groupName(cmWp), [&](bool overwrite) {
            m_store->saveWorkItems(m_itemsKind, lines, m_deletedItems, loaded, overwrite);
        }, {}))
        return false;
    Command4_Click();
    return true;
}

void frmEng::Command4_Click() {
    const db::LoadSession session;
    if (!m_kindsLoaded)
        LoadWorkKinds();
    LoadWorkItems();
    forgetVanishedItem();
}

void frmEng::cmdUpW_Click() {
    moveLine(m_items, -1);
}

void frmEng::cmdDnW_Click() {
    moveLine(m_items, 1);
}

void frmEng::moveLine(LineGrid* lines, int step) {
    if (lines == m_items ? !m_itemsLoaded : !m_detailsLoaded)
        return;
    const LineGrid::Move m = lines->moveCurrent(step);
    if (m == LineGrid::Move::NothingSelected) {
        ui::msgBox(QStringLiteral("請先選取 再行調整順序"), ui::Buttons::OK, ui::Icon::None, kTitle);
        return;
    }
    if (lines == m_items)
        setDirty(cmWp, item(mW, "mWap"), true);
    else
        setDirty(cmdP, item(mD, "mDap"), true);
    if (m == LineGrid::Move::AtEnd)
        QApplication::beep();
    if (lines->grid()->isEnabled())
        lines->grid()->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Detail markups

void frmEng::sizeDetailColumns() {
    // Two thirds and one third of the grid's width less 60 twips, the second 280 narrower.
    const double third = (ui::pixelsToTwipsX(hfgD->width(), hfgD) - 60) / 3;
    hfgD->setColumnWidth(0, ui::twipsToPixelsX(std::round(third * 2), hfgD));
    hfgD->setColumnWidth(1, ui::twipsToPixelsX(std::round(third - 280), hfgD));
}

void frmEng::LoadDetails() {
    m_detailsItem = CurWorkItem;
    QVector<catalog::Markup> markups;
    m_detailsLoaded = !m_hasWorkItem || tryLoad([&] { markups = m_store->markups(CurWorkItem); }, hfgD);
    if (!m_hasWorkItem) // no reason of an earlier item's failed read stays
        catalog_ui::markUnloaded(hfgD, QString());
    m_loadedMarkups = markups;
    QVector<QStringList> lines;
    for (const catalog::Markup& m : markups)
        lines.append({m.detail, m.amount});
    m_details->setLines(lines, placesOf(markups.size()));
    m_details->hideEditors();
    m_details->editMode = false;
    m_details->curCol = 0;
    setDirty(cmdP, item(mD, "mDap"), false);
    hfgW->setEnabled(true);
    for (const char* name : {"mAddD", "mDelD", "mEditD"})
        item(mD, name)->setEnabled(m_detailsLoaded);
    cmUpD->setEnabled(m_rights && m_detailsLoaded);
    cmDnD->setEnabled(m_rights && m_detailsLoaded);
}

void frmEng::detailMouseDown(QMouseEvent* e) {
    const int row = hfgD->rowAt(e->position().toPoint().y());
    if (e->button() == Qt::LeftButton) {
        if (row < 0)
            return;
        m_details->curRow = row;
        m_details->curCol = std::max(0, hfgD->columnAt(int(e->position().x())));
        if (m_details->editMode)
            m_details->editCell();
    } else if (e->button() == Qt::RightButton && canEdit()) {
        // Markups belong to a chosen work item with a name.
        if (!m_hasWorkItem || CurWorkItem.isEmpty()) {
            ui::msgBox(QStringLiteral("請選取一施工項目"), ui::Buttons::OK, ui::Icon::Exclamation,
                       QStringLiteral("KavoIII"));
            return;
        }
        m_details->hideEditors(); // it would write into the popup's line
        m_details->curRow = row;
        if (row >= 0)
            hfgD->setCurrentCell(row, std::max(0, hfgD->columnAt(int(e->position().x()))));
        mD->popup(e->globalPosition().toPoint());
    }
}

void frmEng::mAddD_Click() {
    if (!detailsEditable())
        return;
    m_details->editExisting = false;
    m_details->editMode = true;
    m_details->addLine();
    setDirty(cmdP, item(mD, "mDap"), true);
    hfgW->setEnabled(false);
}

void frmEng::mEditD_Click() {
    if (!detailsEditable())
        return;
    m_details->editExisting = true;
    m_details->editMode = true;
    setDirty(cmdP, item(mD, "mDap"), true);
    hfgW->setEnabled(false);
}

void frmEng::mDelD_Click() {
    const int row = m_details->curRow;
    if (!detailsEditable() || row < 0 || row >= hfgD->rowCount())
        return;
    if (!catalog_ui::confirmLoss(QStringLiteral("確定刪除?")))
        return; // nothing changes
    m_details->removeLine(row);
    setDirty(cmdP, item(mD, "mDap"), true);
}

bool frmEng::cmdP_Click() {
    if (!detailsEditable())
        return false;
    m_details->hideEditors();
    m_details->dropEmptyLastLine();
    if (hfgD->rowCount() == 0)
        hfgD->setRowCount(1);
    if (refuseNonNumeric(m_details))
        return false;
    QVector<catalog::Markup> lines;
    QList<int> readAs; // each line's place among the markups loaded
    for (const QStringList& t : m_details->lines()) {
        const QVariant origin = m_details->origin(int(lines.size()));
        readAs << (origin.isValid() ? origin.toInt() : -1);
        lines.append({t.at(0), t.at(1)});
    }
    if (lines.size() == 1 && lines.first() == catalog::Markup{}) {
        lines.clear();
        readAs.clear();
    }
    const QVector<catalog::Markup> loaded = m_loadedMarkups;
    if (!applyOverLoaded(
            groupName(cmdP),
            [&](bool overwrite) { m_store->saveMarkups(m_detailsItem, lines, loaded, overwrite, readAs); },
            {}))
        return false;
    LoadDetails();
    return true;
}

void frmEng::Command5_Click() {
    const db::LoadSession session;
    LoadDetails();
}

void frmEng::cmUpD_Click() {
    moveLine(m_details, -1);
}

void frmEng::cmDnD_Click() {
    moveLine(m_details, 1);
}
