#pragma once
// The login window: the SuperUser or a staff member with a password; three failures end the
// program.
#include "ui/Forms.h"

class QLineEdit;
class QPushButton;

class frmLogin : public ui::Form {
    Q_OBJECT
public:
    frmLogin();

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
};
