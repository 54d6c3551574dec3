// Fills a program folder with what the program needs beside its executable: the settings files
// and the main database. Each is created only when missing, so a rebuild never overwrites the
// user's data or settings.
#include "db/Database.h"
#include "ReportDb.h"
#include "StaDb.h"
#include "mdM.h"
#include "text/Codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

bool ensureSettings(const QDir& dir, const QString& name, const QStringList& lines) {
    const QString path = dir.filePath(name);
    if (QFileInfo::exists(path))
        return true;
    QString error;
    if (!text::writeLines(path, lines, &error)) {
        std::fprintf(stderr, "kavo3-setup: %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

bool ensureDatabase(const QString& path, const QString& password, const QStringList& scripts) {
    if (QFileInfo::exists(path))
        return true;
    QString script;
    for (const QString& file : scripts) {
        // The SQL scripts are UTF-8, unlike the settings files in the code page.
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "kavo3-setup: cannot read %s\n", qPrintable(file));
            return false;
        }
        script += QString::fromUtf8(f.readAll()) + QLatin1Char('\n');
    }
    try {
        db::Database::create(path, password, script);
    } catch (const db::DbError& e) {
        std::fprintf(stderr, "kavo3-setup: %s: %d %s\n", qPrintable(path), e.number(),
                     qPrintable(e.description()));
        return false;
    }
    return true;
}

// The statistics and report databases, created from the schemas built into the program.
bool ensureBuiltIn(const QString& folder, const char* file,
                   db::DatabasePtr (*open)(const QString&)) {
    try {
        open(folder);
    } catch (const db::DbError& e) {
        std::fprintf(stderr, "kavo3-setup: %s: %d %s\n", file, e.number(), qPrintable(e.description()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kavo3-setup <program folder> <resources folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QDir res(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(dir.path()) || !QDir().mkpath(dir.filePath(QStringLiteral("quotes"))))
        return 1;

    bool ok = true;
    // Folders relative to the program folder: a copy of the folder works on its own data.
    ok &= ensureSettings(dir, QString::fromUtf8(mdM::kMdbPathIni),
                         {QStringLiteral("."), QStringLiteral("."), QStringLiteral("quotes")});
    ok &= ensureSettings(dir, QStringLiteral("auto.ini"), {QStringLiteral("0"), QStringLiteral("5")});
    ok &= ensureSettings(dir, QStringLiteral("Xp.ini"),
                         {QStringLiteral("8"), QStringLiteral("A"), QStringLiteral("A1"),
                          QStringLiteral("G39"), QStringLiteral("30")});
    ok &= ensureSettings(dir, QStringLiteral("fastP.ini"), {QStringLiteral("0")});
    ok &= ensureSettings(dir, QStringLiteral("Of.ini"), {});
    ok &= ensureDatabase(
        dir.filePath(QString::fromUtf8(mdM::kMainDbFile)), QString::fromUtf8(mdM::kMainDbPassword),
        {res.filePath(QStringLiteral("kavo3/schema.sql")), res.filePath(QStringLiteral("kavo3/seed.sql"))});
    ok &= ensureBuiltIn(dir.absolutePath(), stats::kStaDbFile, &stats::openStaDb);
    ok &= ensureBuiltIn(dir.absolutePath(), stats::kReportDbFile, &stats::openReportDb);
    return ok ? 0 : 1;
}
