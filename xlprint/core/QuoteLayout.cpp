#include "DetailLines.h"
#include "Layouts.h"

#include <cmath>

namespace xlprint {

QHash<QString, PathSums> sumsByPath(const QVector<StatRow>& rows) {
    QHash<QString, PathSums> sums;
    for (const StatRow& r : rows) {
        PathSums& p = sums[r.tre];
        p.price += numberOf(r.top);
        p.cost += numberOf(r.toc);
    }
    return sums;
}

SheetPlan detailSheetPlan(const Geometry& g, int copyLastCol) {
    SheetPlan sp;
    sp.sheet = 2;
    sp.columnBreak = g.br.col + 4;
    sp.copyLastCol = copyLastCol;
    return sp;
}

QString unitPriceFormat(const QVariant& v) {
    const double x = numberOf(v);
    if (!std::isfinite(x) || x == std::floor(x))
        return {};
    return QStringLiteral("#,##0.####");
}

int lastRowOf(const QVector<CellOut>& cells) {
    int last = 0;
    for (const CellOut& c : cells)
        last = qMax(last, c.row);
    return last;
}

int quoteLineCount(const Switches& sw, int rows, int nodes, int rootChildren, int lc) {
    if (sw.singleSheet && sw.flat)
        return rows + 12;
    int l = 0;
    switch (sw.groupMode) {
    case 1:
    case 3: l = rows + nodes + lc - 1; break;
    case 2: l = rows + nodes - rootChildren + lc - 1; break;
    default: return 0;
    }
    if (sw.singleSheet && sw.groupMode != 3)
        l += 12;
    return l;
}

namespace {

// The grouped detail: headings, item lines and a 小計 line per group.
void writeGroupedDetail(DetailWriter& w, PageCursor& cur, const QVector<StatRow>& rows,
                        const Switches& sw, bool pricesHidden) {
    const QHash<QString, PathSums> sums = sumsByPath(rows);
    HeadingCounters counters;
    auto item = [&](const StatRow& r) {
        w.pricedItem(counters.item(), r, sw.blank);
        if (sw.costCols) {
            w.put(6, r.unc, unitPriceFormat(r.unc));
            w.put(7, r.toc);
            if (!sw.blank)
                w.put(8, r.rat);
        }
        w.put(sw.costTemplate ? 9 : 6, r.rem);
        cur.advance();
    };
    auto subtotal = [&](const QString& path) {
        const PathSums p = sums.value(path);
        w.put(1, QStringLiteral("小計"));
        if (!sw.blank)
            w.put(5, p.price);
        if (sw.costCols && !pricesHidden) {
            w.put(7, p.cost);
            w.put(8, p.price - p.cost, kAmountFormat);
        }
        cur.advance();
    };

    QString current;
    QStringList previous;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const StatRow& r = rows.at(i);
        if (i > 0 && r.tre == current) {
            counters.nextItem();
            item(r);
            continue;
        }
        if (i > 0)
            subtotal(current);
        const QStringList parts = pathParts(r.tre);
        for (int level : dueHeadingLevels(parts, i == 0 ? QStringList() : previous, 1)) {
            w.heading(level, counters.next(level), parts.at(level));
            if (i == 0)
                cur.plain();
            else
                cur.advance();
        }
        current = r.tre;
        previous = parts;
        counters.firstItem();
        item(r);
    }
    if (!rows.isEmpty())
        subtotal(current);
}

void writeFlatDetail(DetailWriter& w, PageCursor& cur, const QVector<StatRow>& rows, bool blank) {
    int number = 0;
    for (const StatRow& r : rows) {
        w.pricedItem(++number, r, blank);
        cur.plain();
    }
}

} // namespace

JobPlan planQuote(const PrintSnapshot& s, const Switches& sw, const Geometry& g, StatSource& st) {
    JobPlan plan;
    plan.lastHeaderCol = g.br.col + (sw.costTemplate ? 3 : 0);
    const double totalCost = sw.costCols ? st.totalCost() : 0;
    const QVector<StatRow> rows = st.rowsInPrintOrder();
    const int lc = sw.groupMode >= 1 && sw.groupMode <= 3 ? st.lcCount() : 0;
    plan.lineCount = quoteLineCount(sw, int(rows.size()), s.treeNodes, s.rootChildren, lc);

    if (!sw.singleSheet) {
        const QVector<GroupRow> groups =
            sw.byArea || s.workTypesOnly ? st.topGroups() : st.workTypes();
        CoverOptions o;
        o.blank = sw.blank;
        o.costCols = sw.costCols;
        o.totalCost = totalCost;
        o.feeRows = !(sw.blank && !sw.costCols);
        addCover(plan, g, s, groups, o);
    }

    SheetPlan detail = detailSheetPlan(g, g.br.col + (sw.costTemplate ? 3 : 0));
    if (sw.singleSheet)
        detail.sheet = 1;
    PageCursor cur(g, sw.singleSheet);
    DetailWriter w(detail.cells, g, cur);
    if (sw.singleSheet && sw.flat)
        writeFlatDetail(w, cur, rows, sw.blank);
    else
        writeGroupedDetail(w, cur, rows, sw, s.rights.pricesHidden);

    const int L = plan.lineCount;
    if (sw.singleSheet) {
        CellWriter cw(detail.cells, g.C);
        writeClosingRows(cw, cur.row(), s, g.br.col + (sw.costTemplate ? 3 : 0));
        // The line count holds 12 of the closing block's 13 rows: one more keeps the page foot
        // (the signature line) below the closing rows.
        detail.insertRows = qMax(0, qMax(L + 1, cur.r() + kClosingRows) - g.P);
    } else {
        const int partsCopies = L > g.P ? L / g.P : 0;
        detail.pageCopies = qMax(partsCopies, copiesFor(g, lastRowOf(detail.cells)));
    }
    plan.sheets.append(detail);
    return plan;
}

JobPlan planJob(Routine routine, const PrintSnapshot& s, const Switches& sw, const Geometry& g,
                StatSource& st) {
    switch (routine) {
    case Routine::Quote: return planQuote(s, sw, g, st);
    case Routine::AreasOnly: return planAreasOnly(s, sw, g, st);
    case Routine::AreaPages: return planAreaPages(s, sw, g, st);
    case Routine::WorkTypePages: return planWorkTypePages(s, sw, g, st);
    }
    return {};
}

} // namespace xlprint
