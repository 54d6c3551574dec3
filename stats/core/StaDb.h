#pragma once
// The statistics database sta.mdb in the program folder: table 統計 and its saved queries.
#include "db/Database.h"
#include <QString>

namespace stats {

inline constexpr const char* kStaDbFile = "sta.mdb";
inline constexpr const char* kStaDbPassword = "tarnbolexis";

// Opens sta.mdb in `folder`, creating it from the schema when it is missing. Throws db::DbError
// when the file cannot be created or opened. `created`: as openOrCreate.
db::DatabasePtr openStaDb(const QString& folder, bool* created);
inline db::DatabasePtr openStaDb(const QString& folder) {
    return openStaDb(folder, nullptr);
}

} // namespace stats
