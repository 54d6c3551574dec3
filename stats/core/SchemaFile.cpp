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

namespace {
// The schema's mark, kept in the file's user_version: a file made from another version of the
// script (an older program) is told apart without reading its tables.
int schemaMark(const QString& script) {
    return int(qChecksum(script.toUtf8()) & 0x7fff) + 1;
}
} // namespace

db::DatabasePtr openOrCreate(const QString& folder, const QString& file, const QString& password,
                             const QString& schema, bool* created) {
    const QString path = QDir(folder).filePath(file);
    const QString script = schemaScript(schema);
    const int mark = schemaMark(script);
    if (QFileInfo::exists(path)) {
        db::DatabasePtr d = db::Database::open(path, password);
        if (d->scalar(QStringLiteral("PRAGMA user_version")).toInt() == mark)
            return d;
        // These files hold nothing but what the program fills before each use: one left by an
        // older version, with other tables or views, is made afresh.
        d.reset();
        if (!QFile::remove(path))
            throw db::DbError(db::ErrCannotOpen,
                              QStringLiteral("舊版的 %1 無法更新（檔案無法刪除）：%2").arg(file, path));
    }
    // Made here: a caller that fails from now on removes it again, whether the making, its first
    // read or the mark failed.
    if (created)
        *created = true;
    db::DatabasePtr d = db::Database::create(path, password, script);
    d->execute(QStringLiteral("PRAGMA user_version = %1").arg(mark));
    return d;
}

} // namespace stats
