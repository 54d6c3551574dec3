#pragma once
// What each of the catalogue printouts writes into the first worksheet of its template: cells by
// 1-based row and column, values as the database returns them (text as text, numbers as numbers),
// group labels as the group's name followed by "：". An empty source gives no cell at all.
#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace wb {
class Sheet;
}

namespace catalog {

struct PrintCell {
    int row = 0;
    int column = 0;
    QVariant value;
    bool operator==(const PrintCell&) const = default;
};

// Template file names in the Pother folder.
inline constexpr const char* kVocabularyTemplate = "其他詞庫.xlsx";
inline constexpr const char* kMarkupTemplate = "細項加成.xlsx";
inline constexpr const char* kCategoryTemplate = "工程類別.xlsx";
inline constexpr const char* kWorkKindTemplate = "工程種類.xlsx";

// The first row the fills write to; the templates' titles and headings stand above it.
inline constexpr int kFirstPrintRow = 3;

// Twelve vocabulary lists (all but the ratios), list i down column i + 1 from row 3.
QVector<PrintCell> vocabularyCells(db::Database& d);
// The same of the lists given (by list index), as the window shows them.
QVector<PrintCell> vocabularyCells(const QVector<QStringList>& lists);
// Categories with their areas (saved query Pk2a): each category in a column pair, its label at
// row 3 of the left column, its areas down the right column.
QVector<PrintCell> categoryCells(db::Database& d);
// Work kinds with their items (Pt2w): A1 the title, the kind's label beside its first item, the
// item, unit, cost and ratio in columns 2 to 5, one row each.
QVector<PrintCell> workKindCells(db::Database& d);
// Work items with their markups (Pt2w2d): kind and item labels beside each item's first markup,
// the detail and the amount in columns 3 and 4.
QVector<PrintCell> markupCells(db::Database& d);

// Writes the cells into the sheet, numbers as numbers and the rest as text. A text in a cell whose
// format wraps (as the shipped templates' do) keeps the lines the highest row shows, its row made as
// high as they need; any other the one line it shows over the empty cells to its right (up to the
// last column the sheet uses). One that lost characters is named in the list returned, by its column's
// heading (row 2) and its cell: "頁尾備註（F5）：保留前 40 字".
QStringList writeCells(wb::Sheet& sheet, const QVector<PrintCell>& cells);

} // namespace catalog
