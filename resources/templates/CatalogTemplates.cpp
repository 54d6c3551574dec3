// The templates of the catalogue printouts: titles in row 1, column headings in row 2 (repeated on
// every printed page), the program's cells from row 3 down.
#include "TemplateDescription.h"

#include <algorithm>

namespace tpl {
namespace {

struct Heading {
    const char* text;
    double width;
};

TemplateSpec catalogList(const char* path, const char* name, const char* title, const std::vector<Heading>& headings,
                         bool landscape) {
    TemplateSpec t;
    t.relativePath = QString::fromUtf8(path);
    SheetSpec s;
    s.name = name;
    Style cell;
    cell.size = 10;
    cell.align = Align::Left;
    // A long text wraps in its column; the printout makes its row as high as the lines need.
    Style text = cell;
    text.wrap = true;
    for (int c = 0; c < int(headings.size()); ++c)
        s.columns.push_back({c + 1, c + 1, headings.at(size_t(c)).width, text});
    Style titleStyle;
    titleStyle.size = 16;
    titleStyle.bold = true;
    titleStyle.align = Align::Left;
    s.rows.push_back({1, 1, 26, cell});
    if (title)
        s.cells.push_back({1, 1, title, titleStyle});
    Style header = cell;
    header.bold = true;
    header.align = Align::Center;
    header.border = Bottom;
    // The heading row's line runs under the headings there are (a pair of columns without
    // headings would otherwise widen the printed area).
    const bool headed = std::any_of(headings.begin(), headings.end(), [](const Heading& h) { return *h.text; });
    s.rows.push_back({2, 2, 20, headed ? header : cell});
    for (int c = 0; c < int(headings.size()); ++c)
        if (*headings.at(size_t(c)).text)
            s.cells.push_back({2, c + 1, headings.at(size_t(c)).text, header});
    s.landscape = landscape;
    s.fitWidth = 1;
    s.repeatFirstRow = s.repeatLastRow = 2;
    t.sheets.push_back(std::move(s));
    return t;
}

// Categories stand in column pairs: the category's label, then its areas. The labels head their
// pairs, so the pairs carry no headings of their own: the printed width is that of the categories
// there are, not of every pair the sheet has room for.
std::vector<Heading> categoryPairs() {
    std::vector<Heading> out;
    for (int i = 0; i < 10; ++i) {
        out.push_back({"", 12});
        out.push_back({"", 14});
    }
    return out;
}

} // namespace

std::vector<TemplateSpec> catalogTemplates() {
    std::vector<TemplateSpec> all;
    all.push_back(catalogList("Pother/工程類別.xlsx", "工程類別", "工程類別 與 區域", categoryPairs(), true));
    // The program writes the title of this one into A1 itself.
    all.push_back(catalogList("Pother/工程種類.xlsx", "工程種類", nullptr,
                              {{"工程種類", 16}, {"施工", 34}, {"單位", 8}, {"成本", 10}, {"比例", 8}}, false));
    all.push_back(catalogList("Pother/細項加成.xlsx", "細項加成", "細項加成",
                              {{"工程種類", 16}, {"施工", 30}, {"細項", 30}, {"加成金", 10}}, false));
    all.push_back(catalogList("Pother/其他詞庫.xlsx", "其他詞庫", "其他詞庫",
                              {{"單位", 8},
                               {"行業別", 12},
                               {"地區性", 10},
                               {"收款方式", 20},
                               {"付款方式", 14},
                               {"頁尾備註", 40},
                               {"工班", 10},
                               {"供應材料", 12},
                               {"工程案名", 14},
                               {"客戶分類", 10},
                               {"廠商分類", 10},
                               {"報價單項備註", 18}},
                              true));
    return all;
}

} // namespace tpl
