#pragma once
// The quotation editor window: header fields, the tree of areas and work types, the item grid of
// the shown node, the totals under it, the file commands with autosave and recent files, and the
// floating cell editors over the grid. The quotation itself lives in a QuoteDocument; the grid view
// shows the document's visible grid and the tree widget mirrors its tree.
#include "EditorLayout.h"
#include "PickLists.h"
#include "Pricing.h"
#include "QuoteDocument.h"
#include "QuoteFile.h"
#include "RecentFiles.h"
#include "db/Database.h"
#include "ui/Forms.h"

#include <QDate>
#include <QHash>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace quote {
class CellEditors;
class ItemGridModel;
} // namespace quote
namespace xlprint {
struct PrintCommand;
} // namespace xlprint

class frmQ : public ui::Form {
    Q_OBJECT
public:
    frmQ();
    ~frmQ() override;

    // ---- The document and the controls the window's commands work on.
    quote::QuoteDocument& document() { return m_doc; }
    const quote::QuoteDocument& document() const { return m_doc; }
    QTableView* grid() const { return hfgQ; }
    quote::ItemGridModel* gridModel() const { return m_model; }
    QTreeWidget* tree() const { return tv; }
    quote::CellEditors* cellEditors() const { return m_cells.get(); }
    // Reads the pick lists again when their last reading failed (the header boxes keep their texts).
    void rereadPickLists();
    // Header controls.
    QPushButton* customerButton() const { return cmdC; }
    QLineEdit* customerBox() const { return txtCn; }
    QComboBox* projectNameBox() const { return cbEcn; }
    QComboBox* salespersonBox() const { return cbSal; }
    QComboBox* categoryBox() const { return cbK; }
    QLineEdit* quoteNoBox() const { return txtNo; }
    QLineEdit* addressBox() const { return txtAddr; }
    QLineEdit* dateBox() const { return txtQD; }
    QDateEdit* datePicker() const { return DTP; }
    QLabel* contactLabel() const { return lbConn; }
    QLabel* phoneLabel() const { return lbCtel; }
    QLabel* pathLabel() const { return lbPath; }
    QPushButton* pageEndButton() const { return cmdPe; }
    QListWidget* areaTypePickList() const { return lstAK; }
    // The body area in which the tree, splitter, grid and page-end frame are placed.
    QWidget* body() const { return m_body; }
    // A menu or menu item by its name (mFile, mQ, mTV, mPxls, mP, mAdd2W, mPa ...).
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;

    // ---- Window members.
    QString CurrentFile;
    bool PricesHidden = false;
    bool CostsHidden = false;
    int AutoSaveTicks = 0;
    bool Loading = false;      // a file is being read: the page-end handlers do not recompute
    bool OpenGivenPath = false; // the next open takes m_givenPath without a dialog
    db::DatabasePtr StaDb;     // sta.mdb while the window is open (null when it could not be opened)
    // Print-mode switches, set by the print commands and read by the print routines.
    bool PrintByArea = false;
    int PrintGroupMode = 0;
    bool PrintCostCols = false;
    bool PrintBlank = false;
    bool PrintSingleSheet = false;
    bool PrintCostTemplate = false;
    bool PrintFlat = false;
    // Rows copied by the row commands (enables paste in the grid popup).
    bool RowsCopied = false;
    // Lists read at load for the page-end frame: tax rates ("5%") and page-end remarks, and why
    // each could not be read (empty when it was).
    QStringList TaxRates;
    QStringList PageEndRemarks;
    QString TaxRatesUnread;
    QString PageEndRemarksUnread;

    // The pricing switches as the 計算設定 menu's check marks hold them.
    quote::PricingSwitches switches() const;

