#pragma once
// What the record printouts share: the template copy they fill and the hand-over of the result.
#include "db/Database.h"
#include "workbook/Workbook.h"

#include <QString>
#include <functional>
#include <memory>

namespace records {

inline constexpr const char* kPrintTitle = "Kavo III";

// A printout that could not be made; the text is the message for the user.
struct PrintError {
    QString message;
};

// Where a finished printout went: saved as `path`, shown in the spreadsheet application when
// `opened`.
struct PrintOutcome {
    QString path;
    bool opened = false;
};

// The template `name` of the folder Pother under the program folder, opened for filling. Throws
// PrintError: "找不到範本檔" and the path when it is missing, the reason when it cannot be read.
std::unique_ptr<wb::Workbook> openTemplate(const QString& programFolder, const QString& name);
// A printout of one statement: the template copied, `fill` given its first sheet and the records of
// `sql`, the result handed over. Throws PrintError (database and workbook failures with their
// reasons).
PrintOutcome printRecords(db::Database& db, const QString& programFolder, const QString& templateName,
                          const QString& sql, const std::function<void(wb::Sheet&, db::Recordset&)>& fill);
// Saves the filled workbook as a new file and opens it. Throws PrintError with the reason.
PrintOutcome handOver(wb::Workbook& book);
// The message after the hand-over: empty when the application shows the file, else the refusal
// with the path where the file was saved.
QString outcomeMessage(const PrintOutcome& outcome);

} // namespace records
