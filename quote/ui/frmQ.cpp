#include "frmQ.h"

#include "CellEditors.h"
#include "EditingCommands.h"
#include "EditorRules.h"
#include "ItemGridModel.h"
#include "PickLists.h"
#include "StaDb.h"
#include "TemplateLock.h"
#include "mdM.h"
#include "system/System.h"
#include "text/Codec.h"
#include "text/RocDate.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace quote;

namespace {
const QString kTitle = QStringLiteral("Kavo III");

// The print items that need an area level.
const char* const kAreaPrintItems[] = {"mPa", "mAs", "mPnw", "mPac", "mPas", "mPwaS", "mPwa", "mPwac"};

void setItems(QComboBox* box, const QStringList& items) {
    ui::refill(box, items);
}

void setItems(QListWidget* list, const QStringList& items) {
    list->clear();
    list->addItems(items);
    ui::markUnloaded(list, QString());
}

// A list that could not be read shows nothing of an earlier read, and says why.
void setUnread(QListWidget* list, const db::DbError& e) {
    list->clear();
    ui::markUnloaded(list, QStringLiteral("未能載入：%1").arg(e.description()));
}
} // namespace

frmQ::frmQ() {
    setObjectName(QStringLiteral("frmQ"));
    setUnloadPriority(10); // the exit path closes the quotation first
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    buildMenus();
    connectPrintMenu();
    outer->setMenuBar(m_menuBar);
    m_body = new QWidget(this);
    m_body->setObjectName(QStringLiteral("body"));
    outer->addWidget(m_body, 1);
    buildHeader();
    buildBody();
    m_cells = std::make_unique<CellEditors>(this);
    connectHeader();
    documentHooks();
    attachEditingCommands(this);
    connectStatisticsCommands();
    setCaption(QString());
}

frmQ::~frmQ() {
    // The controls outlive the document while the window is taken down: they let go of it first.
    m_doc.hooks = {};
    hfgQ->setModel(nullptr);
    m_cells.reset();
}

QDate frmQ::today() {
    return s_today.isValid() ? s_today : QDate::currentDate();
}

void frmQ::documentHooks() {
    m_doc.hooks.hideCellEditors = [this] { HideCellEditors(); };
    m_doc.hooks.totalsRefreshed = [this] { showTotals(); };
    m_doc.hooks.setupGrid = [this](bool editable) { SetupGrid(editable); };
    m_doc.hooks.pathChanged = [this] {
        // Another node is shown (also by a save, which shows the root): the undo snapshot goes.
        lbPath->setText(m_doc.lbPath);
        m_cells->clearUndo();
        selectTreeNode(m_doc.lbPath);
        FillItemNameList();
    };
}

void frmQ::connectHeader() {
    // The header controls and the document's header stay alike.
    auto bind = [this](QLineEdit* e, QString QuoteHeader::*field) {
        connect(e, &QLineEdit::textChanged, this, [this, field](const QString& t) { m_doc.header.*field = t; });
    };
    auto bindBox = [this](QComboBox* c, QString QuoteHeader::*field) {
        connect(c, &QComboBox::editTextChanged, this, [this, field](const QString& t) { m_doc.header.*field = t; });
    };
    bind(txtCn, &QuoteHeader::txtCn);
    // A name typed over no longer names the customer whose contact, phone and fax are in hand.
    connect(txtCn, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (t != m_customerShown && !m_customerShown.isNull())
            showCustomer(std::nullopt);
    });
    bindBox(cbEcn, &QuoteHeader::cbEcn);
    bindBox(cbSal, &QuoteHeader::cbSal);
    bindBox(cbK, &QuoteHeader::cbK);
    bind(txtNo, &QuoteHeader::txtNo);
    bind(txtAddr, &QuoteHeader::txtAddr);
    bind(txtQD, &QuoteHeader::txtQD);
    connect(cbK, &QComboBox::editTextChanged, this, &frmQ::cbK_Change);

    connect(tv, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item)
            tv_NodeClick(item->data(0, Qt::UserRole).toString());
    });
    // The keyboard moves the tree's selection: the node selected is shown. A mouse button held
    // down leaves it to the click (the button's release may go to a popup instead of the tree, so
    // the buttons are asked as they stand, not remembered).
    connect(tv, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && QGuiApplication::mouseButtons() == Qt::NoButton)
            tv_NodeClick(item->data(0, Qt::UserRole).toString());
    });
}

