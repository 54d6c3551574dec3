#include "StaDb.h"

#include <QDir>
#include <QFile>

namespace stats {

db::DatabasePtr openStaDb(const QString& folder) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(kStaDbFile));
    if (!QFile::exists(path))
        return db::Database::create(path, QString::fromLatin1(kStaDbPassword),
                                    QStringLiteral("CREATE TABLE 統計(tre TEXT);"));
    return db::Database::open(path, QString::fromLatin1(kStaDbPassword));
}

} // namespace stats
