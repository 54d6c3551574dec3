#pragma once
// The database schemas built into the library, and creating a database file from one when missing.
#include "db/Database.h"
#include <QString>

namespace stats {

// The text of a schema script built into the library ("sta/schema.sql", "report/ptdemo.sql").
// Throws db::DbError when there is none of that name.
QString schemaScript(const QString& name);

// Opens the database `file` in `folder` with `password`, creating it from the schema script
// `schema` when the file is missing or was made from another version of the script (such a file
// is replaced: it holds only what the program refills before each use); `created`, when given, says
// whether it was. Throws db::DbError.
db::DatabasePtr openOrCreate(const QString& folder, const QString& file, const QString& password,
                             const QString& schema, bool* created = nullptr);

} // namespace stats
