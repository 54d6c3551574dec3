#pragma once
// The page geometry of the quotation templates, kept in Xp.ini (five lines: start row, start
// column, page range upper-left and lower-right cells, rows per page) and fastP.ini (fixed header
// "1" or "0") in the program folder, and live in the mdM print settings.
#include <QString>
#include <QStringView>
#include <optional>

namespace xlprint {

struct PrintSettings {
    QString startRow;    // txtRow
    QString startCol;    // Text3
    QString topLeft;     // txtLU
    QString bottomRight; // txtRD
    QString rowsPerPage; // txtPr
    bool fixedHeader = false;

    bool operator==(const PrintSettings&) const = default;
};

// The live settings (mdM).
PrintSettings currentPrintSettings();
void setCurrentPrintSettings(const PrintSettings& s);
// Reads both files into the live settings (missing or unreadable files give the shipped defaults)
// and returns them.
PrintSettings loadPrintSettings();
// Writes both files whole, each or none. False with the reason on failure.
bool writePrintSettings(const PrintSettings& s, QString* error = nullptr);

// A cell address: column letters (A, ..., Z, AA, ...) then a row number from 1.
struct CellRef {
    int row = 0;
    int col = 0;
    bool operator==(const CellRef&) const = default;
};
// Nullopt for anything else and for a cell beyond the sheet's last column or row.
std::optional<CellRef> parseCellRef(QStringView text);
// Column number of column letters (A = 1, AA = 27); 0 when the text is not upper-case letters.
int columnNumber(QStringView letters);
QString columnLetters(int col);

// Columns right of the page range the layouts write into or break at (the cost template's three
// columns, then the detail sheet's page break).
inline constexpr int kColumnsBeyondRange = 4;
// Columns of the quotation table from the start column, all inside the page range.
inline constexpr int kTableColumns = 7;

// The box that fails its check first, in the order of the window's boxes.
enum class SettingsField { None, StartRow, StartCol, TopLeft, BottomRight, RowsPerPage };
// Start row a whole number from 1 inside the page range's rows; start column one letter A to Z
// with the table's kTableColumns columns from it inside the page range's columns; both corners cell addresses with the upper-left above and left of (or
// on) the lower-right, which leaves kColumnsBeyondRange columns of the sheet to its right; rows
// per page a whole number from 1; the data rows of the first page (start row to start row + rows
// per page - 1) inside the page range's rows.
struct SettingsProblem {
    SettingsField field = SettingsField::None;
    QString reason; // a sentence naming the box, empty for valid settings
};
SettingsProblem checkSettings(const PrintSettings& s);
SettingsField firstInvalidField(const PrintSettings& s);
// Why a print cannot use the settings: the reason and the way to mend it in 列印設定.
QString settingsFailure(const SettingsProblem& p);

// The numbers the layouts work with.
struct Geometry {
    int S = 1;                                    // first data row
    int C = 1;                                    // first data column
    int P = 1;                                    // data rows per page
    CellRef tl;                                   // page range upper-left
    CellRef br;                                   // page range lower-right
    int H() const { return br.row - tl.row + 1; } // page height
};
// The geometry of valid settings; nullopt when any box fails its check.
std::optional<Geometry> geometryOf(const PrintSettings& s);

} // namespace xlprint
