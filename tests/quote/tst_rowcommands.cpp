// Row commands of the item grid: insert, copy, paste, insert copies, delete and restore.
#include "RowCommands.h"

#include <QtTest>

using namespace quote;

namespace {

const QString Q = kRootKey;
const QString kLeaf = Q + kPathSeparator + QStringLiteral("A");

// A shown leaf whose rows 1 to n hold the item names r1 .. rn and the catalogue names c1 .. cn.
QuoteDocument leafWithRows(int n) {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tv_NodeClick(kLeaf);
    doc.hfgQ.setRows(n + 1);
    for (int r = 1; r <= n; ++r) {
        doc.SetCell(r, ColName, QStringLiteral("r%1").arg(r));
        doc.SetCell(r, ColRemark, QStringLiteral("m%1").arg(r));
        doc.SetCell(r, ColCatalogName, QStringLiteral("c%1").arg(r));
    }
    doc.SetCell(1, ColPath, kLeaf);
    return doc;
}

QStringList names(const QuoteDocument& doc, int col = ColName) {
    QStringList out;
    for (const ItemRow& r : doc.hfgQ.dataRows())
        out << r[col];
    return out;
}

RowUndoSnapshot someSnapshot() {
    RowUndoSnapshot u;
    u[0] = QStringLiteral("1");
    u[1] = QStringLiteral("old");
    return u;
}

} // namespace

class TestRowCommands : public QObject {
    Q_OBJECT

private slots:
    void onlyOnAShownLeafOtherThanTheRoot();
    void insertBlank();
    void copy_data();
    void copy();
    void pasteGrowsByTheBlock();
    void pasteKeepsCatalogueName();
    void insertCopies();
    void remove_data();
    void remove();
    void undo();
    void totalsUntouched();
};

void TestRowCommands::onlyOnAShownLeafOtherThanTheRoot() {
    RowCommands cmd;
    int cur = 1;
    RowUndoSnapshot undo;
    QuoteDocument root; // the root alone is a leaf, yet no rows belong to it
    QVERIFY(!cmd.mInsQ_Click(root, cur, undo));
    QCOMPARE(root.hfgQ.rows(), 2);

    QuoteDocument inner = leafWithRows(2);
    inner.tree.addChild(kLeaf, QStringLiteral("x"));
    inner.tv_NodeClick(Q);
    QVERIFY(!cmd.mDelQ_Click(inner, {1, 1}, undo));
    QVERIFY(!cmd.mCpq_Click(inner, {1, 1}));
    QVERIFY(!cmd.clipboard().RowsCopied);
}

void TestRowCommands::insertBlank() {
    QuoteDocument doc = leafWithRows(5);
    RowCommands cmd;
    RowUndoSnapshot undo = someSnapshot();
    int setups = 0;
    doc.hooks.setupGrid = [&](bool editable) { setups += editable; };
    int cur = 3;
    QVERIFY(cmd.mInsQ_Click(doc, cur, undo));
    QCOMPARE(names(doc), (QStringList{"r1", "r2", "", "r3", "r4", "r5"}));
    QCOMPARE(cur, 3);
    QCOMPARE(setups, 1);
    QVERIFY(!undoHoldsText(undo));

    cur = 0; // the header row: the blank row goes above row 1
    QVERIFY(cmd.mInsQ_Click(doc, cur, undo));
    QCOMPARE(cur, 1);
    QCOMPARE(names(doc).first(), QString());
    QCOMPARE(doc.hfgQ.rows(), 8);
}

void TestRowCommands::copy_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QStringList>("copied");
    QTest::newRow("upwards") << 4 << 2 << QStringList{"r2", "r3", "r4"};
    QTest::newRow("whole grid from the header row") << 0 << 5 << QStringList{"r1", "r2", "r3", "r4", "r5"};
    QTest::newRow("from the header row to row 2") << 2 << 0 << QStringList{"r1", "r2"};
    QTest::newRow("one row") << 5 << 5 << QStringList{"r5"};
}

void TestRowCommands::copy() {
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QStringList, copied);
    const QuoteDocument doc = leafWithRows(5);
    RowCommands cmd;
    QVERIFY(cmd.mCpq_Click(doc, {start, end}));
    QStringList got;
    for (const CopiedRow& r : cmd.clipboard().rows) {
        got << r[0];
        QCOMPARE(r[kRowCopyCols - 1], QStringLiteral("m") + r[0].mid(1)); // remark copied too
    }
    QCOMPARE(got, copied);
    QVERIFY(cmd.clipboard().RowsCopied);
}

void TestRowCommands::pasteGrowsByTheBlock() {
    QuoteDocument doc = leafWithRows(6);
    RowCommands cmd;
    QVERIFY(cmd.mCpq_Click(doc, {1, 3}));
    RowUndoSnapshot undo = someSnapshot();
    int cur = 5;
    QVERIFY(cmd.mPstQ_Click(doc, cur, undo));
    QCOMPARE(names(doc), (QStringList{"r1", "r2", "r3", "r4", "r1", "r2", "r3", "", ""}));
    QCOMPARE(cur, 8);
    QVERIFY(!undoHoldsText(undo));

    // Rows enough below: no growth.
    cur = 1;
    QVERIFY(cmd.mPstQ_Click(doc, cur, undo));
    QCOMPARE(doc.hfgQ.rows(), 10);
    QCOMPARE(cur, 4);
}

