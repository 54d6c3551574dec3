#include "frmSet.h"

#include "FrozenRows.h"
#include "LoginService.h"
#include "frmLogin.h"
#include "SettingsStore.h"
#include "mdM.h"
#include "ui/Controls.h"
#include "ui/Keys.h"
#include "ui/Placement.h"
#include "ui/Twips.h"
#include "db/FieldMerge.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// A page holding one framed group and its apply button under it.
QWidget* page(QGroupBox* group, QPushButton* apply) {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    v->addWidget(group);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(apply);
    v->addLayout(row);
    v->addStretch();
    return w;
}
} // namespace

void frmSet::showMessage(const QString& text, ui::Icon icon) {
    ui::msgBox(text, ui::Buttons::OK, icon, QStringLiteral("Kavo III"));
}

frmSet::frmSet() {
    setObjectName(QStringLiteral("frmSet"));
    setWindowTitle(QStringLiteral("系統設定"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildCompanyPage(), QStringLiteral("公司資料"));
    m_passwordPage = buildPasswordPage();
    m_passwordPage->installEventFilter(this);
    SSTab1->addTab(m_passwordPage, QStringLiteral("SuperUser 密碼"));
    SSTab1->addTab(buildFoldersPage(), QStringLiteral("路徑"));
    SSTab1->addTab(buildAutoSavePage(), QStringLiteral("自動存檔"));
    SSTab1->addTab(buildRightsPage(), QStringLiteral("使用者權限"));

    Command1 = ui::button(this, "Command1", QStringLiteral("離開"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Command1);
    layout->addLayout(bottom);
    resize(ui::twipsToPixelsX(12600), ui::twipsToPixelsY(6600));
    // The same place whatever window was active (a message of its load leaves another one so).
    ui::openCentred(this);
    // A switch to another database closes it after every other window: one that stays open keeps
    // this window and the session as they were.
    setUnloadPriority(-1);

    connect(Command3, &QPushButton::clicked, this, &frmSet::Command3_Click);
    connect(opstxt, &QLineEdit::textChanged, this, &frmSet::opstxt_Change);
    connect(cmdCp, &QPushButton::clicked, this, &frmSet::cmdCp_Click);
    connect(cmdExp, &QPushButton::clicked, this, &frmSet::cmdExp_Click);
    connect(Command4, &QPushButton::clicked, this, &frmSet::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmSet::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &frmSet::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSet::Command2_Click);
}

QWidget* frmSet::buildCompanyPage() {
    auto* group = new QGroupBox(QStringLiteral("公司基本資料："));
    auto* form = new QFormLayout(group);
    txtCo_name = ui::textBox(group, "txtCo_name");
    txtCo_add = ui::textBox(group, "txtCo_add");
    txtCo_tel = ui::textBox(group, "txtCo_tel");
    txtCo_fax = ui::textBox(group, "txtCo_fax");
    txtCo_no = ui::textBox(group, "txtCo_no");
    txtCo_email = ui::textBox(group, "txtCo_email");
    form->addRow(QStringLiteral("名稱:"), txtCo_name);
    form->addRow(QStringLiteral("地址:"), txtCo_add);
    form->addRow(QStringLiteral("電話:"), txtCo_tel);
    form->addRow(QStringLiteral("傳真:"), txtCo_fax);
    form->addRow(QStringLiteral("統編:"), txtCo_no);
    form->addRow(QStringLiteral("E-MAIL:"), txtCo_email);
    Command3 = ui::button(group, "Command3", QStringLiteral("套用"));
    return page(group, Command3);
}

QWidget* frmSet::buildPasswordPage() {
    auto* group = new QGroupBox(QStringLiteral("SuperUser 密碼："));
    auto* form = new QFormLayout(group);
    opstxt = ui::passwordBox(group, "opstxt");
    npstxt = ui::passwordBox(group, "npstxt");
    cpstxt = ui::passwordBox(group, "cpstxt");
    form->addRow(QStringLiteral("原始密碼:"), opstxt);
    form->addRow(QStringLiteral("新  密 碼:"), npstxt);
    form->addRow(QStringLiteral("確定密碼:"), cpstxt);
    cmdCp = ui::button(group, "cmdCp", QStringLiteral("變更"));
    npstxt->setEnabled(false);
    cpstxt->setEnabled(false);
    cmdCp->setEnabled(false);
    return page(group, cmdCp);
}

QWidget* frmSet::buildFoldersPage() {
    auto* group = new QGroupBox(QStringLiteral("路徑："));
    auto* form = new QFormLayout(group);
    txtMdbPath = ui::textBox(group, "txtMdbPath");
    txtPrpath = ui::textBox(group, "txtPrpath");
    txtFlpath = ui::textBox(group, "txtFlpath");
    cmdExp = ui::button(group, "cmdExp", QStringLiteral("....."));
    auto* dbRow = new QHBoxLayout;
    dbRow->addWidget(txtMdbPath);
    dbRow->addWidget(cmdExp);
    form->addRow(QStringLiteral("資料庫 路徑:"), dbRow);
    form->addRow(QStringLiteral("列印套表路徑:"), txtPrpath);
    form->addRow(QStringLiteral("開存檔 路徑:"), txtFlpath);
    Command4 = ui::button(group, "Command4", QStringLiteral("套用"));
    return page(group, Command4);
}

QWidget* frmSet::buildAutoSavePage() {
    auto* group = new QGroupBox(QStringLiteral("自動存檔："));
    auto* v = new QVBoxLayout(group);
    ckAutosv = new QCheckBox(QStringLiteral("自動存檔"), group);
    ckAutosv->setObjectName(QStringLiteral("ckAutosv"));
    txtAutosv = ui::textBox(group, "txtAutosv");
    txtAutosv->setMaxLength(5);
    txtAutosv->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), txtAutosv));
    // txtAutosv_KeyPress: digits and Backspace only; anything else beeps.
    ui::allowOnlyKeys(txtAutosv, ui::kDigitsAndBackspace);
    auto* row = new QHBoxLayout;
    row->addWidget(txtAutosv);
    row->addWidget(new QLabel(QStringLiteral("分鐘存檔一次"), group));
    row->addStretch();
    v->addWidget(ckAutosv);
    v->addLayout(row);
    Command5 = ui::button(group, "Command5", QStringLiteral("套用"));
    return page(group, Command5);
}

