// Timings of the quotation document on a reference quotation: 20,000 item rows in 1,000 leaves
// under a three-level tree (10 areas, 10 work types each, 10 sub-types each, 20 rows per leaf).
//
//   quote_bench [runs]     (build with optimisation, e.g. RelWithDebInfo)
#include "Pricing.h"
#include "QuoteFile.h"
#include "ReferenceQuotation.h"
#include "text/Numbers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

using namespace quote;

namespace {

constexpr int kRowsPerLeaf = kReferenceRowsPerLeaf;

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
