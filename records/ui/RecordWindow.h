#pragma once
// The record window frame shared by the customer, vendor and staff windows: the browse grid and
// its filters, the command buttons, the detail boxes of one record, the mode, the two page
// heights and the entry aids. What differs between the windows comes from their RecordKind and
// from the few hooks their classes override.
#include "FieldCodec.h"
#include "GridModel.h"
#include "RecordKind.h"
#include "RecordStore.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

#include <QHash>
#include <QTableView>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace records {

// The browse grid.
class RecordGrid : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    // The room a column's lines and caption need.
    int contentWidth(int column) const;

protected:
    // The line drawn as chosen stays in view when the grid grows shorter (the full page opening).
    void resizeEvent(QResizeEvent* e) override;
};

class RecordWindow : public ui::Form {
    Q_OBJECT
public:
    explicit RecordWindow(const RecordKind& kind);
    ~RecordWindow() override;

    const RecordKind& kind() const { return m_kind; }
    // "AddF", "EditF", "QureF" or empty (browse).
    QString Mode;
    // The number group of the record last saved here; a deletion lists it again.
    QString LastSavedGroup;

    // The name of the record chosen in the grid; empty when none.
    virtual QString selectedName() const { return m_selectedName; }
    virtual void setSelectedName(const QString& name) { m_selectedName = name; }
    // True while the grid holds full-text search results (the name is then in column 1).
    bool gridHoldsSearch() const { return m_searchGrid; }
    const GridModel& grid() const { return m_grid; }
    // True while a record is being added or edited (確定 and 取消 shown).
    bool isEditing() const;

    // The text of a detail box (a check box gives "1" or "0"); empty for an unknown name.
    QString boxText(const QString& name) const;
    void setBoxText(const QString& name, const QString& text);
    QWidget* box(const QString& name) const { return m_boxes.value(name); }
    // Every detail box's value.
    BoxValues boxValues() const;

public slots:
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDel_Click();
    void cmdY_Click();
    void cmdN_Click();
    void Command1_Click(); // 全文搜尋
    void Command2_Click(); // page mode
    void Command3_Click(); // all records
    void cmdPp_Click();
    void Combo1_Click();
    void Combo2_Click();
    void HFG_Click(int row);
    void HFG_DblClick(int row);
    // The grid's current line changed, whatever moved it (keys, mouse, Tab or the program): the
    // record of the line drawn as current is the chosen one; no line drawn, none is chosen. Runs
    // once the grid has handled the event that moved it, and before each command on the chosen record.
    void HFG_RowColChange();
    void cb1_Click(int index);
    void T2_Change();
    void T11_Change();
    void T2_Validate();
    // A date picker closed: its box gets the ROC date text.
    void DTP_CloseUp(const QString& picker);

protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    bool eventFilter(QObject* o, QEvent* e) override;

    // Hooks of the windows built on the frame.
    virtual void afterShow(const BoxValues&) {}
    virtual void afterAdd() {}
    virtual void afterEditLoaded(const BoxValues&) {}
    virtual void afterSaved() {}
    virtual void afterCancel() {}
    virtual void afterClear() {}
    // Nothing is chosen any more and the boxes were emptied (dropChoice).
    virtual void afterChoiceDropped() {}
    // The chosen record could not be read (`failure`: why; empty: it is gone).
    virtual void afterFailedRead(const QString&) {}
    virtual void setExtraEnabled(bool) {}
    // False refuses the save (after showing why); runs before anything is written.
    virtual bool checkBeforeSave() { return true; }

    // The frame's procedures.
    // Shows the chosen record as stored. False when none is chosen (nothing changes) or when it could
    // not be read (the boxes emptied, the choice dropped).
    bool ShowSelectedRecord();
    void ListByNumberGroup(const QString& group);
    void ListByCategory(const QString& type);
    void SetGridHeaders();
    void LoadCategoryFilter();
    void SetEditMode(bool editing);
    void SetPageModeCaption(bool fullPage);
    // Makes the window `pixels` high once its layout has given back the room of what was just
    // hidden; resized earlier, the window would be held at the height the hidden parts needed.
    void fitHeight(int pixels);
    void EnableDetailPanels(bool enabled);
    void ClearFields();
    // Empties the detail boxes (not the filters).
    void clearBoxes();
    // A list could not be read (`failure` says why): the grid holds no lines and shows why, and the
    // commands on its chosen line are off, until one is read.
    void listFailed(const QString& failure);
    void LoadCounties();
    void LoadLookups();
    void LoadChoiceLists();
    // The boxes whose lists are read from the database.
    QList<QComboBox*> lookupBoxes() const;
    // The lists that could not be read are read again (the counties always when `counties`), with
    // one wait: by 全部 and as a box of them drops down.
    void readListsAgain(bool counties);
    virtual void readFiltersAgain() {}
    // A filter box's prompt gives way to why its list could not be read.
    static void clearPrompt(QComboBox* filter, bool read, const QString& prompt);
    void showGridRows(GridRows rows);
    // The one rule of the chosen record: it is chosen only while its line is listed and drawn as
    // chosen. Draws the chosen record's line as chosen, scrolled into view, and no other line; a
    // record the grid no longer lists is no longer chosen. Runs whenever the grid's lines change and
    // when editing ends.
    void markChosenRow();
    // Chooses the record of a grid line (none for an empty line) and draws it as chosen.
    void chooseRow(int row);
    // Nothing is chosen, no line is drawn as chosen and the boxes are empty (not while a record is
    // typed).
    void dropChoice();
    // Reads the chosen record as stored; its grid line then shows it so. A record that is gone says
    // so and a failed read says why (once); either way the choice is dropped.
    std::optional<QVector<QVariant>> readChosen(QString* failure = nullptr);
    // The record of `name` is no longer stored: said, no longer chosen, and its lines leave the grid.
    void recordGone(const QString& name);
    // Puts a record as stored into the boxes.
    void showRow(const QVector<QVariant>& row);
    // Leaving editing: the boxes show the chosen record as stored, or nothing when none is chosen
    // (what they show is what 傳回報價單 hands over).
    void showStoredRecord();
    // Adding or editing: the mode, the status, the full page with the detail area editable.
    void enterEditing(const QString& mode, const QString& status);
    bool saveRecord();
    // 確定: checks, saves while adding or editing, and returns to browsing; false when refused.
    bool saveAndBrowse();
    static inline const QString kGone = QStringLiteral("這筆資料已不存在");

