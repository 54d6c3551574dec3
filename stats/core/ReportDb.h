#pragma once
// The report database ptdemo.mdb in the program folder: the tables the two reports read (phead,
// pbody, pfp, ps0 to ps4). No password.
#include "db/Database.h"
#include <QString>

namespace stats {

inline constexpr const char* kReportDbFile = "ptdemo.mdb";

// Opens ptdemo.mdb in `folder`, creating it when it is missing (`created`: as openOrCreate). Throws
// db::DbError.
db::DatabasePtr openReportDb(const QString& folder, bool* created);
inline db::DatabasePtr openReportDb(const QString& folder) {
    return openReportDb(folder, nullptr);
}

} // namespace stats
