#include "ReportDb.h"

#include "SchemaFile.h"

namespace stats {

db::DatabasePtr openReportDb(const QString& folder, bool* created) {
    return openOrCreate(folder, QString::fromLatin1(kReportDbFile), QString(),
                        QStringLiteral("report/ptdemo.sql"), created);
}

} // namespace stats
