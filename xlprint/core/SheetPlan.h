#pragma once
// A print job as data: the cells each sheet receives and how its pages are laid out, planned
// before any workbook is touched; then written into a workbook through PrintBook.
#include "PrintSettings.h"
#include "workbook/Workbook.h"

#include <QString>
#include <QVariant>
#include <QVector>

namespace xlprint {

enum class Align { None, Left, Right };

struct CellOut {
    int row = 0; // sheet row, from 1
    int col = 0; // sheet column, from 1
    QVariant value;
    Align align = Align::None;
    QString numberFormat; // empty: the template's
    bool bold = false;
    // A text that may run on over the empty cells to its right up to this column (the page's
    // edge): measured, cut to what prints there and named by `field` (0: written as it is).
    int runsTo = 0;
    QString field;
};

struct SheetPlan {
    int sheet = 1;       // position in the workbook, from 1
    int columnBreak = 0; // a vertical page break before this column (0: none)
    int pageCopies = 0;  // copies of the page range below the first page
    int copyLastCol = 0; // last column of each copy (the page range's, or wider)
    int insertAt = 10;   // single sheet: rows inserted above this row
    int insertRows = 0;
    QVector<CellOut> cells; // written in this order, after the pages are laid out
};

// The group rows of a cover page against the rows its page holds above the page-end remarks.
struct CoverFit {
    int groups = 0; // group rows of the quotation
    int holds = 0;  // group rows the cover holds with its fee and totals rows
    bool fits() const { return groups <= holds; }
};

struct JobPlan {
    QVector<SheetPlan> sheets;
    int lineCount = 0;     // the detail line estimate the page count starts from
    int lastHeaderCol = 0; // placeholder area: columns 1 to this
    CoverFit cover;        // layouts with a cover page
    bool hasCover = false;
};

// A merged block of cells, rows and columns from 1.
struct Block {
    int top = 0, left = 0, bottom = 0, right = 0;
    bool holds(int row, int col) const { return row >= top && row <= bottom && col >= left && col <= right; }
};

// The room of a cell's text: its width in characters of the sheet's default font, the family and
// size in points of its font, and whether the text wraps onto more lines.
struct TextCell {
    double width = 0;
    double fontSize = 11;
    QString family;
    bool wraps = false;
};

// A header placeholder, its value and the field it shows as the quotation editor names it.
struct Placeholder {
    QString key; // "#工程地址#"
    QString value;
    QString field; // "工程地址"
};

// The workbook as the layouts write it. Rows and columns from 1.
class PrintSheet {
public:
    virtual ~PrintSheet() = default;
    virtual QVariant value(int row, int col) const = 0;
    virtual void setValue(int row, int col, const QVariant& v) = 0;
    virtual void setAlign(int row, int col, Align a) = 0;
    virtual void setNumberFormat(int row, int col, const QString& format) = 0;
    virtual void setBold(int row, int col) = 0;
    // Values and formats of the block copied with its upper-left cell onto (destRow, destCol).
    virtual void copyRange(int top, int left, int bottom, int right, int destRow, int destCol) = 0;
    virtual void addRowBreak(int row) = 0;    // a page starts at this row
    virtual void addColumnBreak(int col) = 0; // a page ends before this column
    virtual double rowHeight(int row) const = 0;
    virtual void setRowHeight(int row, double height) = 0;
    virtual void insertRows(int row, int count) = 0; // rows shift down
    // The last row holding a value or a format (0 for an empty sheet).
    virtual int lastRow() const = 0;
    // The sheet's own name as its tab shows it; empty when it has none.
    virtual QString name() const { return {}; }
    virtual QVector<Block> merges() const { return {}; }
    // The room of the text of a cell (see wb::textRoom): its block (its merged columns) when it
    // wraps, is justified or distributed (it then wraps too), shrinks to fit or is merged; else the cell and the empty cells beside it that the text runs on over as its
    // alignment spreads it (left: to its right up to column `lastCol`; right: to its left; centred:
    // both ways, as far as the narrower side). nullopt when it is not known (the text is then not
    // measured).
    virtual std::optional<TextCell> textCell(int /*row*/, int /*col*/, int /*lastCol*/) const {
        return std::nullopt;
    }
};

class PrintBook {
public:
    virtual ~PrintBook() = default;
    virtual int sheetCount() const = 0;
    virtual PrintSheet* sheet(int position) = 0; // from 1; nullptr when missing
};

using wb::kMaxCellText;

// The header placeholders replaced in rows 1 to lastRow and columns 1 to lastCol of the first two
// sheets (as many as the workbook has). A cell is rewritten only when it holds a placeholder.
// Every such text is measured as its font draws it: in a cell whose text wraps it takes at most
// kHeaderLines lines, its row as high as they need; in any other it takes one line of its room
// (see PrintSheet::textCell). The rest is cut (never more than kMaxCellText is kept), and each
// field that lost characters is named in `cut` with its sheet and cell and the characters of it
// kept.
inline constexpr int kHeaderLines = 3;
void fillPlaceholders(PrintBook& book, int lastRow, int lastCol, const QVector<Placeholder>& values,
                      QStringList* cut = nullptr);

// Lays out the pages and writes the cells: a text longer than a cell holds cut to kMaxCellText, a
// text that runs on (CellOut::runsTo) to one line of its room as above. The reason when a planned sheet is
// missing or a cell would be written into a merged block (nothing of that sheet's cells is then
// written), else empty.
QString applyPlan(const JobPlan& plan, const Geometry& g, PrintBook& book, QStringList* cut = nullptr);

// The data rows of a page (S to S + P - 1) against what the sheet holds in its page range: no data
// row may reach a row of the template's own (a text or a merged block), nor any row below it (the
// page foot). The problem names 起始列 when the first data row is taken already, else 每一頁列數;
// None when the rows are free.
SettingsProblem judgeDataRows(const Geometry& g, const PrintSheet& sheet);

// Why the plan's pages or cells would reach past the sheet's last row or column (the page range
// and rows per page of `g` place them); empty when they stay inside.
QString planBeyondSheet(const JobPlan& plan, const Geometry& g);

// The detail row offset and page line count of a layout, with the page skips of its sheet.
class PageCursor {
public:
    PageCursor(const Geometry& g, bool singleSheet) : m_g(g), m_single(singleSheet) {}
    int r() const { return m_r; }
    int n() const { return m_n; }
    int row() const { return m_g.S + m_r; }
    // The next line without a page test.
    void plain() {
        ++m_r;
        ++m_n;
    }
    // The next line; on a full page the first data line of the next page copy. True on a skip.
    bool advance();
    // Area pages: the first data line of the page copy after the one whose line count is n.
    void jumpToNextPage();
    // Work-type pages: the first data line of page copy `page` (0 the first), counting lines anew.
    void jumpToPage(int page);

private:
    Geometry m_g;
    bool m_single;
    int m_r = 0;
    int m_n = 0;
};

// Page copies a detail sheet needs below its first page for cells up to `lastRow`.
int copiesFor(const Geometry& g, int lastRow);

} // namespace xlprint
