// The start-up, menu bar and settings commands walked under a failing database.
#include "LoginService.h"
#include "Walk.h"
#include "WalkSteps.h"
#include "frmLogin.h"
#include "frmMenu.h"
#include "frmSet.h"

#include <QLineEdit>

using namespace walk;

namespace {

// The settings window over an open main database.
frmSet* settings() {
    openMainDb();
    return form<frmSet>();
}

QList<Row> rows() {
    return {
        {QStringLiteral("啟動: 登入視窗 開啟"),
         {},
         {},
         [] { form<frmLogin>(); },
         [] {
             in<QLineEdit, frmLogin>("txtUserName")->setText(QString::fromLatin1(shell::kSuperUserLogin));
             in<QLineEdit, frmLogin>("txtPassword")->setText(QStringLiteral("1234"));
             ui::Default<frmLogin>::get()->cmdOK_Click();
         }},
        {QStringLiteral("登入"),
         {QStringLiteral("r:super")},
         [] {
             form<frmLogin>();
             in<QLineEdit, frmLogin>("txtUserName")->setText(QString::fromLatin1(shell::kSuperUserLogin));
             in<QLineEdit, frmLogin>("txtPassword")->setText(QStringLiteral("1234"));
         },
         [] { ui::Default<frmLogin>::get()->cmdOK_Click(); },
         [] {
             if (ui::Default<frmLogin>::isLoaded())
                 ui::Default<frmLogin>::get()->cmdOK_Click();
         }},
        {QStringLiteral("登入 (員工)"),
         {QStringLiteral("r:員工")},
         [] {
             form<frmLogin>();
             in<QLineEdit, frmLogin>("txtUserName")->setText(QStringLiteral("mei"));
             in<QLineEdit, frmLogin>("txtPassword")->setText(QStringLiteral("Mei456"));
         },
         [] { ui::Default<frmLogin>::get()->cmdOK_Click(); },
         [] {
             if (ui::Default<frmLogin>::isLoaded())
                 ui::Default<frmLogin>::get()->cmdOK_Click();
         }},
        {QStringLiteral("系統設定: 開啟, 套用"),
         {QStringLiteral("r:company"), QStringLiteral("r:員工"), QStringLiteral("r:super")},
         openMainDb,
         [] { form<frmSet>(); },
         [] {
             click<frmSet>("Command3");
             click<frmSet>("Command2");
         }},
        {QStringLiteral("系統設定: 公司資料 套用"),
         {QStringLiteral("company")},
         [] { child<QLineEdit>(settings(), "txtCo_name")->setText(QStringLiteral("新名稱")); },
         [] { click<frmSet>("Command3"); },
         [] { click<frmSet>("Command3"); }},
        {QStringLiteral("系統設定: SuperUser 密碼 變更"),
         {QStringLiteral("w:super")},
         [] {
             frmSet* f = settings();
             mdM::SuperUserPassword = QStringLiteral("1234");
             child<QLineEdit>(f, "opstxt")->setText(QStringLiteral("1234"));
             child<QLineEdit>(f, "npstxt")->setText(QStringLiteral("5678"));
             child<QLineEdit>(f, "cpstxt")->setText(QStringLiteral("5678"));
         },
         [] { click<frmSet>("cmdCp"); }},
        {QStringLiteral("系統設定: 使用者權限 套用"),
         {QStringLiteral("w:員工")},
         [] {
             // Two staff members changed: the write holds more than one row.
             settings()->hfgSec_Click(frmSet::kFirstStaffRow, frmSet::kFirstRightsCol + 1);
             settings()->hfgSec_Click(frmSet::kFirstStaffRow + 1, frmSet::kFirstRightsCol + 1);
         },
         [] { click<frmSet>("Command2"); },
         [] { click<frmSet>("Command2"); }},
        {QStringLiteral("系統設定: 路徑 套用"),
         {},
         [] { settings(); },
         [] { click<frmSet>("Command4"); },
         [] { click<frmSet>("Command1"); }},
        {QStringLiteral("選單: 系統設定"),
         {QStringLiteral("r:company"), QStringLiteral("r:員工")},
         [] {
             openMainDb();
             form<frmMenu>();
         },
         [] { click<frmMenu>("cmdPws"); },
         [] { click<frmSet>("Command3"); }},
    };
}

} // namespace

WALK_MAIN(rows)
