#pragma once
// The areas of a category as the catalogue window lays them out: twenty to a column, columns side
// by side; area k (1-based) stands in column (k - 1) / 20, row (k - 1) % 20. Every column but the
// last is full. Adding, deleting and moving keep that shape; the last column may be left with no
// row (a category whose only area was deleted), which counts as no column for the layout.
#include <QStringList>
#include <QVector>

namespace catalog {

inline constexpr int kAreasPerColumn = 20;

struct AreaCell {
    int column = 0;
    int row = 0;
    bool operator==(const AreaCell&) const = default;
};

class AreaColumns {
public:
    AreaColumns() { m_columns.append(QStringList()); }
    // The areas as loaded: each keeps its place among them (readAs) through edits and moves.
    explicit AreaColumns(const QStringList& areas);

    // Columns holding areas (at least one: an empty category shows one empty column).
    int columnCount() const { return int(m_columns.size()); }
    const QStringList& column(int c) const { return m_columns.at(c); }
    QString text(AreaCell at) const;
    void setText(AreaCell at, const QString& text);
    bool contains(AreaCell at) const;

    // The areas in their order, the empty last one dropped (one at most), as apply stores them.
    QStringList toStoredList() const;
    // For each area of toStoredList, its place among the areas loaded; -1 for one added since.
    QList<int> readAs() const;

    // The cell that receives a new area: the empty last row of the last column when there is one,
    // else a new row (in a new column when the last one is full).
    AreaCell add();
    // Removes the area; the later ones move up one place across the columns. A column left with no
    // row is dropped, unless it is the first.
    void remove(AreaCell at);

    enum class Move { Moved, AtEnd, NothingSelected };
    // Swaps the area with its neighbour below (or above), across columns; `at` follows it.
    Move moveDown(AreaCell& at);
    Move moveUp(AreaCell& at);

private:
    int flatIndex(AreaCell at) const { return at.column * kAreasPerColumn + at.row; }
    AreaCell cellOf(int index) const { return {index / kAreasPerColumn, index % kAreasPerColumn}; }
    int count() const;
    void setFlat(const QStringList& areas);
    QStringList flat() const;
    QVector<QStringList> m_columns;
    QList<int> m_read; // each area's place among those loaded, in their order (-1: added)
};

} // namespace catalog
