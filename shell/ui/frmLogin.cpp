#include "frmLogin.h"

#include "LoginService.h"
#include "frmMenu.h"
#include "frmSplash.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmLogin::frmLogin() {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登入"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    txtUserName = ui::textBox(this, "txtUserName");
    txtPassword = ui::passwordBox(this, "txtPassword");
    cmdOK = ui::button(this, "cmdOK", QStringLiteral("確定"));
    cmdCancel = ui::button(this, "cmdCancel", QStringLiteral("取消"));

    auto* userLabel = new QLabel(QStringLiteral("使用者名稱(&U):"), this);
    userLabel->setBuddy(txtUserName);
    auto* passLabel = new QLabel(QStringLiteral("密碼(&P):"), this);
    passLabel->setBuddy(txtPassword);

    auto* grid = new QGridLayout(this);
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(txtUserName, 0, 1);
    grid->addWidget(passLabel, 1, 0);
    grid->addWidget(txtPassword, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    setFixedSize(ui::twipsToPixelsX(4800), sizeHint().height());

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    connect(txtUserName, &QLineEdit::returnPressed, this, &frmLogin::txtUserName_KeyPress);
    connect(txtPassword, &QLineEdit::returnPressed, this, &frmLogin::txtPassword_KeyPress);
}

void frmLogin::Form_Load() {
    // Right below the splash window, centred across the screen.
    const QRect screen = ui::screenRect(this);
    int top = screen.y() + (screen.height() - height()) / 2;
    if (ui::Default<frmSplash>::isLoaded()) {
        const QRect splash = ui::Default<frmSplash>::get()->frameGeometry();
        top = splash.y() + splash.height();
    }
    move(screen.x() + (screen.width() - width()) / 2, top);

    mdM::OpenDatabase();
}

void frmLogin::cmdOK_Click() {
    // The opening failed at load: try once more (it reports its own errors).
    if (!mdM::MainDb && !mdM::OpenDatabase())
        return;
    const db::DatabasePtr database = mdM::MainDb;
    shell::LoginResult result;
    std::optional<QString> superPassword;
    try {
        // Read at every press: a password changed meanwhile counts at once.
        superPassword = shell::readSuperUserPassword(*database);
        mdM::SuperUserPassword = superPassword.value_or(QString());
        result = shell::checkLogin(*database, txtUserName->text(), txtPassword->text(), superPassword);
    } catch (const db::DbError& e) {
        ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("登入"));
        return;
    }
    if (!result.accepted()) {
        const bool noSuperUser =
            !superPassword && txtUserName->text() == QLatin1String(shell::kSuperUserLogin);
        refuse(noSuperUser ? QString::fromUtf8(shell::kNoSuperUserLogin)
                           : QStringLiteral("使用者名稱或密碼錯誤，請重新輸入!"));
        return;
    }

    m_loginSucceeded = true;
    shell::rememberLogin(result);
    ui::Default<frmMenu>::get()->show();
    unload();
    ui::Default<frmSplash>::unload();
}

void frmLogin::refuse(const QString& message) {
    ui::msgBox(message, ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("登入"));
    txtUserName->setFocus();
    txtUserName->selectAll();
    if (++m_failedTries >= 3) {
        ui::msgBox(QStringLiteral("錯誤三次,結束系統"), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Kavo III"));
        sys::exitProgram(0);
    }
}

void frmLogin::cmdCancel_Click() {
    m_loginSucceeded = false;
    hide();
    sys::exitProgram(0);
}

void frmLogin::txtUserName_KeyPress() {
    txtPassword->setFocus();
    txtPassword->selectAll();
}

void frmLogin::txtPassword_KeyPress() {
    cmdOK_Click();
}

void frmLogin::Form_Unload() {
    ui::Default<frmSplash>::unload();
    // Closed without logging in: nothing else is open, so the program ends.
    if (!m_loginSucceeded && !sys::exitRequested())
        sys::exitProgram(0);
}