    // ---- Procedures other parts of the window call.
    // Shows the node `key` (frmQ.tv_NodeClick): stores the leaf shown so far, lists the node's rows,
    // refreshes totals and grid layout, and selects the node in the tree.
    bool tv_NodeClick(const QString& key);
    void showRoot();
    // Lays out the visible grid for the editable or the read-only view (and shows its rows afresh).
    void SetupGrid(bool editable);
    // The grid's rows changed outside tv_NodeClick/SetupGrid: the view reads them again.
    void gridChanged();
    // Sums the visible grid into the total labels and sets their visibility.
    void RefreshTotals();
    // Hides price or cost columns by the user's rights.
    void ApplyColumnView();
    // Hides every floating cell editor and pick list.
    void HideCellEditors();
    // The tree widget rebuilt from the document's tree (after tree commands); the shown node is
    // selected and the root expanded.
    void rebuildTree();
    QTreeWidgetItem* treeItem(const QString& key) const { return m_treeItems.value(key); }
    void selectTreeNode(const QString& key);
    // The node the tree marks is shown (after a mouse gesture that moved the mark without a click).
    void showMarkedNode();
    // The eight by-area print items follow the work-types-only flag.
    void setWorkTypesOnly(bool on);
    // The header controls show the document's header.
    void showHeader();
    // The page-end fields back to their empty state (the document's; listeners refresh).
    void ResetFooterFields();
    // Cell accessors of the visible grid; SetCell tells the view.
    QString GTxM(int r, int c) const { return m_doc.GTxM(r, c); }
    void SetCell(int r, int c, const QString& text);
    // The window's caption as the program sets it ("報價系統", a tab, "- " and the file).
    QString caption() const { return m_caption; }
    const quote::RecentFiles& recentFiles() const { return m_recent; }
    QTimer* autoSaveTimer() const { return TimeSv; }
    quote::EditorLayout& layoutTwips() { return m_layout; }

    // ---- Pick-list fillers.
    void FillCategoryAreaList();
    void FillItemNameList();

    // The date the window takes for today (tests fix it; invalid: the clock's).
    static void setToday(const QDate& d) { s_today = d; }

signals:
    // The quotation was replaced (New, Open): header, page-end and tree listeners refresh. Emitted
    // while Loading is set when a file was read.
    void documentReplaced();
    // A node was shown (its key).
    void nodeShown(const QString& key);
    // A mouse press on the tree (frmQ.tv_MouseDown): the button, the key of the node under the
    // mouse (empty when none) and the press's screen position. The cell editors are hidden first.
    void treePressed(Qt::MouseButton button, const QString& nodeKey, const QPoint& globalPos);

public slots:
    void cmdC_Click(); // 客戶名稱: the customer picker
    void mNew_Click();
    void mOpen_Click();
    // The two save commands: true when the file was written.
    bool mSaveF_Click();
    bool mSaveAs_Click();
    void mClose_Click();
    void mExit_Click();
    void mRF_Click(int index);
    void TimeSv_Timer();
    void AutoSaveFile();
    void AddRecentFile(const QString& path);
    void Form_Click();
    void cbK_Change();
    // Double clicks on the captions 比例 (one ratio for every row) and 合計 (scale the ratios to a
    // target total).
    void lbSc_DblClick();
    void lbSum_DblClick();
    // The spreadsheet print commands (frmQ_print.cpp): one of the fifteen, and 列印設定.
    void printCommand(const xlprint::PrintCommand& cmd);
    void mPxlset_Click();
    // The splitter dragged to x (twips, in the body).
    void dragSplitterTo(int xTwips);
    // The body laid out again: tree, splitter, grid, page-end button, and the page-end frame when open.
    void ArrangeLayout();
    // Statistics and the report menu (frmQ_stats.cpp).
    void mCalA_Click();
    void mCalT_Click();
    void mP_Click();
    void mPfp_Click();
    void mPdt_Click();

protected:
    bool Form_Initialize() override;
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Construction of the controls and menus.
    void buildMenus();
    void connectPrintMenu();
    void buildHeader();
    void buildBody();
    void connectHeader();
    // Layout (twips -> widgets).
    void Form_Resize();
    void applyLayout();
    void takeDesignWidths();
    int windowWidthTwips() const;
    int windowHeightTwips() const;
    // Load steps.
    void LockTemplateFiles();
    void readRecentFiles();
    void writeRecentFiles();
    void openStatistics();
    // Fills the pick lists from the main database; at the window's load the header boxes also
    // take their first entries. A failure marks every list not read with the reason, and the lists
    // are read again when one of them is next used.
    void fillPickLists(bool atLoad = true);
    bool m_pickListsUnread = false;
    void setDateAndNumber();
    void setCaption(const QString& currentFile);
    void showRecentFiles();
    // The save question of New and Open; false when the command stops.
    bool askToSave();
    // Writes the quotation to `path`; false (with a message) when it failed, or when the file
    // changed on disk since this window read or wrote it and the user keeps it.
    bool writeQuotation(const QString& path);
    // The page-end figures brought up to date from the rows, as opening the page-end frame does.
    void RecalcGrandTotal();
    void lookUpCustomer();
    // The contact line of the customer the header names (none: empty) shown in the header, and the
    // quotation's values of mdM set from what this quotation holds: its header and that contact
    // line, which the printouts read. Called wherever the quotation starts or its customer changes.
    void showCustomer(const std::optional<quote::PickLists::CustomerDetails>& c);
    // The quotation folder for the file dialogs.
    QString quoteFolder() const;
    // A save dialog; a name typed without an extension gets ".kav".
    static QString saveFileDialog(const QString& title, const QString& folder, const QString& fileName);
    void showTotals();
    void documentHooks();
    void connectStatisticsCommands();
    void rootShownForWholeQuotation();
    // The bulk commands act at the root or a leaf; elsewhere a message. The editors are hidden.
    bool bulkCommandAllowed();
    // Asks until a plain decimal number is typed whose plan for the rows on show, unless it is 0, is
    // not refused; the answer and its plan, nullopt for an empty answer or Cancel.
    using Plan = std::function<quote::Repricing(const QString& answer)>;
    std::optional<std::pair<QString, quote::Repricing>> askNumber(const QString& prompt, const Plan& plan);
    static QDate today();

