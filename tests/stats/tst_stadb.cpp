// The statistics database: created when missing, and the saved queries answering on a small
// 統計 table with the fields and orders the statistics window and the printouts read.
#include "ReportDb.h"
#include "StaDb.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Row {
    QString tre, des;
    double top, toc;
    QVariant aot, t;
    int sn, sot;
};

// 客廳 with work types 木作 (two runs) and 油漆, 主臥 without a work type, 廚房‧木作. Group numbers
// are set so that the print order differs from the row order.
const QList<Row> kRows = {
    {"Ｑ‧客廳‧木作", "a", 100, 80, "客廳", "木作", 2, 1},
    {"Ｑ‧客廳‧木作", "b", 50, 20, "客廳", "木作", 2, 2},
    {"Ｑ‧客廳‧油漆", "c", 30, 30, "客廳", "油漆", 2, 3},
    {"Ｑ‧主臥", "d", 20, 0, "主臥", QVariant(), 1, 4},
    {"Ｑ‧廚房‧木作", "e", 200, 100, "廚房", "木作", 3, 5},
    {"Ｑ‧客廳‧木作", "f", 10, 0, "客廳", "木作", 2, 6},
};

void insertRows(db::Database& d) {
    db::Transaction tr(d);
    for (const Row& r : kRows)
        d.execute(QStringLiteral("INSERT INTO 統計 VALUES (?,?,'','',1,?,?,0,?,0,'',?,?,?,?)"),
                  {r.tre, r.des, r.top, r.top, r.toc, r.aot, r.t, r.sn, r.sot});
    tr.commit();
}

// Column `field` of every row of a saved query, as text.
QStringList column(db::Database& d, const QString& query, const QVariant& field) {
    db::Recordset rs = d.openRecordset(query);
    QStringList out;
    for (; !rs.eof(); rs.moveNext())
        out << (field.typeId() == QMetaType::QString ? rs.text(field.toString()) : rs.text(field.toInt()));
    return out;
}

} // namespace

