#pragma once
// The construction-data window: categories and their areas (tab 0), work kinds with their work
// items and each item's detail markups (tab 1), and the thirteen vocabulary lists (tab 2). Each
// group is edited in its grid and written by its own apply; the vocabulary lists that changed are
// written when the window closes. Without rights position 10 the window only shows. A group whose
// load failed is shown empty with the reason, cannot be edited and is never written, until a load
// of it succeeds.
#include "AreaColumns.h"
#include "CatalogPrint.h"
#include "CatalogStore.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

#include <QColor>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace catalog_ui {
class LineGrid;
}

class frmEng : public ui::Form {
    Q_OBJECT
public:
    frmEng();
    ~frmEng() override;

    // False when the main database could not be opened: the window has nothing to show.
    bool hasDatabase() const { return bool(m_store); }

    // The question asked before the unapplied changes of `group` would be lost.
    static ui::Answer askApply(const QString& group);

    // The back colour of the box of the list that the list editor edits in `mode`: the category
    // box for "k", the work-kind box otherwise. The list editor takes it as its own.
    QColor listBoxColour(const QString& mode) const;

public slots:
    void Tab1_Click(int index);

    // tab 0: categories and areas
    void cbK_Click(int index);
    void cmEdK_Click();
    void mAddA_Click();
    void mDelA_Click();
    void mEditA_Click();
    bool cmAp_Click();
    void cmdCancel_Click();
    void cmdUpA_Click();
    void cmdDnA_Click();

    // tab 1: work items
    void cbT_Click(int index);
    void Command2_Click();
    void mAddW_Click();
    void mDelW_Click();
    void mEditW_Click();
    bool cmWp_Click();
    void Command4_Click();
    void cmdUpW_Click();
    void cmdDnW_Click();

    // tab 1: detail markups
    void mAddD_Click();
    void mDelD_Click();
    void mEditD_Click();
    bool cmdP_Click();
    void Command5_Click();
    void cmUpD_Click();
    void cmDnD_Click();

    // tab 2: vocabulary lists
    void mAddS_Click();
    void mDelS_Click();
    void mUpS_Click();
    void mDnS_Click();

    // printing
    void cmdPo_Click();
    void cmdPrd_Click();
    void cmdPrK_Click();
    void cmdPrt_Click();

protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* buildAreasTab();
    QWidget* buildWorkTab();
    QWidget* buildListsTab();
    QMenu* buildPopup(const char* name, const char* const names[7]);

    bool canEdit() const;
    // Runs a write; on a database error shows the reason and returns false.
    bool tryWrite(const std::function<void()>& write);
    // Runs a read; on a database error shows the reason (while the window loads, the first
    // reason once at its end) and returns false. `view` shows the reason as its tooltip until a
    // read for it succeeds.
    bool tryLoad(const std::function<void()>& read, QWidget* view);
    // Shows the list editor (mode set by the caller) modally; false when it could not read its
    // list or found the database held: the database was said to be unreadable once, and the
    // lists shown here stay.
    bool showListEditor();
    // Runs a keyed rewrite over the rows the group loaded (`write(false)`). When they changed
    // elsewhere (the question names the rows) the user chooses: write the changes made here over
    // them (`write(true)`), reload the group (`reload`, when
    // given; else the caller reloads on true), or keep editing; a parent row that is gone refuses
    // the write and keeps the grid. True when the rows were stored or are to be reloaded; false
    // (the grid as it is) otherwise. `what` is read when the question is asked: the write may
    // name it from what the store said.
    bool applyOverLoaded(const QString& what, const std::function<void(bool overwrite)>& write,
                         const std::function<void()>& reload);
    // The group an apply button applies, as the question before leaving it names it.
    QString groupName(const QPushButton* applyButton) const;
    // For a dirty group: the question, then apply (Yes) or cancel (No); false on Cancel or when
    // the apply failed.
    bool settleGroup(QPushButton* applyButton, bool (frmEng::*apply)(), void (frmEng::*cancel)());
    void setDirty(QPushButton* applyButton, QAction* applyItem, bool dirty);

    // tab 0
    // Each false when the read failed; a list already shown then stays as it is.
    bool LoadCategories();
    void LoadAreas();
    void ShowAreas();
    void LayoutAreaGrids();
    QTableWidget* areaGrid(int i);
    void EditAreaCell();
    void txtA_Change(const QString& text);
    void areaMouseDown(int grid, QMouseEvent* e);
    void showAreaCurrent();
    void moveArea(bool down);
    bool areasEditable() const;