    quote::QuoteDocument m_doc;
    quote::RecentFiles m_recent;
    quote::EditorLayout m_layout;
    QString m_caption;
    QString m_givenPath;
    // The quotation file as this window last read or wrote it.
    quote::DiskState m_disk;
    // The customer name the shown contact, phone and fax belong to (null: none shown).
    QString m_customerShown;
    bool m_showingHeader = false;
    bool m_autoSaveWaiting = false; // a due autosave waits for an open dialog to close

    // Menus.
    QMenuBar* m_menuBar = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    std::array<QAction*, quote::RecentFiles::kCount> mRF{};
    QActionGroup* m_priceGroup = nullptr;

    // Header.
    QWidget* m_body = nullptr;
    QPushButton* cmdC = nullptr;
    QLineEdit* txtCn = nullptr;
    QLabel* lbCN = nullptr;
    QComboBox* cbEcn = nullptr;
    QLabel* lbAddr = nullptr;
    QLineEdit* txtAddr = nullptr;
    QLabel* l10 = nullptr;
    QLabel* lbConn = nullptr;
    QLabel* lbSal = nullptr;
    QComboBox* cbSal = nullptr;
    QLabel* l11 = nullptr;
    QLabel* lbCtel = nullptr;
    QLabel* lbQd = nullptr;
    QLineEdit* txtQD = nullptr;
    QDateEdit* DTP = nullptr;
    QLabel* lbK = nullptr;
    QComboBox* cbK = nullptr;
    QLabel* lbNo = nullptr;
    QLineEdit* txtNo = nullptr;
    QFrame* Line1 = nullptr;
    // Totals line.
    QLabel* lbPath = nullptr;
    QLabel* lbSum = nullptr;
    QLabel* lbSumT = nullptr;
    QLabel* lbCsum = nullptr;
    QLabel* lbCsumT = nullptr;
    QLabel* lbPro = nullptr;
    QLabel* lbProT = nullptr;
    QLabel* lbSc = nullptr;
    QLabel* lbScT = nullptr;
    // Body.
    QTreeWidget* tv = nullptr;
    QFrame* fme = nullptr;
    QTableView* hfgQ = nullptr;
    QPushButton* cmdPe = nullptr;
    QListWidget* lstAK = nullptr;
    QTimer* TimeSv = nullptr;

    quote::ItemGridModel* m_model = nullptr;
    std::unique_ptr<quote::CellEditors> m_cells;
    QHash<QString, QTreeWidgetItem*> m_treeItems;
    bool m_draggingSplitter = false;

    static inline QDate s_today;
    friend class quote::CellEditors;
};
