#pragma once
// 品名加入施工資料庫: the item names of the shown leaf added to the catalogue table t2w under the
// leaf's work type (its own name). Names the work type already holds are reported instead.
#include "EditorRules.h"
#include "QuoteDocument.h"

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

namespace quote {

// Whether t2w holds the name `w` under the work type `t`, the name matching character for character.
bool hasw(db::Database& db, const QString& w, const QString& t);

struct CatalogAppendResult {
    QStringList existing; // names not added: the work type held them already
    int added = 0;        // names appended
    // One line for each appended name whose cost or ratio no cell can show, naming the number left
    // out ("品名【書櫃】的成本數字過長，未帶入工程資料，請更正").
    QStringList unshown;
};

// Appends, in grid order, every item name of the visible grid that the work type does not hold yet,
// with the row's unit, cost and ratio and sort numbers following the largest of the work type (1
// for a work type without items). One transaction: on a database error (DbError thrown) nothing is
// appended. Nothing happens unless a leaf other than the root is shown.
// Only what the user sees leaves the quotation (`rights`): a user without the cost right appends no
// cost and no ratio, one without the price right no ratio (with the figure he sees, the ratio gives
// the hidden one). What is left out stays empty (NULL): the catalogue shows an empty cell and the
// pick carries nothing. A cost or ratio no cell can show is left out too and told in `unshown`,
// judged only for the numbers the user sees.
CatalogAppendResult mAdd2W(db::Database& db, const QuoteDocument& doc, const RightsView& rights);

} // namespace quote
