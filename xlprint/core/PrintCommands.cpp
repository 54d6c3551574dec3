#include "PrintCommands.h"

#include <QDir>
#include <array>

namespace xlprint {

namespace {

// How a command derives the switches that depend on the quotation or the user.
enum class Mode { ByLevel, One, Two, Three }; // ByLevel: 1 for work types only, else 2
enum class Blank { Rights, Always };          // Rights: prices hidden from the user

struct Row {
    PrintCommand cmd;
    bool byArea;
    Mode mode;
    bool costCols; // cost columns unless the user may not see costs
    Blank blank;
    bool singleSheet;
    bool costTemplate;
    bool flat;
};

constexpr const char* kSingle = "單張報價單.xlsx";
constexpr const char* kQuote = "報價單.xlsx";
constexpr const char* kBlank = "空白報價單.xlsx";
constexpr const char* kCost = "成本分析.xlsx";

const std::array<Row, 15>& table() {
    static const std::array<Row, 15> rows = {{
        {{"mPs", "單張估價(無首頁)", kSingle, "PrintNF", Routine::Quote, false, false},
         false, Mode::ByLevel, false, Blank::Rights, true, false, false},
        {{"mPss", "單張估價(無首頁無階層)", kSingle, "PrintNF", Routine::Quote, false, false},
         false, Mode::ByLevel, false, Blank::Rights, true, false, true},
        {{"mPa", "區域首頁(估價)", kQuote, "PrintQ", Routine::Quote, true, true},
         true, Mode::One, false, Blank::Rights, false, false, false},
        {{"mPnw", "區域首頁(估價)(不印工種)", kQuote, "PrintQ", Routine::AreasOnly, true, false},
         true, Mode::One, false, Blank::Rights, false, false, false},
        {{"mAs", "區域分頁", kQuote, "PrintQ", Routine::AreaPages, true, false},
         false, Mode::Two, false, Blank::Rights, false, false, false},
        {{"mPw", "工種首頁(估價)", kQuote, "PrintQ", Routine::Quote, false, false},
         false, Mode::ByLevel, false, Blank::Rights, false, false, false},
        {{"mPwa", "工種首頁(估價)(分離區域)", kQuote, "PrintQ", Routine::Quote, true, false},
         false, Mode::Three, false, Blank::Rights, false, false, false},
        {{"mWs", "工種分頁", kQuote, "PrintQ", Routine::WorkTypePages, false, false},
         false, Mode::ByLevel, false, Blank::Rights, false, false, false},
        {{"mPas", "區域首頁(空白估價)", kBlank, "PrintS", Routine::Quote, true, true},
         true, Mode::One, false, Blank::Always, false, false, false},
        {{"mPws", "工種首頁(空白估價)", kBlank, "PrintS", Routine::Quote, false, false},
         false, Mode::ByLevel, false, Blank::Always, false, false, false},
        {{"mPwaS", "工種首頁(空白估價)(分離區域)", kBlank, "PrintS", Routine::Quote, true, false},
         false, Mode::Three, false, Blank::Always, false, false, false},
        {{"mPwsb", "工種分頁(空白估價)", kQuote, "PrintQ", Routine::WorkTypePages, false, false},
         false, Mode::ByLevel, false, Blank::Always, false, false, false},
        {{"mPac", "區域首頁(成本)", kCost, "PrintC", Routine::Quote, true, true},
         true, Mode::One, true, Blank::Rights, false, true, false},
        {{"mPwc", "工種首頁(成本)", kCost, "PrintC", Routine::Quote, false, false},
         false, Mode::ByLevel, true, Blank::Rights, false, true, false},
        {{"mPwac", "工種首頁(成本)(分離區域)", kCost, "PrintC", Routine::Quote, true, false},
         false, Mode::Three, true, Blank::Rights, false, true, false},
    }};
    return rows;
}

const std::array<PrintCommand, 15>& commands() {
    static const std::array<PrintCommand, 15> cmds = [] {
        std::array<PrintCommand, 15> c{};
        for (size_t i = 0; i < c.size(); ++i)
            c[i] = table()[i].cmd;
        return c;
    }();
    return cmds;
}

} // namespace

std::span<const PrintCommand> printCommands() {
    return commands();
}

const PrintCommand* findPrintCommand(QStringView item) {
    for (const PrintCommand& c : commands())
        if (item == QLatin1String(c.item))
            return &c;
    return nullptr;
}

Switches switchesFor(const PrintCommand& cmd, bool workTypesOnly, const UserRights& rights) {
    for (const Row& row : table()) {
        if (QLatin1String(row.cmd.item) != QLatin1String(cmd.item))
            continue;
        Switches s;
        s.byArea = row.byArea;
        switch (row.mode) {
        case Mode::ByLevel: s.groupMode = workTypesOnly ? 1 : 2; break;
        case Mode::One: s.groupMode = 1; break;
        case Mode::Two: s.groupMode = 2; break;
        case Mode::Three: s.groupMode = 3; break;
        }
        s.costCols = row.costCols && !rights.costsHidden;
        s.blank = row.blank == Blank::Always || rights.pricesHidden;
        s.singleSheet = row.singleSheet;
        s.costTemplate = row.costTemplate;
        s.flat = row.flat;
        return s;
    }
    return {};
}

QString templateFolderOf(const PrintCommand& cmd, const QString& printTemplateFolder) {
    return QDir(printTemplateFolder).filePath(QString::fromUtf8(cmd.subFolder));
}

} // namespace xlprint