class TstStaDb : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    db::DatabasePtr m_db;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_db = stats::openStaDb(m_dir.path());
        insertRows(*m_db);
    }

    void createdWithTableAndViews() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(stats::kStaDbFile));
        QVERIFY(!QFile::exists(path));
        {
            auto d = stats::openStaDb(dir.path());
            QVERIFY(d->tableExists(QStringLiteral("統計")));
            QCOMPARE(d->columns(QStringLiteral("統計")),
                     QStringList({"tre", "Des", "Siz", "Uni", "Qua", "Unp", "Top", "Unc", "Toc", "Rat", "Rem",
                                  "AoT", "T", "sn", "sot"}));
            for (const char* v : {"TOTAL", "Aot", "AoT", "T", "LC", "AlbyP", "AotS", "SAoT", "ST"})
                QCOMPARE(d->openRecordset(QString::fromLatin1(v)).recordCount(), 0 + (QByteArray(v) == "TOTAL"));
            d->execute(QStringLiteral("INSERT INTO 統計(tre) VALUES ('x')"));
        }
        // An existing file is opened as it stands, with its password.
        QVERIFY(QFile::exists(path));
        auto again = stats::openStaDb(dir.path());
        QCOMPARE(again->scalar(QStringLiteral("SELECT COUNT(*) FROM 統計")).toInt(), 1);
        QVERIFY_THROWS_EXCEPTION(db::DbError, db::Database::open(path, QStringLiteral("wrong")));
    }

    // A file left by an older program, with another 統計, is made afresh from the schema.
    void olderFileReplaced() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(stats::kStaDbFile));
        db::Database::create(path, QString::fromLatin1(stats::kStaDbPassword),
                             QStringLiteral("CREATE TABLE 統計(tre TEXT);"));
        auto d = stats::openStaDb(dir.path());
        QVERIFY(d->columns(QStringLiteral("統計")).contains(QStringLiteral("Des")));
        QCOMPARE(d->openRecordset(QStringLiteral("TOTAL")).recordCount(), 1);
        d.reset();
        QTemporaryDir reportDir;
        db::Database::create(reportDir.filePath(QStringLiteral("ptdemo.mdb")), {},
                             QStringLiteral("CREATE TABLE phead(con TEXT);"));
        QCOMPARE(stats::openReportDb(reportDir.path())->columns(QStringLiteral("phead")).size(), 14);
    }

    void total() {
        db::Recordset rs = m_db->openRecordset(QStringLiteral("TOTAL"));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.value(0).toDouble(), 410.0);
        QCOMPARE(rs.value(1).toDouble(), 230.0);
        QCOMPARE(rs.value(2).toDouble(), 180.0);
        QCOMPARE(rs.value(3).toDouble(), 410.0 / 230.0);
    }

    // Group queries: in the order of each group's first row, never by name; an area without a work
    // type is a work-type group of its own; a group without cost has no average ratio.
    void groupQueries_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QStringList>("costs");
        QTest::addColumn<QStringList>("profits");
        QTest::addColumn<QStringList>("ratios");
        QTest::newRow("Aot") << "Aot" << QStringList{"客廳", "主臥", "廚房"} << QStringList{"190", "20", "200"}
                             << QStringList{"130", "0", "100"} << QStringList{"60", "20", "100"}
                             << QStringList{QString::number(190.0 / 130.0, 'g', 15), "", "2"};
        QTest::newRow("T") << "T" << QStringList{"木作", "油漆", "主臥"} << QStringList{"360", "30", "20"}
                           << QStringList{"200", "30", "0"} << QStringList{"160", "0", "20"}
                           << QStringList{"1.8", "1", ""};
    }
    void groupQueries() {
        QFETCH(QString, query);
        QFETCH(QStringList, names);
        QCOMPARE(column(*m_db, query, 0), names);
        QTEST(column(*m_db, query, 1), "amounts");
        QTEST(column(*m_db, query, 2), "costs");
        QTEST(column(*m_db, query, 3), "profits");
        QStringList ratios;
        db::Recordset rs = m_db->openRecordset(query);
        for (; !rs.eof(); rs.moveNext())
            ratios << (rs.isNull(4) ? QString() : QString::number(rs.value(4).toDouble(), 'g', 15));
        QTEST(ratios, "ratios");
    }

    // The item records: by group number, the rows of one path together, then by row; fields 0 to
    // 10 as 統計 and the area by name.
    void albyP() {
        QCOMPARE(column(*m_db, QStringLiteral("AlbyP"), 1), QStringList({"d", "a", "b", "f", "c", "e"}));
        db::Recordset rs = m_db->openRecordset(QStringLiteral("AlbyP"));
        QCOMPARE(rs.text(0), QStringLiteral("Ｑ‧主臥"));
        QCOMPARE(rs.value(6).toDouble(), 20.0);
        QCOMPARE(rs.text(QStringLiteral("Aot")), QStringLiteral("主臥"));
        QVERIFY(rs.fieldCount() >= 11);
        // A row without a path (the empty quotation's) is no item record.
        QTemporaryDir dir;
        auto empty = stats::openStaDb(dir.path());
        empty->execute(QStringLiteral("INSERT INTO 統計 VALUES ('','','','',0,0,0,0,0,0,'',NULL,NULL,0,1)"));
        QCOMPARE(empty->openRecordset(QStringLiteral("AlbyP")).recordCount(), 0);
        QCOMPARE(empty->openRecordset(QStringLiteral("Aot")).recordCount(), 0);
        QCOMPARE(empty->openRecordset(QStringLiteral("TOTAL")).value(0).toDouble(), 0.0);
    }

    void pageQueries() {
        QCOMPARE(m_db->openRecordset(QStringLiteral("LC")).recordCount(), 4);
        QCOMPARE(column(*m_db, QStringLiteral("AotS"), 0), QStringList({"客廳", "主臥", "廚房"}));
        QCOMPARE(column(*m_db, QStringLiteral("AotS"), 1), QStringList({"190", "20", "200"}));
        QCOMPARE(column(*m_db, QStringLiteral("AotS"), QStringLiteral("Ct")), QStringList({"4", "1", "1"}));
        QCOMPARE(column(*m_db, QStringLiteral("SAoT"), 0), QStringList({"3", "1", "1", "1"}));
        QCOMPARE(column(*m_db, QStringLiteral("SAoT"), 2),
                 QStringList({"Ｑ‧客廳‧木作", "Ｑ‧客廳‧油漆", "Ｑ‧主臥", "Ｑ‧廚房‧木作"}));
        db::Recordset f = m_db->query(QStringLiteral("select AoT, Tre from SAoT where AoT = ?"), {"客廳"});
        QCOMPARE(f.recordCount(), 2);
        QCOMPARE(f.text(QStringLiteral("Tre")), QStringLiteral("Ｑ‧客廳‧木作"));
        QCOMPARE(column(*m_db, QStringLiteral("ST"), 2),
                 QStringList({"Ｑ‧主臥", "Ｑ‧客廳‧木作", "Ｑ‧客廳‧油漆", "Ｑ‧廚房‧木作"}));
        QCOMPARE(column(*m_db, QStringLiteral("ST"), 0), QStringList({"1", "3", "1", "1"}));
    }

    void reportDatabase() {
        QTemporaryDir dir;
        auto d = stats::openReportDb(dir.path());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("ptdemo.mdb"))));
        QCOMPARE(d->columns(QStringLiteral("phead")),
                 QStringList({"con", "coa", "cot", "cof", "cono", "coe", "cn", "ct", "cf", "en", "ea", "dy",
                              "qno", "sl"}));
        QCOMPARE(d->columns(QStringLiteral("pbody")).size(), 7);
        QCOMPARE(d->columns(QStringLiteral("pfp")).size(), 5);
        for (int i = 0; i < 5; ++i)
            QVERIFY(d->tableExists(QStringLiteral("ps%1").arg(i)));
        // No password: it opens as a plain file.
        d.reset();
        QVERIFY(db::Database::open(dir.filePath(QStringLiteral("ptdemo.mdb"))) != nullptr);
    }
};

QTEST_GUILESS_MAIN(TstStaDb)
#include "tst_stadb.moc"
