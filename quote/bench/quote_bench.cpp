// Timings of the quotation document on a reference quotation: 20,000 item rows in 1,000 leaves
// under a three-level tree (10 areas, 10 work types each, 10 sub-types each, 20 rows per leaf).
//
//   quote_bench [runs]     (build with optimisation, e.g. RelWithDebInfo)
#include "Pricing.h"
#include "TreeCommands.h"
#include "QuoteFile.h"
#include "text/Numbers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

using namespace quote;

namespace {

constexpr int kAreas = 10;
constexpr int kWorkTypes = 10;
constexpr int kSubTypes = 10;
constexpr int kRowsPerLeaf = 20;

const QStringList kItems = {"系統櫃", "木作天花板", "乳膠漆", "超耐磨地板", "石膏板隔間",
                            "踢腳板", "窗簾盒",     "鋁窗",   "磁磚",       "防水層"};
const QStringList kUnits = {"尺", "坪", "式", "片", "座", "才", "組"};

// The reference quotation. The leaves' blocks stand in the store in a shuffled order, as a quotation
// edited leaf by leaf leaves them; the root is shown with every row.
QuoteDocument referenceQuotation() {
    QuoteDocument doc;
    doc.header = {"王先生", "信義住宅", "陳小明", "住宅", "1121201_", "台北市信義路五段7號", "112/12/01"};
    QStringList leaves;
    for (int a = 0; a < kAreas; ++a) {
        const QString area = QStringLiteral("區域%1").arg(a + 1);
        const QString areaKey = doc.tree.addChild(kRootKey, area)->key;
        for (int w = 0; w < kWorkTypes; ++w) {
            const QString workKey = doc.tree.addChild(areaKey, QStringLiteral("工種%1").arg(w + 1))->key;
            for (int s = 0; s < kSubTypes; ++s)
                leaves << doc.tree.addChild(workKey, QStringLiteral("項目%1").arg(s + 1))->key;
        }
    }
    QRandomGenerator rng(20231201);
    std::vector<int> order(size_t(leaves.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::shuffle(order.begin(), order.end(), rng);

    std::vector<ItemRow> rows;
    rows.reserve(size_t(leaves.size() * kRowsPerLeaf));
    for (int leaf : order) {
        for (int i = 0; i < kRowsPerLeaf; ++i) {
            ItemRow r;
            const int qty = 1 + int(rng.bounded(40));
            const int cost = 100 * (1 + int(rng.bounded(90)));
            const double ratio = 1 + 0.05 * double(rng.bounded(10));
            const double price = num::roundHalfEven(ratio * cost, 0);
            r[ColPath] = leaves[leaf];
            r[ColName] = kItems[int(rng.bounded(kItems.size()))];
            r[ColSpec] =
                QStringLiteral("W%1 H%2").arg(60 + int(rng.bounded(180))).arg(60 + int(rng.bounded(180)));
            r[ColUnit] = kUnits[int(rng.bounded(kUnits.size()))];
            r[ColQty] = QString::number(qty);
            r[ColPrice] = num::str(price);
            r[ColAmount] = num::str(price * qty);
            r[ColCost] = QString::number(cost);
            r[ColCostTotal] = QString::number(cost * qty);
            r[ColRatio] = num::str(ratio);
            r[ColRemark] = i % 5 == 0 ? QStringLiteral("含五金") : QString();
            r[ColCatalogName] = r[ColName];
            rows.push_back(r);
        }
    }
    doc.hfgB.setRows(1);
    doc.hfgB.appendRows(rows);
    doc.pageEnd.cbPe = {"訂金三成", "完工付清", "保固一年", "", ""};
    doc.showRootAfterRead();
    return doc;
}

// Answers every question with Yes (the tree commands ask before deleting).
class YesDialogs final : public ui::DialogBackend {
public:
    ui::Answer message(const ui::MessageRequest&) override { return ui::Answer::Yes; }
    std::optional<QString> input(const ui::InputRequest&) override { return std::nullopt; }
    QString openFile(const ui::FileRequest&) override { return {}; }
    QString saveFile(const ui::FileRequest&) override { return {}; }
    QString folder(const ui::FileRequest&) override { return {}; }
};

struct Timing {
    QString what;
    double aimMs;
    std::vector<double> ms;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs `prepare` (not timed) then `work` (timed), `runs` times.
Timing measure(const QString& what, double aimMs, int runs, const std::function<void()>& prepare,
               const std::function<void()>& work) {
    Timing t{what, aimMs, {}};
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        timer.start();
        work();
        t.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return t;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("reference.kav"));
    QuoteDocument doc = referenceQuotation();
    const QStringList leaves = doc.tree.leaves(kRootKey);
    const QString leafA = leaves.at(17);
    const QString leafB = leaves.at(923);
    out << "reference quotation: " << doc.tree.count() << " nodes, " << leaves.size() << " leaves, "
        << doc.hfgB.rows() - 1 << " item rows\n";

    std::vector<Timing> timings;
    timings.push_back(measure("write the file", 300, runs, nullptr, [&] {
        if (const auto error = QuoteFile::write(doc, path))
            qFatal("write failed: %s", qPrintable(error->detail));
    }));
    out << "file: " << QFileInfo(path).size() << " bytes\n";
    timings.push_back(measure("read the file", 300, runs, nullptr, [&] {
        if (const auto error = QuoteFile::readFile(path, doc))
            qFatal("read failed: %s", qPrintable(error->detail));
    }));
    if (doc.hfgQ.rows() - 1 != leaves.size() * kRowsPerLeaf)
        qFatal("the root lists %d rows", doc.hfgQ.rows() - 1);

    timings.push_back(measure(
        "show the root (from a leaf)", 100, runs, [&] { doc.tv_NodeClick(leafA); },
        [&] { doc.tv_NodeClick(kRootKey); }));

    doc.tv_NodeClick(leafB);
    bool atA = false;
    timings.push_back(measure("switch between two leaves", 20, runs * 10, nullptr, [&] {
        atA = !atA;
        doc.tv_NodeClick(atA ? leafA : leafB);
    }));

    // A quantity typed into row 7 of the shown leaf: the row recomputed, then the grid totals.
    doc.tv_NodeClick(leafA);
    const PricingSwitches sw;
    int qty = 1;
    timings.push_back(measure("recalculate a row with the grid totals", 5, runs * 10, nullptr, [&] {
        doc.SetCell(7, ColQty, QString::number(++qty));
        RecalcAfterEdit(doc.hfgQ.dataRows()[6], ColQty, sw);
        doc.RefreshTotals();
    }));

    // One ratio for every row, at the root: the listed rows, the store and the totals.
    doc.tv_NodeClick(kRootKey);
    timings.push_back(measure("one ratio for all rows (root)", 0, runs, nullptr, [&] {
        SetRatioShown(doc.hfgQ.dataRows(), QStringLiteral("1.2"));
        SetRatioStored(doc.hfgB.dataRows(), QStringLiteral("1.2"));
        doc.RefreshTotals();
    }));
    timings.push_back(
        measure("grid totals of the root (20,000 rows)", 0, runs, nullptr, [&] { doc.RefreshTotals(); }));

    // Deleting a leaf with rows: the shown leaf (its rows stored, the root shown), and a leaf while
    // the root is shown (the root listed afresh).
    YesDialogs yes;
    ui::setDialogBackend(&yes);
    const QuoteDocument before = doc;
    timings.push_back(measure(
        "delete the shown leaf with rows", 50, runs,
        [&] {
            doc = before;
            doc.tv_NodeClick(leafA);
        },
        [&] { mDelN_Click(doc, leafA); }));
    timings.push_back(measure(
        "delete a leaf with rows (root shown)", 50, runs,
        [&] {
            doc = before;
            doc.tv_NodeClick(kRootKey);
        },
        [&] { mDelN_Click(doc, leafB); }));
    ui::setDialogBackend(nullptr);

    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("operation"), -42)
               .arg(QStringLiteral("median ms"), 10)
               .arg(QStringLiteral("max ms"), 9)
               .arg(QStringLiteral("aim ms"), 7);
    for (const Timing& t : timings)
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(t.what, -42)
                   .arg(median(t.ms), 10, 'f', 2)
                   .arg(*std::max_element(t.ms.begin(), t.ms.end()), 9, 'f', 2)
                   .arg(t.aimMs > 0 ? QStringLiteral("< %1").arg(t.aimMs) : QStringLiteral("-"), 7);
    return 0;
}
