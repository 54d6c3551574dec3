#pragma once
// The settings window: company data, the SuperUser password, the folders, autosave and the rights
// of every staff member, each group applied by its own button.
#include "db/Database.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
namespace shell {
class FrozenRows;
}

class frmSet : public ui::Form {
    Q_OBJECT
public:
    frmSet();

    // The rights grid: two heading rows, then one row per staff member; columns 2 to 13 are the
    // rights positions 1 to 12 (bit c-2), a "★" granting the right.
    static constexpr int kFirstStaffRow = 2;
    static constexpr int kFirstRightsCol = 2;
    static constexpr int kGridCols = 14;

public slots:
    void Command3_Click(); // company 套用
    void opstxt_Change();
    void cmdCp_Click();    // SuperUser password 變更
    void cmdExp_Click();   // browse for the main database
    void Command4_Click(); // folders 套用
    void Command5_Click(); // autosave 套用
    void Command1_Click(); // 離開
    void hfgSec_Click(int row, int col);
    void Command2_Click(); // rights 套用

protected:
    bool Form_Initialize() override;
    void Form_Load() override;
    // Closing saves nothing; at a switch to another database each page with changes not applied
    // asks (是 applies it, 否 drops it) and 取消 keeps the window and the session.
    bool Form_QueryUnload() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* buildCompanyPage();
    QWidget* buildPasswordPage();
    QWidget* buildFoldersPage();
    QWidget* buildAutoSavePage();
    QWidget* buildRightsPage();

    // A message box with the program's name as its title.
    static void showMessage(const QString& text, ui::Icon icon);

    // The rights page read from the database, or marked unread with the reason.
    void loadRightsPage();
    // The company page and the SuperUser's table read from the database, or marked unread.
    void loadStoredGroups();
    // The folder boxes as the program holds the folders.
    void showFolders();
    // The company boxes as typed.
    QStringList typedCompany() const;
    // Whether the company, autosave or rights page holds changes not applied.
    bool companyTyped() const;
    bool autoSaveTyped() const;
    bool rightsTyped() const;
    // Shows the company row and keeps it as read, to compare with at 套用.
    void showCompany(const QStringList& fields);
    // The SuperUser boxes empty and locked: a password typed earlier unlocks nothing later.
    void lockSuperUserBoxes();

    // The reason the rights could not be read, or nothing.
    QString LoadRightsGrid();
    // The rights word the stars of a grid row give.
    int rowRights(int row) const;
    // A grid row's stars from a rights word.
    void showRights(int row, int rights);
    // A right by its bit, as the headings name it ("報價單"; a pair whole: "客戶資料編輯/查詢").
    QString rightName(int bit) const;
    void InitRightsGridHeaders();
    bool starred(int row, int col) const;
    void setStar(int row, int col, bool on);

    QTabWidget* SSTab1 = nullptr;
    QLineEdit* txtCo_name = nullptr;
    QLineEdit* txtCo_add = nullptr;
    QLineEdit* txtCo_tel = nullptr;
    QLineEdit* txtCo_fax = nullptr;
    QLineEdit* txtCo_no = nullptr;
    QLineEdit* txtCo_email = nullptr;
    QPushButton* Command3 = nullptr;
    QLineEdit* opstxt = nullptr;
    QLineEdit* npstxt = nullptr;
    QLineEdit* cpstxt = nullptr;
    QPushButton* cmdCp = nullptr;
    QLineEdit* txtMdbPath = nullptr;
    QLineEdit* txtPrpath = nullptr;
    QLineEdit* txtFlpath = nullptr;
    QPushButton* cmdExp = nullptr;
    QPushButton* Command4 = nullptr;
    QCheckBox* ckAutosv = nullptr;
    QLineEdit* txtAutosv = nullptr;
    QPushButton* Command5 = nullptr;
    QTableWidget* hfgSec = nullptr;
    shell::FrozenRows* m_headings = nullptr;
    // The database the grid's rows came from: their records are written there.
    db::DatabasePtr m_rightsDb;
    // The company row as the window read it (or wrote it last).
    QStringList m_company;
    QWidget* m_passwordPage = nullptr;
    // Whether it was said that table super holds no SuperUser row (said once per load).
    bool m_noSuperUserShown = false;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
};
