#include "StaDb.h"

#include "SchemaFile.h"

namespace stats {

db::DatabasePtr openStaDb(const QString& folder) {
    return openOrCreate(folder, QString::fromLatin1(kStaDbFile), QString::fromLatin1(kStaDbPassword),
                        QStringLiteral("sta/schema.sql"));
}

} // namespace stats
