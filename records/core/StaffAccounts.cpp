#include "StaffAccounts.h"

namespace records {

bool loginTaken(db::Database& d, const QString& login, const QString& name) {
    return d
        .scalar(QStringLiteral("SELECT 1 FROM 員工 WHERE 英文姓名 = ? COLLATE NOCASE AND 中文姓名 <> ? LIMIT 1"),
                {login, name})
        .isValid();
}

std::optional<QString> storedPassword(db::Database& d, const QString& name) {
    db::Recordset rs = d.query(QStringLiteral("SELECT pass FROM 員工 WHERE 中文姓名 = ?"), {name});
    if (rs.eof())
        return std::nullopt;
    return rs.text(0);
}

bool setPassword(db::Database& d, const QString& name, const QString& password) {
    return d.execute(QStringLiteral("UPDATE 員工 SET pass = ? WHERE 中文姓名 = ?"), {password, name}) == 1;
}

} // namespace records
