#include "DetailLines.h"
#include "Layouts.h"

namespace xlprint {

int workTypePageCount(const QVector<GroupSizeRow>& groups, int P) {
    int pages = int(groups.size());
    for (const GroupSizeRow& grp : groups) {
        const int parts = grp.tre.isEmpty() ? 0 : int(pathParts(grp.tre).size());
        if (P < grp.lines + parts)
            ++pages;
    }
    return pages;
}

JobPlan planWorkTypePages(const PrintSnapshot& s, const Switches& sw, const Geometry& g,
                          StatSource& st) {
    JobPlan plan;
    plan.lastHeaderCol = g.br.col;
    int pageCount = 0;
    if (sw.groupMode == 1)
        pageCount = workTypePageCount(st.areaGroupSizes(), g.P);
    else if (sw.groupMode == 2)
        pageCount = workTypePageCount(st.workTypeGroupSizes(), g.P);
    plan.lineCount = pageCount;

    CoverOptions o;
    o.blank = sw.blank;
    o.feeRows = !sw.blank;
    o.ping = PingBase::AreaTimesRate;
    QVector<GroupRow> groups = s.workTypesOnly ? st.topGroups() : st.workTypes();
    for (GroupRow& grp : groups)
        grp.cost = grp.profit = QVariant();
    addCover(plan, g, s, groups, o);

    SheetPlan detail = detailSheetPlan(g, g.br.col);
    PageCursor cur(g, sw.singleSheet);
    DetailWriter w(detail.cells, g, cur);
    const QVector<StatRow> rows = st.rowsInPrintOrder();
    const QHash<QString, PathSums> sums = sumsByPath(rows);

    HeadingCounters counters;
    int page = 0; // page copies used up: the next group starts on this one
    auto item = [&](const StatRow& r) {
        w.pricedItem(counters.item(), r, sw.blank);
        w.put(6, r.rem);
    };
    auto itemAdvance = [&] {
        if (cur.advance())
            ++page;
    };
    auto subtotal = [&](const QString& path) {
        w.put(1, QStringLiteral("小計"));
        if (!sw.blank)
            w.put(5, sums.value(path).price);
    };

    QString current;
    QStringList previous;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const StatRow& r = rows.at(i);
        if (i > 0 && r.tre == current) {
            counters.nextItem();
            item(r);
            itemAdvance();
            continue;
        }
        const QStringList parts = pathParts(r.tre);
        if (i == 0) {
            for (int level : dueHeadingLevels(parts, {}, 1)) {
                w.heading(level, counters.next(level), parts.at(level));
                cur.plain();
            }
            counters.firstItem();
            item(r);
            cur.plain();
            page = 1;
        } else {
            subtotal(current);
            cur.jumpToPage(page);
            ++page;
            for (int level : dueHeadingLevels(parts, previous, 1)) {
                w.heading(level, counters.next(level), parts.at(level));
                itemAdvance();
            }
            counters.firstItem();
            item(r);
            itemAdvance();
        }
        current = r.tre;
        previous = parts;
    }
    if (!rows.isEmpty())
        subtotal(current);
    detail.pageCopies = qMax(pageCount - 1, copiesFor(g, lastRowOf(detail.cells)));
    plan.sheets.append(detail);
    return plan;
}

} // namespace xlprint
