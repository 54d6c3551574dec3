// The templates of the record lists (customers, vendors, staff) and of the mailing labels.
#include "TemplateDescription.h"

namespace tpl {
namespace {

// A list: the title in row 1, the header names written by the program in row 2 (repeated on every
// printed page), one record per row below; landscape and as wide as one page.
TemplateSpec list(const char* path, const char* title, int columns) {
    TemplateSpec t;
    t.relativePath = QString::fromUtf8(path);
    SheetSpec s;
    s.name = title;
    // A long value (an address, a mail address) wraps within its column, readable, rather than
    // being cut off by the next one: the records' rows carry no height, so each is as high as its
    // lines.
    Style cell;
    cell.size = 10;
    cell.wrap = true;
    s.columns.push_back({1, columns, 14, cell});
    Style titleStyle;
    titleStyle.size = 16;
    titleStyle.bold = true;
    titleStyle.align = Align::Left;
    s.rows.push_back({1, 1, 26.25, cell});
    s.cells.push_back({1, 1, title, titleStyle});
    Style header = cell; // one line: a long header name shrinks
    header.wrap = false;
    header.shrink = true;
    header.bold = true;
    header.align = Align::Center;
    s.rows.push_back({2, 2, 20.25, header});
    s.landscape = true;
    s.fitWidth = 1;
    s.repeatFirstRow = s.repeatLastRow = 2;
    t.sheets.push_back(std::move(s));
    return t;
}

// A4 label stock of 21 labels, three across and seven down, each 70 mm x 42.3 mm, the sheet
// printed edge to edge. Each label is a block of five rows: four text lines and a spacer; the
// blocks start at row 2 (row 1 is hidden) and every page starts with a block. The address row
// holds three lines of a long address, the others one line each; the spacer is the top of the
// next label, above its first line.
constexpr int kLabelsDown = 7;
constexpr int kPages = 1000; // 21,000 labels; a sheet takes at most 1,026 manual breaks
// Heights are whole pixels (0.75 pt at 96 dpi), which is what spreadsheet programs keep.
constexpr double kLabelHeight = 120; // 160 px, 42.33 mm
constexpr double kLineHeight = 20.25;
constexpr double kAddressHeight = 41.25; // three lines of 10 pt
constexpr double kTopMargin = 0.25; // inches: the first line sits 18 pt into its label

TemplateSpec labels() {
    TemplateSpec t;
    t.relativePath = QStringLiteral("Pother/Label.xlsx");
    SheetSpec s;
    s.name = "Label";
    Style cell;
    cell.size = 10;
    cell.align = Align::Left;
    cell.wrap = true; // the printout keeps to what the row holds
    cell.indent = 1;
    s.columns.push_back({1, 3, 32.03, cell}); // 70 mm in digits of the template font
    s.marginLeft = s.marginRight = 0;
    s.marginTop = kTopMargin;
    s.marginBottom = 0;
    s.headerMargin = s.footerMargin = 0;
    // Heights only: the columns carry the format, and rows without one stay out of the printed area
    // until a label is written into them.
    s.rows.push_back({1, 1, 0, cell, false});
    const double spacer = kLabelHeight - 3 * kLineHeight - kAddressHeight;
    // The last block of a page keeps a short spacer so that the page ends inside the sheet.
    const double lastSpacer = 1.5;
    for (int page = 0; page < kPages; ++page)
        for (int block = 0; block < kLabelsDown; ++block) {
            const int first = 2 + 5 * (page * kLabelsDown + block);
            s.rows.push_back({first, first, kLineHeight, cell, false});
            s.rows.push_back({first + 1, first + 1, kAddressHeight, cell, false});
            s.rows.push_back({first + 2, first + 3, kLineHeight, cell, false});
            s.rows.push_back({first + 4, first + 4, block == kLabelsDown - 1 ? lastSpacer : spacer, cell, false});
            if (block == 0 && page > 0)
                s.rowBreaks.push_back(first);
        }
    t.sheets.push_back(std::move(s));
    return t;
}

} // namespace

std::vector<TemplateSpec> recordTemplates() {
    std::vector<TemplateSpec> all;
    all.push_back(list("Pother/客戶資料.xlsx", "客戶資料", 34));
    all.push_back(list("Pother/廠商資料.xlsx", "廠商資料", 37));
    all.push_back(list("Pother/員工資料.xlsx", "員工資料", 17));
    all.push_back(labels());
    return all;
}

} // namespace tpl
