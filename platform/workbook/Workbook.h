#pragma once
// Filling a copy of an .xlsx template: the printouts open a template, write cells, copy page
// blocks, insert rows, set page breaks, heights and a few formats, and save the result as a new
// file. The template itself is never written.
//
// Every part of the template that is not changed is written back byte for byte; a changed sheet,
// the styles (when a format was added) and the workbook part (full recalculation on load, the
// calculation chain dropped) are written anew. Rows and columns are 1-based (A = 1).
//
// Every failure throws wb::WorkbookError with its reason; nothing is ever written half.
#include <QList>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

namespace wb {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384; // XFD
// The most text a cell holds, in UTF-16 units.
inline constexpr int kMaxCellText = 32767;

// The lines a text takes in a wrapping cell `width` digits of the template font at 11 pt wide (merged
// columns summed, its indent taken off) in the font `family` at `size` points, as LibreOffice breaks
// them: a line full between two East Asian characters breaks right there, punctuation or not; any
// other at the last place before the character that does not fit where a word ends: after a blank,
// around an East Asian character (not before wide punctuation nor after an opening), after "-"
// (before a digit too), "/" (not one after a digit: "112/12/01", "A991/A986"), "!", "|", "?" or a
// backslash that no punctuation follows; runs of letters, digits and ASCII punctuation joined by
// "、", "，" or "。" are one word, broken after that punctuation only before an opening; a web
// address ("http://") takes a line of its own before it breaks after its "//"; a word wider than a
// line breaks where the line is full. An East Asian character a whole font size wide, any other as
// wide as that font draws it or wider, so that the estimate is never below what is drawn. `kept`
// gets the beginning that fits `most` lines (the whole text when it fits).
int wrappedLines(const QString& text, double width, const QString& family, double size, int most,
                 QString* kept = nullptr);
// The row height in points that `lines` lines of a `size`-point font need, at most kMaxRowHeight.
inline constexpr double kMaxRowHeight = 409;
double linesHeight(int lines, double size);
// The most lines of a `size`-point font that a row `height` points high shows whole (at least 1).
int linesWithin(double height, double size);
// The headline of a printout's list of texts cut to what their cells print.
inline constexpr const char* kCutHeadline = "下列文字超過儲存格印得出的行數，已截斷：";
// The message of the texts cut: the headline and the first ten, then their number, one a line.
QString cutMessage(const QStringList& cut, const QString& newline = QStringLiteral("\n"));

class WorkbookError : public std::runtime_error {
public:
    explicit WorkbookError(const QString& reason);
    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

// ---- A1 references ------------------------------------------------------------------------------

struct CellRef {
    int row = 1;
    int col = 1;
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

struct RangeRef {
    CellRef first; // top left
    CellRef last;  // bottom right
    int rows() const { return last.row - first.row + 1; }
    int columns() const { return last.col - first.col + 1; }
    friend bool operator==(const RangeRef&, const RangeRef&) = default;
};

// "A" -> 1, "Z" -> 26, "AA" -> 27, "XFD" -> 16384 (case-insensitive); nullopt for anything else.
std::optional<int> columnNumber(QStringView letters);
// 1 -> "A", 28 -> "AB"; empty outside 1..kMaxColumns.
QString columnName(int col);
// "B7" for (7, 2).
QString cellName(int row, int col);
QString rangeName(const RangeRef& range); // "A1:G39"

// "G39", "$G$39", "ab100" (case-insensitive); nullopt when the text is no cell inside the sheet.
std::optional<CellRef> parseCell(QStringView text);
// "A1:G39" or a single cell "B2" (a one-cell range); the corners may be given in any order.
std::optional<RangeRef> parseRange(QStringView text);
// As the two above, throwing WorkbookError naming the text.
CellRef cell(QStringView text);
RangeRef range(QStringView text);

// ---- Cells and formats ---------------------------------------------------------------------------

enum class CellType { Empty, Text, Number, Boolean, Error };
// Justify: the text spread over lines within its cell (justified or distributed, and any alignment
// not named here), wrapping whatever its format says; Fill: repeated across its cell, on one line.
enum class HAlign { General, Left, Center, Right, Justify, Fill };

// Sides of a range that get a thin border in the automatic colour.
enum BorderEdge : unsigned {
    EdgeLeft = 1,
    EdgeTop = 2,
    EdgeBottom = 4,
    EdgeRight = 8,
    InsideVertical = 16,
    InsideHorizontal = 32,
    EdgesOutline = EdgeLeft | EdgeTop | EdgeBottom | EdgeRight,
};

// The thin sides of one cell, as read back.
struct CellBorders {
    bool left = false, right = false, top = false, bottom = false;
    friend bool operator==(const CellBorders&, const CellBorders&) = default;
};

class Workbook;

// One worksheet of an open workbook; owned by the workbook, valid while it lives.
class Sheet {
public:
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    QString name() const;