bool frmSet::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_passwordPage && e->type() == QEvent::Show)
        lockSuperUserBoxes();
    return ui::Form::eventFilter(watched, e);
}

void frmSet::lockSuperUserBoxes() {
    for (QLineEdit* box : {opstxt, npstxt, cpstxt})
        box->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{npstxt, cpstxt, cmdCp})
        w->setEnabled(false);
}

void frmSet::showCompany(const QStringList& fields) {
    m_company = fields;
    QLineEdit* boxes[] = {txtCo_name, txtCo_add, txtCo_tel, txtCo_fax, txtCo_no, txtCo_email};
    for (int i = 0; i < shell::kCompanyFields; ++i)
        boxes[i]->setText(fields.value(i));
}

bool frmSet::Form_Initialize() {
    // The database is reopened before the window counts as open: a folder prompt that leads to
    // another database's session closes the other windows, not this one, which then does not open.
    return mdM::reopenForWindow();
}

void frmSet::Form_Load() {
    loadRightsPage();
    loadStoredGroups();
    showFolders();
    ckAutosv->setChecked(mdM::AutoSaveOn);
    txtAutosv->setText(QString::number(mdM::AutoSaveInterval));
}

void frmSet::loadRightsPage() {
    const QString rightsFailure = LoadRightsGrid();
    InitRightsGridHeaders();
    // Rights that could not be read leave the grid without lines, headings too, and say why.
    if (!rightsFailure.isEmpty())
        hfgSec->setRowCount(0);
    for (QWidget* view : std::initializer_list<QWidget*>{hfgSec, m_headings->overlay()})
        ui::markUnloaded(view, rightsFailure);
}

