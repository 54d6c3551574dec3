#include "LibreOffice.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace testlo {
namespace {

QString run(const QString& program, const QStringList& args, int timeoutMs, QString* error) {
    const QString exe = QStandardPaths::findExecutable(program);
    if (exe.isEmpty()) {
        *error = program + QStringLiteral(" is not installed");
        return {};
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(exe, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        *error = program + QStringLiteral(" did not finish");
        return {};
    }
    const QString out = QString::fromUtf8(p.readAll());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        *error = program + QStringLiteral(" failed: ") + out;
    return out;
}

// Runs LibreOffice headless with a profile of its own; its output, or empty with the error set.
QString convert(const QStringList& files, const QString& filter, const QString& outDir, QString* error) {
    QTemporaryDir profile;
    if (!profile.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return {};
    }
    QStringList args = {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                        QStringLiteral("--headless"), QStringLiteral("--norestore"),
                        QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), outDir};
    args += files;
    error->clear();
    return run(QStringLiteral("soffice"), args, 180000, error);
}

} // namespace

bool convertToPdf(const QStringList& workbooks, const QString& outDir, QString* error) {
    const QString out = convert(workbooks, QStringLiteral("pdf"), outDir, error);
    if (!error->isEmpty())
        return false;
    for (const QString& w : workbooks)
        if (!QFileInfo::exists(pdfPathFor(w, outDir))) {
            *error = QStringLiteral("no PDF for %1: %2").arg(w, out);
            return false;
        }
    return true;
}

bool convertTo(const QString& workbook, const QString& filter, const QString& outDir, QString* error) {
    const QString out = convert({workbook}, filter, outDir, error);
    if (error->isEmpty() && !QFileInfo::exists(QDir(outDir).filePath(QFileInfo(workbook).fileName())))
        *error = QStringLiteral("nothing written for %1: %2").arg(workbook, out);
    return error->isEmpty();
}

QString pdfPathFor(const QString& workbook, const QString& outDir) {
    return QDir(outDir).filePath(QFileInfo(workbook).completeBaseName() + QStringLiteral(".pdf"));
}

QString pdfText(const QString& pdf, bool layout) {
    QString error;
    QStringList args;
    if (layout)
        args << QStringLiteral("-layout");
    args << pdf << QStringLiteral("-");
    const QString text = run(QStringLiteral("pdftotext"), args, 60000, &error);
    return error.isEmpty() ? text : QString();
}

int pdfPages(const QString& pdf) {
    QString error;
    const QString info = run(QStringLiteral("pdfinfo"), {pdf}, 60000, &error);
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return error.isEmpty() && m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace testlo
