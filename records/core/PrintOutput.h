#pragma once
// What the record printouts share: the template copy they fill and the hand-over of the result.
#include "db/Database.h"
#include "workbook/Workbook.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace records {

inline constexpr const char* kPrintTitle = "Kavo III";
using wb::kMaxCellText;

// A printout that could not be made; the text is the message for the user.
struct PrintError {
    QString message;
};

// Where a finished printout went: saved as `path`, shown in the spreadsheet application when
// `opened`; the cells whose text was cut to fit, named by record, and whether they were told before
// the hand-over.
struct PrintOutcome {
    QString path;
    bool opened = false;
    QStringList cut;
    bool cutTold = false;
};

// Tells the user the cells cut, before the hand-over: the spreadsheet application it opens would
// stand over a message shown after it.
using TellCut = std::function<void(const QStringList& cut)>;

// Writes `text` into a cell. A text longer than a cell holds is cut at a character boundary to fit,
// and the cell named in `cut` by its record (the `record`th of the printout, from 1) and `field`.
void setCellText(wb::Sheet& sheet, int row, int col, const QString& text, int record, const QString& field,
                 QStringList& cut);
// How a cut is named: "第 3 筆 公司地址（B7）：保留前 40 字", with the characters of the field kept.
QString cutNote(int record, const QString& field, int row, int col, qsizetype kept);

// The template `name` of the folder Pother under the program folder, opened for filling. Throws
// PrintError: "找不到範本檔" and the path when it is missing, the reason when it cannot be read.
std::unique_ptr<wb::Workbook> openTemplate(const QString& programFolder, const QString& name);
// A printout of one statement: the template copied, `fill` given its first sheet, the records of
// `sql` and the list of cut cells, the cells cut given to `tellCut` (when there are any), the
// result handed over. Throws PrintError (database and workbook failures with their reasons).
PrintOutcome printRecords(db::Database& db, const QString& programFolder, const QString& templateName,
                          const QString& sql,
                          const std::function<void(wb::Sheet&, db::Recordset&, QStringList& cut)>& fill,
                          const TellCut& tellCut = {});
// Saves the filled workbook as a new file and opens it. Throws PrintError with the reason.
PrintOutcome handOver(wb::Workbook& book);
// The message after the hand-over: the cut cells not told before it, and the path where the file was
// saved when the application cannot show it; empty when there is neither.
QString outcomeMessage(const PrintOutcome& outcome);

} // namespace records
