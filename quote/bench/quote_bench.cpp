// Timings of the quotation document on the reference quotation (ReferenceQuotation.h).
//
//   quote_bench [runs]     (build with optimisation, e.g. RelWithDebInfo)
#include "Pricing.h"
#include "QuoteFile.h"
#include "ReferenceQuotation.h"
#include "TreeCommands.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace quote;
using namespace quote::bench;

namespace {
// Answers every question with Yes (the tree commands ask before deleting).
class YesDialogs final : public ui::DialogBackend {
public:
    ui::Answer message(const ui::MessageRequest&) override { return ui::Answer::Yes; }
    std::optional<QString> input(const ui::InputRequest&) override { return std::nullopt; }
    QString openFile(const ui::FileRequest&) override { return {}; }
    QString saveFile(const ui::FileRequest&) override { return {}; }
    QString folder(const ui::FileRequest&) override { return {}; }
};
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

    bench::report(out, timings);
    return 0;
}
