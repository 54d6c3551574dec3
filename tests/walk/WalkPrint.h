#pragma once
// The spreadsheet printouts as the walk's rows start them: the shipped templates in the program
// folder, the printouts kept out of the way.
#include "PrintCommands.h"
#include "TemplateDescription.h"
#include "Walk.h"
#include "WalkEditor.h"
#include "frmPrt.h"
#include "frmPsel.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

namespace walk {

// Prints with a spreadsheet command: its template chosen in the open-file dialog.
inline void print(const char* item) {
    const xlprint::PrintCommand* c = xlprint::findPrintCommand(QString::fromLatin1(item));
    Walker::dialogs().expectOpenFile(QDir(xlprint::templateFolderOf(*c, mdM::TemplateFolder))
                                         .filePath(QString::fromUtf8(c->templateFile)));
    trigger(item);
}
// The shipped templates in the program folder: written once, copied for every run.
inline void writeTemplates() {
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
// The record list's column chooser of a party (1 customers, 2 vendors, 3 staff) with two columns
// chosen.
inline void columnChooser(int party) {
    writeTemplates();
    openMainDb();
    mdM::ListPrintParty = party;
    frmPrt* f = form<frmPrt>();
    f->fillFields(party);
    f->lstOr->item(0)->setSelected(true);
    f->lstOr->item(1)->setSelected(true);
    f->cmAd_Click();
}
// Printouts go to a folder of their own and no spreadsheet application opens.
inline void quietPrintouts() {
    static QTemporaryDir out;
    wb::setOutputFolder(out.path());
    wb::setSpreadsheetOpener([](const QString&) { return true; });
    sys::setSpreadsheetAppOverride(true);
}
// The quotation's spreadsheet printouts of the given print items.
inline QList<Row> spreadsheetPrints(std::initializer_list<const char*> items) {
    QList<Row> all;
    for (const char* item : items)
        all.append({QStringLiteral("報價單: 試算表列印 ") + QLatin1String(item),
                    {QStringLiteral("r:company"), QStringLiteral("統計")},
                    [] {
                        writeTemplates();
                        editorWithQuotation();
                    },
                    [item] { print(item); },
                    {},
                    kDiscard});
    return all;
}

} // namespace walk
