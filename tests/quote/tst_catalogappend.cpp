// 品名加入施工資料庫: the shown leaf's item names appended to the catalogue under its work type.
#include "CatalogAppend.h"
#include "TempProgramFolder.h"
#include "db/Database.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quote;

Q_DECLARE_METATYPE(RightsView)

namespace {

const QString Q = kRootKey;

struct Row {
    QString name, unit, cost, ratio;
};

// The leaf `workType` below the area 客廳, shown, holding the rows.
QuoteDocument leaf(const QString& workType, const QList<Row>& rows) {
    QuoteDocument doc;
    const QString area = Q + kPathSeparator + QStringLiteral("客廳");
    doc.tree.addChild(Q, QStringLiteral("客廳"));
    doc.tree.addChild(area, workType);
    doc.tv_NodeClick(area + kPathSeparator + workType);
    doc.hfgQ.setRows(int(rows.size()) + 1);
    for (int i = 0; i < rows.size(); ++i) {
        doc.SetCell(i + 1, ColName, rows[i].name);
        doc.SetCell(i + 1, ColUnit, rows[i].unit);
        doc.SetCell(i + 1, ColCost, rows[i].cost);
        doc.SetCell(i + 1, ColRatio, rows[i].ratio);
    }
    return doc;
}

// (w, sort, u, c, s) of the work type's items, by sort.
QStringList items(db::Database& db, const QString& t) {
    QStringList out;
    db::Recordset rs = db.query(QStringLiteral("SELECT w, sort, u, c, s FROM t2w WHERE t = ? ORDER BY sort"), {t});
    for (; !rs.eof(); rs.moveNext())
        out << QStringList{rs.text(0), rs.text(1), rs.text(2), rs.text(3), rs.text(4)}.join(u'|');
    return out;
}

} // namespace

class TestCatalogAppend : public QObject {
    Q_OBJECT

private slots:
    void init();
    void existingAndNewNames();
    void duplicateInTheGrid();
    void newWorkTypeStartsAtOne_data();
    void newWorkTypeStartsAtOne();
    void quotesAndCase();
    void caseVariantAppendedOnce();
    void onlyOnAShownLeaf();
    void failureAppendsNothing();

private:
    QTemporaryDir dir_;
    std::shared_ptr<db::Database> db_;
};

void TestCatalogAppend::init() {
    QVERIFY(dir_.isValid());
    const QString file = dir_.filePath(QStringLiteral("k%1.db").arg(QRandomGenerator::global()->generate()));
    db_ = db::Database::create(file, {}, TempProgramFolder::mainDbScript());
    db_->execute(QStringLiteral("DELETE FROM t2w WHERE t IN ('W', 'New')"));
    db_->execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('W', 'X', 7, '式', 10, 1.5)"));
    db_->execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('W', 'Z', 3, '式', 1, 1)"));
}

void TestCatalogAppend::existingAndNewNames() {
    const QuoteDocument doc = leaf(QStringLiteral("W"), {{"X", "式", "5", "2"}, {"Y", "才", "1,200", "1.25"}, {}});
    const CatalogAppendResult r = mAdd2W(*db_, doc, {});
    QCOMPARE(r.existing, QStringList{"X"});
    QCOMPARE(r.added, 1);
    QCOMPARE(items(*db_, QStringLiteral("W")), (QStringList{"Z|3|式|1|1", "X|7|式|10|1.5", "Y|8|才|1|1.25"}));
}

void TestCatalogAppend::duplicateInTheGrid() {
    const QuoteDocument doc = leaf(QStringLiteral("W"), {{"Y", "m", "2", "1"}, {"Y", "m", "3", "1"}});
    const CatalogAppendResult r = mAdd2W(*db_, doc, {});
    QCOMPARE(r.added, 1);
    QCOMPARE(r.existing, QStringList{"Y"});
    QCOMPARE(items(*db_, QStringLiteral("W")).last(), QStringLiteral("Y|8|m|2|1"));
}

