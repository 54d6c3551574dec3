// The quotation templates, laid out for the shipped print settings (Xp.ini: item lines from row 8
// and column A, page range A1:G39 holding 30 lines; fastP.ini 0: the placeholders are replaced).
//
// One page range is one printed page: every row of it has its own height (whole pixels, 0.75 pt), the header area (rows 1
// to 6) holds the placeholders, row 7 the column titles, rows 8 to 37 the item lines, rows 38 and
// 39 the page foot. No formulas: the program copies the page range once per page.
#include "TemplateDescription.h"

namespace tpl {
namespace {

constexpr int kTitleRow = 7;  // start row - 1
constexpr int kFirstLine = 8; // start row
constexpr int kLastLine = 37; // start row + rows per page - 1
constexpr int kPageRows = 39; // bottom row of the page range

struct Column {
    const char* title;
    double width;
    Align align;
    const char* format;
};

// The item table of a detail page.
const std::vector<Column> kDetail = {
    {"項次", 5, Align::Center, ""},      {"品名規格", 28, Align::Left, ""}, {"單位", 5, Align::Center, ""},
    {"數量", 7, Align::Right, "General"}, {"單價", 9, Align::Right, "#,##0"}, {"金額", 10, Align::Right, "#,##0"},
    {"備註", 10, Align::Left, ""}};

// The cost analysis: three more columns (cost, cost total, ratio) before the remark.
const std::vector<Column> kCostDetail = {
    {"項次", 4, Align::Center, ""},       {"品名規格", 20, Align::Left, ""},   {"單位", 4, Align::Center, ""},
    {"數量", 6, Align::Right, "General"}, {"單價", 7, Align::Right, "#,##0"},  {"金額", 8, Align::Right, "#,##0"},
    {"成本", 7, Align::Right, "#,##0"},   {"成本複計", 8, Align::Right, "#,##0"}, {"比例", 6, Align::Right, "0.00"},
    {"備註", 8, Align::Left, ""}};

// The cover page: one row per area or work type, fees and totals; cost and profit in cost layouts.
std::vector<Column> coverColumns(bool cost) {
    // 數量 is wide enough for a per-ping fee's "35 X 1500".
    return {{"項次", 5, Align::Center, ""},       {"工程項目", 25, Align::Left, ""},
            {"單位", 5, Align::Center, ""},       {"數量", 10, Align::Right, "General"},
            {"金額", 10, Align::Right, "#,##0"}, {cost ? "成本" : "", 10, Align::Right, "#,##0"},
            {cost ? "利潤" : "備註", 10, cost ? Align::Right : Align::Left, cost ? "#,##0" : ""}};
}

Style plain(double size = 11) {
    Style s;
    s.size = size;
    return s;
}

// The header area: the 17 placeholders over rows 1 to 6 of the page's columns.
void addHeader(SheetSpec& sheet, int lastCol, const char* title) {
    // The company lines wrap too: the printout measures every text it puts in the header.
    Style head = plain(16);
    head.bold = true;
    head.align = Align::Center;
    head.wrap = true;
    Style small = plain(9);
    small.align = Align::Center;
    small.wrap = true;
    // Long customer, project and address texts wrap; the printout makes the row as high as their
    // lines need, up to a bound, and cuts what lies beyond it.
    Style left = plain(10);
    left.align = Align::Left;
    left.wrap = true;
    const int split1 = lastCol >= 10 ? 4 : 3;  // customer block | contact block
    const int split2 = lastCol >= 10 ? 7 : 5;  // contact block | document block
    sheet.cells.push_back({1, 1, std::string("#公司名稱#　") + title, head, lastCol});
    sheet.cells.push_back({2, 1, "地址：#公司地址#　電話：#公司電話#　傳真：#公司傳真#", small, lastCol});
    sheet.cells.push_back({3, 1, "統一編號：#公司統編#　E-mail：#公司email#", small, lastCol});
    const char* rows[3][3] = {{"客戶名稱：#客戶名稱#", "聯絡人：#客戶聯絡人#", "單號：#單號#"},
                              {"工程名稱：#工程名稱#", "電話：#客戶電話#", "日期：#年#/#月#/#日#"},
                              {"工程地址：#工程地址#", "傳真：#客戶傳真#", "業務：#業務#"}};
    for (int i = 0; i < 3; ++i) {
        sheet.cells.push_back({4 + i, 1, rows[i][0], left, split1});
        sheet.cells.push_back({4 + i, split1 + 1, rows[i][1], left, split2});
        sheet.cells.push_back({4 + i, split2 + 1, rows[i][2], left, lastCol});
    }
    sheet.rows.push_back({1, 1, 27.75, plain()});
    sheet.rows.push_back({2, 3, 14.25, plain()}); // not 15: that height would be left implicit
    sheet.rows.push_back({4, 6, 18, plain()});
}

// One page range: header, column titles, `lineRows` ruled lines, page foot, all with heights.
// Long texts in left-aligned columns shrink to their cell when `shrink`, else run on to the right.
SheetSpec page(const std::string& name, const char* title, const std::vector<Column>& cols, int ruledLast,
               double lineSize, bool shrink) {
    SheetSpec sheet;
    sheet.name = name;
    sheet.centerHorizontally = true;
    sheet.fitWidth = 1; // character widths differ between spreadsheet programs and fonts
    const int lastCol = int(cols.size());
    for (int c = 0; c < lastCol; ++c)
        sheet.columns.push_back({c + 1, c + 1, cols[size_t(c)].width, plain(lineSize)});
    addHeader(sheet, lastCol, title);

    Style titleStyle = plain(lineSize);
    titleStyle.bold = true;
    titleStyle.align = Align::Center;
    titleStyle.border = Box;
    sheet.rows.push_back({kTitleRow, kTitleRow, 20.25, plain(lineSize)});
    for (int c = 0; c < lastCol; ++c)
        sheet.cells.push_back({kTitleRow, c + 1, cols[size_t(c)].title, titleStyle});

    sheet.rows.push_back({kFirstLine, kLastLine, 18, plain(lineSize)});
    for (int r = kFirstLine; r <= kLastLine; ++r)
        for (int c = 0; c < lastCol; ++c) {
            Style s = plain(lineSize);
            s.align = cols[size_t(c)].align;
            s.numFormat = cols[size_t(c)].format;
            s.shrink = shrink && s.align == Align::Left;
            if (r <= ruledLast)
                s.border = Box;
            CellSpec cell{r, c + 1, "", s};
            cell.blank = true;
            sheet.cells.push_back(cell);
        }

    Style foot = plain(10);
    foot.align = Align::Left;
    sheet.rows.push_back({kLastLine + 1, kLastLine + 1, 24, plain()});
    sheet.rows.push_back({kPageRows, kPageRows, 12, plain()});
    sheet.cells.push_back({kLastLine + 1, 1, "客戶簽認：＿＿＿＿＿＿＿＿　　　　公司簽認：＿＿＿＿＿＿＿＿", foot, lastCol});
    return sheet;
}

// Cover sheet: the group rows and totals are ruled, the last five lines hold the page-end remarks;
// the amount in words runs on over the empty cells to its right.
SheetSpec cover(const char* title, bool cost) {
    return page("首頁", title, coverColumns(cost), kLastLine - 5, 11, false);
}

TemplateSpec withCover(const char* path, const char* title, bool cost, const std::vector<Column>& detail,
                       double lineSize) {
    TemplateSpec t;
    t.relativePath = QString::fromUtf8(path);
    t.sheets.push_back(cover(title, cost));
    t.sheets.push_back(page("明細", title, detail, kLastLine, lineSize, true));
    return t;
}

} // namespace

std::vector<TemplateSpec> quotationTemplates() {
    std::vector<TemplateSpec> all;
    all.push_back(withCover("PrintQ/報價單.xlsx", "報價單", false, kDetail, 11));
    all.push_back(withCover("PrintS/空白報價單.xlsx", "報價單", false, kDetail, 11));
    all.push_back(withCover("PrintC/成本分析.xlsx", "成本分析表", true, kCostDetail, 9));
    TemplateSpec single;
    single.relativePath = QStringLiteral("PrintNF/單張報價單.xlsx");
    single.sheets.push_back(page("報價單", "報價單", kDetail, kLastLine, 11, true));
    // One long page that grows by inserted rows: the column titles head every printed page.
    single.sheets.back().repeatFirstRow = single.sheets.back().repeatLastRow = kTitleRow;
    all.push_back(std::move(single));
    return all;
}

// The statistics window copies its grid here: the header row into row 1, one row per group below
// (the copy rules the filled range and marks the total line). One page wide.
TemplateSpec statisticsTemplate() {
    TemplateSpec t;
    t.relativePath = QStringLiteral("Pother/統計.xlsx");
    SheetSpec s;
    s.name = "統計";
    const double widths[] = {24, 14, 14, 14, 10, 10};
    // 小計, 成本複計 and 毛利 with thousands separators; the average ratio with two decimals.
    const char* formats[] = {"", "#,##0", "#,##0", "#,##0", "0.00", ""};
    for (int c = 0; c < 6; ++c) {
        Style col = plain();
        col.align = c == 0 ? Align::Left : Align::Right;
        col.numFormat = formats[c];
        s.columns.push_back({c + 1, c + 1, widths[c], col});
    }
    Style head = plain();
    head.bold = true;
    head.align = Align::Center;
    head.border = Box;
    s.rows.push_back({1, 1, 20.25, head});
    s.centerHorizontally = true;
    s.fitWidth = 1;
    s.repeatFirstRow = s.repeatLastRow = 1;
    t.sheets.push_back(std::move(s));
    return t;
}

} // namespace tpl
