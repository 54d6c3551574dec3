// The quotation's spreadsheet printouts, one of each layout, walked under a failing database.
#include "PrintCommands.h"
#include "TemplateDescription.h"
#include "Walk.h"
#include "WalkEditor.h"
#include "workbook/Workbook.h"

#include <QDir>

using namespace walk;

namespace {

// Prints with a spreadsheet command: its template chosen in the open-file dialog.
void print(const char* item) {
    const xlprint::PrintCommand* c = xlprint::findPrintCommand(QString::fromLatin1(item));
    Walker::dialogs().expectOpenFile(
        QDir(xlprint::templateFolderOf(*c, mdM::TemplateFolder)).filePath(QString::fromUtf8(c->templateFile)));
    trigger(item);
}
void writeTemplates() {
    QString error;
    for (const tpl::TemplateSpec& t : tpl::quotationTemplates())
        if (!QFile::exists(QDir(sys::programFolder()).filePath(t.relativePath)))
            tpl::writeTemplate(t, QDir(sys::programFolder()).filePath(t.relativePath), &error);
}
bool openedNothing(const QString&) {
    return true;
}

QList<Row> rows() {
    // Printouts go to a folder of their own and no spreadsheet application opens.
    static QTemporaryDir out;
    wb::setOutputFolder(out.path());
    wb::setSpreadsheetOpener(&openedNothing);
    sys::setSpreadsheetAppOverride(true);
    QList<Row> all;
    for (const char* item : {"mPa", "mPnw", "mAs", "mWs", "mPac"})
        all.append({QStringLiteral("報價單: 試算表列印 ") + QLatin1String(item),
                    {QStringLiteral("company"), QStringLiteral("統計")},
                    [] {
                        writeTemplates();
                        editorWithQuotation();
                    },
                    [item] { print(item); }, {}, kDiscard});
    return all;
}

QMap<QString, QString> knownFailures() {
    return {};
}

} // namespace

WALK_MAIN(rows, knownFailures)
