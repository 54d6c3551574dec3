#pragma once
// The tree commands of the quotation editor: which items of the tree popup are offered, the names
// the pick list offers, adding picked names as children or inserting them as siblings, and deleting
// a node. Questions go through the dialog seam; the window mirrors the tree afterwards.
#include "QuoteDocument.h"

#include <QString>
#include <QStringList>
#include <array>

namespace db {
class Database;
}

namespace quote {

// The pick list's first entry when adding: the user types a name of his own.
inline const QString kTypedNameEntry = QStringLiteral("???...");

// Enabled state of the items of the tree popup mTV.
struct TreeMenuState {
    bool mAddA = false; // 新增區域
    bool mAddT = false; // 新增工種
    bool mInsN = false; // 插入 (submenu)
    bool mInsA = false; // 插入區域
    bool mInsT = false; // 插入工種
    bool mDelN = false; // 刪除
    bool mCal = false;  // 統計 (submenu)
    bool mCalA = false; // 依區域...

    bool operator==(const TreeMenuState&) const = default;
};

// Number of levels below the root: the count of "‧" in the node's full path (the root is 0).
int nodeDepth(const QString& nodePath);

// What the popup offers for the right-clicked node. Areas live on the first level only; the root
// takes work types while the tree is empty or the quotation holds work types only.
TreeMenuState treeMenuState(const QuoteTree& tree, const QString& nodePath, bool workTypesOnly);

// The print items that need an area level; they are disabled while the quotation holds work
// types only.
inline const std::array<const char*, 8> kAreaPrintItems{"mPa", "mPnw", "mAs", "mPwa", "mPas", "mPwaS", "mPac", "mPwac"};
inline bool areaPrintItemsEnabled(bool workTypesOnly) {
    return !workTypesOnly;
}

// The four list commands.
enum class PickCommand { AddAreas, AddWorkTypes, InsertAreas, InsertWorkTypes };

inline bool pickInsertsSiblings(PickCommand c) {
    return c == PickCommand::InsertAreas || c == PickCommand::InsertWorkTypes;
}
inline bool listsWorkTypes(PickCommand c) {
    return c == PickCommand::AddWorkTypes || c == PickCommand::InsertWorkTypes;
}

// Catalogue names: the areas of a project category, and every work type, in catalogue order.
QStringList catalogueAreas(db::Database& db, const QString& category);
QStringList catalogueWorkTypes(db::Database& db);

// The entries of the pick list: "???..." first when adding, then the catalogue names, each once and
// without those already present where the new nodes go (the node's children when adding, the
// node's siblings and the node itself when inserting). Names are trimmed; blank ones are left out.
QStringList pickEntries(const QuoteTree& tree, const QString& nodeKey, PickCommand command,
                        const QStringList& catalogue);

// Why a name cannot become a node, or empty when it can.
QString nodeNameFault(const QString& name);

// Adds the picked names as children of the node `nodeKey` (the right-clicked node). The first
// entry may be "???...": its name is asked; an empty answer gives "未知工種" / "未知區域". When the
// node holds rows the user is asked whether they move to the first new child (No: nothing is
// added); rows kept under that child's path from a deleted node join them as one block. A name equal to a sibling's or unfit for a path is refused with a message and nothing is
// added. The first new child becomes the shown node. True when nodes were added.
bool AddChildNodesFromList(QuoteDocument& doc, const QString& nodeKey, const QStringList& selected,
                           bool workTypes);

// Inserts the picked names, in list order, as siblings before the node `nodeKey`. Refused as above.
bool InsertSiblingNodesFromList(QuoteDocument& doc, const QString& nodeKey, const QStringList& selected);

// Asks, then removes the node and its subtree (never the root). When the shown node was removed
// with it, its rows are stored under their path first and the root is shown; an inner node shown
// above it is listed afresh. Emptying the tree clears the work-types-only flag. True when removed.
bool mDelN_Click(QuoteDocument& doc, const QString& nodeKey);

} // namespace quote
