#pragma once
// The print templates the program ships, each described here as data and written with
// libxlsxwriter by the build (kavo3-templates). A template that already exists in the program folder
// is written again only when it is exactly as a build of the program wrote it: the user may have
// edited it.
//
// To add a template: write a function returning its TemplateSpec (see QuotationTemplates.cpp) and
// list it in allTemplates() (Templates.cpp). A template written otherwise than before gets the
// digest of its new content listed in ShippedTemplates.cpp (tst_templates names it).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace tpl {

// The font of every cell: a Traditional Chinese font the platform ships.
inline constexpr const char* kFont = "WenQuanYi Micro Hei";

enum class Align { General, Left, Center, Right };
enum Border : unsigned { None = 0, Left = 1, Right = 2, Top = 4, Bottom = 8, Box = 15 };

struct Style {
    double size = 11;
    bool bold = false;
    Align align = Align::General;
    bool vcenter = true;
    unsigned border = None; // thin lines
    std::string numFormat;  // empty: General
    bool shrink = false;    // shrink text to fit the cell
    bool wrap = false;      // wrap text onto more lines
    int indent = 0;
    bool operator==(const Style&) const = default;
};

struct ColumnSpec {
    int first, last; // 1-based
    double width;    // in characters
    Style style;
};

struct RowSpec {
    int first, last; // 1-based
    double height;   // points, best a multiple of 0.75 (whole pixels)
    Style style;
    bool styled = true; // false: the height alone (an empty row then counts as unused)
};

struct CellSpec {
    int row, col; // 1-based
    std::string text;
    Style style;
    int mergeLastCol = 0; // > col: the cell is merged across to this column
    bool blank = false;   // only the style
};

struct SheetSpec {
    std::string name;
    std::vector<ColumnSpec> columns;
    std::vector<RowSpec> rows;   // explicit heights (and row styles)
    std::vector<CellSpec> cells;
    std::vector<int> rowBreaks;  // rows that start a printed page
    bool landscape = false;
    int fitWidth = 0;            // pages wide (0: no fitting)
    double marginLeft = 0.4, marginRight = 0.4, marginTop = 0.4, marginBottom = 0.4; // inches
    double headerMargin = 0.2, footerMargin = 0.2;
    bool centerHorizontally = false;
    int repeatFirstRow = 0, repeatLastRow = 0; // rows printed on every page (0: none)
};

struct TemplateSpec {
    QString relativePath; // in the program folder, e.g. "PrintQ/報價單.xlsx"
    std::vector<SheetSpec> sheets;
};

// Every template the program ships.
std::vector<TemplateSpec> allTemplates();

// The descriptions, by family.
std::vector<TemplateSpec> quotationTemplates();
TemplateSpec statisticsTemplate();
std::vector<TemplateSpec> recordTemplates();
std::vector<TemplateSpec> catalogTemplates();

// The template as a workbook package; empty with the reason on failure.
QByteArray templateBytes(const TemplateSpec& spec, QString* error);
// Writes one template as `path` (whole or not at all). False with the reason on failure.
bool writeTemplate(const TemplateSpec& spec, const QString& path, QString* error);
// Writes every template missing under `programFolder`, and replaces one still as an earlier build
// wrote it (see upgradeOutdated). The paths written go to `written`; false with the reasons of the
// failures.
bool writeMissing(const QString& programFolder, QStringList* written, QString* error);
// Replaces every template under `folder` (a program folder, or a print-template folder holding
// PrintQ, PrintS, PrintC and PrintNF) that is still as an earlier build wrote it by the current
// one, a locked one kept locked; one the user changed stays as it is, a missing one missing. The
// rule wherever templates are read: at the program's start, and in the print-template folder in
// use before a printout reads it. The paths written go to `written`; false with the reasons.
bool upgradeOutdated(const QString& folder, QStringList* written, QString* error);

// A digest of what a template's package holds, leaving out what changes with every writing (the
// time in docProps/core.xml, the zip's own dates and compression): 32 hex digits, empty when the
// bytes are no zip package.
QByteArray stableDigest(const QByteArray& package);
// Whether `digest` is one of a template the builds wrote as `relativePath`.
bool shippedBefore(const QString& relativePath, const QByteArray& digest);
// The digest of the template this build writes as `relativePath` (the last one listed).
QByteArray currentDigest(const QString& relativePath);

} // namespace tpl
