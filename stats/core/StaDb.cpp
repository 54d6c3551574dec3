#include "StaDb.h"

#include "SchemaFile.h"

namespace stats {

db::DatabasePtr openStaDb(const QString& folder, bool* created) {
    return openOrCreate(folder, QString::fromLatin1(kStaDbFile), QString::fromLatin1(kStaDbPassword),
                        QStringLiteral("sta/schema.sql"), created);
}

} // namespace stats
