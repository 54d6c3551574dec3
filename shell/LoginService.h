#pragma once
// Who may log in: the SuperUser of table super or a staff member of table 員工, each with the
// password stored beside the name. Names and passwords compare case-sensitively.
#include "db/Database.h"

#include <QString>
#include <optional>

namespace shell {

// The SuperUser's fixed login name.
inline constexpr const char* kSuperUserLogin = "wexa";
// The SuperUser's rights word: every right.
inline constexpr int kAllRights = 4095;

struct LoginResult {
    enum class Kind { Refused, SuperUser, Staff };
    Kind kind = Kind::Refused;
    QString name;     // 員工.中文姓名 (empty for the SuperUser)
    QString login;    // 員工.英文姓名 (empty for the SuperUser)
    QString password; // 員工.pass (empty for the SuperUser)
    int rights = 0;

    bool accepted() const { return kind != Kind::Refused; }
};

// What the windows say when table super holds no SuperUser row.
inline constexpr const char* kNoSuperUserLogin = "資料庫中沒有 SuperUser 的資料，SuperUser 無法登入";
inline constexpr const char* kNoSuperUserChange = "資料庫中沒有 SuperUser 的資料，無法變更 SuperUser 密碼";

// The SuperUser's password; nullopt when table super holds no SuperUser row (then nobody logs
// in as the SuperUser). Throws db::DbError.
std::optional<QString> readSuperUserPassword(db::Database& d);

// Checks a login. `superPassword` is the SuperUser's password as just read. Throws db::DbError.
LoginResult checkLogin(db::Database& d, const QString& user, const QString& password,
                       const std::optional<QString>& superPassword);

// Makes an accepted login the session of mdM: the database it was checked in, the user (names,
// password and rights word) and that database's SuperUser password as read for the login; every
// other value the session owns starts empty.
void beginSession(const db::DatabasePtr& d, const LoginResult& r, const std::optional<QString>& superPassword);

} // namespace shell
