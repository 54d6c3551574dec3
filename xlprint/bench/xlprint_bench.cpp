// Timings of the fifteen print commands on the reference quotation of 20,000 rows, each through to
// the saved workbook: statistics refill and numbering in sta.mdb, the plan, the template opened,
// the placeholders, the layout written and the workbook saved.
//
//   xlprint_bench [runs]     (build with optimisation, e.g. RelWithDebInfo)
#include "Layouts.h"
#include "ReferenceQuotation.h"
#include "StaDb.h"
#include "StaStatSource.h"
#include "Statistics.h"
#include "TemplateDescription.h"
#include "WorkbookBook.h"
#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

using namespace xlprint;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    QTextStream out(stdout);

    QTemporaryDir dir;
    QString error;
    for (const tpl::TemplateSpec& t : tpl::quotationTemplates())
        if (!tpl::writeTemplate(t, dir.filePath(t.relativePath), &error)) {
            out << error << "\n";
            return 1;
        }
    db::DatabasePtr sta = stats::openStaDb(dir.path());
    quote::QuoteDocument doc = quote::bench::referenceQuotation();
    UserRights rights;
    const PrintSnapshot snap = snapshotOf(doc, {}, rights);
    const PrintSettings ps{"8", "A", "A1", "G39", "30", false};
    const Geometry g = *geometryOf(ps);

    out << "command                          refill ms   plan ms  write ms   save ms  total ms (aim 3000)\n";
    int saved = 0;
    for (const PrintCommand& cmd : printCommands()) {
        const Switches sw = effectiveSwitches(cmd.routine, switchesFor(cmd, false, rights));
        std::vector<std::array<double, 4>> times;
        for (int i = 0; i < runs; ++i) {
            std::array<double, 4> t{};
            QElapsedTimer clock;
            clock.start();
            stats::ShowRoot(doc);
            stats::FillStatisticsTable(*sta, doc.hfgQ);
            const bool byType = cmd.routine == Routine::AreaPages ||
                                (cmd.routine != Routine::AreasOnly && sw.groupMode != 1);
            stats::NumberStatRows(*sta, byType, doc.WorkTypesOnly, sw.groupMode);
            t[0] = double(clock.nsecsElapsed()) / 1e6;
            clock.restart();
            StaStatSource source(*sta);
            const JobPlan plan = planJob(cmd.routine, snap, sw, g, source);
            t[1] = double(clock.nsecsElapsed()) / 1e6;
            clock.restart();
            WorkbookBook book(wb::Workbook::open(
                QDir(templateFolderOf(cmd, dir.path())).filePath(QString::fromUtf8(cmd.templateFile))));
            fillPlaceholders(book, g.S - 2, plan.lastHeaderCol, placeholderValues(snap));
            applyPlan(plan, g, book);
            t[2] = double(clock.nsecsElapsed()) / 1e6;
            clock.restart();
            // KAVO_BENCH_KEEP names a folder that keeps one output per command.
            const QString keep = qEnvironmentVariable("KAVO_BENCH_KEEP");
            book.workbook().save(keep.isEmpty() ? dir.filePath(QStringLiteral("out%1.xlsx").arg(++saved))
                                                : QDir(keep).filePath(QLatin1String(cmd.item) + QStringLiteral(".xlsx")),
                                 true);
            t[3] = double(clock.nsecsElapsed()) / 1e6;
            times.push_back(t);
        }
        std::sort(times.begin(), times.end(), [](const auto& a, const auto& b) {
            return a[0] + a[1] + a[2] + a[3] < b[0] + b[1] + b[2] + b[3];
        });
        const auto& m = times[times.size() / 2];
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                   .arg(QLatin1String(cmd.item), -6)
                   .arg(QString::fromUtf8(cmd.caption), -18)
                   .arg(m[0], 9, 'f', 0)
                   .arg(m[1], 9, 'f', 0)
                   .arg(m[2], 9, 'f', 0)
                   .arg(m[3], 9, 'f', 0)
                   .arg(m[0] + m[1] + m[2] + m[3], 9, 'f', 0);
        out.flush();
    }
    return 0;
}
