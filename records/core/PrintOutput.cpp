#include "PrintOutput.h"

#include "mdM.h"
#include "system/System.h"
#include "text/TextCut.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QFileInfo>

namespace records {

std::unique_ptr<wb::Workbook> openTemplate(const QString& programFolder, const QString& name) {
    const QString path = sys::findFileNoCase(programFolder, QStringLiteral("Pother/") + name);
    if (!QFileInfo(path).isFile())
        throw PrintError{QStringLiteral("找不到範本檔\r\n") + QDir::toNativeSeparators(path)};
    try {
        return wb::Workbook::open(path);
    } catch (const wb::WorkbookError& e) {
        throw PrintError{e.reason()};
    }
}

void setCellText(wb::Sheet& sheet, int row, int col, const QString& text, int record, const QString& field,
                 QStringList& cut) {
    if (text.size() <= kMaxCellText) {
        sheet.setText(row, col, text);
        return;
    }
    const QString kept = text::cutToUnits(text, kMaxCellText);
    sheet.setText(row, col, kept);
    cut << cutNote(record, field, row, col, kept.toUcs4().size());
}

QString cutNote(int record, const QString& field, int row, int col, qsizetype kept) {
    return QStringLiteral("第 %1 筆 %2（%3）：保留前 %4 字")
        .arg(record)
        .arg(field, wb::cellName(row, col))
        .arg(kept);
}

PrintOutcome printRecords(db::Database& db, const QString& programFolder, const QString& templateName,
                          const QString& sql,
                          const std::function<void(wb::Sheet&, db::Recordset&, QStringList& cut)>& fill,
                          const TellCut& tellCut) {
    auto book = openTemplate(programFolder, templateName);
    QStringList cut;
    try {
        db::Recordset rs = db.query(sql);
        fill(book->sheet(1), rs, cut);
    } catch (const db::DbError& e) {
        throw PrintError{mdM::dbErrorText(e)};
    } catch (const wb::WorkbookError& e) {
        throw PrintError{e.reason()};
    }
    const bool told = tellCut && !cut.isEmpty();
    if (told)
        tellCut(cut);
    PrintOutcome outcome = handOver(*book);
    outcome.cut = cut;
    outcome.cutTold = told;
    return outcome;
}

PrintOutcome handOver(wb::Workbook& book) {
    try {
        const wb::Delivery d = wb::deliver(book, book.path());
        return PrintOutcome{d.path, d.opened, {}};
    } catch (const wb::WorkbookError& e) {
        throw PrintError{e.reason()};
    }
}

QString outcomeMessage(const PrintOutcome& outcome) {
    QStringList parts;
    if (!outcome.cut.isEmpty() && !outcome.cutTold)
        parts << wb::cutMessage(outcome.cut, QStringLiteral("\r\n"));
    if (!outcome.opened)
        parts << wb::notOpenedMessage(outcome.path);
    return parts.join(QStringLiteral("\r\n\r\n"));
}

} // namespace records
