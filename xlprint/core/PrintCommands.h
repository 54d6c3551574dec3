#pragma once
// The fifteen spreadsheet print commands of the quotation editor: which layout each one runs, with
// which template, and the print-mode switches it sets. Every command sets every switch, so no
// command depends on what the previous print left behind.
#include <QString>
#include <QStringView>
#include <span>

namespace xlprint {

// The layout routine a command runs.
enum class Routine {
    Quote,        // cover page by area or work type, estimate, blank, cost, single sheet
    AreasOnly,    // area cover page, detail without work types
    AreaPages,    // one page per area
    WorkTypePages // one page per work type
};

// The print-mode switches a layout reads.
struct Switches {
    bool byArea = false;       // the cover lists areas rather than work types
    int groupMode = 0;         // 1 first level, 2 work types under areas, 3 areas kept apart
    bool costCols = false;     // cost and profit columns
    bool blank = false;        // prices left out
    bool singleSheet = false;  // one sheet, no cover page
    bool costTemplate = false; // cost-analysis template (three columns wider)
    bool flat = false;         // no hierarchy (single sheet only)

    bool operator==(const Switches&) const = default;
};

struct UserRights {
    bool pricesHidden = false; // the user may not see prices
    bool costsHidden = false;  // the user may not see costs
};

struct PrintCommand {
    const char* item;         // menu item objectName (mPs ...)
    const char* caption;      // menu caption
    const char* templateFile; // template workbook name
    const char* subFolder;    // folder under the print-template folder, without separators
    Routine routine;
    bool needsAreas;          // disabled while the quotation holds work types only
    bool separatorBefore;     // a separator line stands above the item
};

// The commands in menu order.
std::span<const PrintCommand> printCommands();
// The command of a menu item, or nullptr.
const PrintCommand* findPrintCommand(QStringView item);

// The switches a command sets for a quotation (work types only or not) and a user.
Switches switchesFor(const PrintCommand& cmd, bool workTypesOnly, const UserRights& rights);

// The template's folder: the print-template folder joined with the command's sub-folder.
QString templateFolderOf(const PrintCommand& cmd, const QString& printTemplateFolder);

} // namespace xlprint