void frmSet::loadStoredGroups() {
    // A group that could not be read stays empty and cannot be applied: applying it would write
    // the empty boxes over the stored values. The SuperUser's table is read first: when only the
    // company fails, reading both again (路徑 套用) drops no typing.
    m_noSuperUserShown = false;
    bool companyRead = false;
    bool superUserRead = false;
    QString failure; // why the company group or the SuperUser's row could not be read
    if (mdM::MainDb) {
        try {
            // The old-password box compares with the password stored at each change; the table is
            // read here only to know it can be.
            shell::readSuperUserPassword(*mdM::MainDb);
            superUserRead = true;
            showCompany(shell::readCompany(*mdM::MainDb));
            companyRead = true;
        } catch (const db::DbError& e) {
            failure = ui::unloadedReason(e);
            if (db::LoadSession::sayOnce(e))
                showMessage(mdM::dbErrorText(e), ui::Icon::Critical);
        }
    }
    // Greyed boxes say why they are empty.
    for (QWidget* w : std::initializer_list<QWidget*>{txtCo_name, txtCo_add, txtCo_tel, txtCo_fax, txtCo_no,
                                                      txtCo_email, Command3}) {
        w->setEnabled(companyRead);
        ui::markUnloaded(w, companyRead ? QString() : failure);
    }
    opstxt->setEnabled(superUserRead);
    ui::markUnloaded(opstxt, superUserRead ? QString() : failure);
}

void frmSet::showFolders() {
    txtMdbPath->setText(mdM::DbFolder);
    txtPrpath->setText(mdM::TemplateFolder);
    txtFlpath->setText(mdM::QuoteFolder);
}

QStringList frmSet::typedCompany() const {
    return {txtCo_name->text(), txtCo_add->text(), txtCo_tel->text(),
            txtCo_fax->text(),  txtCo_no->text(),  txtCo_email->text()};
}

bool frmSet::companyTyped() const {
    return Command3->isEnabled() && typedCompany() != m_company;
}

bool frmSet::autoSaveTyped() const {
    return ckAutosv->isChecked() != mdM::AutoSaveOn ||
           shell::autoSaveIntervalOf(txtAutosv->text()) != mdM::AutoSaveInterval;
}

bool frmSet::Form_QueryUnload() {
    if (!frmLogin::closingForSwitch())
        return true;
    struct Page {
        QPushButton* apply;
        bool (frmSet::*typed)() const;
        void (frmSet::*click)();
    };
    for (const Page& p : {Page{Command3, &frmSet::companyTyped, &frmSet::Command3_Click},
                          Page{Command5, &frmSet::autoSaveTyped, &frmSet::Command5_Click},
                          Page{Command2, &frmSet::rightsTyped, &frmSet::Command2_Click}}) {
        if (!(this->*p.typed)())
            continue;
        int index = 0;
        while (index < SSTab1->count() && !SSTab1->widget(index)->isAncestorOf(p.apply))
            ++index;
        SSTab1->setCurrentIndex(index);
        switch (ui::msgBox(QStringLiteral("【%1】正在編輯中\r\n是否套用?").arg(SSTab1->tabText(index)),
                           ui::Buttons::YesNoCancel, ui::Icon::Question, QStringLiteral("Kavo III"))) {
        case ui::Answer::Yes:
            (this->*p.click)();
            if ((this->*p.typed)()) // not applied: the window stays as it is
                return false;
            break;
        case ui::Answer::No:
            break;
        default:
            return false;
        }
    }
    return true;
}

void frmSet::Command3_Click() {
    if (!mdM::MainDb)
        return;
    const QStringList typed = typedCompany();
    try {
        // Only what was changed here is written, and not over another workstation's change unasked.
        std::optional<QStringList> stored;
        for (bool overwrite = false; !(stored = shell::writeCompany(*mdM::MainDb, typed, m_company, overwrite));) {
            static const QStringList captions = {QStringLiteral("名稱"), QStringLiteral("地址"), QStringLiteral("電話"),
                                                 QStringLiteral("傳真"), QStringLiteral("統編"), QStringLiteral("E-MAIL")};
            QStringList fields; // what changed elsewhere
            for (const int i : merge::differing(m_company, shell::readCompany(*mdM::MainDb)))
                fields << captions.value(i);
            switch (ui::askOverwrite(QStringLiteral("公司資料"), fields)) {
            case ui::Answer::Yes:
                overwrite = true;
                break;
            case ui::Answer::No:
                showCompany(shell::readCompany(*mdM::MainDb));
                return;
            default:
                return;
            }
        }
        showCompany(*stored); // with what others changed beside it
    } catch (const db::DbError& e) {
        showMessage(e.description(), ui::Icon::Critical);
        return;
    }
    showMessage(QStringLiteral("變更完成"), ui::Icon::Information);
}

