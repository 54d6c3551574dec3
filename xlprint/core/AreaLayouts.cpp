#include "DetailLines.h"
#include "Layouts.h"

namespace xlprint {

JobPlan planAreasOnly(const PrintSnapshot& s, const Switches& sw, const Geometry& g, StatSource& st) {
    JobPlan plan;
    plan.lastHeaderCol = g.br.col;
    const QVector<GroupRow> areas = st.topGroups();
    const QVector<StatRow> rows = st.rowsInPrintOrder();
    plan.lineCount = int(rows.size() + 2 * areas.size() - 1);

    CoverOptions o;
    o.blank = sw.blank;
    o.feeRows = false;
    addCover(plan, g, s, areas, o);

    SheetPlan detail = detailSheetPlan(g, g.br.col);
    PageCursor cur(g, false);
    DetailWriter w(detail.cells, g, cur);
    if (!areas.isEmpty()) {
        int areaNo = 0;
        int item = 0;
        qsizetype a = 0;
        auto heading = [&] {
            w.put(0, headingNumber(2, ++areaNo));
            w.put(1, areas.at(a).name);
            item = 0;
        };
        auto subtotal = [&] {
            w.put(1, QStringLiteral("小計"));
            if (!sw.blank)
                w.put(5, numberOf(areas.at(a).amount));
            cur.advance();
        };
        heading();
        cur.plain();
        for (const StatRow& r : rows) {
            // Rows of an area the area list no longer holds stay under the last area.
            while (r.aot != areas.at(a).name && a + 1 < areas.size()) {
                subtotal();
                ++a;
                heading();
                cur.advance();
            }
            w.pricedItem(++item, r, sw.blank);
            cur.advance();
        }
        w.put(1, QStringLiteral("小計"));
        if (!sw.blank)
            w.put(5, numberOf(areas.at(a).amount));
    }
    const int L = plan.lineCount;
    detail.pageCopies = qMax(L > g.P ? L / g.P : 0, copiesFor(g, lastRowOf(detail.cells)));
    plan.sheets.append(detail);
    return plan;
}

int areaPageCount(const QVector<AreaSizeRow>& areas, const QVector<GroupSizeRow>& groups, int P) {
    int pages = int(areas.size());
    for (const AreaSizeRow& a : areas) {
        int need = a.ct;
        for (const GroupSizeRow& grp : groups)
            if (grp.aot == a.name)
                need += grp.tre.isEmpty() ? -1 : int(pathParts(grp.tre).size()) - 1;
        if (P < need + 2)
            ++pages;
    }
    return pages;
}

namespace {

// The path of a row below its area (parts 2 on), and those parts.
QStringList partsBelowArea(const QString& tre) {
    QStringList p = pathParts(tre);
    return p.size() > 2 ? p.mid(2) : QStringList();
}

} // namespace

JobPlan planAreaPages(const PrintSnapshot& s, const Switches& sw, const Geometry& g, StatSource& st) {
    JobPlan plan;
    plan.lastHeaderCol = g.br.col;
    const QVector<AreaSizeRow> areas = st.areaSizes();
    const int pageCount = areaPageCount(areas, st.areaGroupSizes(), g.P);
    plan.lineCount = pageCount;

    QVector<GroupRow> coverRows;
    for (const AreaSizeRow& a : areas)
        coverRows.append(GroupRow{a.name, a.amount, {}, {}});
    CoverOptions o;
    o.blank = sw.blank;
    o.ping = PingBase::AreaTimesRate;
    addCover(plan, g, s, coverRows, o);

    SheetPlan detail = detailSheetPlan(g, g.br.col);
    PageCursor cur(g, false);
    DetailWriter w(detail.cells, g, cur);
    const QVector<StatRow> rows = st.rowsInRowOrder();

    // The amount of an area the area list does not hold: the sum of its rows.
    auto amountOfArea = [&](const QString& name) -> double {
        for (const AreaSizeRow& a : areas)
            if (a.name == name)
                return numberOf(a.amount);
        double sum = 0;
        for (const StatRow& r : rows)
            if (r.aot == name)
                sum += numberOf(r.top);
        return sum;
    };

    HeadingCounters counters;
    qsizetype a = 0;
    QString areaName;
    QString prevPath;
    QStringList prevParts;
    auto item = [&](const StatRow& r) {
        w.pricedItem(counters.item(), r, sw.blank);
        w.put(6, r.rem);
    };
    auto subtotal = [&] {
        w.put(1, QStringLiteral("小計"));
        if (!sw.blank)
            w.put(5, amountOfArea(areaName));
    };
    // Headings of the levels below the area: every level of a new area, else those whose part
    // or a part above it (below the area) changed.
    auto levelHeadings = [&](const QStringList& full, bool newArea, bool plain) {
        const QStringList prev = newArea ? QStringList() : QStringList{QString(), QString()} + prevParts;
        for (int level : dueHeadingLevels(full, prev, 2)) {
            w.heading(level, counters.next(level), full.at(level));
            if (plain)
                cur.plain();
            else
                cur.advance();
        }
    };

    for (qsizetype i = 0; i < rows.size(); ++i) {
        const StatRow& r = rows.at(i);
        const QStringList full = pathParts(r.tre);
        const QStringList below = partsBelowArea(r.tre);
        const QString path = below.join(QChar(u'‧'));
        if (i == 0) {
            areaName = areas.isEmpty() ? r.aot : areas.first().name;
            w.heading(1, counters.next(1), areaName);
            cur.plain();
            levelHeadings(full, true, true);
            counters.firstItem();
            item(r);
            cur.plain();
        } else if (r.aot != areaName) {
            subtotal();
            cur.jumpToNextPage();
            ++a;
            areaName = a < areas.size() ? areas.at(a).name : r.aot;
            w.heading(1, counters.next(1), areaName);
            cur.advance();
            levelHeadings(full, true, false);
            counters.firstItem();
            item(r);
            cur.advance();
        } else {
            if (path != prevPath) {
                levelHeadings(full, false, false);
                counters.firstItem();
            } else {
                counters.nextItem();
            }
            item(r);
            cur.advance();
        }
        prevPath = path;
        prevParts = below;
    }
    if (!rows.isEmpty())
        subtotal();
    detail.pageCopies = qMax(pageCount - 1, copiesFor(g, lastRowOf(detail.cells)));
    plan.sheets.append(detail);
    return plan;
}

} // namespace xlprint
