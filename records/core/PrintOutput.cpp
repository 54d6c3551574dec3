#include "PrintOutput.h"

#include "mdM.h"
#include "system/System.h"
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

PrintOutcome printRecords(db::Database& db, const QString& programFolder, const QString& templateName,
                          const QString& sql, const std::function<void(wb::Sheet&, db::Recordset&)>& fill) {
    auto book = openTemplate(programFolder, templateName);
    try {
        db::Recordset rs = db.query(sql);
        fill(book->sheet(1), rs);
    } catch (const db::DbError& e) {
        throw PrintError{mdM::dbErrorText(e)};
    } catch (const wb::WorkbookError& e) {
        throw PrintError{e.reason()};
    }
    return handOver(*book);
}

PrintOutcome handOver(wb::Workbook& book) {
    try {
        const wb::Delivery d = wb::deliver(book, book.path());
        return PrintOutcome{d.path, d.opened};
    } catch (const wb::WorkbookError& e) {
        throw PrintError{e.reason()};
    }
}

QString outcomeMessage(const PrintOutcome& outcome) {
    if (outcome.opened)
        return {};
    return wb::notOpenedMessage(outcome.path);
}

} // namespace records
