#include "TreeCommands.h"

#include "db/Database.h"
#include "ui/Dialogs.h"

#include <QSet>

namespace quote {
namespace {

const QString kTitle = QStringLiteral("Kavo III");

void refuse(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
}

QSet<QString> childNames(const QuoteTree::Node* node) {
    QSet<QString> out;
    if (node)
        for (const QuoteTree::Node* c : node->children)
            out.insert(c->text);
    return out;
}

QStringList firstColumn(db::Recordset rs) {
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.text(0);
    return out;
}

// The names checked before anything is added: none unfit for a path, none equal to a name
// already under `parent` or to another name of the same command. The first fault is shown.
bool namesAccepted(const QuoteTree::Node* parent, const QStringList& names) {
    QSet<QString> taken = childNames(parent);
    for (const QString& n : names) {
        if (const QString fault = nodeNameFault(n); !fault.isEmpty()) {
            refuse(fault);
            return false;
        }
        if (taken.contains(n)) {
            refuse(QStringLiteral("名稱重複"));
            return false;
        }
        taken.insert(n);
    }
    return true;
}

// Whether the node holds item rows: the shown leaf by its visible grid, any other leaf by its
// block in the store grid. An inner node holds none of its own.
bool holdsRows(QuoteDocument& doc, const QuoteTree::Node* node) {
    if (!node->isLeaf())
        return false;
    if (doc.NodeIsLeaf && doc.lbPath == node->key)
        return doc.hfgQ.rows() > 2 || doc.LastRowFilled;
    return doc.getD(node->key) == 1;
}

// The store rows of `path` brought together as one block where its first row stands. Moving a leaf's
// rows to its new child can meet rows kept from a deleted node of the same path elsewhere in the
// store: as two blocks only the first would be listed, and the moved rows would drop out of sight.
void gatherBlock(ItemGrid& store, const QString& path) {
    const auto rows = std::as_const(store).dataRows();
    std::vector<ItemRow> block;
    for (const ItemRow& r : rows)
        if (r[ColPath] == path)
            block.push_back(r);
    if (block.empty())
        return;
    std::vector<ItemRow> out;
    out.reserve(rows.size());
    bool placed = false;
    for (const ItemRow& r : rows) {
        if (r[ColPath] != path) {
            out.push_back(r);
        } else if (!placed) {
            out.insert(out.end(), block.begin(), block.end());
            placed = true;
        }
    }
    store.setRows(1);
    store.appendRows(out);
}

} // namespace

int nodeDepth(const QString& nodePath) {
    return int(nodePath.count(kPathSeparator));
}

TreeMenuState treeMenuState(const QuoteTree& tree, const QString& nodePath, bool workTypesOnly) {
    TreeMenuState s;
    const int d = nodeDepth(nodePath);
    const bool onlyRoot = tree.count() == 1;
    const bool isRoot = tree.indexOf(nodePath) == 1;
    s.mDelN = s.mInsN = !isRoot;
    s.mAddA = d == 0 && !workTypesOnly;
    // At the root of a work-types-only quotation further work types go on its first level.
    s.mAddT = d >= 1 || workTypesOnly || onlyRoot;
    s.mInsA = d == 1 && !workTypesOnly;
    s.mInsT = (d == 1 && workTypesOnly) || d >= 2;
    s.mCal = !onlyRoot;
    s.mCalA = !onlyRoot && !workTypesOnly;
    return s;
}

QStringList catalogueAreas(db::Database& db, const QString& category) {
    return firstColumn(db.query(QStringLiteral("SELECT a FROM k2a WHERE k = ? ORDER BY sort, rowid"), {category}));
}

QStringList catalogueWorkTypes(db::Database& db) {
    return firstColumn(db.query(QStringLiteral("SELECT t FROM 種 ORDER BY t_id")));
}

QStringList pickEntries(const QuoteTree& tree, const QString& nodeKey, PickCommand command,
                        const QStringList& catalogue) {
    const QuoteTree::Node* node = tree.find(nodeKey);
    if (!node)
        return {};
    const bool siblings = pickInsertsSiblings(command);
    if (siblings && !node->parent)
        return {};
    QSet<QString> skip = childNames(siblings ? node->parent : node);
    QStringList out;
    if (!siblings && !skip.contains(kTypedNameEntry)) {
        out << kTypedNameEntry;
        skip.insert(kTypedNameEntry);
    }
    for (const QString& entry : catalogue) {
        // Names are offered trimmed: a blank catalogue name would make a node without a name.
        const QString name = entry.trimmed();
        if (name.isEmpty() || skip.contains(name))
            continue;
        skip.insert(name);
        out << name;
    }
    return out;
}

QString nodeNameFault(const QString& name) {
    if (name.contains(kPathSeparator) || name.contains(u'|') || name.contains(u'\r') || name.contains(u'\n'))
        return QStringLiteral("名稱不可含有「‧」、「|」或換行");
    return {};
}

bool AddChildNodesFromList(QuoteDocument& doc, const QString& nodeKey, const QStringList& selected,
                           bool workTypes) {
    const QuoteTree::Node* node = doc.tree.find(nodeKey);
    if (!node)
        return false;
    doc.TrimEmptyRows();

    QString first = selected.value(0);
    if (first == kTypedNameEntry) {
        const QString prompt = workTypes ? QStringLiteral("請輸入名稱工種名稱") : QStringLiteral("請輸入名稱區域名稱");
        first = ui::inputBox(prompt, QStringLiteral("輸入 ???... = ?")).value_or(QString());
    }
    first = first.trimmed();
    if (first.isEmpty())
        first = workTypes ? QStringLiteral("未知工種") : QStringLiteral("未知區域");
    QStringList names{first};
    names << selected.mid(1);
    if (!namesAccepted(node, names))
        return false;

    const QString childKey = nodeKey + kPathSeparator + first;
    const bool shownLeaf = doc.NodeIsLeaf && doc.lbPath == nodeKey;
    const bool holds = holdsRows(doc, node);
    if (holds) {
        const ui::Answer a = ui::msgBox(QStringLiteral("此階層含有資料！\r\n是否要新增子階層？\r\n如果點選是,會將資料移至子階層"),
                                        ui::Buttons::YesNo, ui::Icon::Question, kTitle, 2);
        if (a != ui::Answer::Yes) {
            doc.RefreshTotals();
            return false;
        }
        for (ItemRow& r : doc.hfgB.dataRows())
            if (r[ColPath] == nodeKey)
                r[ColPath] = childKey;
        gatherBlock(doc.hfgB, childKey);
    }

    const bool firstOfRoot = doc.tree.count() == 1;
    for (const QString& n : names)
        doc.tree.addChild(nodeKey, n);
    if (firstOfRoot && workTypes)
        doc.WorkTypesOnly = true;

    const QString parentKey = doc.NodeKey, parentPath = doc.NodePath;
    if (shownLeaf) {
        // The rows on show become the first child's rows. A leaf that holds none gives up its
        // block, as when it is left with every row deleted.
        if (!holds) {
            doc.hfgQ.reset();
            doc.dropNodeRows(nodeKey);
        }
        for (ItemRow& r : doc.hfgQ.dataRows())
            if (r[ColPath] == nodeKey)
                r[ColPath] = childKey;
        if (doc.hooks.setupGrid)
            doc.hooks.setupGrid(true);
        doc.NodeIsLeaf = true;
        doc.NodeIndex = doc.tree.indexOf(childKey);
        doc.lbPath = childKey;
        if (doc.hooks.pathChanged)
            doc.hooks.pathChanged();
        doc.RefreshTotals();
    } else {
        // Another node is on show: its rows are stored before the new child is listed.
        doc.tv_NodeClick(childKey);
    }
    doc.NodeKey = parentKey;
    doc.NodePath = parentPath;
    return true;
}

bool InsertSiblingNodesFromList(QuoteDocument& doc, const QString& nodeKey, const QStringList& selected) {
    const QuoteTree::Node* node = doc.tree.find(nodeKey);
    if (!node || !node->parent || !namesAccepted(node->parent, selected))
        return false;
    for (const QString& n : selected)
        doc.tree.insertBefore(nodeKey, n);
    return !selected.isEmpty();
}

bool mDelN_Click(QuoteDocument& doc, const QString& nodeKey) {
    const ui::Answer a = ui::msgBox(QStringLiteral("確定刪除 (") + nodeKey + u')', ui::Buttons::YesNo,
                                    ui::Icon::Question, kTitle, 2);
    if (a != ui::Answer::Yes)
        return false;
    const QuoteTree::Node* node = doc.tree.find(nodeKey);
    if (!node || !node->parent)
        return false;

    const QString shown = doc.lbPath;
    const bool shownRemoved = shown == nodeKey || shown.startsWith(nodeKey + kPathSeparator);
    const bool shownAbove = !doc.NodeIsLeaf && nodeKey.startsWith(shown + kPathSeparator);
    doc.tree.remove(nodeKey);
    if (doc.tree.count() == 1)
        doc.WorkTypesOnly = false;

    if (shownRemoved) {
        // The shown rows are stored under their path (they stay as rows of no node).
        doc.tv_NodeClick(doc.tree.root()->key);
    } else if (shownAbove) {
        // The listing above the removed node no longer holds its rows.
        doc.lbPath.clear();
        doc.tv_NodeClick(shown);
    }
    return true;
}

} // namespace quote
