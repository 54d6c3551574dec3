#pragma once
// Outline numbers of the printed headings and the quoted total in words.
#include <QString>
#include <QStringList>
#include <array>

namespace xlprint {

// The number of a heading of level 1 to 4: 壹, 貳 ... (1), 一, 二 ... (2), A, B ... (3),
// a, b ... (4). Levels 3 and 4 run on through the character table after Z and z.
QString headingNumber(int level, int n);
// The heading's name as printed: indented by level - 1 blanks.
QString headingText(int level, const QString& name);

// The quoted total (already rounded) in financial numerals: "零" for 0, "負" in front of a
// negative total.
QString amountInWords(double roundedTotal);
// The amount line of the totals: "  總價合計:  新台幣 " with the words and the tax ending, or the
// prefix alone when prices are left out.
QString amountLine(double quotedTotal, bool taxIncluded, bool withAmount);

// Heading counters of levels 1 to 4 and the item number. A counter counts every heading of its
// level since its parent's last heading (from 0, so the first heading is number 1).
class HeadingCounters {
public:
    // A heading of `level` is written: its number, with the deeper levels and the item number
    // starting again.
    int next(int level);
    void resetBelow(int level); // deeper levels and the item number back to 0
    int nextItem() { return ++m_item; }
    void firstItem() { m_item = 1; }
    int item() const { return m_item; }

private:
    std::array<int, 5> m_level{}; // index 1 to 4
    int m_item = 0;
};

// The levels 1 to 4 of a path whose heading is due after `previous`: level i is due when any
// part from `firstCompared` to i differs (a part the previous path lacks differs). Index 0 of the
// paths is the root. Levels beyond 4 never get a heading.
QList<int> dueHeadingLevels(const QStringList& parts, const QStringList& previous, int firstCompared);

// The parts of a tree path (joined by "‧").
QStringList pathParts(const QString& path);

} // namespace xlprint
