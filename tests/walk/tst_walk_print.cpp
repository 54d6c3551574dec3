// The spreadsheet printouts walked under a failing database: the quotation's, one of each layout,
// the catalogue's and the record lists'.
#include "PrintCommands.h"
#include "TemplateDescription.h"
#include "Walk.h"
#include "WalkEditor.h"
#include "frmEng.h"
#include "frmPrt.h"
#include "frmPsel.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QListWidget>

using namespace walk;

namespace {

// Prints with a spreadsheet command: its template chosen in the open-file dialog.
void print(const char* item) {
    const xlprint::PrintCommand* c = xlprint::findPrintCommand(QString::fromLatin1(item));
    Walker::dialogs().expectOpenFile(QDir(xlprint::templateFolderOf(*c, mdM::TemplateFolder))
                                         .filePath(QString::fromUtf8(c->templateFile)));
    trigger(item);
}
// The shipped templates in the program folder: written once, copied for every run.
void writeTemplates() {
    static QTemporaryDir made;
    static const std::vector<tpl::TemplateSpec> all = [] {
        QString error;
        std::vector<tpl::TemplateSpec> specs = tpl::allTemplates();
        for (const tpl::TemplateSpec& t : specs)
            tpl::writeTemplate(t, made.filePath(t.relativePath), &error);
        return specs;
    }();
    const QDir program(sys::programFolder());
    for (const tpl::TemplateSpec& t : all) {
        program.mkpath(QFileInfo(program.filePath(t.relativePath)).path());
        QFile::copy(made.filePath(t.relativePath), program.filePath(t.relativePath));
    }
}
// The record list's column chooser of customers (party 1) with two columns chosen.
void columnChooser() {
    writeTemplates();
    openMainDb();
    mdM::ListPrintParty = 1;
    frmPrt* f = form<frmPrt>();
    f->fillFields(1);
    f->lstOr->item(0)->setSelected(true);
    f->lstOr->item(1)->setSelected(true);
    f->cmAd_Click();
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
                    {QStringLiteral("r:company"), QStringLiteral("統計")},
                    [] {
                        writeTemplates();
                        editorWithQuotation();
                    },
                    [item] { print(item); },
                    {},
                    kDiscard});
    for (const char* button : {"cmdPrK", "cmdPrt", "cmdPrd", "cmdPo"})
        all.append({QStringLiteral("工程資料詞庫: 列印 ") + QLatin1String(button),
                    {},
                    [] {
                        writeTemplates();
                        openMainDb();
                        form<frmEng>();
                    },
                    [button] { click<frmEng>(button); }});
    all.append({QStringLiteral("客戶資料: 列印 標籤"),
                {QStringLiteral("r:客戶")},
                [] {
                    writeTemplates();
                    openMainDb();
                    mdM::ListPrintParty = 1;
                    form<frmPsel>();
                },
                [] { ui::Default<frmPsel>::get()->cmdNext_Click(); }});
    all.append({QStringLiteral("客戶資料: 列印 報表"), {QStringLiteral("r:客戶")}, columnChooser, [] {
                    ui::Default<frmPrt>::get()->cmdP_Click();
                }});
    return all;
}

} // namespace

WALK_MAIN(rows)