    // Reading. text(): the cell's text as stored (a number as its shortest decimal text, TRUE or
    // FALSE, an error code); empty for an empty cell.
    QString text(int row, int col) const;
    CellType type(int row, int col) const;
    std::optional<double> number(int row, int col) const;

    // Writing keeps the cell's style (a new cell takes the style of its row or column). Text stays
    // text whatever it looks like ("0912345678", "91/5/8", leading and trailing blanks); an empty
    // text empties the cell and keeps its style. A non-finite number is an error.
    void setText(int row, int col, const QString& text);
    void setNumber(int row, int col, double value);
    // Empties every cell of the range, keeping their styles.
    void clear(const RangeRef& range);

    // Manual page breaks: a horizontal break before `row` (the row starts a printed page), a
    // vertical one before `col`. Adding a break that is there already changes nothing.
    void addRowBreak(int row);
    void addColumnBreak(int col);
    QList<int> rowBreaks() const;    // rows that start a page, ascending
    QList<int> columnBreaks() const; // columns that start a page, ascending

    // Copies the values, styles and merged areas of `source` onto the block whose top left is
    // `dest`, as the spreadsheet's Copy with a destination does: the destination block takes the
    // source's cells (empty ones included), merges overlapping it are dropped, those inside the
    // source are repeated. Formulas are copied as their values. Row heights are not copied.
    void copyRange(const RangeRef& source, CellRef dest);

    // Inserts `count` empty rows before `row`, shifting everything at and below it down: cells, row
    // attributes, merged areas, page breaks, defined names of this sheet (the print area, print
    // titles) and the used range. The new rows take the row format and cell styles of the row above
    // (no values), as the spreadsheet's insertion does.
    void insertRows(int row, int count = 1);

    // Row heights in points; a row without its own height has the sheet's default height.
    double rowHeight(int row) const;
    void setRowHeight(int row, double points);
    bool rowHidden(int row) const;
    void setRowHidden(int row, bool hidden);

    // Formats of one cell; each reuses an existing style when one matches, else adds one.
    void setHorizontalAlignment(int row, int col, HAlign align);
    HAlign horizontalAlignment(int row, int col) const;
    // A number format code such as "0%".
    void setNumberFormat(int row, int col, const QString& code);
    QString numberFormat(int row, int col) const; // "General" when none
    void setBold(int row, int col, bool bold = true);
    bool isBold(int row, int col) const;
    // Width of a column in characters (digits) of the workbook's default font, 0 when it is hidden;
    // whether a cell's text wraps or shrinks to fit, the size in points of its font and the family
    // the font names; the workbook's default font (family and size).
    double columnWidth(int col) const;
    std::pair<QString, double> defaultFont() const;
    bool wrapsText(int row, int col) const;
    bool shrinksToFit(int row, int col) const;
    int indent(int row, int col) const; // levels of indent of a left-aligned text
    double fontSize(int row, int col) const;
    QString fontName(int row, int col) const;
    // Thin borders in the automatic colour on the chosen edges of a range; other sides unchanged.
    void setThinBorders(const RangeRef& range, unsigned edges);
    CellBorders borders(int row, int col) const;

