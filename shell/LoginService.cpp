#include "LoginService.h"

#include "mdM.h"
#include "text/Numbers.h"

#include <QFileInfo>

namespace shell {

std::optional<QString> readSuperUserPassword(db::Database& d) {
    db::Recordset rs = d.query(QStringLiteral("SELECT super_pass FROM super WHERE super_id = ?"),
                               {QString::fromLatin1(kSuperUserLogin)});
    if (rs.eof())
        return std::nullopt;
    return rs.text(0);
}

LoginResult checkLogin(db::Database& d, const QString& user, const QString& password,
                       const std::optional<QString>& superPassword) {
    LoginResult r;
    if (user == QLatin1String(kSuperUserLogin) && superPassword && password == *superPassword) {
        r.kind = LoginResult::Kind::SuperUser;
        r.rights = kAllRights;
        return r;
    }

    // The column compares without regard to case; the login itself does not.
    db::Recordset rs =
        d.query(QStringLiteral("SELECT 中文姓名, 英文姓名, pass, 權限 FROM 員工 WHERE 英文姓名 = ?"), {user});
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.text(1) != user)
            continue;
        if (rs.text(2) != password)
            return r;
        r.kind = LoginResult::Kind::Staff;
        r.name = rs.text(0);
        r.login = rs.text(1);
        r.password = rs.text(2);
        r.rights = int(num::val(rs.text(3))); // an empty rights word grants nothing
        return r;
    }
    return r;
}

void beginSession(const db::DatabasePtr& d, const LoginResult& r, const std::optional<QString>& superPassword) {
    mdM::MainDb = d;
    mdM::SessionDbFile = QFileInfo(d->path()).absoluteFilePath();
    mdM::SuperUserPassword = superPassword.value_or(QString());
    mdM::CurrentUserName = r.name;
    mdM::CurrentUserLogin = r.login;
    mdM::CurrentUserPassword = r.password;
    mdM::UserRights = r.rights;
    // What the last session's windows left begins anew: nothing of another login or database
    // goes over.
    mdM::LastSearchText.clear();
    mdPro::WPListMode.clear();
    mdPro::CurrentVendorName.clear();
}

} // namespace shell
