// Timings of the statistics and the reports on the reference quotation (ReferenceQuotation.h),
// shown at the root.
//
//   stats_bench [runs]     (build with optimisation, e.g. RelWithDebInfo; QT_QPA_PLATFORM=offscreen)
#include "Report.h"
#include "ReportDb.h"
#include "ReferenceQuotation.h"
#include "ReportTables.h"
#include "StaDb.h"
#include "Statistics.h"

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
    QuoteDocument doc = quote::bench::referenceQuotation();
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
