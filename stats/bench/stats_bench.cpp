// Timings of the statistics and the reports on the reference quotation: 20,000 item rows in 1,000
// leaves (10 areas × 10 work types × 10 sub-types, 20 rows each), shown at the root.
//
//   stats_bench [runs]     (build with optimisation, e.g. RelWithDebInfo; QT_QPA_PLATFORM=offscreen)
#include "Report.h"
#include "ReportDb.h"
#include "ReportTables.h"
#include "StaDb.h"
#include "Statistics.h"
#include "text/Numbers.h"

#include <QElapsedTimer>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

using namespace quote;

namespace {

// An item row of the reference quotation: unit price 1.3 × cost, amounts by quantity.
ItemRow pricedRow(const QString& leaf, const QString& name, int qty, int cost) {
    const double price = num::roundHalfEven(1.3 * cost);
    ItemRow r;
    r[ColPath] = leaf;
    r[ColName] = name;
    r[ColSpec] = QStringLiteral("W%1").arg(60 + qty);
    r[ColUnit] = QStringLiteral("式");
    r[ColQty] = QString::number(qty);
    r[ColPrice] = num::str(price);
    r[ColAmount] = num::str(price * qty);
    r[ColCost] = QString::number(cost);
    r[ColCostTotal] = QString::number(cost * qty);
    r[ColRatio] = QStringLiteral("1.3");
    return r;
}

// The reference quotation: every leaf's rows typed in tree order, then the root shown.
QuoteDocument referenceQuotation() {
    QuoteDocument doc;
    doc.header = {"王先生", "信義住宅", "陳小明", "住宅", "1121201_", "台北市信義路五段7號", "112/12/01"};
    const QStringList names = {"系統櫃", "木作天花板", "乳膠漆", "超耐磨地板", "石膏板隔間"};
    std::vector<ItemRow> rows;
    int n = 0;
    for (int a = 1; a <= 10; ++a) {
        const QString area = doc.tree.addChild(kRootKey, QStringLiteral("區域%1").arg(a))->key;
        for (int w = 1; w <= 10; ++w) {
            const QString work = doc.tree.addChild(area, QStringLiteral("工種%1").arg(w))->key;
            for (int s = 1; s <= 10; ++s) {
                const QString leaf = doc.tree.addChild(work, QStringLiteral("項目%1").arg(s))->key;
                for (int i = 0; i < 20; ++i, ++n)
                    rows.push_back(pricedRow(leaf, names[n % names.size()], 1 + n % 40, 100 * (1 + n % 90)));
            }
        }
    }
    doc.hfgB.setRows(1);
    doc.hfgB.appendRows(rows);
    doc.pageEnd.cbPe = {"訂金三成", "完工付清", "保固一年", "", ""};
    doc.showRootAfterRead();
    return doc;
}

// Runs each operation a number of times and prints its median and worst time beside its aim.
class Bench {
public:
    Bench(QTextStream& out, int runs) : m_out(out), m_runs(runs) {
        m_out << QStringLiteral("%1 %2 %3 %4\n")
                     .arg(QStringLiteral("operation"), -36)
                     .arg(QStringLiteral("median ms"), 10)
                     .arg(QStringLiteral("max ms"), 9)
                     .arg(QStringLiteral("aim ms"), 7);
    }
    // `prepare` runs before each timed run of `work`, untimed. `once`: a single run.
    void run(const QString& what, double aimMs, const std::function<void()>& work,
             const std::function<void()>& prepare = {}, bool once = false) {
        std::vector<double> ms;
        for (int i = 0; i < (once ? 1 : m_runs); ++i) {
            if (prepare)
                prepare();
            QElapsedTimer timer;
            timer.start();
            work();
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        m_out << QStringLiteral("%1 %2 %3 %4\n")
                     .arg(what, -36)
                     .arg(ms[ms.size() / 2], 10, 'f', 1)
                     .arg(ms.back(), 9, 'f', 1)
                     .arg(aimMs > 0 ? QStringLiteral("< %1").arg(aimMs) : QStringLiteral("-"), 7);
        m_out.flush();
    }

private:
    QTextStream& m_out;
    int m_runs;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    QTextStream out(stdout);
    QTemporaryDir dir;
    auto sta = stats::openStaDb(dir.path());
    auto rep = stats::openReportDb(dir.path());
    const QStringList company = {"好家室內設計", "台北市", "02-1234", "02-5678", "12345678", "a@b.tw"};
    const stats::ReportSources src{sta.get(), rep.get(), company, {}, {}};
    QuoteDocument doc = referenceQuotation();
    out << "reference quotation: " << doc.hfgQ.rows() - 1 << " item rows at the root\n";

    Bench bench(out, runs);
    const auto fill = [&] { stats::FillStatisticsTable(*sta, doc.hfgQ); };
    bench.run("fill 統計", 500, fill);
    for (int mode : {1, 2, 3})
        bench.run(QStringLiteral("number 統計, mode %1").arg(mode), 500,
                  [&] { stats::NumberStatRows(*sta, mode != 1, false, mode); }, fill);
    bench.run("fill the detail tables (mode 2)", 500, [&] { stats::FillDetailPrintTables(doc, src, 2); });
    bench.run("fill the cover-page tables", 500, [&] { stats::FillFrontPagePrintTables(doc, src); });

    report::Report details;
    bench.run("lay out the detail report", 2000,
              [&] { details = report::Report::load(QStringLiteral("pbdemo"), *rep); });
    // The first page as the preview draws it, at printer resolution.
    bench.run("paint the first page (600 dpi)", 1000, [&] {
        QImage page(4961, 7016, QImage::Format_RGB32); // A4 at 600 dpi
        page.setDotsPerMeterX(23622);
        page.setDotsPerMeterY(23622);
        page.fill(Qt::white);
        QPainter p(&page);
        details.paintPage(p, 0);
    });
    // The preview as the dialog builds it: every page recorded before the first is shown.
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(details.pageLayout());
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                     [&](QPrinter* pr) { details.render(*pr); });
    bench.run("preview ready (every page recorded)", 1000, [&] { preview.updatePreview(); }, {}, true);
    bench.run("write the detail report as PDF", 0, [&] {
        if (!details.writePdf(dir.filePath(QStringLiteral("details.pdf"))))
            qFatal("PDF failed");
    }, {}, true);
    out << "detail report: " << rep->scalar(QStringLiteral("SELECT COUNT(*) FROM pbody")).toInt() << " lines, "
        << details.pageCount() << " pages\n";
    return 0;
}
