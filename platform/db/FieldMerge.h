#pragma once
// A writer that finds the stored data changed since it read it merges by field, three ways: the base
// (what the window read), mine (what the window holds now) and theirs (what is stored now). A field
// mine changed from the base takes mine's value, every other field keeps theirs, so another
// writer's change to a field this window never touched survives; where both changed one field,
// mine's value is written.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <optional>

namespace merge {

// The positions where `a` and `b` differ; a position only one of them has counts.
template <class Fields> QList<int> differing(const Fields& a, const Fields& b) {
    QList<int> out;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || !(a.at(i) == b.at(i)))
            out << int(i);
    return out;
}

// Theirs with the fields mine changed from the base.
template <class Fields> Fields byField(const Fields& base, const Fields& mine, const Fields& theirs) {
    Fields merged = theirs;
    for (const int i : differing(base, mine))
        if (i < mine.size() && i < merged.size())
            merged[i] = mine.at(i);
    return merged;
}

// A word of flags merged the same way, each bit a field.
inline int byBit(int base, int mine, int theirs) {
    const int changed = base ^ mine;
    return (theirs & ~changed) | (mine & changed);
}
// The bits (0 the lowest) where two words differ.
QList<int> differingBits(int a, int b);
// The same with some bits merged as one unit each (a mask of `units`): a unit changed here, in any
// of its bits, is mine whole, so two rights that depend on each other are never half theirs.
int byBitUnits(int base, int mine, int theirs, const QList<int>& units);
// A text the user edits as two boxes, split at its first `separator` (without one, all of it is the
// second box), merged box by box: theirs with the boxes mine changed from the base.
QString byBox(const QString& base, const QString& mine, const QString& theirs, QChar separator = u';');

// Ordered rows of fields, the first field naming the row. A row of the base is the same row in
// theirs under the same name (rows sharing a name pair up in their order) or, renamed elsewhere,
// as the row that took its place: between the same neighbours, with the same other fields, where
// the rows gone and those come there pair up one to one in their order.
using Row = QStringList;
struct MineRow {
    Row fields;
    std::optional<int> read; // the row of the base it was read as; none for a row added since
};
struct MergedRows {
    QVector<Row> rows;
    // For each row the name it is stored under now (none for a row added in the window).
    QVector<std::optional<QString>> origins;
};

// For each name, the row of `base` read under it: the first row of that name not taken by an
// earlier one (rows sharing a name are read in their order); none for none.
QVector<std::optional<int>> readByName(const QVector<Row>& base,
                                       const QVector<std::optional<QString>>& names);

// The rows added, removed or changed from `base` to `theirs`, by name; a row renamed as "A → B".
QStringList changedRows(const QVector<Row>& base, const QVector<Row>& theirs);
// Whether the rows both keep stand in another order in `theirs`.
bool reordered(const QVector<Row>& base, const QVector<Row>& theirs);

// Theirs with mine's changes, each row of mine merged with the row it was read as: the rows mine
// removed go, those it added come in, the rows it changed (renamed included) are merged by field
// (and come back when removed elsewhere); rows added elsewhere stay. The order is theirs, the rows
// the window added, brought back or moved placed after the row before them in the window.
MergedRows mergeRows(const QVector<Row>& base, const QVector<MineRow>& mine, const QVector<Row>& theirs);

} // namespace merge
