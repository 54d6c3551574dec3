#pragma once
// The staff members as users: their login names and passwords. Throws db::DbError.
#include "db/Database.h"

#include <QString>
#include <optional>

namespace records {

// True when another member (not `name`) has that login name, letter case ignored.
bool loginTaken(db::Database& d, const QString& login, const QString& name);
// The stored password of the member of that name (empty for none stored); none without a row.
std::optional<QString> storedPassword(db::Database& d, const QString& name);
// Writes the member's password; false when no row has that name.
bool setPassword(db::Database& d, const QString& name, const QString& password);

} // namespace records
