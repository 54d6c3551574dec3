#include "FieldMerge.h"

#include <vector>

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

// The row of `theirs` each row of `base` is (-1 for one removed elsewhere): by name, else the
// row renamed elsewhere that took its place. A row gone and one come pair up when they stand
// after the same row both keep (or both first) and have the same other fields, and the rows gone
// and those come there with those fields are as many: the k-th gone is the k-th come.
QVector<int> pairRows(const QVector<Row>& base, const QVector<Row>& theirs) {
    QVector<int> paired = pairNames(namesOf(base), namesOf(theirs));
    // Of the rows of each side, the base row each pairs as by name (-1 for none).
    QVector<int> baseKept(base.size(), -1), theirsKept(theirs.size(), -1);
    for (qsizetype b = 0; b < base.size(); ++b)
        if (paired.at(b) >= 0)
            baseKept[b] = theirsKept[paired.at(b)] = int(b);
    // The other rows, each keyed by the base row before it that both keep (-1 for none) and its
    // other fields.
    using Key = QPair<int, Row>;
    const auto unpaired = [](const QVector<Row>& rows, const QVector<int>& kept) {
        QList<QPair<Key, int>> out;
        int after = -1;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (kept.at(i) >= 0)
                after = kept.at(i);
            else
                out.append({{after, rows.at(i).mid(1)}, int(i)});
        }
        return out;
    };
    const QList<QPair<Key, int>> gone = unpaired(base, baseKept);
    const QList<QPair<Key, int>> come = unpaired(theirs, theirsKept);
    QList<Key> seen;
    for (const auto& g : gone) {
        if (seen.contains(g.first))
            continue;
        seen << g.first;
        QVector<int> ofGone, ofCome;
        for (const auto& [key, i] : gone)
            if (key == g.first)
                ofGone << i;
        for (const auto& [key, j] : come)
            if (key == g.first)
                ofCome << j;
        if (ofGone.size() == ofCome.size())
            for (qsizetype n = 0; n < ofGone.size(); ++n)
                paired[ofGone.at(n)] = ofCome.at(n);
    }
    return paired;
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

// Which of the places (-1s aside) keep their order: a longest ascending run of them (not
// necessarily adjacent); the others were moved.
std::vector<bool> keptInOrder(const QVector<int>& places) {
    const std::size_t n = std::size_t(places.size());
    std::vector<int> tails;         // positions ending the best run of each length
    std::vector<int> before(n, -1); // the position before each in its run
    for (std::size_t i = 0; i < n; ++i) {
        if (places.at(i) < 0)
            continue;
        const auto at = std::lower_bound(tails.begin(), tails.end(), places.at(i),
                                         [&](int pos, int p) { return places.at(pos) < p; });
        before[i] = at == tails.begin() ? -1 : *(at - 1);
        if (at == tails.end())
            tails.push_back(int(i));
        else
            *at = int(i);
    }
    std::vector<bool> kept(n, false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = before[std::size_t(i)])
        kept[std::size_t(i)] = true;
    return kept;
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

QVector<std::optional<int>> readByName(const QVector<Row>& base,
                                       const QVector<std::optional<QString>>& names) {
    QStringList given;
    QVector<bool> added;
    for (const std::optional<QString>& n : names) {
        given << n.value_or(QString());
        added << !n;
    }
    QVector<std::optional<int>> read;
    for (const int b : pairNames(given, namesOf(base), added))
        read << (b >= 0 ? std::optional(b) : std::nullopt);
    return read;
}

QStringList changedRows(const QVector<Row>& base, const QVector<Row>& theirs) {
    const QVector<int> paired = pairRows(base, theirs);
    QStringList names;
    QVector<bool> kept(theirs.size(), false);
    for (qsizetype i = 0; i < base.size(); ++i) {
        const int t = paired.at(i);
        if (t >= 0)
            kept[t] = true;
        const QString name = base.at(i).value(0);
        if (t >= 0 && theirs.at(t).value(0) != name)
            names << QStringLiteral("%1 → %2").arg(name, theirs.at(t).value(0));
        else if (t < 0 || theirs.at(t) != base.at(i))
            names << name;
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
    QVector<int> mineInBase;
    QVector<bool> readTwice(base.size(), false); // a base row is one row of mine at most
    for (const MineRow& m : mine) {
        const int b =
            m.read && *m.read >= 0 && *m.read < base.size() && !readTwice.at(*m.read) ? *m.read : -1;
        if (b >= 0)
            readTwice[b] = true;
        mineInBase << b;
    }
    // The rows both keep that the window moved: those out of the longest run kept in order.
    QVector<int> bothKeep;
    for (const int b : mineInBase)
        bothKeep << (b >= 0 && baseInTheirs.at(b) >= 0 ? b : -1);
    const std::vector<bool> kept = keptInOrder(bothKeep);

    MergedRows merged;
    QVector<int> mineOrder;               // merged rows in the window's order
    QVector<int> ofBase(base.size(), -1); // the merged row of each base row mine kept in place
    for (qsizetype r = 0; r < mine.size(); ++r) {
        const int b = mineInBase.at(r);
        const int t = b < 0 ? -1 : baseInTheirs.at(b);
        const bool changedHere = b < 0 || mine.at(r).fields != base.at(b);
        if (b >= 0 && t < 0 && !changedHere)
            continue; // removed elsewhere, untouched here
        merged.rows << (t >= 0 ? byField(base.at(b), mine.at(r).fields, theirs.at(t)) : mine.at(r).fields);
        merged.origins << (t >= 0 ? std::optional(theirs.at(t).value(0)) : std::optional<QString>());
        if (t >= 0 && kept[std::size_t(r)])
            ofBase[b] = int(merged.rows.size() - 1);
        mineOrder << int(merged.rows.size() - 1);
    }
    // Theirs order, without the rows removed, brought back or moved here; those follow the row
    // before them in the window.
    QVector<int> theirsInBase(theirs.size(), -1);
    for (qsizetype b = 0; b < base.size(); ++b)
        if (baseInTheirs.at(b) >= 0)
            theirsInBase[baseInTheirs.at(b)] = int(b);
    QVector<int> theirsOrder;
    for (qsizetype t = 0; t < theirs.size(); ++t) {
        const int b = theirsInBase.at(t);
        if (b < 0) { // added elsewhere
            merged.rows << theirs.at(t);
            merged.origins << theirs.at(t).value(0);
            theirsOrder << int(merged.rows.size() - 1);
        } else if (ofBase.at(b) >= 0) {
            theirsOrder << ofBase.at(b);
        }
    }
    MergedRows ordered;
    for (const int i : interleave(theirsOrder, mineOrder)) {
        ordered.rows << merged.rows.at(i);
        ordered.origins << merged.origins.at(i);
    }
    return ordered;
}

} // namespace merge
