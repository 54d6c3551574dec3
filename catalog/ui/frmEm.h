#pragma once
// The ordered list editor: adds, renames, deletes and reorders the categories (mode "k") or the
// work kinds (mode "t"), as mdEng::EmListMode says when it loads. Adds, renames and deletes are
// written at once, with their links; an order the user changed is written before each of them and
// on closing (a failure there asks before the window closes without it). A list that could not be
// read is shown empty, cannot be changed and is never written. Only the moves made here are
// written: the order stored meanwhile by another workstation stays where they do not reach.
#include "CatalogStore.h"
#include "ui/Forms.h"

#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmEm : public ui::Form {
    Q_OBJECT
public:
    frmEm();
    ~frmEm() override;

    // Whether the list could be read when the window loaded.
    bool listLoaded() const { return m_loaded; }
    // Set, when given, once a statement of the window found the database held by another
    // workstation (the opener then skips its own reload, which would wait again).
    bool* metHeld = nullptr;

public slots:
    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdY_Click();
    void cmdN_Click();
    void cmdDel_Click();
    void cmdUp_Click();
    void cmdDn_Click();
    void Command1_Click();

protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

private:
    void LoadList();
    // Shows the names as the list loaded, each keeping its place among them.
    void showList(const QStringList& names);
    // The entry chosen (selected, not merely current), or -1.
    int chosenRow() const;
    QStringList shownNames() const;
    // Stores the order shown when it is not the order loaded; a database error comes back.
    void storeOrder();
    // storeOrder, a failure shown; false when the list is not loaded or the store failed.
    bool SaveOrder();
    void showFrame(bool shown);
    bool refuseEmpty();
    void move(int step);
    // Runs a read or a write; on a database error shows the reason and returns false.
    bool tryRun(const std::function<void()>& run);
    void noteHeld(const db::DbError& e);

    const catalog::MasterList* m_list = nullptr;
    std::unique_ptr<catalog::CatalogStore> m_store;
    enum class Action { None, Add, Edit };
    Action m_action = Action::None;
    QString m_editName; // the entry 修改 was pressed on
    bool m_loaded = false;
    QStringList m_loadedNames; // the list as loaded
    int m_browseHeight = 0;    // the height before the frame opened

    QListWidget* LsM = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDel = nullptr;
    QPushButton* cmdUp = nullptr;
    QPushButton* cmdDn = nullptr;
    QPushButton* Command1 = nullptr;
    QFrame* fm = nullptr;
    QLabel* lb1 = nullptr;
    QLineEdit* txt = nullptr;
    QLabel* lb2 = nullptr;
    QPushButton* cmdY = nullptr;
    QPushButton* cmdN = nullptr;
};