    QList<RangeRef> mergedRanges() const;
    // The used range as the dimension records it after a save (empty sheet: A1).
    RangeRef usedRange() const;

private:
    friend class Workbook;
    struct Impl;
    explicit Sheet(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

class Workbook {
public:
    // Reads a workbook (.xlsx). Throws WorkbookError when it is missing or unreadable.
    static std::unique_ptr<Workbook> open(const QString& path);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    QString path() const;
    int sheetCount() const;
    // Sheet by position, 1 = first; throws WorkbookError when there is no such sheet.
    Sheet& sheet(int position);

    // A defined name's formula ("'報價'!$A$1:$G$39"); `sheetPosition` 0 looks for a workbook-wide
    // name, else the name local to that sheet ("_xlnm.Print_Area" for the print area).
    std::optional<QString> definedName(const QString& name, int sheetPosition = 0) const;

    // Makes the workbook's first window visible (a template may have been saved with it hidden).
    void showFirstWindow();

    // Writes the workbook whole as `path`, or nothing (an earlier file there stays as it was).
    // With overwrite false, an existing file is an error.
    void save(const QString& path, bool overwrite = false);

private:
    Workbook();
    struct Impl;
    std::unique_ptr<Impl> d;
    friend class Sheet;
};

// The room the text of a cell is drawn in, as the spreadsheet program draws it: its width in digits
// of the template font at 11 pt (its indent taken off), its font, and whether it wraps onto more
// lines. lines() gives the lines a text takes (at most `most`, one when it does not wrap) and the
// beginning they show; fit() the beginning that the highest row shows and the height its lines need.
struct TextRoom {
    double width = 0, size = 11;
    QString family;
    bool wraps = false;
    int lines(const QString& text, int most, QString* kept = nullptr) const;
    QString fit(const QString& text, double* height) const;
};
// The room of the text of a cell: its block (its merged columns) when it is merged, wraps, shrinks
// to fit or is justified, distributed or filled; else the cell and the empty cells beside it that
// the text runs on over as its alignment spreads it (left: to its right up to column `lastCol`, no
// further than a merged block; right: to its left; centred: both ways, as far as the narrower side).
// A text wraps when its format says so or its alignment is Justify.
TextRoom textRoom(const Sheet& sheet, int row, int col, int lastCol = kMaxColumns);

// ---- Where printouts go and how the user gets them -----------------------------------------------

// The per-user folder of printouts (Documents/Kavo III/列印 unless a test set another one).
QString outputFolder();
void setOutputFolder(const QString& folder); // empty restores the default

// A path in the output folder that does not exist yet: the template's base name, "_", the time as
// yyyyMMdd-HHmmss, and "-2", "-3" ... when that name is taken; extension .xlsx.
QString newOutputPath(const QString& templatePath);

// Saves a filled workbook as a new file in the output folder and returns its path. Throws
// WorkbookError (nothing is left behind).
QString saveOutput(Workbook& book, const QString& templatePath);

// Whether the desktop has an application registered for .xlsx (the printouts' check before they
// start).
bool spreadsheetAppInstalled();
// Opens a saved printout with the desktop's spreadsheet application; false when it could not be
// started. Tests install their own opener (empty restores the desktop's).
bool openInSpreadsheetApp(const QString& path);
void setSpreadsheetOpener(bool (*opener)(const QString& path));

// The whole hand-over after filling: shows the first window, saves the output, opens it when an
// application is registered.
// `opened` false means the caller shows its message together with the returned path.
struct Delivery {
    QString path;
    bool opened = false;
};
Delivery deliver(Workbook& book, const QString& templatePath);
// That message: the printouts' spreadsheet-check text and the path of the saved workbook.
QString notOpenedMessage(const QString& path);
// What the user is told when the spreadsheet application started but ended with a failure before
// showing the workbook: that it could not be opened and where it was saved.
QString viewerFailedMessage(const QString& path);

} // namespace wb
