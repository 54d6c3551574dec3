#include "StaDb.h"

#include "SchemaFile.h"

namespace stats {

QString staSchema() {
    return schemaScript(QStringLiteral("sta/schema.sql"));
}

db::DatabasePtr openStaDb(const QString& folder) {
    auto d = openOrCreate(folder, QString::fromLatin1(kStaDbFile), QString::fromLatin1(kStaDbPassword),
                          QStringLiteral("sta/schema.sql"));
    // The whole table of a large quotation stays in the page cache: every page read or written
    // otherwise passes the cipher again.
    d->executeScript(QStringLiteral("PRAGMA cache_size = -65536; PRAGMA temp_store = MEMORY;"));
    return d;
}

} // namespace stats
