#pragma once
// In-memory statistics and workbook for the layout tests.
#include "Numbering.h"
#include "SheetPlan.h"
#include "StatSource.h"

#include <QHash>
#include <QMap>
#include <QSet>

namespace xlfake {

using namespace xlprint;

// A statistics row of a path with a name, quantity 1 and the given amount and cost.
inline StatRow row(const QString& tre, const QString& des, double top, double toc = 0) {
    StatRow r;
    r.tre = tre;
    r.des = des;
    r.siz = QStringLiteral("規");
    r.uni = QStringLiteral("式");
    r.qua = 1.0;
    r.unp = top;
    r.top = top;
    r.unc = toc;
    r.toc = toc;
    r.rat = 1.2;
    r.rem = QStringLiteral("備") + des;
    const QStringList p = pathParts(tre);
    r.aot = p.value(1);
    return r;
}

class Stats : public StatSource {
public:
    QVector<StatRow> rows;
    QVector<GroupRow> groups, types;
    QVector<AreaSizeRow> areas;
    QVector<GroupSizeRow> areaGroups, typeGroups;
    int lc = 0;
    double cost = 0;

    double totalCost() override { return cost; }
    QVector<GroupRow> topGroups() override { return groups; }
    QVector<GroupRow> workTypes() override { return types; }
    int lcCount() override { return lc; }
    QVector<StatRow> rowsInPrintOrder() override { return rows; }
    QVector<StatRow> rowsInRowOrder() override { return rows; }
    QVector<AreaSizeRow> areaSizes() override { return areas; }
    QVector<GroupSizeRow> areaGroupSizes() override { return areaGroups; }
    QVector<GroupSizeRow> workTypeGroupSizes() override { return typeGroups; }

    // Groups of the rows' first path part, in order of appearance, with their amounts.
    void groupByArea() {
        groups.clear();
        areas.clear();
        for (const StatRow& r : rows) {
            auto it = std::find_if(groups.begin(), groups.end(),
                                   [&](const GroupRow& g) { return g.name == r.aot; });
            if (it == groups.end()) {
                groups.append(GroupRow{r.aot, 0.0, 0.0, 0.0});
                it = groups.end() - 1;
            }
            it->amount = it->amount.toDouble() + numberOf(r.top);
            it->cost = it->cost.toDouble() + numberOf(r.toc);
            it->profit = it->amount.toDouble() - it->cost.toDouble();
        }
        for (const GroupRow& g : groups)
            areas.append(AreaSizeRow{g.name, g.amount, 0});
    }
};

class Sheet : public PrintSheet {
public:
    QMap<QPair<int, int>, QVariant> cells;
    QHash<QPair<int, int>, Align> aligns;
    QHash<QPair<int, int>, QString> formats;
    QSet<QPair<int, int>> bold;
    QList<int> rowBreaks, colBreaks;
    QHash<int, double> heights;
    QList<QPair<int, int>> inserts;
    QList<QList<int>> copies; // top, left, bottom, right, destRow, destCol
    QVector<Block> blocks;    // merged
    int writes = 0;

    QVariant value(int r, int c) const override { return cells.value({r, c}); }
    void setValue(int r, int c, const QVariant& v) override {
        cells[{r, c}] = v;
        ++writes;
    }
    void setAlign(int r, int c, Align a) override { aligns[{r, c}] = a; }
    void setNumberFormat(int r, int c, const QString& f) override { formats[{r, c}] = f; }
    void setBold(int r, int c) override { bold.insert({r, c}); }
    void copyRange(int t, int l, int b, int rt, int dr, int dc) override {
        copies.append({t, l, b, rt, dr, dc});
    }
    void addRowBreak(int r) override { rowBreaks.append(r); }
    void addColumnBreak(int c) override { colBreaks.append(c); }
    double rowHeight(int r) const override { return heights.value(r, 15.0); }
    void setRowHeight(int r, double h) override { heights[r] = h; }
    void insertRows(int r, int n) override { inserts.append({r, n}); }
    int lastRow() const override { return cells.isEmpty() ? 0 : cells.lastKey().first; }
    QVector<Block> merges() const override { return blocks; }
    QString text(int r, int c) const { return value(r, c).toString(); }
};

class Book : public PrintBook {
public:
    explicit Book(int n = 2) : sheets(n) {}
    QVector<Sheet> sheets;
    int sheetCount() const override { return int(sheets.size()); }
    PrintSheet* sheet(int p) override { return p >= 1 && p <= sheets.size() ? &sheets[p - 1] : nullptr; }
    Sheet& at(int p) { return sheets[p - 1]; }
};

inline Geometry geometry(int S, int C, const QString& tl, const QString& br, int P) {
    Geometry g;
    g.S = S;
    g.C = C;
    g.P = P;
    g.tl = *parseCellRef(tl);
    g.br = *parseCellRef(br);
    return g;
}

// The cells of one planned sheet by (row, column); later writes win.
inline QMap<QPair<int, int>, QVariant> cellsOf(const SheetPlan& sp) {
    QMap<QPair<int, int>, QVariant> m;
    for (const CellOut& c : sp.cells)
        m[{c.row, c.col}] = c.value;
    return m;
}

} // namespace xlfake
