#include "StaDb.h"

#include "SchemaFile.h"

namespace stats {

QString staSchema() {
    return schemaScript(QStringLiteral("sta/schema.sql"));
}

db::DatabasePtr openStaDb(const QString& folder) {
    return openOrCreate(folder, QString::fromLatin1(kStaDbFile), QString::fromLatin1(kStaDbPassword),
                        QStringLiteral("sta/schema.sql"));
}

} // namespace stats
