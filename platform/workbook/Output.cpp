// Where printouts are saved and how they reach the desktop's spreadsheet application.
#include "Workbook.h"

#include "system/System.h"
#include "text/TextCut.h"
#include "ui/Dialogs.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace wb {
namespace {

QString& folderOverride() {
    static QString folder;
    return folder;
}

bool (*&opener())(const QString&) {
    static bool (*fn)(const QString&) = nullptr;
    return fn;
}

// The spreadsheet application started but could not show the workbook: its lock file goes (a
// failed LibreOffice leaves one beside the workbook) and the user learns where the workbook is.
void viewerFailed(const QString& path) {
    const QFileInfo info(path);
    QFile::remove(info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + u'#'));
    ui::msgBox(viewerFailedMessage(path), ui::Buttons::OK, ui::Icon::Exclamation);
}

bool desktopOpen(const QString& path) {
    return sys::openWithSpreadsheetApp(path, [path] { viewerFailed(path); });
}

} // namespace

QString outputFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    return QDir(docs).filePath(QStringLiteral("Kavo III/列印"));
}

void setOutputFolder(const QString& folder) {
    folderOverride() = folder;
}

QString newOutputPath(const QString& templatePath) {
    const QString folder = outputFolder();
    if (!QDir().mkpath(folder))
        throw WorkbookError(QStringLiteral("無法建立輸出資料夾：%1").arg(folder));
    const QString stem = QFileInfo(templatePath).completeBaseName();
    const QString time = u'_' + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QDir(folder).filePath(text::fitFileName(stem, time + QStringLiteral(".xlsx")));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(
            text::fitFileName(stem, time + u'-' + QString::number(n) + QStringLiteral(".xlsx")));
    return path;
}

QString saveOutput(Workbook& book, const QString& templatePath) {
    // Another print may take the name between choosing and saving: then the next name is tried.
    for (int attempt = 0;; ++attempt) {
        const QString path = newOutputPath(templatePath);
        try {
            book.save(path, false);
            return path;
        } catch (const WorkbookError&) {
            if (attempt >= 3 || !QFileInfo::exists(path))
                throw;
        }
    }
}

bool spreadsheetAppInstalled() {
    return sys::spreadsheetAppInstalled();
}

bool openInSpreadsheetApp(const QString& path) {
    if (opener())
        return opener()(path);
    return desktopOpen(path);
}

void setSpreadsheetOpener(bool (*fn)(const QString& path)) {
    opener() = fn;
}

Delivery deliver(Workbook& book, const QString& templatePath) {
    Delivery d;
    book.showFirstWindow();
    d.path = saveOutput(book, templatePath);
    d.opened = spreadsheetAppInstalled() && openInSpreadsheetApp(d.path);
    return d;
}

QString notOpenedMessage(const QString& path) {
    return QStringLiteral("系統偵測無 Excel\r\n無法列印\r\n") + QDir::toNativeSeparators(path);
}

QString viewerFailedMessage(const QString& path) {
    return QStringLiteral("試算表程式無法開啟這份列印\r\n活頁簿已存於：\r\n") + QDir::toNativeSeparators(path);
}

} // namespace wb
