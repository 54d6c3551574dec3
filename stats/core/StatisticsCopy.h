#pragma once
// The statistics window's copy to the workbook: the grid's cells into a fresh copy of the template
// Pother/統計.xlsx, opened in the spreadsheet application.
#include <QList>
#include <QString>
#include <QStringList>

namespace stats {

inline constexpr const char* kStatisticsTemplate = "Pother/統計.xlsx";

// Writes `cells` (row 0 the header) from cell A1 of the template's first sheet in `programFolder`,
// saves the copy in the printouts folder and opens it. The header row and the name column go in as
// text; other cells that are numbers as a whole go in as numbers, the rest as text; the filled range is ruled and a total line (`totalLine`: the last
// row) is bold. Returns the message to show: empty when the copy was opened.
QString copyStatisticsToWorkbook(const QList<QStringList>& cells, bool totalLine,
                                 const QString& programFolder);

} // namespace stats
