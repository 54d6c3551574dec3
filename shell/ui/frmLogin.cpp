#include "frmLogin.h"

#include "LoginService.h"
#include "frmMenu.h"
#include "frmSplash.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPointer>
#include <QScopeGuard>

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

    // Row 0 names the database of a switch's login.
    auto* grid = new QGridLayout(this);
    grid->addWidget(userLabel, 1, 0);
    grid->addWidget(txtUserName, 1, 1);
    grid->addWidget(passLabel, 2, 0);
    grid->addWidget(txtPassword, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    setFixedSize(ui::twipsToPixelsX(4800), sizeHint().height());

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    connect(txtUserName, &QLineEdit::returnPressed, this, &frmLogin::txtUserName_KeyPress);
    connect(txtPassword, &QLineEdit::returnPressed, this, &frmLogin::txtPassword_KeyPress);
}

frmLogin::frmLogin(db::DatabasePtr database,
                   std::function<void(const shell::LoginResult&, const std::optional<QString>&)> accepted)
    : frmLogin() {
    m_database = std::move(database);
    m_accepted = std::move(accepted);
    // The folder it logs into: 取消 stays where the session is.
    // A zero-width space after each character lets a long folder name wrap anywhere, not only at
    // its blanks and separators, so it shows whole.
    QString folder;
    for (const QChar c : QDir::toNativeSeparators(QFileInfo(m_database->path()).absolutePath())) {
        folder += c;
        if (!c.isHighSurrogate())
            folder += QChar(0x200B);
    }
    auto* where = new QLabel(QStringLiteral("登入資料庫：") + folder, this);
    where->setObjectName(QStringLiteral("lbDb"));
    where->setWordWrap(true);
    static_cast<QGridLayout*>(layout())->addWidget(where, 0, 0, 1, 2);
    setFixedSize(width(), layout()->totalHeightForWidth(width())); // a long folder on more lines
}

namespace {
bool g_closingForSwitch = false; // set while startNewSession closes the windows

bool closeForSwitch(ui::Form* except) {
    g_closingForSwitch = true;
    const auto reset = qScopeGuard([] { g_closingForSwitch = false; });
    return ui::unloadAllForms(except);
}
} // namespace

bool frmLogin::closingForSwitch() {
    return g_closingForSwitch;
}

bool frmLogin::startNewSession(const db::DatabasePtr& opened, const std::function<QString()>& keep) {
    // Nothing of the session goes over: its windows close first, each asking what it would ask at
    // closing, and one kept open keeps the session.
    ui::Form* menu = ui::Default<frmMenu>::isLoaded() ? ui::Default<frmMenu>::get() : nullptr;
    if (!closeForSwitch(menu))
        return false;
    std::optional<std::pair<shell::LoginResult, std::optional<QString>>> login;
    const QPointer<frmLogin> f = new frmLogin(
        opened, [&login](const shell::LoginResult& r, const std::optional<QString>& superPassword) {
            login.emplace(r, superPassword);
        });
    f->load();
    f->showModal();
    if (f)
        f->unload();
    if (!login)
        return false;
    if (const QString error = keep(); !error.isEmpty()) {
        ui::msgBox(error, ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
        return false;
    }
    shell::beginSession(opened, login->first, login->second);
    if (menu)
        static_cast<frmMenu*>(menu)->EnableButtons();
    return true;
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

    if (!m_database)
        mdM::OpenDatabase();
}

void frmLogin::cmdOK_Click() {
    db::DatabasePtr database = m_database;
    if (!database) {
        // The opening failed at load: try once more (it reports its own errors).
        if (!mdM::MainDb && !mdM::OpenDatabase())
            return;
        database = mdM::MainDb;
    }
    shell::LoginResult result;
    std::optional<QString> superPassword;
    try {
        // Read at every press: a password changed meanwhile counts at once.
        superPassword = shell::readSuperUserPassword(*database);
        if (!m_database)
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
    if (m_accepted) { // the session's switch takes it
        m_accepted(result, superPassword);
        unload();
        return;
    }
    shell::beginSession(database, result, superPassword);
    // From now on another database file is a new session.
    mdM::setSessionSwitch(&frmLogin::startNewSession);
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
    if (m_database) { // the session stays as it was
        unload();
        return;
    }
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
    // Closed without logging in at start-up: nothing else is open, so the program ends.
    if (!m_database && !m_loginSucceeded && !sys::exitRequested())
        sys::exitProgram(0);
}
