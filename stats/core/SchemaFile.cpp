#include "SchemaFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace stats {

QString schemaScript(const QString& name) {
    QFile f(QStringLiteral(":/schemas/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw db::DbError(db::ErrObjectNotFound, QStringLiteral("No schema %1").arg(name));
    return QString::fromUtf8(f.readAll()); // the scripts are UTF-8
}

db::DatabasePtr openOrCreate(const QString& folder, const QString& file, const QString& password,
                             const QString& schema) {
    const QString path = QDir(folder).filePath(file);
    if (!QFileInfo::exists(path))
        return db::Database::create(path, password, schemaScript(schema));
    return db::Database::open(path, password);
}

} // namespace stats
