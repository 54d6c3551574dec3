#include "FieldMerge.h"

namespace merge {

namespace {
// For each name of `from`, the row of `to` it pairs with: the first one of that name not paired
// yet; -1 for none, and for the names `unpaired` marks.
QVector<int> pairNames(const QStringList& from, const QStringList& to, const QVector<bool>& unpaired = {}) {
    QVector<int> paired(from.size(), -1);
    QVector<bool> taken(to.size(), false);
    for (qsizetype i = 0; i < from.size(); ++i)
        for (qsizetype j = 0; j < to.size() && !unpaired.value(i); ++j)
            if (!taken.at(j) && to.at(j) == from.at(i)) {
                taken[j] = true;
                paired[i] = int(j);
                break;
            }
    return paired;
}

QStringList namesOf(const QVector<Row>& rows) {
    QStringList names;
    for (const Row& r : rows)
        names << r.value(0);
    return names;
}

// The rows of `theirs` each row of `base` pairs with.
QVector<int> pairRows(const QVector<Row>& base, const QVector<Row>& theirs) {
    return pairNames(namesOf(base), namesOf(theirs));
}

bool ascending(const QVector<int>& places) {
    int last = -1;
    for (const int p : places) {
        if (p < 0)
            continue;
        if (p < last)
            return false;
        last = p;
    }
    return true;
}

// `skeleton` with the items of `other` it lacks, each after the item before it in `other` (at
// the front when none comes before it). Items are indexes of the merged rows.
QVector<int> interleave(QVector<int> skeleton, const QVector<int>& other) {
    qsizetype at = 0;
    for (const int item : other) {
        const qsizetype found = skeleton.indexOf(item);
        if (found >= 0)
            at = found + 1;
        else
            skeleton.insert(at++, item);
    }
    return skeleton;
}
} // namespace

QList<int> differingBits(int a, int b) {
    QList<int> bits;
    for (int i = 0; i < 32; ++i)
        if (((a ^ b) >> i) & 1)
            bits << i;
    return bits;
}

int byBitUnits(int base, int mine, int theirs, const QList<int>& units) {
    int changed = base ^ mine;
    for (const int unit : units)
        if (changed & unit)
            changed |= unit;
    return (theirs & ~changed) | (mine & changed);
}

QString byBox(const QString& base, const QString& mine, const QString& theirs, QChar separator) {
    const auto boxes = [separator](const QString& text) {
        const qsizetype at = text.indexOf(separator);
        return at < 0 ? QStringList{QString(), text} : QStringList{text.left(at), text.mid(at + 1)};
    };
    if (base == mine)
        return theirs;
    return byField(boxes(base), boxes(mine), boxes(theirs)).join(separator);
}

QStringList changedRows(const QVector<Row>& base, const QVector<Row>& theirs) {
    const QVector<int> paired = pairRows(base, theirs);
    QStringList names;
    QVector<bool> kept(theirs.size(), false);
    for (qsizetype i = 0; i < base.size(); ++i) {
        if (paired.at(i) >= 0)
            kept[paired.at(i)] = true;
        if (paired.at(i) < 0 || theirs.at(paired.at(i)) != base.at(i))
            names << base.at(i).value(0);
    }
    for (qsizetype j = 0; j < theirs.size(); ++j)
        if (!kept.at(j))
            names << theirs.at(j).value(0);
    names.removeDuplicates();
    return names;
}

bool reordered(const QVector<Row>& base, const QVector<Row>& theirs) {
    return !ascending(pairRows(base, theirs));
}

MergedRows mergeRows(const QVector<Row>& base, const QVector<MineRow>& mine, const QVector<Row>& theirs) {
    const QVector<int> baseInTheirs = pairRows(base, theirs);
    QStringList origins;
    QVector<bool> added;
    for (const MineRow& m : mine) {
        origins << m.origin.value_or(QString());
        added << !m.origin;
    }
    const QVector<int> mineInBase = pairNames(origins, namesOf(base), added);

    MergedRows merged;
    QVector<int> mineOrder;               // merged rows in the window's order
    QVector<int> ofBase(base.size(), -1); // the merged row of each base row mine kept
    for (qsizetype r = 0; r < mine.size(); ++r) {
        const int b = mineInBase.at(r);
        const int t = b < 0 ? -1 : baseInTheirs.at(b);
        const bool changedHere = b < 0 || mine.at(r).fields != base.at(b);
        if (b >= 0 && t < 0 && !changedHere)
            continue; // removed elsewhere, untouched here
        merged.rows << (b >= 0 && t >= 0 ? byField(base.at(b), mine.at(r).fields, theirs.at(t))
                                         : mine.at(r).fields);
        merged.origins << (t >= 0 ? std::optional(theirs.at(t).value(0)) : std::optional<QString>());
        if (b >= 0)
            ofBase[b] = int(merged.rows.size() - 1);
        mineOrder << int(merged.rows.size() - 1);
    }
    QVector<int> theirsOrder;
    QVector<int> theirsInBase(theirs.size(), -1);
    for (qsizetype b = 0; b < base.size(); ++b)
        if (baseInTheirs.at(b) >= 0)
            theirsInBase[baseInTheirs.at(b)] = int(b);
    for (qsizetype t = 0; t < theirs.size(); ++t) {
        const int b = theirsInBase.at(t);
        if (b < 0) { // added elsewhere
            merged.rows << theirs.at(t);
            merged.origins << theirs.at(t).value(0);
            theirsOrder << int(merged.rows.size() - 1);
        } else if (ofBase.at(b) >= 0) { // not removed here
            theirsOrder << ofBase.at(b);
        }
    }
    // The window moved rows when those it kept from the base stand in another order.
    const QVector<int> order =
        ascending(mineInBase) ? interleave(theirsOrder, mineOrder) : interleave(mineOrder, theirsOrder);
    MergedRows ordered;
    for (const int i : order) {
        ordered.rows << merged.rows.at(i);
        ordered.origins << merged.origins.at(i);
    }
    return ordered;
}

} // namespace merge
