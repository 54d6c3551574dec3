#include "System.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>

namespace sys {
namespace {

QString& folderOverride() {
    static QString folder;
    return folder;
}

std::function<void(int)>& exitHandler() {
    static std::function<void(int)> handler;
    return handler;
}

bool& exitFlag() {
    static bool flag = false;
    return flag;
}

std::optional<bool>& spreadsheetOverride() {
    static std::optional<bool> installed;
    return installed;
}

constexpr auto kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

// Whether the desktop names a default application for .xlsx workbooks.
bool desktopHasXlsxDefault() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                      QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
           !p.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

QString programFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

void setProgramFolder(const QString& folder) {
    folderOverride() = folder;
}

QString programFile(const QString& name) {
    return findFileNoCase(programFolder(), name);
}

QString findFileNoCase(const QString& dir, const QString& name) {
    const QString exact = QDir(dir).filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    // Resolve the name part by part ("Pother/list.xls"), each part whatever its letter case.
    QString path = dir;
    const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QStringList entries = QDir(path).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const QString& e) { return e.compare(part, Qt::CaseInsensitive) == 0; });
        if (it == entries.end())
            return exact;
        path = QDir(path).filePath(*it);
    }
    return path;
}

namespace {
// Spreadsheet applications that open a workbook named on their command line.
constexpr const char* kSpreadsheetApps[] = {"localc", "libreoffice", "soffice", "gnumeric", "et"};
} // namespace

bool spreadsheetAppInstalled() {
    if (spreadsheetOverride())
        return *spreadsheetOverride();
    for (const char* app : kSpreadsheetApps)
        if (!QStandardPaths::findExecutable(QString::fromLatin1(app)).isEmpty())
            return true;
    return desktopHasXlsxDefault();
}

namespace {

// How long a spreadsheet application may take to show a workbook.
constexpr qint64 kViewerStartMs = 120000;

// The viewer's environment: this program's with messages in Traditional Chinese, the program's
// own language, whatever the desktop's; LibreOffice takes its menus and dialogs from LC_MESSAGES
// (its language pack is enough, the system locale need not exist). LC_ALL would override it, so
// its value moves to LANG, where it still decides every other category.
QProcessEnvironment viewerEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString all = env.value(QStringLiteral("LC_ALL"));
    if (!all.isEmpty()) {
        const QStringList names = env.keys();
        for (const QString& name : names)
            if (name.startsWith(QLatin1String("LC_")))
                env.remove(name); // LC_ALL overrode them
        env.insert(QStringLiteral("LANG"), all);
    }
    env.insert(QStringLiteral("LC_MESSAGES"), QStringLiteral("zh_TW.UTF-8"));
    return env;
}

// Starts `exe` on the workbook without waiting for it; a viewer that ends with a failure (an exit
// code other than 0, or a crash) while it starts calls `failed` from the event loop.
bool startViewer(const QString& exe, const QString& path, const std::function<void()>& failed) {
    // No parent: the viewer outlives the window that printed, and the program's end leaves it
    // open (a QProcess that is destroyed would end it).
    auto* viewer = new QProcess;
    viewer->setProgram(exe);
    viewer->setArguments({path});
    viewer->setProcessEnvironment(viewerEnvironment());
    viewer->setStandardInputFile(QProcess::nullDevice());
    viewer->setStandardOutputFile(QProcess::nullDevice());
    viewer->setStandardErrorFile(QProcess::nullDevice());
    viewer->start();
    if (!viewer->waitForStarted(5000)) {
        delete viewer;
        return false;
    }
    // A viewer that fails does so while it starts; one that ends badly long after (the user worked
    // in it for an hour) says nothing about this workbook.
    QElapsedTimer running;
    running.start();
    QObject::connect(viewer, &QProcess::finished, viewer,
                     [viewer, failed, running](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && failed &&
                             running.elapsed() < kViewerStartMs)
                             failed();
                         viewer->deleteLater();
                     });
    return true;
}

} // namespace

bool openWithSpreadsheetApp(const QString& path, const std::function<void()>& failed) {
    // The desktop's own choice first; without one, the first spreadsheet application installed
    // (xdg-open would otherwise hand the workbook to whatever opens any file, or to nothing).
    if (desktopHasXlsxDefault()) {
        const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!xdgOpen.isEmpty() && startViewer(xdgOpen, path, failed))
            return true;
    }
    for (const char* app : kSpreadsheetApps) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(app));
        if (!exe.isEmpty() && startViewer(exe, path, failed))
            return true;
    }
    return false;
}

void setSpreadsheetAppOverride(std::optional<bool> installed) {
    spreadsheetOverride() = installed;
}

QStringList withRareCharacters(QStringList families) {
    const QString rare = QString::fromLatin1(kRareCharactersFamily);
    if (!families.contains(rare))
        families << rare;
    return families;
}

bool setReadOnly(const QString& path, bool readOnly) {
    if (!QFileInfo::exists(path))
        return false;
    QFile::Permissions p = QFile::permissions(path);
    // Qt maps the "User" flags onto the owner's bits when setting, so they go too.
    p = readOnly ? (p & ~(kAnyWrite | QFile::WriteUser)) : (p | QFile::WriteOwner);
    return QFile::setPermissions(path, p);
}

bool isReadOnly(const QString& path) {
    return QFileInfo::exists(path) && !(QFile::permissions(path) & kAnyWrite);
}

QString autosavePath() {
    return programFile(QStringLiteral("autosave.kav"));
}

void exitProgram(int code) {
    exitFlag() = true;
    if (exitHandler()) {
        exitHandler()(code);
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(code);
    } else {
        // No event loop yet (e.g. the login gave up before the main loop): the loop ends as
        // soon as it starts.
        QMetaObject::invokeMethod(
            app, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    }
}

void setExitHandler(std::function<void(int)> handler) {
    exitHandler() = std::move(handler);
}

bool exitRequested() {
    return exitFlag();
}

void resetExitRequested() {
    exitFlag() = false;
}

} // namespace sys
