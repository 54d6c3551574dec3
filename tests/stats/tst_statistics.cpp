// Table 統計: rebuilt from the quotation's rows, numbered by group and rewritten for the work-type
// groupings.
#include "StaDb.h"
#include "Statistics.h"
#include "StatsFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

// Every record of 統計 by row number: the chosen fields as text joined by "|".
QStringList records(db::Database& d, const QString& fields) {
    db::Recordset rs = d.query(QStringLiteral("SELECT %1 FROM 統計 ORDER BY sot").arg(fields));
    QStringList out;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList f;
        for (int i = 0; i < rs.fieldCount(); ++i)
            f << (rs.isNull(i) ? QStringLiteral("∅") : rs.text(i));
        out << f.join(u'|');
    }
    return out;
}

} // namespace

class TstStatistics : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    db::DatabasePtr m_sta;

    void fill(QuoteDocument& doc) {
        stats::ShowRoot(doc);
        stats::FillStatisticsTable(*m_sta, doc.hfgQ);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_sta = stats::openStaDb(m_dir.path());
    }

    void emptyQuotationGivesOneRecord() {
        QuoteDocument doc;
        fill(doc);
        QCOMPARE(records(*m_sta, QStringLiteral("*")), QStringList{"||||0|0|0|0|0|0||∅|∅|0|1"});
    }

    // Blank rows are stored with their block's path; paths one level deep get no T; block numbers
    // count the leaves in tree order.
    void rowsAndPaths() {
        QuoteDocument doc;
        const QString a = addPath(doc, {"客廳", "木作"});
        const QString x = addPath(doc, {"陽台"});
        fillLeaf(doc, a, {item("櫃", 2, 100, 60), ItemRow{}, item("門", 1, 50, 0)});
        fillLeaf(doc, x, {item("欄杆", 3, 10, 5)});
        fill(doc);
        QCOMPARE(records(*m_sta, QStringLiteral("tre, Des, Qua, Top, Toc, AoT, T, sn, sot")),
                 QStringList({"Ｑ‧客廳‧木作|櫃|2|200|120|客廳|木作|1|1", "Ｑ‧客廳‧木作||0|0|0|客廳|木作|1|2",
                              "Ｑ‧客廳‧木作|門|1|50|0|客廳|木作|1|3", "Ｑ‧陽台|欄杆|3|30|15|陽台|∅|2|4"}));
    }

    // Numbers are read leniently: the fill never stops on a cell that is not a number.
    void lenientNumbers_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("plain") << "12.5" << 12.5;
        QTest::newRow("two points") << "1.2.3" << 1.2;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("separator") << "1,200" << 1.0;
        QTest::newRow("negative") << "-3" << -3.0;
    }
    void lenientNumbers() {
        QFETCH(QString, cell);
        QuoteDocument doc;
        ItemRow r = item("x");
        for (int c = ColQty; c <= ColRatio; ++c)
            r[size_t(c)] = cell;
        fillLeaf(doc, addPath(doc, {"A"}), {r});
        fill(doc);
        db::Recordset rs = m_sta->query(QStringLiteral("SELECT Qua, Unp, Top, Unc, Toc, Rat FROM 統計"));
        QCOMPARE(rs.recordCount(), 1);
        for (int i = 0; i < 6; ++i)
            QTEST(rs.value(i).toDouble(), "value");
    }

    // Leaving a leaf for the statistics: its unnamed rows go after the named ones before it is
    // stored, and the result equals the statistics taken at the root.
    void shownLeafIsTidiedAndStored() {
        QuoteDocument doc;
        const QString a = addPath(doc, {"A", "W"});
        const QString b = addPath(doc, {"B", "W"});
        fillLeaf(doc, a, {item("a1", 1, 10)});
        fillLeaf(doc, b, {item("b1", 1, 20)});
        QuoteDocument atRoot = doc;
        fill(atRoot);
        const QStringList expected = records(*m_sta, QStringLiteral("*"));

        doc.tv_NodeClick(a);
        doc.hfgQ.setRows(4);
        doc.hfgQ.setRow(2, ItemRow{});
        doc.hfgQ.setRow(3, item("a2", 1, 5));
        stats::TidyShownLeaf(doc);
        QCOMPARE(doc.hfgQ.cell(2, ColName), QStringLiteral("a2"));
        QCOMPARE(doc.hfgQ.cell(3, ColName), QString());
        fill(doc);
        QStringList got = records(*m_sta, QStringLiteral("tre, Des"));
        QCOMPARE(got, QStringList({"Ｑ‧A‧W|a1", "Ｑ‧A‧W|a2", "Ｑ‧B‧W|b1"}));
        QCOMPARE(expected.size(), 2);

        // Statistics taken twice at the root give the same table.
        fill(doc);
        QCOMPARE(records(*m_sta, QStringLiteral("tre, Des")), got);
    }

    void failedFillKeepsTheTable() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"A"}), {item("a")});
        fill(doc);
        const QStringList before = records(*m_sta, QStringLiteral("*"));
        m_sta->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 統計 WHEN NEW.Des = 'bad' "
                                      "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QuoteDocument bad;
        fillLeaf(bad, addPath(bad, {"B"}), {item("ok"), item("bad")});
        QVERIFY_THROWS_EXCEPTION(db::DbError, fill(bad));
        m_sta->execute(QStringLiteral("DROP TRIGGER refuse"));
        QCOMPARE(records(*m_sta, QStringLiteral("*")), before);
    }

    // Group numbers follow the group query; the work-type groupings rewrite path part 1 only.
    void numbering_data() {
        QTest::addColumn<bool>("byWorkType");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("expected");
        // Rows in tree order: 房‧廚房 (two), 客廳‧木作, 客廳‧廚房, 陽台 (no work type).
        QTest::newRow("areas") << false << 1
                               << QStringList{"Ｑ‧房‧廚房|櫃|1", "Ｑ‧房‧廚房|檯|1", "Ｑ‧客廳‧木作|門|2",
                                              "Ｑ‧客廳‧廚房|燈|2", "Ｑ‧陽台|欄|3"};
        QTest::newRow("work types, mode 1")
            << true << 1
            << QStringList{"Ｑ‧房‧廚房|櫃|1", "Ｑ‧房‧廚房|檯|1", "Ｑ‧客廳‧木作|門|2", "Ｑ‧客廳‧廚房|燈|1",
                           "Ｑ‧陽台|欄|3"};
        QTest::newRow("mode 2") << true << 2
                                << QStringList{"Ｑ‧廚房|房櫃|1", "Ｑ‧廚房|房檯|1", "Ｑ‧木作|客廳門|2",
                                               "Ｑ‧廚房|客廳燈|1", "Ｑ‧陽台|陽台欄|3"};
        QTest::newRow("mode 3") << true << 3
                                << QStringList{"Ｑ‧廚房‧房|櫃|1", "Ｑ‧廚房‧房|檯|1", "Ｑ‧木作‧客廳|門|2",
                                               "Ｑ‧廚房‧客廳|燈|1", "Ｑ‧陽台|欄|3"};
    }
    void numbering() {
        QFETCH(bool, byWorkType);
        QFETCH(int, mode);
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"房", "廚房"}), {item("櫃"), item("檯")});
        fillLeaf(doc, addPath(doc, {"客廳", "木作"}), {item("門")});
        fillLeaf(doc, addPath(doc, {"陽台"}), {item("欄")});
        fillLeaf(doc, addPath(doc, {"客廳", "廚房"}), {item("燈")});
        fill(doc);
        stats::NumberStatRows(*m_sta, byWorkType, false, mode);
        QTEST(records(*m_sta, QStringLiteral("tre, Des, sn")), "expected");
    }

    void workTypesOnlyNumbersFirstLevel() {
        QuoteDocument doc;
        doc.WorkTypesOnly = true;
        fillLeaf(doc, addPath(doc, {"油漆", "牆"}), {item("a")});
        fillLeaf(doc, addPath(doc, {"木作", "櫃"}), {item("b")});
        fill(doc);
        stats::NumberStatRows(*m_sta, true, true, 2);
        QCOMPARE(records(*m_sta, QStringLiteral("tre, Des, sn")),
                 QStringList({"Ｑ‧牆|油漆a|1", "Ｑ‧櫃|木作b|2"}));
    }

    void emptyGroupQueryChangesNothing() {
        QuoteDocument doc;
        fill(doc);
        const QStringList before = records(*m_sta, QStringLiteral("*"));
        for (int mode : {1, 2, 3}) {
            stats::NumberStatRows(*m_sta, true, false, mode);
            QCOMPARE(records(*m_sta, QStringLiteral("*")), before);
        }
    }

    // A printout's refresh from a shown leaf: the whole quotation, numbered only for levels 1 to 3.
    void printoutRefresh() {
        QuoteDocument doc;
        const QString a = addPath(doc, {"A", "W"});
        fillLeaf(doc, a, {item("a")});
        fillLeaf(doc, addPath(doc, {"B", "W"}), {item("b")});
        doc.tv_NodeClick(a);
        stats::RefreshStatistics(doc, *m_sta, true, 2);
        QCOMPARE(records(*m_sta, QStringLiteral("tre, Des, sn")), QStringList({"Ｑ‧W|Aa|1", "Ｑ‧W|Bb|1"}));
        stats::RefreshStatistics(doc, *m_sta, true, 0);
        QCOMPARE(records(*m_sta, QStringLiteral("tre, Des, sn")), QStringList({"Ｑ‧A‧W|a|1", "Ｑ‧B‧W|b|2"}));
    }

    // A printout's refresh numbers the records before writing them: for every grouping it leaves
    // 統計 exactly as the fill followed by the numbering does. The quotation mixes areas with and
    // without work types, a deeper path, a work type ending in its area's name, a work type shared
    // by two areas and a blank row.
    void refreshEqualsFillThenNumber_data() {
        QTest::addColumn<bool>("workTypesOnly");
        QTest::addColumn<bool>("byWorkType");
        QTest::addColumn<int>("mode");
        for (bool wto : {false, true})
            for (bool byT : {false, true})
                for (int mode : {1, 2, 3})
                    QTest::addRow("%s by %s mode %d", wto ? "work types only" : "areas", byT ? "T" : "AoT", mode)
                        << wto << byT << mode;
    }
    void refreshEqualsFillThenNumber() {
        QFETCH(bool, workTypesOnly);
        QFETCH(bool, byWorkType);
        QFETCH(int, mode);
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"房", "廚房"}), {item("a", 1, 10), ItemRow{}, item("b", 2, 5)});
        fillLeaf(doc, addPath(doc, {"陽台"}), {item("c", 1, 7)});
        fillLeaf(doc, addPath(doc, {"客廳", "木作", "櫃", "門"}), {item("d", 3, 1)});
        fillLeaf(doc, addPath(doc, {"房", "木作"}), {item("e", 1, 2)});
        fillLeaf(doc, addPath(doc, {"客廳", "油漆"}), {item("f", 1, 3)});
        doc.WorkTypesOnly = workTypesOnly;
        fill(doc);
        stats::NumberStatRows(*m_sta, byWorkType, workTypesOnly, mode);
        const QStringList expected = records(*m_sta, QStringLiteral("*"));
        stats::RefreshStatistics(doc, *m_sta, byWorkType, mode);
        QCOMPARE(records(*m_sta, QStringLiteral("*")), expected);
    }

    void ratioText_data() {
        QTest::addColumn<QVariant>("quotient");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QVariant() << "";
        QTest::newRow("half even down") << QVariant(1.125) << "1.12";
        QTest::newRow("plain") << QVariant(1.5) << "1.5";
        QTest::newRow("third") << QVariant(4.0 / 3.0) << "1.33";
    }
    void ratioText() {
        QFETCH(QVariant, quotient);
        QTEST(stats::averageRatioText(quotient), "text");
    }
};

QTEST_GUILESS_MAIN(TstStatistics)
#include "tst_statistics.moc"
