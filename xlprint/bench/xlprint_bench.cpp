// Timings of the fifteen print commands on the reference quotation of 20,000 rows: the plan of
// each layout and its writing into a workbook.
//
//   xlprint_bench [runs]     (build with optimisation, e.g. RelWithDebInfo)
#include "Layouts.h"
#include "Numbering.h"
#include "ReferenceQuotation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QTextStream>
#include <algorithm>

using namespace xlprint;

namespace {

// The statistics of the reference quotation as the views deliver them: rows in path order,
// groups of the first and second path parts with their sums.
class ReferenceStats : public StatSource {
public:
    explicit ReferenceStats(const quote::QuoteDocument& doc) {
        for (int r = 1; r < doc.hfgB.rows(); ++r) {
            const quote::ItemRow& ir = doc.hfgB.row(r);
            StatRow s;
            s.tre = ir[quote::ColPath];
            s.des = ir[quote::ColName];
            s.siz = ir[quote::ColSpec];
            s.uni = ir[quote::ColUnit];
            s.qua = ir[quote::ColQty].toDouble();
            s.unp = ir[quote::ColPrice].toDouble();
            s.top = ir[quote::ColAmount].toDouble();
            s.unc = ir[quote::ColCost].toDouble();
            s.toc = ir[quote::ColCostTotal].toDouble();
            s.rat = ir[quote::ColRatio].toDouble();
            s.rem = ir[quote::ColRemark];
            s.aot = pathParts(s.tre).value(1);
            m_byRow.append(s);
        }
        m_byPath = m_byRow;
        std::stable_sort(m_byPath.begin(), m_byPath.end(),
                         [](const StatRow& a, const StatRow& b) { return a.tre < b.tre; });
        QMap<QString, GroupRow> areas, types;
        QMap<QString, int> paths;
        for (const StatRow& s : m_byPath) {
            const QStringList p = pathParts(s.tre);
            for (auto [map, key] : {std::pair{&areas, p.value(1)}, std::pair{&types, p.value(2)}}) {
                GroupRow& g = (*map)[key];
                g.name = key;
                g.amount = g.amount.toDouble() + numberOf(s.top);
                g.cost = g.cost.toDouble() + numberOf(s.toc);
                g.profit = g.amount.toDouble() - g.cost.toDouble();
            }
            ++paths[s.tre];
        }
        m_areas = areas.values().toVector();
        m_types = types.values().toVector();
        for (const GroupRow& a : m_areas)
            m_areaSizes.append(AreaSizeRow{a.name, a.amount, 0});
        for (auto it = paths.begin(); it != paths.end(); ++it)
            m_groups.append(GroupSizeRow{it.value(), pathParts(it.key()).value(1), it.key()});
    }
    double totalCost() override { return 0; }
    QVector<GroupRow> topGroups() override { return m_areas; }
    QVector<GroupRow> workTypes() override { return m_types; }
    int lcCount() override { return int(m_groups.size()); }
    QVector<StatRow> rowsInPrintOrder() override { return m_byPath; }
    QVector<StatRow> rowsInRowOrder() override { return m_byPath; }
    QVector<AreaSizeRow> areaSizes() override { return m_areaSizes; }
    QVector<GroupSizeRow> areaGroupSizes() override { return m_groups; }
    QVector<GroupSizeRow> workTypeGroupSizes() override { return m_groups; }

private:
    QVector<StatRow> m_byRow, m_byPath;
    QVector<GroupRow> m_areas, m_types;
    QVector<AreaSizeRow> m_areaSizes;
    QVector<GroupSizeRow> m_groups;
};

// A workbook in memory: the cost of the cell writes without a file.
class MemorySheet : public PrintSheet {
public:
    QHash<qint64, QVariant> cells;
    static qint64 key(int r, int c) { return qint64(r) << 20 | c; }
    QVariant value(int r, int c) const override { return cells.value(key(r, c)); }
    void setValue(int r, int c, const QVariant& v) override { cells.insert(key(r, c), v); }
    void setAlign(int, int, Align) override {}
    void setNumberFormat(int, int, const QString&) override {}
    void setBold(int, int) override {}
    void copyRange(int, int, int, int, int, int) override {}
    void addRowBreak(int) override {}
    void addColumnBreak(int) override {}
    double rowHeight(int) const override { return 15; }
    void setRowHeight(int, double) override {}
    void insertRows(int, int) override {}
    int lastRow() const override { return 0; }
};

class MemoryBook : public PrintBook {
public:
    MemorySheet sheets[2];
    int sheetCount() const override { return 2; }
    PrintSheet* sheet(int p) override { return p >= 1 && p <= 2 ? &sheets[p - 1] : nullptr; }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    QTextStream out(stdout);

    const quote::QuoteDocument doc = quote::bench::referenceQuotation();
    ReferenceStats stats(doc);
    PrintSnapshot snap;
    snap.header = doc.header;
    snap.pageEnd = doc.pageEnd;
    snap.treeNodes = 1 + 10 + 100 + 1000;
    snap.rootChildren = 10;
    PrintSettings ps{"8", "A", "A1", "G39", "30", false};
    const Geometry g = *geometryOf(ps);

    out << "command                             median ms (aim 3000)   cells\n";
    for (const PrintCommand& cmd : printCommands()) {
        const Switches sw = switchesFor(cmd, false, {});
        std::vector<double> ms;
        qsizetype cells = 0;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            const JobPlan plan = planJob(cmd.routine, snap, sw, g, stats);
            MemoryBook book;
            applyPlan(plan, g, book);
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
            cells = 0;
            for (const SheetPlan& sp : plan.sheets)
                cells += sp.cells.size();
        }
        std::sort(ms.begin(), ms.end());
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(QLatin1String(cmd.item), -6)
                   .arg(QString::fromUtf8(cmd.caption), -22)
                   .arg(ms[ms.size() / 2], 10, 'f', 1)
                   .arg(cells, 10);
    }
    return 0;
}
