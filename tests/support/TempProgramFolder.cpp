#include "TempProgramFolder.h"

#include "db/Database.h"
#include "mdM.h"
#include "system/System.h"
#include "text/Codec.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#ifndef KAVO_RESOURCES
#error "KAVO_RESOURCES must name the resources folder"
#endif

namespace {

// A main database made once per test program; each test gets a copy of it (making one runs the
// whole schema and seed script and derives the key, which is slow).
QString prototypeMainDb() {
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty() && QFile::exists(path))
        return path;
    if (!dir.isValid())
        return {};
    const QString script = TempProgramFolder::mainDbScript();
    if (script.isEmpty())
        return {};
    const QString p = dir.filePath(QString::fromUtf8(mdM::kMainDbFile));
    try {
        db::Database::create(p, QString::fromUtf8(mdM::kMainDbPassword), script);
    } catch (const db::DbError& e) {
        qWarning().noquote() << "TempProgramFolder: cannot create the main database:" << e.number()
                             << e.description();
        QFile::remove(p);
        return {};
    }
    path = p;
    return path;
}

} // namespace

TempProgramFolder::TempProgramFolder() : m_previous(sys::programFolder()) {
    if (m_dir.isValid())
        sys::setProgramFolder(m_dir.path());
}

TempProgramFolder::~TempProgramFolder() {
    sys::setProgramFolder(m_previous);
}

QString TempProgramFolder::file(const QString& name) const {
    return m_dir.filePath(name);
}

QString TempProgramFolder::mkdir(const QString& name) const {
    const QString p = m_dir.filePath(name);
    QDir().mkpath(p);
    return p;
}

bool TempProgramFolder::writeSettings(const QString& name, const QStringList& lines) const {
    QString error;
    if (text::writeLines(file(name), lines, &error))
        return true;
    qWarning().noquote() << "TempProgramFolder: cannot write" << name << error;
    return false;
}

QStringList TempProgramFolder::readSettings(const QString& name) const {
    return text::readLines(file(name)).value_or(QStringList());
}

bool TempProgramFolder::writeMdbPath(const QString& dbFolder, const QString& templateFolder,
                                     const QString& quoteFolder) const {
    return writeSettings(QString::fromUtf8(mdM::kMdbPathIni), {dbFolder, templateFolder, quoteFolder});
}

QString TempProgramFolder::createMainDb(const QString& folder) const {
    const QString dir = folder.isEmpty() ? path() : folder;
    QDir().mkpath(dir);
    const QString proto = prototypeMainDb();
    if (proto.isEmpty())
        return {};
    const QString target = QDir(dir).filePath(QString::fromUtf8(mdM::kMainDbFile));
    QFile::remove(target);
    if (!QFile::copy(proto, target)) {
        qWarning().noquote() << "TempProgramFolder: cannot copy the main database to" << target;
        return {};
    }
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return target;
}

QString TempProgramFolder::mainDbScript() {
    const QString schema = readResource(QStringLiteral("schema.sql"));
    const QString seed = readResource(QStringLiteral("seed.sql"));
    if (schema.isEmpty())
        return {};
    return schema + QStringLiteral("\n") + seed;
}

QString TempProgramFolder::readResource(const QString& name) {
    QFile f(QStringLiteral(KAVO_RESOURCES "/kavo3/") + name);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "TempProgramFolder: cannot read" << f.fileName() << f.errorString();
        return {};
    }
    return QString::fromUtf8(f.readAll());
}