    // tab 1
    bool LoadWorkKinds();
    void LoadUnits();
    void LoadWorkItems();
    void LoadDetails();
    void sizeDetailColumns();
    void workMouseDown(QMouseEvent* e);
    void detailMouseDown(QMouseEvent* e);
    void warnRenameWithMarkups();
    void forgetVanishedItem();
    // No work item chosen: the markup pane empties.
    void forgetWorkItem();
    // Says which line's number in which column may not be stored ("第 3 行的成本數字過長"); true then.
    bool refuseNonNumeric(catalog_ui::LineGrid* lines);
    void moveLine(catalog_ui::LineGrid* lines, int step);
    void fitWorkColumns();
    bool itemsEditable() const;
    bool detailsEditable() const;

    // tab 2
    // Every list, or only those given (by index).
    void LoadVocabularies(const QList<int>& only = {});
    void sizeListColumn(QTableWidget* grid);
    void listMouseDown(int grid, QMouseEvent* e);
    void txtS_Change(const QString& text);
    bool SaveVocabularies();
    void moveListEntry(int step);
    bool listEditable(int list) const;
    // Whether a loaded list shows other texts than it was loaded with.
    bool listChanged(int list) const;
    void fitListColumns();

    void printCatalog(const char* templateName, QVector<catalog::PrintCell> (*fill)(db::Database&));

    std::unique_ptr<catalog::CatalogStore> m_store;
    bool m_rights = false;
    int m_currentTab = 0;
    bool m_switchingBack = false;
    bool m_loading = false;
    QString m_loadError; // the first read that failed while the window loaded

    // ---- tab 0
    QTabWidget* Tab1 = nullptr;
    QComboBox* cbK = nullptr;
    QPushButton* cmEdK = nullptr;
    QGroupBox* Frame1 = nullptr;
    QVector<QTableWidget*> hfgA;
    QLineEdit* txtA = nullptr;
    QPushButton* cmdUpA = nullptr;
    QPushButton* cmdDnA = nullptr;
    QPushButton* cmAp = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdPrK = nullptr;
    QMenu* mA = nullptr;
    QString m_areasCategory; // the category the grids were loaded for
    int m_areasCategoryIndex = -1;
    catalog::AreaColumns m_areas;
    QStringList m_loadedAreas; // the areas as loaded
    int CurAreaGrid = 0;
    int CurAreaRow = 0;
    bool AreaEditMode = false;
    bool m_areasLoaded = false;
    bool m_categoriesLoaded = false;
    bool m_showingAreas = false;

    // ---- tab 1
    QComboBox* cbT = nullptr;
    QPushButton* Command2 = nullptr;
    QTableWidget* hfgW = nullptr;
    QLineEdit* txtW = nullptr;
    QComboBox* cbW = nullptr;
    QPushButton* cmdUpW = nullptr;
    QPushButton* cmdDnW = nullptr;
    QPushButton* cmWp = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbl2 = nullptr;
    QTableWidget* hfgD = nullptr;
    QLineEdit* txtD = nullptr;
    QPushButton* cmUpD = nullptr;
    QPushButton* cmDnD = nullptr;
    QPushButton* cmdP = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* cmdPrt = nullptr;
    QPushButton* cmdPrd = nullptr;
    QMenu* mW = nullptr;
    QMenu* mD = nullptr;
    catalog_ui::LineGrid* m_items = nullptr;
    catalog_ui::LineGrid* m_details = nullptr;
    QString m_itemsKind; // the kind the grid was loaded for
    int m_itemsKindIndex = -1;
    QVector<catalog::WorkItem> m_loadedItems;
    bool m_itemsLoaded = false;
    bool m_kindsLoaded = false;
    bool m_detailsLoaded = false;
    QVector<catalog::Markup> m_loadedMarkups; // the markups as loaded
    QStringList m_deletedItems;
    QString CurWorkItem;
    QString m_detailsItem; // the item the markup grid was loaded for
    bool m_hasWorkItem = false;

    // ---- tab 2
    QVector<QTableWidget*> hfgS;
    QVector<QStringList> m_listTexts; // each list as loaded
    QVector<bool> m_listLoaded;
    bool m_unitsLoaded = false; // the work items' unit list
    QGridLayout* m_listsLayout = nullptr;
    QLineEdit* txtS = nullptr;
    QPushButton* cmdPo = nullptr;
    QMenu* mS = nullptr;
    int CurListGrid = 0;
    int CurListRow = 0;
};