// ---------------------------------------------------------------- load, new, close

bool frmQ::Form_Initialize() {
    // The database is reopened before the window counts as open: a folder prompt that leads to
    // another database's session closes the other windows, not this one, which then does not open.
    return mdM::reopenForWindow();
}

void frmQ::Form_Load() {
    LockTemplateFiles();
    readRecentFiles();
    setCaption(QString());
    openStatistics();
    CurrentFile.clear();
    const RightsView rv = rightsView(mdM::RightsToBits(mdM::UserRights));
    PricesHidden = rv.PricesHidden;
    CostsHidden = rv.CostsHidden;
    // Whether the bulk repricing commands refuse an answer depends on every price (and 合計 scales
    // the total): a user without the price right cannot use them.
    for (QLabel* caption : {lbSc, lbSum})
        caption->setEnabled(!PricesHidden);
    mdM::LoadPrintSettings();
    fillPickLists();

    // As large as the screen's available area; the menu bar's opener shows it maximised.
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        setGeometry(s->availableGeometry());
    Form_Resize();

    setDateAndNumber();
    SetupGrid(true);
    txtCn->setText(QStringLiteral("新客戶"));
    showCustomer(std::nullopt); // a new quotation: no other quotation's customer is printed
    lbPath->setText(m_doc.lbPath);
    rebuildTree();
    showRoot();
    if (mdM::AutoSaveOn) {
        AutoSaveTicks = 0;
        TimeSv->start();
    }
}

void frmQ::LockTemplateFiles() {
    quote::LockTemplateFiles(sys::programFolder(), mdM::TemplateFolder);
}

void frmQ::openStatistics() {
    StaDb.reset();
    try {
        StaDb = stats::openStaDb(sys::programFolder());
    } catch (const db::DbError& e) {
        if (db::LoadSession::sayOnce(e))
            ui::msgBox(QStringLiteral("統計資料庫 sta.mdb 無法開啟") + QStringLiteral("\r\n") + mdM::dbErrorText(e),
                       ui::Buttons::OK, ui::Icon::Critical, kTitle);
    }
}

void frmQ::fillPickLists(bool atLoad) {
    if (!mdM::MainDb)
        return;
    db::Database& db = *mdM::MainDb;
    const QList<QWidget*> lists = {cbK, cbSal, cbEcn, m_cells->cbU, m_cells->cbS, m_cells->cbPs};
    qsizetype read = 0; // the lists read so far
    try {
        setItems(cbK, PickLists::FillCategoryList(db));
        ++read;
        if (atLoad && cbK->count() > 0)
            cbK->setCurrentIndex(0);
        FillCategoryAreaList();
        setItems(cbSal, PickLists::FillSalespersonList(db));
        ++read;
        if (atLoad)
            cbSal->setEditText(mdM::CurrentUserName);
        setItems(cbEcn, PickLists::FillProjectNameList(db));
        ++read;
        if (atLoad && cbEcn->count() > 0)
            cbEcn->setCurrentIndex(0);
        setItems(m_cells->cbU, PickLists::FillUnitList(db));
        ++read;
        const PickLists::Ratios ratios = PickLists::FillRatioAndTaxLists(db);
        setItems(m_cells->cbS, ratios.ratios);
        TaxRates = ratios.taxRates;
        ++read;
        setItems(m_cells->cbPs, PickLists::FillItemRemarkList(db));
        ++read;
        PageEndRemarks = PickLists::FillPageEndNoteLists(db);
        TaxRatesUnread.clear();
        PageEndRemarksUnread.clear();
        m_pickListsUnread = false;
        for (QWidget* list : lists)
            ui::markUnloaded(list, QString());
    } catch (const db::DbError& e) {
        m_pickListsUnread = true;
        const QString reason = ui::unloadedReason(e);
        for (qsizetype i = 0; i < lists.size(); ++i)
            ui::markUnloaded(lists[i], i < read ? QString() : reason);
        // The ratios (the tax rates with them) are the fifth list read, the page-end remarks last.
        TaxRatesUnread = read < 5 ? reason : QString();
        PageEndRemarksUnread = reason;
        if (db::LoadSession::sayOnce(e))
            ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, kTitle);
    }
}