void frmSet::opstxt_Change() {
    // Compared with the password stored now: one replaced elsewhere unlocks nothing.
    bool unlocked = false;
    try {
        const std::optional<QString> stored =
            mdM::MainDb ? shell::readSuperUserPassword(*mdM::MainDb) : std::nullopt;
        // Without the SuperUser's row there is no password to match, not even an empty one.
        if (!stored && !opstxt->text().isEmpty() && !m_noSuperUserShown) {
            m_noSuperUserShown = true;
            showMessage(QString::fromUtf8(shell::kNoSuperUserChange), ui::Icon::Exclamation);
        }
        unlocked = stored && opstxt->text() == *stored;
    } catch (const db::DbError& e) {
        showMessage(mdM::dbErrorText(e), ui::Icon::Critical);
    }
    cmdCp->setEnabled(unlocked);
    npstxt->setEnabled(unlocked);
    cpstxt->setEnabled(unlocked);
}

void frmSet::cmdCp_Click() {
    if (npstxt->text() != cpstxt->text()) {
        showMessage(QStringLiteral("新密碼 和 確定密碼 不同\r\n請重新輸入新密碼 和 確定密碼"),
                    ui::Icon::Exclamation);
        npstxt->clear();
        cpstxt->clear();
        npstxt->setFocus();
        return;
    }
    if (!mdM::MainDb)
        return;
    try {
        // Written only over the password the old-password box was checked against.
        switch (shell::changeSuperUserPassword(*mdM::MainDb, npstxt->text(), opstxt->text())) {
        case shell::PasswordChange::Changed:
            break;
        case shell::PasswordChange::ChangedElsewhere:
            showMessage(QStringLiteral("SuperUser 密碼已在別處變更"), ui::Icon::Exclamation);
            lockSuperUserBoxes();
            return;
        case shell::PasswordChange::NoSuperUser:
            showMessage(QString::fromUtf8(shell::kNoSuperUserChange), ui::Icon::Exclamation);
            return;
        }
    } catch (const db::DbError& e) {
        showMessage(e.description(), ui::Icon::Critical);
        return;
    }
    showMessage(QStringLiteral("密碼變更完成"), ui::Icon::Information);
}

void frmSet::cmdExp_Click() {
    ui::FileRequest r;
    r.folder = mdM::DbFolder;
    r.fileName = QString::fromUtf8(mdM::kMainDbFile);
    r.filter = QStringLiteral("(kavo3.mdb)|kavo3.mdb");
    const QString chosen = ui::openFileDialog(r);
    if (chosen.isEmpty())
        return;
    const QString folder = QFileInfo(chosen).absolutePath();
    txtMdbPath->setText(folder);
    txtPrpath->setText(folder);
    txtFlpath->setText(folder);
}

void frmSet::Command4_Click() {
    const QString dbFolder = txtMdbPath->text(), templateFolder = txtPrpath->text(), quoteFolder = txtFlpath->text();
    db::DatabasePtr opened;
    try {
        opened = mdM::openMainDb(mdM::resolveFolder(dbFolder));
    } catch (const db::DbError& e) {
        showMessage(mdM::dbErrorText(e), ui::Icon::Critical);
        return;
    }
    const auto keep = [=] { return shell::keepFolders(dbFolder, templateFolder, quoteFolder); };
    // Another database file is a new session: this window closes with the others, or stays as it is
    // when the switch did not happen.
    if (!mdM::isCurrentDb(opened)) {
        frmLogin::startNewSession(opened, keep);
        return;
    }
    if (const QString error = keep(); !error.isEmpty()) {
        showMessage(error, ui::Icon::Critical);
        return;
    }
    mdM::MainDb = opened;
    // The same database: the other pages keep what they hold, typed or not; only a group that could
    // not be read is read again.
    const db::LoadSession session;
    showFolders();
    if (!m_rightsDb)
        loadRightsPage();
    if (!Command3->isEnabled() || !opstxt->isEnabled())
        loadStoredGroups();
}

void frmSet::Command5_Click() {
    const bool on = ckAutosv->isChecked();
    mdM::AutoSaveOn = on;
    mdM::AutoSaveInterval = shell::autoSaveIntervalOf(txtAutosv->text());
    QString error;
    if (!shell::writeAutoIni(on, txtAutosv->text(), &error))
        showMessage(QStringLiteral("無法寫入 auto.ini\r\n") + error, ui::Icon::Critical);
}

void frmSet::Command1_Click() {
    unload();
}
