// Timings of the customer records on a generated table of 50,000 customers: list a number group,
// list all, a search that hits 1,000 records, show a record, save one.
//
//   records_bench [runs]     (build with optimisation, e.g. RelWithDebInfo)
#include "FieldCodec.h"
#include "GridModel.h"
#include "RecordStore.h"
#include "db/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

using namespace records;

namespace {

constexpr int kCustomers = 50000;
constexpr int kMarked = 1000; // customers whose remarks hold the searched text
const QString kMarker = QStringLiteral("年度合約");

QString readScript() {
    QFile f(QStringLiteral(KAVO_RESOURCES "/kavo3/schema.sql"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Customers spread over the groups "01" to "20" and "A" to "Z", 1,000 of them marked.
void fill(db::Database& d) {
    const QStringList heads = {QStringLiteral("乙"), QStringLiteral("王"), QStringLiteral("林"),
                               QStringLiteral("陳"), QStringLiteral("黃")};
    db::Transaction t(d);
    QStringList names;
    for (int i = 0; i < customerKind().fields.size() - 1; ++i)
        names << QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO 客戶 VALUES (%1,?)").arg(names.join(QLatin1Char(',')));
    for (int i = 0; i < kCustomers; ++i) {
        const bool latin = i % 3 == 0;
        const QString group = latin ? QString(QChar(char16_t(u'A' + i % 26))) : QStringLiteral("%1").arg(1 + i % 20, 2, 10, QLatin1Char('0'));
        const QString name = (latin ? QString(QChar(char16_t(u'A' + i % 26))) : heads.at(i % heads.size())) +
                             QStringLiteral("客戶%1").arg(i, 5, 10, QLatin1Char('0'));
        QVariantList v;
        v << group + QStringLiteral("%1").arg(i / 40 + 1, 4, 10, QLatin1Char('0')) << name << name.left(4)
          << QStringLiteral("12345678") << QStringLiteral("台北市;信義路%1號").arg(i) << QStringLiteral("110")
          << QStringLiteral("台北市;信義路%1號").arg(i) << QStringLiteral("新北市;中和路%1號").arg(i)
          << QStringLiteral("c%1@example.tw").arg(i) << QStringLiteral("02;2700-%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
        while (v.size() < 33)
            v << QStringLiteral("資料%1").arg(v.size());
        v << (i % (kCustomers / kMarked) == 0 ? kMarker : QStringLiteral("一般客戶")) << QStringLiteral("住宅");
        d.execute(sql, v);
    }
    t.commit();
}

double timeIt(int runs, const std::function<void()>& f) {
    double best = 1e9;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    QTextStream out(stdout);
    QTemporaryDir dir;
    auto d = db::Database::create(dir.filePath(QStringLiteral("bench.mdb")), QStringLiteral("bench"), readScript());
    fill(*d);
    RecordStore store(*d, customerKind());
    GridModel model;
    const QStringList captions(7, QString());
    int listed = 0;
    const auto listInto = [&](const QString& group) {
        GridRows rows = store.listGroup(group);
        listed = int(rows.size());
        model.setGrid(captions, std::move(rows), {3, 4, 5});
    };
    out << "customers: " << kCustomers << ", best of " << runs << " runs (ms)\n";
    out << "list group 05:    " << timeIt(runs, [&] { listInto(QStringLiteral("05")); }) << "  (" << listed << " rows)\n";
    out << "list all:         " << timeIt(runs, [&] { listInto(QString()); }) << "  (" << listed << " rows)\n";
    int hits = 0;
    out << "search 1,000 hits: " << timeIt(runs, [&] { hits = int(store.search(kMarker).size()); }) << "  (" << hits
        << " hits)\n";
    const QString name = QStringLiteral("王客戶25001");
    BoxValues shown;
    out << "show a record:    " << timeIt(runs, [&] { shown = decodeRecord(customerKind(), *store.load(name)); }) << "\n";
    out << "save a record:    " << timeIt(runs, [&] {
        shown.insert(QStringLiteral("T9"), QStringLiteral("changed@example.tw"));
        store.update(name, encodeRecord(customerKind(), shown, true));
    }) << "\n";
    out << "propose a number: " << timeIt(runs, [&] { store.proposeNumber(QStringLiteral("王大明")); }) << "\n";
    return 0;
}