void frmQ::rereadPickLists() {
    if (!m_pickListsUnread)
        return;
    const db::LoadSession session;
    fillPickLists(false);
}

void frmQ::FillCategoryAreaList() {
    if (!mdM::MainDb)
        return;
    try {
        setItems(m_cells->LsA, PickLists::FillCategoryAreaList(*mdM::MainDb, cbK->currentText()));
    } catch (const db::DbError& e) {
        setUnread(m_cells->LsA, e);
        if (db::LoadSession::sayOnce(e))
            ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, kTitle);
    }
}

void frmQ::FillItemNameList() {
    if (!mdM::MainDb)
        return;
    try {
        setItems(m_cells->Ls, PickLists::FillItemNameList(*mdM::MainDb, m_doc.lbPath));
    } catch (const db::DbError& e) {
        setUnread(m_cells->Ls, e);
        if (db::LoadSession::sayOnce(e))
            ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, kTitle);
    }
}

void frmQ::cbK_Change() {
    FillCategoryAreaList();
}

void frmQ::setDateAndNumber() {
    DTP->setDate(today());
    const QString date = text::rocDateEra(today());
    txtQD->setText(date);
    txtNo->setText(defaultQuoteNo(date));
}

void frmQ::setCaption(const QString& currentFile) {
    m_caption = windowCaption(currentFile);
    QString shown = m_caption;
    shown.replace(u'\t', QStringLiteral("    "));
    setWindowTitle(shown);
}

void frmQ::mNew_Click() {
    AutoSaveTicks = 0;
    showRoot();
    if (!askToSave())
        return;
    setCaption(QString());
    HideCellEditors();
    m_disk = {};

    const QString category = cbK->currentText();
    const PageEnd pageEnd = m_doc.pageEnd;
    m_doc.adopt(QuoteDocument());
    m_doc.pageEnd = pageEnd;
    m_doc.header.cbK = category;
    m_doc.header.txtCn = QStringLiteral("新客戶");
    m_doc.header.cbEcn = cbEcn->count() > 0 ? cbEcn->itemText(0) : QString();
    const QString date = text::rocDateEra(today());
    m_doc.header.txtQD = date;
    m_doc.header.txtNo = defaultQuoteNo(date);
    showHeader();
    setWorkTypesOnly(false);
    SetupGrid(true);
    CurrentFile.clear();
    lbPath->setText(m_doc.lbPath);
    rebuildTree();
    showRoot();
    m_cells->clearUndo();
    ResetFooterFields();
    showCustomer(std::nullopt);
    emit documentReplaced();
}

void frmQ::ResetFooterFields() {
    m_doc.ResetFooterFields();
}

bool frmQ::askToSave() {
    if (!holdsAnything(m_doc))
        return true;
    switch (ui::msgBox(QStringLiteral("是否存檔?"), ui::Buttons::YesNoCancel, ui::Icon::Question, kTitle)) {
    case ui::Answer::Yes:
        return mSaveAs_Click();
    case ui::Answer::No:
        return true;
    default:
        return false;
    }
}

bool frmQ::Form_QueryUnload() {
    const ui::Answer a =
        ui::msgBox(QStringLiteral("是否儲存報價單 ?"), ui::Buttons::YesNoCancel, ui::Icon::Question, kTitle);
    bool close = a == ui::Answer::No;
    if (a == ui::Answer::Yes)
        close = mSaveAs_Click(); // nothing written: the window stays open
    writeRecentFiles();
    return close;
}

void frmQ::Form_Unload() {
    AutoSaveTicks = 0;
    TimeSv->stop();
    m_doc.WorkTypesOnly = false;
    HideCellEditors();
    StaDb.reset();
}

void frmQ::mClose_Click() {
    unload();
}

void frmQ::mExit_Click() {
    unload();
}

void frmQ::Form_Click() {
    lstAK->hide();
}

// ---------------------------------------------------------------- tree and grid

bool frmQ::tv_NodeClick(const QString& key) {
    if (!m_doc.tv_NodeClick(key))
        return false;
    selectTreeNode(key);
    emit nodeShown(key);
    return true;
}

void frmQ::showRoot() {
    if (const auto* root = m_doc.tree.root())
        tv_NodeClick(root->key);
}

