#include "db/Database.h"
#include "db/FaultInjection.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace db;

namespace {

const char* kSchema = R"sql(
CREATE TABLE 客戶 (客戶編號 TEXT, 客戶名稱 TEXT COLLATE NOCASE NOT NULL UNIQUE, 電話 TEXT,
                   金額 REAL, 次數 INTEGER DEFAULT 7);
CREATE TABLE "a""b" (x TEXT);
CREATE VIEW Tp4C AS SELECT 客戶名稱, 金額 * 2 AS 兩倍 FROM 客戶 ORDER BY 客戶名稱;
INSERT INTO 客戶 (客戶編號, 客戶名稱, 電話, 金額) VALUES ('A01', '甲公司', NULL, 1.5);
INSERT INTO 客戶 (客戶編號, 客戶名稱, 電話, 金額) VALUES ('A02', '乙公司', '02-1234', 10);
)sql";

// Runs f and returns the number of the DbError it throws, 0 when it throws none.
template <typename F> int errorOf(F f) {
    try {
        f();
    } catch (const DbError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    DatabasePtr m_db;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void init() { m_db = Database::create(path(QStringLiteral("main.db")), QStringLiteral("pw"), kSchema); }
    void cleanup() {
        m_db.reset();
        QFile::remove(path(QStringLiteral("main.db")));
    }

    void boundValuesRoundTrip_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QVariant(QStringLiteral("O'Neil \"大\" 'x'")) << "O'Neil \"大\" 'x'";
        QTest::newRow("sql-like") << QVariant(QStringLiteral("'); DROP TABLE 客戶; --"))
                                  << "'); DROP TABLE 客戶; --";
        QTest::newRow("empty") << QVariant(QString("")) << "";
        QTest::newRow("null") << QVariant() << "";
        QTest::newRow("int") << QVariant(42) << "42";
        QTest::newRow("int64") << QVariant(qlonglong(1) << 40) << "1099511627776";
        QTest::newRow("double") << QVariant(1234.25) << "1234.25";
        QTest::newRow("bool") << QVariant(true) << "1";
        QTest::newRow("blob") << QVariant(QByteArray("ab\0c", 4)) << QString::fromUtf8("ab\0c", 4);
    }
    void boundValuesRoundTrip() {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        m_db->execute(QStringLiteral("CREATE TABLE v (k INTEGER, x)"));
        QCOMPARE(m_db->execute(QStringLiteral("INSERT INTO v VALUES (?, ?)"), {1, value}), 1);
        Recordset rs = m_db->query(QStringLiteral("SELECT x FROM v WHERE k = ?"), {1});
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(0), text);
        QCOMPARE(rs.isNull(0), value.isNull());
        if (!value.isNull()) // finds the row again by the same bound value
            QCOMPARE(m_db->scalar(QStringLiteral("SELECT k FROM v WHERE x = ?"), {value}).toInt(), 1);
    }

    void openErrors_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // "-" leaves the file missing
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("number");
        QTest::newRow("missing file") << "none.db" << QByteArray("-") << "pw" << int(ErrFileNotFound);
        QTest::newRow("missing folder") << "nodir/x.db" << QByteArray("-") << "pw" << int(ErrInvalidPath);
        QTest::newRow("empty path") << "" << QByteArray("-") << "" << int(ErrInvalidPath);
        QTest::newRow("empty file") << "empty.db" << QByteArray() << "" << int(ErrNotADatabase);
        QTest::newRow("text file") << "t.db" << QByteArray("hello, not a database") << ""
                                   << int(ErrNotADatabase);
        QTest::newRow("text file, password") << "t.db" << QByteArray("hello") << "pw" << int(ErrNotADatabase);
        QTest::newRow("wrong password") << "main.db" << QByteArray("-") << "PW" << int(ErrNotValidPassword);
        QTest::newRow("no password") << "main.db" << QByteArray("-") << "" << int(ErrNotValidPassword);
    }
    void openErrors() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, password);
        QFETCH(int, number);
        const QString p = file.isEmpty() ? QString() : path(file);
        if (content != "-") {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const bool existed = QFileInfo::exists(p);
        int got = 0;
        try {
            Database::open(p, password);
        } catch (const DbError& e) {
            got = e.number();
            QVERIFY(!e.description().isEmpty());
            if (number == ErrFileNotFound)
                QVERIFY(e.description().contains(QStringLiteral("none.db")));
        }
        QCOMPARE(got, number);
        QCOMPARE(QFileInfo::exists(p), existed); // nothing created
        QFile::remove(path(QStringLiteral("t.db")));
        QFile::remove(path(QStringLiteral("empty.db")));
    }

    void openEncryptedAndPlain() {
        m_db.reset();
        QFile f(path(QStringLiteral("main.db")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!f.read(16).startsWith("SQLite format 3")); // encrypted on disk
        f.close();
        DatabasePtr d = Database::open(path(QStringLiteral("main.db")), QStringLiteral("pw"));
        QCOMPARE(d->scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt(), 2);

        const QString plainPath = path(QStringLiteral("plain.db"));
        Database::create(plainPath, {}, QStringLiteral("CREATE TABLE t (x);"));
        QCOMPARE(Database::open(plainPath)->tableExists(QStringLiteral("T")), true);
        QCOMPARE(Database::open(plainPath, QStringLiteral("any"))->tableExists(QStringLiteral("t")), true);
        QFile::remove(plainPath);
    }

    void createRefusesAndLeavesNothing() {
        const QString existing = path(QStringLiteral("main.db"));
        const qint64 size = QFileInfo(existing).size();
        QCOMPARE(errorOf([&] { Database::create(existing, {}, QStringLiteral("CREATE TABLE z (x);")); }),
                 int(ErrDatabaseExists));
        QCOMPARE(QFileInfo(existing).size(), size);
        QCOMPARE(m_db->tableExists(QStringLiteral("z")), false);

        const QString broken = path(QStringLiteral("broken.db"));
        QCOMPARE(errorOf([&] {
                     Database::create(broken, QStringLiteral("pw"),
                                      QStringLiteral("CREATE TABLE a (x); INSERT INTO nowhere VALUES (1);"));
                 }),
                 int(ErrObjectNotFound));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"main.db"});
        QCOMPARE(errorOf([&] { Database::create(path(QStringLiteral("no/x.db")), {}, {}); }),
                 int(ErrInvalidPath));
    }

    void statementErrors_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<int>("number");
        QTest::newRow("duplicate key, case ignored")
            << "INSERT INTO 客戶 (客戶名稱) VALUES (?)" << QVariantList{QStringLiteral("甲公司")}
            << int(ErrDuplicateKey);
        QTest::newRow("no such table") << "SELECT * FROM 沒有" << QVariantList{} << int(ErrObjectNotFound);
        QTest::newRow("two statements")
            << "DELETE FROM 客戶; DELETE FROM 客戶" << QVariantList{} << int(ErrGeneral);
        QTest::newRow("missing value")
            << "DELETE FROM 客戶 WHERE 客戶名稱 = ?" << QVariantList{} << int(ErrGeneral);
        QTest::newRow("syntax") << "DELETE 客戶" << QVariantList{} << int(ErrGeneral);
    }
    void statementErrors() {
        QFETCH(QString, sql);
        QFETCH(QVariantList, params);
        QFETCH(int, number);
        QCOMPARE(errorOf([&] { m_db->execute(sql, params); }), number);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt(), 2);
    }

    // A field the table lacks (a database left by an older version) is told in Chinese; the number
    // stays the general one callers already handle.
    void missingFieldIsToldInChinese_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("insert") << "INSERT INTO 客戶 (沒有這欄) VALUES (1)";
        QTest::newRow("select") << "SELECT 沒有這欄 FROM 客戶";
        QTest::newRow("update") << "UPDATE 客戶 SET 沒有這欄 = 1";
    }
    void missingFieldIsToldInChinese() {
        QFETCH(QString, sql);
        try {
            m_db->execute(sql);
            QFAIL("no error");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), int(ErrGeneral));
            QVERIFY2(e.description().startsWith(QStringLiteral("資料表中找不到這個欄位")), qPrintable(e.description()));
            QVERIFY(e.description().contains(QStringLiteral("沒有這欄")));
        }
    }

    // A locked database, a full disk and a damaged file are told in Chinese, the driver's text after.
    void errorsSayWhatHappened_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("driver");
        QTest::newRow("locked by another connection") // said alone, in Chinese only
            << "locked" << int(ErrLocked) << QString::fromUtf8(kBusyMessage) << "";
        QTest::newRow("disk full") << "full" << int(ErrDiskError) << "磁碟空間已滿，無法寫入資料庫"
                                   << "database or disk is full";
        QTest::newRow("damaged page") << "damaged" << int(ErrNotADatabase) << "資料庫檔案已損壞"
                                      << "database disk image is malformed";
        QTest::newRow("not a database")
            << "foreign" << int(ErrNotADatabase) << "無法辨認的資料庫格式，檔案已損壞或不是資料庫"
            << "file is encrypted or is not a database";
    }
    void errorsSayWhatHappened() {
        QFETCH(QString, fault);
        QFETCH(int, number);
        QFETCH(QString, sentence);
        QFETCH(QString, driver);
        const QString file = path(QStringLiteral("plain.db"));
        DatabasePtr d = Database::create(file, {}, QStringLiteral("CREATE TABLE t (x); CREATE TABLE u (y);"));
        {
            Transaction t(*d);
            for (int i = 0; i < 200; ++i)
                d->execute(QStringLiteral("INSERT INTO t VALUES (?)"), {QByteArray(100, char('a' + i % 26))});
            t.commit();
        }
        std::function<void()> action;
        DatabasePtr other = Database::open(file);
        if (fault == QLatin1String("locked")) {
            d->begin();
            d->execute(QStringLiteral("INSERT INTO u VALUES (1)"));
            other->setBusyTimeout(50);
            action = [&] { other->execute(QStringLiteral("INSERT INTO u VALUES (2)")); };
        } else if (fault == QLatin1String("full")) {
            const int pages = d->scalar(QStringLiteral("PRAGMA page_count")).toInt();
            d->scalar(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
            action = [&] { d->execute(QStringLiteral("INSERT INTO t VALUES (?)"), {QByteArray(8000, 'z')}); };
        } else if (fault == QLatin1String("damaged")) {
            d.reset();
            other.reset();
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.size() > 3 * 4096);
            f.seek(4096 + 8); // into the second page, past its header
            f.write(QByteArray(4096 - 8, '\xFF'));
            f.close();
            other = Database::open(file);
            action = [&] { other->query(QStringLiteral("SELECT count(*), sum(length(x)) FROM t")); };
        } else {
            d.reset();
            other.reset();
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(3000, 'x'));
            f.close();
            action = [&] { Database::open(file); };
        }
        try {
            action();
            QFAIL("no error");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), number);
            QVERIFY2(e.description().startsWith(sentence), qPrintable(e.description()));
            if (driver.isEmpty())
                QCOMPARE(e.description(), sentence);
            else
                QVERIFY2(e.description().endsWith(QStringLiteral("(%1)").arg(driver)),
                         qPrintable(e.description()));
        }
        if (d && d->inTransaction())
            d->rollback();
        d.reset();
        other.reset();
        QFile::remove(file);
    }

    // Another connection holds one file: within a load that file costs one wait, is said once and
    // fails its later reads at once, while the load's other file reads as usual.
    void heldFileFailsOnlyItsOwnReads_data() {
        QTest::addColumn<bool>("mainHeld");
        QTest::newRow("main file held, other free") << true;
        QTest::newRow("other file held, main free") << false;
    }
    void heldFileFailsOnlyItsOwnReads() {
        QFETCH(bool, mainHeld);
        const QString otherFile = path(QStringLiteral("other.db"));
        QFile::remove(otherFile);
        DatabasePtr other = Database::create(otherFile, {}, QStringLiteral("CREATE TABLE t (x); INSERT INTO t VALUES (1);"));
        DatabasePtr holder = mainHeld ? Database::open(path(QStringLiteral("main.db")), QStringLiteral("pw"))
                                      : Database::open(otherFile);
        holder->executeScript(QStringLiteral("BEGIN EXCLUSIVE; DELETE FROM %1;")
                                  .arg(mainHeld ? QStringLiteral("客戶") : QStringLiteral("t")));
        Database& held = mainHeld ? *m_db : *other;
        Database& free = mainHeld ? *other : *m_db;
        const QString heldRead = mainHeld ? QStringLiteral("SELECT count(*) FROM 客戶") : QStringLiteral("SELECT count(*) FROM t");
        const QString freeRead = mainHeld ? QStringLiteral("SELECT count(*) FROM t") : QStringLiteral("SELECT count(*) FROM 客戶");
        held.setBusyTimeout(1500);
        free.setBusyTimeout(1500);
        QList<bool> waits; // what the windows' wait cursor is told
        setBusyWaitHook([&](bool waiting) { waits << waiting; });
        const auto unhook = qScopeGuard([] { setBusyWaitHook({}); });
        {
            const LoadSession session;
            DbError first(0, {});
            try {
                held.scalar(heldRead);
                QFAIL("no error");
            } catch (const DbError& e) {
                first = e;
            }
            QCOMPARE(first.number(), int(ErrLocked));
            QVERIFY(LoadSession::sayOnce(first));
            QElapsedTimer clock;
            clock.start();
            QVERIFY(free.scalar(freeRead).toInt() > 0); // never tried in vain
            QCOMPARE(errorOf([&] { held.scalar(heldRead); }), int(ErrLocked));
            QVERIFY2(clock.elapsed() < 4000, "the held file waited twice in one load"); // a wait is 5 s
            QVERIFY(!LoadSession::sayOnce(first));
        }
        QCOMPARE(waits, (QList<bool>{true, false})); // the one wait, and its end
        holder->executeScript(QStringLiteral("ROLLBACK"));
        holder.reset();
        QVERIFY(held.scalar(heldRead).toInt() > 0); // the next load reads it again
        other.reset();
        QFile::remove(otherFile);
    }

    void transactionRollsBackUnlessCommitted() {
        {
            Transaction t(*m_db);
            m_db->execute(QStringLiteral("DELETE FROM 客戶"));
            m_db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES ('丙')"));
        }
        QVERIFY(!m_db->inTransaction());
        QCOMPARE(
            m_db->scalar(QStringLiteral(
                             "SELECT group_concat(客戶名稱) FROM (SELECT 客戶名稱 FROM 客戶 ORDER BY rowid)"))
                .toString(),
            QStringLiteral("甲公司,乙公司"));
        {
            Transaction t(*m_db);
            m_db->execute(QStringLiteral("DELETE FROM 客戶 WHERE 客戶編號 = 'A01'"));
            t.commit();
        }
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt(), 1);
        // Nested: an inner one undoes only its own work; the outer one decides for both.
        {
            Transaction outer(*m_db);
            m_db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES ('丁')"));
            {
                Transaction inner(*m_db);
                m_db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES ('戊')"));
            }
            Transaction committed(*m_db);
            m_db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES ('己')"));
            committed.commit();
            QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt(), 3);
        }
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt(), 1);
    }

    void tableRecordsetWritesByPosition() {
        Recordset rs = m_db->openRecordset(QStringLiteral("客戶"));
        QCOMPARE(rs.fieldCount(), 5);
        QCOMPARE(rs.fieldName(3), QStringLiteral("金額"));
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.text(1), QStringLiteral("甲公司")); // insertion order
        QCOMPARE(rs.text(2), QString());                // NULL
        QCOMPARE(rs.text(3), QStringLiteral("1.5"));
        QCOMPARE(rs.value(QStringLiteral("客戶編號")).toString(), QStringLiteral("A01"));

        rs.addNew();
        rs.setField(0, QStringLiteral("A03"));
        rs.setField(1, QStringLiteral("丙's \"co\""));
        rs.setField(QStringLiteral("金額"), 2.25);
        rs.update();
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.absolutePosition(), 2);        // on the new record
        QCOMPARE(rs.text(4), QStringLiteral("7")); // the column's default
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT 金額 FROM 客戶 WHERE 客戶名稱 = ?"), {rs.value(1)})
                     .toDouble(),
                 2.25);

        rs.moveFirst();
        rs.edit();
        rs.setField(2, QStringLiteral("03-555"));
        rs.setField(4, 3);
        rs.update();
        QCOMPARE(rs.text(2), QStringLiteral("03-555"));
        QCOMPARE(rs.value(4).toLongLong(), 3);
        Recordset check =
            m_db->query(QStringLiteral("SELECT 客戶編號, 電話, 次數 FROM 客戶 WHERE rowid = 1"));
        QCOMPARE(check.text(0) + check.text(1) + check.text(2), QStringLiteral("A0103-5553"));

        rs.addNew();
        rs.setField(1, QStringLiteral("乙公司"));
        QCOMPARE(errorOf([&] { rs.update(); }), int(ErrDuplicateKey));
        rs.cancelUpdate();
        QCOMPARE(rs.recordCount(), 3);

        rs.moveFirst();
        rs.deleteRecord();
        rs.moveNext();
        QCOMPARE(rs.text(1), QStringLiteral("乙公司"));
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt(), 2);
    }

    void recordsetMisuse() {
        Recordset rs = m_db->openRecordset(QStringLiteral("客戶"));
        QCOMPARE(errorOf([&] { rs.setField(0, 1); }), int(ErrNoAddNewOrEdit));
        QCOMPARE(errorOf([&] { rs.update(); }), int(ErrNoAddNewOrEdit));
        QCOMPARE(errorOf([&] { rs.value(QStringLiteral("沒有")); }), int(ErrObjectNotFound));
        QCOMPARE(errorOf([&] { rs.value(9); }), int(ErrObjectNotFound));
        rs.moveLast();
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(errorOf([&] { rs.value(0); }), int(ErrNoCurrentRecord));
        QCOMPARE(errorOf([&] { rs.edit(); }), int(ErrNoCurrentRecord));
        Recordset q = m_db->query(QStringLiteral("SELECT * FROM 客戶 WHERE 0"));
        QVERIFY(q.eof() && q.bof());
        QCOMPARE(q.fieldCount(), 5);
        QCOMPARE(errorOf([&] { q.addNew(); }), int(ErrReadOnly));
    }

    void openRecordsetByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("view") << "tp4c" << 0;
        QTest::newRow("quoted name") << "a\"b" << 0;
        QTest::newRow("unknown") << "沒有" << int(ErrObjectNotFound);
        QTest::newRow("injection") << "客戶\"; DROP TABLE 客戶; --" << int(ErrObjectNotFound);
    }
    void openRecordsetByName() {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(errorOf([&] { m_db->openRecordset(name); }), number);
        QVERIFY(m_db->tableExists(QStringLiteral("客戶")));
    }

    void viewReadsByName() {
        Recordset rs = m_db->openRecordset(QStringLiteral("TP4C"));
        QCOMPARE(m_db->columns(QStringLiteral("Tp4C")), (QStringList{"客戶名稱", "兩倍"}));
        QCOMPARE(rs.recordCount(), 2);
        rs.moveLast();
        QCOMPARE(rs.text(QStringLiteral("兩倍")), QStringLiteral("3"));
        QCOMPARE(errorOf([&] { rs.edit(); }), int(ErrReadOnly));
        QVERIFY(!m_db->tableExists(QStringLiteral("Tp4C")));
    }

    void injectedFailures() {
        const QString read = QStringLiteral("SELECT count(*) FROM 客戶");
        const QString write = QStringLiteral("UPDATE 客戶 SET 金額 = 0");
        // The nth statement fails once, with the driver's number; transaction statements count.
        fault::clear();
        fault::failNth(2, fault::Error::DiskFull);
        m_db->scalar(read);
        QCOMPARE(errorOf([&] { m_db->begin(); }), int(ErrDiskError));
        QCOMPARE(errorOf([&] { m_db->scalar(read); }), 0);
        QCOMPARE(fault::statementCount(), 3);
        // A table rule: reads of a view count for its table; writes only for the written table.
        fault::clear();
        fault::failTable(QStringLiteral("客戶"), fault::Error::Busy, fault::Access::Read);
        QCOMPARE(errorOf([&] { m_db->openRecordset(QStringLiteral("Tp4C")); }), int(ErrLocked));
        QCOMPARE(fault::writeFailureCount(), 0);
        QCOMPARE(errorOf([&] { m_db->execute(write); }), 0);
        fault::clear();
        fault::failTable(QStringLiteral("客戶"), fault::Error::ReadOnly, fault::Access::Write);
        QCOMPARE(errorOf([&] { m_db->scalar(read); }), 0);
        QCOMPARE(errorOf([&] { m_db->execute(write); }), int(ErrReadOnly));
        QCOMPARE(errorOf([&] { m_db->execute(QStringLiteral("INSERT INTO \"a\"\"b\" VALUES ('x')")); }), 0);
        QCOMPARE(fault::failureCount(), 1);
        QCOMPARE(fault::writeFailureCount(), 1); // the failed statement wrote
        fault::clear();
        fault::failNth(1, fault::Error::IoError);
        QCOMPARE(errorOf([&] { Database::open(path(QStringLiteral("main.db")), QStringLiteral("pw")); }),
                 int(ErrDiskError));
        fault::clear();
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
