#pragma once
// The login window: the SuperUser or a staff member with a password; three failures end the
// program.
#include "LoginService.h"
#include "ui/Forms.h"

#include <functional>

class QLineEdit;
class QPushButton;

class frmLogin : public ui::Form {
    Q_OBJECT
public:
    frmLogin();
    // The login of another database file than the session's (see startNewSession), named by its
    // folder: 取消 or closing it keeps the session; an accepted login is only handed to `accepted`.
    frmLogin(db::DatabasePtr database,
             std::function<void(const shell::LoginResult&, const std::optional<QString>&)> accepted);

    // A switch of the session to another database file (mdM::SessionSwitch): every window but the
    // menu bar closes through its own close path, then this window asks for a login of `opened`.
    // The session becomes that login once `keep` has made the switch last. False, the session as it
    // was, when a window stays open, the login is cancelled or `keep` fails.
    static bool startNewSession(const db::DatabasePtr& opened, const std::function<QString()>& keep);
    // Whether the windows are closing for such a switch (a window that saves nothing at closing
    // asks then about what it holds unapplied).
    static bool closingForSwitch();

    // Failed tries since the window loaded.
    int failedTries() const { return m_failedTries; }
    bool loginSucceeded() const { return m_loginSucceeded; }

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
    // Enter in the user-name box: on to the password.
    void txtUserName_KeyPress();
    // Enter in the password box: the same as 確定.
    void txtPassword_KeyPress();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void refuse(const QString& message);

    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    int m_failedTries = 0;
    bool m_loginSucceeded = false;
    // Set for the login of a session switch: the database asked and who takes the login.
    db::DatabasePtr m_database;
    std::function<void(const shell::LoginResult&, const std::optional<QString>&)> m_accepted;
};