    RecordStore store() const;
    bool canEdit() const;
    bool editingMode() const;
    bool addingMode() const;
    // Runs `f`; a database error is shown with its reason (also left in `failure`) and false comes back.
    template <class F> bool guarded(F f, QString* failure = nullptr);
    // Runs `read`, which fills the lists `views`; when it fails they hold nothing and show why.
    template <class F> bool readLists(const QList<QWidget*>& views, F read);
    // Empties the lists `views` and shows `failure` beside them; an empty `failure` only removes it.
    void markLists(const QList<QWidget*>& views, const QString& failure);
    static void showMessage(const QString& text, ui::Icon icon = ui::Icon::None);
    // Says why a database command failed (a held database once per load); among the reads after a
    // stored save, once and as a failure that left the record saved.
    void sayFailure(const db::DbError& e);
    void setBoxes(const BoxValues& values);
    void registerBox(QWidget* w);
    // An editable list box of the window, showing `prompt`: typed text is no entry of it, and a
    // long entry shows its beginning, in the list and once chosen.
    QComboBox* choiceBox(const char* name, const QString& prompt = {});
    // Runs `chosen` when an entry of the box is chosen (from its list, or typed and entered).
    void connectChoice(QComboBox* cb, std::function<void(int)> chosen);
    // Boxes that ClearFields empties besides the detail boxes.
    QList<QWidget*> m_extraClearable;
    // Parts of the full page outside the detail frame, shown and hidden with it.
    QList<QWidget*> m_shownWithDetail;

    const RecordKind& m_kind;
    QString m_selectedName;
    bool m_followPending = false; // a change of the grid's current line waits for HFG_RowColChange
    // The record as 修改 read and showed it: the save writes what changed since, over another
    // workstation's change only when asked.
    std::optional<RecordStore::ReadRecord> m_loadedRow;
    // The number last proposed for a new record; a number typed over it is stored as typed.
    QString m_proposedNumber;
    // The number group the grid lists, shown again in 搜尋條件 when an unknown one was entered.
    QString m_groupText = QStringLiteral("編號");
    bool m_searchGrid = false;
    bool m_loading = false; // change reactions stay silent while a record is loaded
    // The reads after a stored save: the first failure among them is said as one that left the
    // record saved, later ones only beside their lists.
    enum class AfterSave { No, Reading, Said };
    AfterSave m_afterSave = AfterSave::No;
    GridModel m_grid;
    QHash<QString, QWidget*> m_boxes;
    QHash<QString, QDateEdit*> m_pickers;

    QHBoxLayout* filterRow = nullptr;
    QHBoxLayout* buttonRow = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    RecordGrid* HFG = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDel = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* cmdPp = nullptr;
    QPushButton* cmdY = nullptr;
    QPushButton* cmdN = nullptr;
    QLabel* lbf = nullptr;
    QGroupBox* Frame1 = nullptr;
    QList<QWidget*> m_panels; // P1 .. P4
    QTabWidget* SSTab1 = nullptr;
    QList<QWidget*> m_pages; // the detail area's pages (tabs or columns)
    QListWidget* L1 = nullptr;

private:
    void buildDetail();
    QWidget* makeBox(const FieldSlot& s, const QString& name);
};

template <class F> bool RecordWindow::guarded(F f, QString* failure) {
    try {
        f();
        return true;
    } catch (const db::DbError& e) {
        sayFailure(e);
        if (failure)
            *failure = e.description();
        return false;
    }
}

template <class F> bool RecordWindow::readLists(const QList<QWidget*>& views, F read) {
    QString failure;
    const bool ok = guarded(read, &failure);
    markLists(views, failure);
    return ok;
}

// Who prints a record list: the 列印 buttons hand their party over (set by the program).
void setListPrintOpener(std::function<void(Party)> open);

} // namespace records