void frmQ::rebuildTree() {
    const QSignalBlocker block(tv);
    tv->clear();
    m_treeItems.clear();
    const auto* root = m_doc.tree.root();
    if (!root)
        return;
    std::function<void(const QuoteTree::Node*, QTreeWidgetItem*)> add = [&](const QuoteTree::Node* n,
                                                                              QTreeWidgetItem* parent) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tv);
        item->setText(0, n->text);
        item->setData(0, Qt::UserRole, n->key);
        m_treeItems.insert(n->key, item);
        for (const auto* c : n->children)
            add(c, item);
    };
    add(root, nullptr);
    m_treeItems.value(root->key)->setExpanded(true);
    selectTreeNode(m_doc.lbPath);
}

void frmQ::showMarkedNode() {
    const QTreeWidgetItem* item = tv->currentItem();
    if (!item || QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    const QString key = item->data(0, Qt::UserRole).toString();
    if (key != m_doc.lbPath && !tv_NodeClick(key))
        selectTreeNode(m_doc.lbPath);
}

void frmQ::selectTreeNode(const QString& key) {
    QTreeWidgetItem* item = m_treeItems.value(key);
    if (!item)
        return;
    const QSignalBlocker block(tv);
    tv->setCurrentItem(item);
}

void frmQ::SetupGrid(bool editable) {
    auto w = [this](int col, int twips) {
        if (twips == 0) {
            hfgQ->setColumnHidden(col, true);
            return;
        }
        hfgQ->setColumnHidden(col, false);
        hfgQ->setColumnWidth(col, ui::twipsToPixelsX(twips, this));
    };
    m_model->reload();
    w(ColHeader, 300);
    w(ColPath, editable ? 0 : (PricesHidden || CostsHidden ? 2200 : 1000));
    w(ColName, 3000);
    w(ColSpec, 1200);
    w(ColUnit, 750);
    w(ColQty, 750);
    w(ColPrice, 800);
    w(ColAmount, 1000); // the grid's default width
    w(ColCost, 800);
    w(ColCostTotal, 1100);
    w(ColRatio, 750);
    w(ColRemark, 1500);
    w(ColCatalogName, 0);
    ApplyColumnView();
}

void frmQ::gridChanged() {
    m_model->reload();
}

void frmQ::SetCell(int r, int c, const QString& text) {
    m_doc.SetCell(r, c, text);
    m_model->cellChanged(r, c);
}

void frmQ::RefreshTotals() {
    m_doc.RefreshTotals();
}

void frmQ::showTotals() {
    const GridTotals& t = m_doc.totals;
    const TotalsVisibility v = totalsVisibility(PricesHidden, CostsHidden);
    // A total the user may not see is not held by its label either.
    for (const auto& [label, text, visible] :
         {std::tuple{lbSumT, t.lbSumT, v.lbSumT}, std::tuple{lbCsumT, t.lbCsumT, v.lbCsumT},
          std::tuple{lbProT, t.lbProT, v.lbProT}, std::tuple{lbScT, t.lbScT, v.lbScT}}) {
        label->setText(visible ? text : QString());
        label->setVisible(visible);
    }
    // The value labels size to their text; the totals line follows.
    Form_Resize();
}

void frmQ::ApplyColumnView() {
    if (!PricesHidden && !CostsHidden)
        return;
    for (int c : hiddenColumns(mdM::RightsToBits(mdM::UserRights).left(2)))
        hfgQ->setColumnHidden(c, true);
}

void frmQ::HideCellEditors() {
    m_cells->HideCellEditors();
}

quote::PricingSwitches frmQ::switches() const {
    return {action(QStringLiteral("mEpCr"))->isChecked(), action(QStringLiteral("mEcCp"))->isChecked(),
            action(QStringLiteral("mErCp"))->isChecked()};
}

void frmQ::setWorkTypesOnly(bool on) {
    m_doc.WorkTypesOnly = on;
    for (const char* name : kAreaPrintItems)
        action(QString::fromLatin1(name))->setEnabled(!on);
}

void frmQ::showHeader() {
    const QuoteHeader h = m_doc.header;
    txtCn->setText(h.txtCn);
    cbEcn->setEditText(h.cbEcn);
    cbSal->setEditText(h.cbSal);
    cbK->setEditText(h.cbK);
    txtNo->setText(h.txtNo);
    txtAddr->setText(h.txtAddr);
    txtQD->setText(h.txtQD);
}