void TestRowCommands::pasteKeepsCatalogueName() {
    QuoteDocument doc = leafWithRows(3);
    RowCommands cmd;
    RowUndoSnapshot undo;
    QVERIFY(cmd.mCpq_Click(doc, {3, 3}));
    int cur = 1;
    QVERIFY(cmd.mPstQ_Click(doc, cur, undo));
    QCOMPARE(doc.GTxM(1, ColName), QStringLiteral("r3"));
    QCOMPARE(doc.GTxM(1, ColCatalogName), QStringLiteral("c1"));
    QCOMPARE(doc.GTxM(1, ColPath), kLeaf);

    // The clipboard outlives a node change.
    doc.tree.addChild(Q, QStringLiteral("B"));
    doc.tv_NodeClick(Q + kPathSeparator + QStringLiteral("B"));
    cur = 1;
    QVERIFY(cmd.mPstQ_Click(doc, cur, undo));
    QCOMPARE(names(doc), QStringList{"r3"});
}

void TestRowCommands::insertCopies() {
    QuoteDocument doc = leafWithRows(4);
    RowCommands cmd;
    RowUndoSnapshot undo = someSnapshot();
    int cur = 2;
    QVERIFY(!cmd.mInsQcp_Click(doc, cur, undo)); // nothing copied yet
    QVERIFY(cmd.mCpq_Click(doc, {3, 4}));
    QVERIFY(cmd.mInsQcp_Click(doc, cur, undo));
    QCOMPARE(names(doc), (QStringList{"r1", "r3", "r4", "r2", "r3", "r4"}));
    QCOMPARE(names(doc, ColCatalogName), (QStringList{"c1", "", "", "c2", "c3", "c4"}));
    QCOMPARE(cur, 4); // still the old row 2
    QVERIFY(!undoHoldsText(undo));
}

void TestRowCommands::remove_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QStringList>("left");
    const QStringList all{"r1", "r2", "r3", "r4", "r5"};
    QTest::newRow("rows 2 to 3") << 2 << 3 << QStringList{"r1", "r4", "r5"};
    QTest::newRow("upwards") << 3 << 2 << QStringList{"r1", "r4", "r5"};
    QTest::newRow("every data row") << 1 << 5 << QStringList{""};
    QTest::newRow("whole grid from the header row") << 0 << 5 << QStringList{""};
    QTest::newRow("header row and row 1: row 1 only") << 0 << 1 << QStringList{"r2", "r3", "r4", "r5"};
    QTest::newRow("past the last row: up to the last row") << 4 << 7 << QStringList{"r1", "r2", "r3"};
    // A selection left behind by an earlier delete names no row any more: nothing goes.
    QTest::newRow("wholly below the last row") << 6 << 7 << all;
    QTest::newRow("no selection") << -1 << -1 << all;
}

void TestRowCommands::remove() {
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QStringList, left);
    QuoteDocument doc = leafWithRows(5);
    RowCommands cmd;
    RowUndoSnapshot undo = someSnapshot();
    const bool done = names(doc) != left;
    QCOMPARE(cmd.mDelQ_Click(doc, {start, end}, undo), done);
    QCOMPARE(names(doc), left);
    QCOMPARE(undoHoldsText(undo), !done);
    if (left == QStringList{QString()}) {
        QCOMPARE(doc.hfgQ.rows(), 2);
        QVERIFY(isEmptyRow(doc.hfgQ.row(1)) && doc.GTxM(1, ColPath).isEmpty());
    }
    // Copying the same selection takes the rows the delete would remove.
    QuoteDocument fresh = leafWithRows(5);
    QCOMPARE(cmd.mCpq_Click(fresh, {start, end}), done);
}

void TestRowCommands::undo() {
    QuoteDocument doc = leafWithRows(3);
    RowUndoSnapshot snap;
    snap[0] = QStringLiteral("3");
    for (int j = 0; j < kRowCopyCols; ++j)
        snap[size_t(j) + 1] = QStringLiteral("u%1").arg(j);
    doc.SetCell(3, ColName, QStringLiteral("picked"));
    QVERIFY(RowCommands::mUndo_Click(doc, snap));
    QCOMPARE(doc.GTxM(3, ColName), QStringLiteral("u0"));
    QCOMPARE(doc.GTxM(3, ColRemark), QStringLiteral("u9"));
    QCOMPARE(doc.GTxM(3, ColCatalogName), QStringLiteral("c3"));
    QVERIFY(RowCommands::mUndo_Click(doc, snap)); // repeatable
    QCOMPARE(doc.GTxM(3, ColName), QStringLiteral("u0"));

    snap[0] = QStringLiteral("4"); // the row is gone
    const ItemGrid before = doc.hfgQ;
    QVERIFY(!RowCommands::mUndo_Click(doc, snap));
    QVERIFY(doc.hfgQ == before);
}

void TestRowCommands::totalsUntouched() {
    QuoteDocument doc = leafWithRows(2);
    doc.SetCell(1, ColAmount, QStringLiteral("100"));
    doc.RefreshTotals();
    RowCommands cmd;
    RowUndoSnapshot undo;
    QVERIFY(cmd.mDelQ_Click(doc, {1, 1}, undo));
    QCOMPARE(doc.totals.lbSumT, QStringLiteral("100"));
}

QTEST_GUILESS_MAIN(TestRowCommands)
#include "tst_rowcommands.moc"