void TestCatalogAppend::newWorkTypeStartsAtOne_data() {
    // Cost and ratio stored as the user sees them, one no cell can show left out and told.
    QTest::addColumn<RightsView>("hidden");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("told");
    QTest::newRow("every right") << RightsView{}
                                 << "a|1||0|0 b|2|式|0|1.1 c|3||5521.73|1.3171 d|4|||1 e|5|||1 f|6||1|"
                                 << "d的成本 e的成本 f的比例";
    QTest::newRow("no cost right") << RightsView{false, true} << "a|1||| b|2|式|| c|3||| d|4||| e|5||| f|6|||" << "";
    QTest::newRow("no price right") << RightsView{true, false}
                                    << "a|1||0| b|2|式|0| c|3||5521.73| d|4||| e|5||| f|6||1|"
                                    << "d的成本 e的成本";
}

void TestCatalogAppend::newWorkTypeStartsAtOne() {
    QFETCH(RightsView, hidden);
    const QString e20 = "1" + QString(19, u'0');
    const QuoteDocument doc = leaf(QStringLiteral("New"), {{"a", "", "", ""}, {"b", "式", "abc", "1.1"},
                                                           {"c", "", "5521.73", "1.3171"}, {"d", "", e20, "1"},
                                                           {"e", "", QString(400, u'9'), "1"}, {"f", "", "1", e20}});
    const CatalogAppendResult r = mAdd2W(*db_, doc, hidden);
    QCOMPARE(r.added, 6);
    QVERIFY(r.existing.isEmpty());
    QTEST(items(*db_, QStringLiteral("New")).join(u' '), "stored");
    static const QRegularExpression line(QStringLiteral("品名【(.)】(的..)數字過長，未帶入工程資料，請更正"));
    QTEST(r.unshown.join(u' ').replace(line, QStringLiteral("\\1\\2")), "told");
}

void TestCatalogAppend::quotesAndCase() {
    const QString name = QStringLiteral("5'x\"6\" 板");
    const QuoteDocument doc = leaf(QStringLiteral("W"), {{name, "", "1", "1"}, {"x", "", "1", "1"}, {"w", "", "1", "1"}});
    const CatalogAppendResult r = mAdd2W(*db_, doc, {});
    // "x" differs from "X" in letter case: a name of its own; "w" is no name the type holds.
    QCOMPARE(r.added, 3);
    QVERIFY(hasw(*db_, name, QStringLiteral("W")));
    QVERIFY(hasw(*db_, QStringLiteral("X"), QStringLiteral("W")));
    QVERIFY(!hasw(*db_, QStringLiteral("Y"), QStringLiteral("W")));
}

void TestCatalogAppend::caseVariantAppendedOnce() {
    // The type holds "X"; "x" twice in the grid is a name of its own, appended once.
    const QuoteDocument doc = leaf(QStringLiteral("W"), {{"x", "", "1", "1"}, {"x", "", "2", "1"}});
    const CatalogAppendResult r = mAdd2W(*db_, doc, {});
    QCOMPARE(r.added, 1);
    QCOMPARE(r.existing, QStringList{"x"});
    QCOMPARE(items(*db_, QStringLiteral("W")), (QStringList{"Z|3|式|1|1", "X|7|式|10|1.5", "x|8||1|1"}));
}

void TestCatalogAppend::onlyOnAShownLeaf() {
    QuoteDocument doc = leaf(QStringLiteral("W"), {{"Y", "", "1", "1"}});
    doc.tv_NodeClick(Q);
    const CatalogAppendResult r = mAdd2W(*db_, doc, {});
    QCOMPARE(r.added, 0);
    QCOMPARE(items(*db_, QStringLiteral("W")).size(), 2);
}

void TestCatalogAppend::failureAppendsNothing() {
    // A trigger refuses the second name: the first is rolled back with it.
    db_->execute(QStringLiteral("CREATE TRIGGER no_q BEFORE INSERT ON t2w WHEN NEW.w = 'Q' "
                                "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const QuoteDocument doc = leaf(QStringLiteral("W"), {{"P", "", "1", "1"}, {"Q", "", "1", "1"}});
    QVERIFY_THROWS_EXCEPTION(db::DbError, mAdd2W(*db_, doc, {}));
    QCOMPARE(items(*db_, QStringLiteral("W")).size(), 2);
    QVERIFY(!db_->inTransaction());
}

QTEST_GUILESS_MAIN(TestCatalogAppend)
#include "tst_catalogappend.moc"
