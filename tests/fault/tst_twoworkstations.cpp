// Two workstations on one main database: two processes write staff rights, the SuperUser password,
// catalogue areas, new customers and each its own field of one customer side by side. Every write
// lands whole or is refused with the program's message, waits are bounded, and at the end the
// database holds exactly the writes that succeeded.
#include "CatalogStore.h"
#include "FaultWork.h"
#include "LoginService.h"
#include "RecordStore.h"
#include "SettingsStore.h"
#include "TempProgramFolder.h"
#include "mdM.h"

#include <QProcess>
#include <QSet>
#include <QtTest>
#include <map>

using namespace fault;

namespace {

const QString kLocked = QStringLiteral("資料庫正被其他使用者或工作站使用中");

// What one station reported.
struct StationLog {
    std::map<QString, int> lastOk; // what -> last round that succeeded
    QSet<int> customersOk;         // rounds whose customer was added
    QList<QStringList> passwordChanges; // old and new
    int tried = 0;
    int landed = 0;
    int refused = 0;
    QStringList refusals; // their messages
    QStringList torn;
    bool done = false;
    qint64 ranMs = 0;
};

StationLog parse(const QByteArray& output) {
    StationLog log;
    for (const QByteArray& raw : output.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const QStringList f = line.split(QLatin1Char(' '));
        if (f.value(0) == QLatin1String("ok")) {
            ++log.tried;
            ++log.landed;
            log.lastOk[f.value(1)] = f.value(2).toInt();
            if (f.value(1) == QLatin1String("customer"))
                log.customersOk.insert(f.value(2).toInt());
        } else if (f.value(0) == QLatin1String("refused")) {
            ++log.tried;
            ++log.refused;
            log.refusals << f.mid(3).join(QLatin1Char(' '));
        } else if (f.value(0) == QLatin1String("changed")) {
            log.passwordChanges << f.mid(1);
        } else if (f.value(0) == QLatin1String("torn")) {
            log.torn << line;
        } else if (f.value(0) == QLatin1String("done")) {
            log.done = true;
            log.ranMs = f.value(1).toLongLong();
        }
    }
    return log;
}

} // namespace

class TestTwoWorkstations : public QObject {
    Q_OBJECT
private slots:
    void writesSideBySide_data() {
        QTest::addColumn<int>("busyMs");
        QTest::newRow("the program's wait") << int(db::Database::kDefaultBusyTimeoutMs);
        QTest::newRow("short waits, some refused") << 10;
    }
    void writesSideBySide() {
        QFETCH(int, busyMs);
        TempProgramFolder folder;
        QVERIFY(!folder.createMainDb().isEmpty());
        const QStringList stations = {QStringLiteral("站A"), QStringLiteral("站B")};
        QString password; // the SuperUser's before the stations
        {
            const db::DatabasePtr d = mdM::openMainDb(folder.path());
            password = shell::readSuperUserPassword(*d).value_or(QString());
            db::Transaction t(*d);
            int number = 90000;
            // Each station's areas belong under its own category.
            for (const QString& station : stations)
                d->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (?, ?)"),
                           {100 + stations.indexOf(station), stationCategory(station)});
            for (const QString& station : stations)
                for (int k = 1; k <= kStationMembers; ++k)
                    d->execute(
                        QStringLiteral("INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名, pass, 權限) "
                                       "VALUES (?, ?, ?, '', 0)"),
                        {QString::number(++number), stationMember(station, k), QString::number(number)});
            t.commit();
        }

        constexpr int kSeconds = 3;
        std::vector<std::unique_ptr<QProcess>> children;
        for (const QString& station : stations) {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral(KAVO_FAULT_CHILD), {QStringLiteral("station"), folder.path(), station,
                                                        QString::number(kSeconds), QString::number(busyMs)});
            children.push_back(std::move(p));
        }
        std::vector<StationLog> logs;
        for (auto& p : children) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
            logs.push_back(parse(p->readAllStandardOutput()));
        }

        const db::DatabasePtr d = mdM::openMainDb(folder.path());
        catalog::CatalogStore store(d);
        const QVector<shell::StaffRights> staff = shell::readStaffRights(*d);
        QHash<QString, QString> changes; // old password -> new
        for (qsizetype i = 0; i < stations.size(); ++i) {
            const QString& station = stations[i];
            const StationLog& log = logs[size_t(i)];
            qInfo().noquote()
                << QStringLiteral(
                       "%1 (wait %2 ms): %3 writes tried, %4 landed, %5 refused with a message, ran %6 ms")
                       .arg(station)
                       .arg(busyMs)
                       .arg(log.tried)
                       .arg(log.landed)
                       .arg(log.refused)
                       .arg(log.ranMs);
            QVERIFY(log.done);
            // Every wait for a lock ended within its bound: the last round, started before the
            // time was up, waited at most once per write.
            QVERIFY2(log.ranMs < kSeconds * 1000 + 3 * busyMs + 2000, qPrintable(QString::number(log.ranMs)));
            QVERIFY2(log.torn.isEmpty(), qPrintable(log.torn.join(QLatin1Char('\n'))));
            QVERIFY(log.landed > 0);
            for (const QString& message : log.refusals)
                QVERIFY2(message.contains(kLocked), qPrintable(message));

            // Exactly the last write that reported success, nothing of a refused one.
            const auto last = [&](const char* what) {
                const auto it = log.lastOk.find(QLatin1String(what));
                return it == log.lastOk.end() ? -1 : it->second;
            };
            const int rights = last("rights") < 0 ? 0 : stationRights(last("rights"));
            int members = 0;
            for (const shell::StaffRights& s : staff) {
                if (!s.name.startsWith(station + QLatin1Char('-')))
                    continue;
                ++members;
                QCOMPARE(s.rights, rights);
            }
            QCOMPARE(members, kStationMembers);
            QCOMPARE(store.areas(stationCategory(station)),
                     last("areas") < 0 ? QStringList() : stationAreas(station, last("areas")));
            // Every customer added that reported success, and none that was refused.
            QSet<int> stored;
            db::Recordset rs = d->query(QStringLiteral("SELECT 客戶名稱 FROM 客戶 WHERE 客戶名稱 LIKE ?"),
                                        {station + QStringLiteral("-客戶-%")});
            for (; !rs.eof(); rs.moveNext())
                stored.insert(rs.text(0).section(QLatin1Char('-'), 2).toInt());
            QCOMPARE(stored, log.customersOk);
            // Each station's field of the customer both edit holds its last success: the other's
            // writes left it alone.
            const auto shared = records::RecordStore(*d, records::customerKind()).load(kSharedCustomer);
            if (last("shared") >= 0)
                QCOMPARE(records::decodeRecord(records::customerKind(), *shared).value(stationSharedBox(station)),
                         QStringLiteral("%1-%2").arg(station).arg(last("shared")));
            for (const QStringList& c : log.passwordChanges) {
                QVERIFY2(!changes.contains(c.value(0)), qPrintable(c.join(u' '))); // a replaced password
                changes.insert(c.value(0), c.value(1));
            }
        }
        // Both stations change the one SuperUser row, each only with the password in force: the
        // changes follow one another from the first password to the one stored.
        for (qsizetype i = 0; i < changes.size(); ++i)
            password = changes.value(password);
        QCOMPARE(shell::readSuperUserPassword(*d).value_or(QString()), password);
    }
};

QTEST_GUILESS_MAIN(TestTwoWorkstations)
#include "tst_twoworkstations.moc"
