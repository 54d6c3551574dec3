// The quotation document: the tree, storing the shown leaf's rows and listing a node's rows.
#include "QuoteDocument.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace quote;

namespace {

const QString Q = kRootKey;
QString path(const QString& a) {
    return Q + kPathSeparator + a;
}
QString path(const QString& a, const QString& b) {
    return path(a) + kPathSeparator + b;
}

// A row with an item name and a quantity.
ItemRow item(const QString& name, const QString& qty = QStringLiteral("1")) {
    ItemRow r;
    r[ColName] = name;
    r[ColQty] = qty;
    return r;
}

// Types `rows` into the visible grid of the shown leaf, as the editor leaves them.
void type(QuoteDocument& doc, const std::vector<ItemRow>& rows, int trailingEmpty = 0) {
    doc.hfgQ.setRows(int(rows.size()) + 1 + trailingEmpty);
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = ColName; c < ColCount; ++c)
            doc.hfgQ.setCell(int(i) + 1, c, rows[i][size_t(c)]);
    for (int r = int(rows.size()) + 1; r < doc.hfgQ.rows(); ++r)
        doc.hfgQ.setRow(r, ItemRow{});
}

// Shows `leaf`, types its rows and leaves it for the root.
void fill(QuoteDocument& doc, const QString& leaf, const std::vector<ItemRow>& rows) {
    QVERIFY(doc.tv_NodeClick(leaf));
    type(doc, rows);
    QVERIFY(doc.tv_NodeClick(Q));
}

// (path, item name) of every store row.
QStringList storeRows(const QuoteDocument& doc) {
    QStringList out;
    for (const ItemRow& r : doc.hfgB.dataRows())
        out << r[ColPath] + u'/' + r[ColName];
    return out;
}
// (path, item name) of every visible row.
QStringList shownRows(const QuoteDocument& doc) {
    QStringList out;
    for (const ItemRow& r : doc.hfgQ.dataRows())
        out << r[ColPath] + u'/' + r[ColName];
    return out;
}

// Areas A (work types A‧x, A‧y) and B.
void buildTree(QuoteDocument& doc) {
    QVERIFY(doc.tree.addChild(Q, QStringLiteral("A")));
    QVERIFY(doc.tree.addChild(Q, QStringLiteral("B")));
    QVERIFY(doc.tree.addChild(path("A"), QStringLiteral("x")));
    QVERIFY(doc.tree.addChild(path("A"), QStringLiteral("y")));
}

int scanFirstRow(const ItemGrid& g, const QString& p) {
    for (int r = 1; r < g.rows(); ++r)
        if (g.cell(r, ColPath) == p)
            return r;
    return 0;
}

} // namespace

class TestQuoteDocument : public QObject {
    Q_OBJECT

private slots:
    void emptyDocument();
    void treeOrderAndKeys();
    void lndname_data();
    void lndname();
    void sameNodeStoresNothing();
    void firstRowIntoEmptyStore();
    void blockLeavesTheMiddle();
    void trailingEmptyRowsAreNotStored();
    void storeRowWithoutPathIsKept();
    void trimEmptyRows_data();
    void trimEmptyRows();
    void deletedRowsLoseTheirBlock();
    void innerNodeListsInTreeOrder();
    void rootSkipsRowsOfNoLeaf();
    void findNodeRowsTakesTheFirstRun();
    void getL();
    void quotationTotalsCoverTheShownLeaf();
    void indexAgreesWithScan();
};

void TestQuoteDocument::emptyDocument() {
    QuoteDocument doc;
    QCOMPARE(doc.hfgB.rows(), 2);
    QCOMPARE(doc.hfgQ.rows(), 2);
    QCOMPARE(doc.lbPath, Q);
    QVERIFY(doc.NodeIsLeaf);
    QCOMPARE(doc.tree.count(), 1);
    QCOMPARE(doc.tree.leaves(Q), QStringList{Q});
}

void TestQuoteDocument::treeOrderAndKeys() {
    QuoteTree t;
    QVERIFY(t.addChild(Q, QStringLiteral("C")));
    QVERIFY(t.insertBefore(path("C"), QStringLiteral("P")));
    QVERIFY(t.insertBefore(path("C"), QStringLiteral("R")));
    QVERIFY(t.addChild(path("P"), QStringLiteral("w")));
    QCOMPARE(t.leaves(Q), (QStringList{path("P", "w"), path("R"), path("C")}));
    QVERIFY(!t.addChild(Q, QStringLiteral("C")));         // a key already taken
    QVERIFY(!t.addChild(path("Z"), QStringLiteral("w"))); // no such parent
    QVERIFY(!t.insertBefore(Q, QStringLiteral("S")));     // no sibling of the root
    QCOMPARE(t.find(path("P", "w"))->text, QStringLiteral("w"));

    QCOMPARE(t.indexOf(path("C")), 2);
    QVERIFY(t.remove(path("P")));
    QVERIFY(!t.contains(path("P", "w")));
    QCOMPARE(t.count(), 3);
    QCOMPARE(t.indexOf(path("R")), 3);
    QVERIFY(!t.remove(Q));

    QuoteTree copy = t;
    QVERIFY(copy == t);
    QVERIFY(copy.addChild(path("R"), QStringLiteral("v")));
    QVERIFY(!(copy == t));
    QVERIFY(!t.contains(path("R", "v")));
}

void TestQuoteDocument::lndname_data() {
    QTest::addColumn<QString>("fullPath");
    QTest::addColumn<QString>("name");
    QTest::newRow("root") << Q << Q;
    QTest::newRow("first level") << path("A") << QStringLiteral("A");
    QTest::newRow("second level") << path("A", "B") << QStringLiteral("B");
}

void TestQuoteDocument::lndname() {
    QFETCH(QString, fullPath);
    QFETCH(QString, name);
    QCOMPARE(QuoteDocument::lndname(fullPath), name);
}

void TestQuoteDocument::sameNodeStoresNothing() {
    QuoteDocument doc;
    buildTree(doc);
    QVERIFY(doc.tv_NodeClick(path("B")));
    type(doc, {item("b1")}, 10);
    int hides = 0, refreshes = 0, setups = 0, paths = 0;
    doc.hooks.hideCellEditors = [&] { ++hides; };
    doc.hooks.totalsRefreshed = [&] { ++refreshes; };
    doc.hooks.setupGrid = [&](bool editable) { setups += editable ? 1 : 100; };
    doc.hooks.pathChanged = [&] { ++paths; };

    QVERIFY(doc.tv_NodeClick(path("B")));
    QCOMPARE(doc.hfgQ.rows(), 12); // the trailing empty rows are not trimmed either
    QVERIFY(doc.hfgB.isEmptyGrid());
    QCOMPARE(hides, 1);
    QCOMPARE(refreshes, 1);
    QCOMPARE(setups, 1);
    QCOMPARE(paths, 0);
    QCOMPARE(doc.totals.lbSumT, QStringLiteral("0"));

    QVERIFY(!doc.tv_NodeClick(path("none")));
    QCOMPARE(hides, 1);
}

void TestQuoteDocument::firstRowIntoEmptyStore() {
    QuoteDocument doc;
    buildTree(doc);
    QVERIFY(doc.tv_NodeClick(path("B")));
    QVERIFY(doc.NodeIsLeaf);
    type(doc, {item("b1")});
    QVERIFY(doc.tv_NodeClick(path("A", "x")));
    QCOMPARE(doc.hfgB.rows(), 2);
    QCOMPARE(storeRows(doc), QStringList{path("B") + "/b1"});
    QCOMPARE(doc.hfgB.cell(1, ColQty), QStringLiteral("1"));
    QCOMPARE(doc.lbPath, path("A", "x"));
    QCOMPARE(doc.hfgQ.rows(), 2);

    // Back to B: its row is listed with the path in column 1.
    QVERIFY(doc.tv_NodeClick(path("B")));
    QCOMPARE(shownRows(doc), QStringList{path("B") + "/b1"});
}

void TestQuoteDocument::blockLeavesTheMiddle() {
    QuoteDocument doc;
    buildTree(doc);
    fill(doc, path("A", "x"), {item("x1"), item("x2")});
    fill(doc, path("A", "y"), {item("y1"), item("y2"), item("y3")});
    fill(doc, path("B"), {item("b1")});
    QCOMPARE(doc.hfgB.rows(), 7);

    QVERIFY(doc.tv_NodeClick(path("A", "y")));
    QCOMPARE(doc.hfgQ.rows(), 4);
    doc.hfgQ.setRows(3); // the third row deleted
    QVERIFY(doc.tv_NodeClick(path("B")));
    QCOMPARE(doc.hfgB.rows(), 6);
    QCOMPARE(storeRows(doc), (QStringList{path("A", "x") + "/x1", path("A", "x") + "/x2", path("B") + "/b1",
                                          path("A", "y") + "/y1", path("A", "y") + "/y2"}));
}

void TestQuoteDocument::trailingEmptyRowsAreNotStored() {
    QuoteDocument doc;
    buildTree(doc);
    QVERIFY(doc.tv_NodeClick(path("B")));
    type(doc, {item("b1"), ItemRow{}, item("b3")}, 10);
    QCOMPARE(doc.hfgQ.rows(), 14);
    QVERIFY(doc.tv_NodeClick(Q));
    QCOMPARE(storeRows(doc), (QStringList{path("B") + "/b1", path("B") + "/", path("B") + "/b3"}));
}

// A store whose only row has no path but other cells (as a file may hold) is not an empty store:
// the first stored block goes after that row instead of over it.
void TestQuoteDocument::storeRowWithoutPathIsKept() {
    QuoteDocument doc;
    buildTree(doc);
    doc.hfgB.setCell(1, ColName, QStringLiteral("orphan"));
    fill(doc, path("B"), {item("b1")});
    QCOMPARE(storeRows(doc), (QStringList{"/orphan", path("B") + "/b1"}));
}

void TestQuoteDocument::trimEmptyRows_data() {
    QTest::addColumn<QStringList>("names"); // item name per data row; "-" a row with only a quantity
    QTest::addColumn<int>("rowsAfter");
    QTest::addColumn<bool>("lastRowFilled");
    QTest::newRow("one empty row") << QStringList{""} << 2 << false;
    QTest::newRow("trailing empties") << QStringList{"a", "", "", ""} << 2 << true;
    QTest::newRow("empty between") << QStringList{"a", "", "c", ""} << 4 << true;
    QTest::newRow("all empty") << QStringList{"", "", ""} << 2 << false;
    // A single remaining row is judged by all its cells, not by the item name alone.
    QTest::newRow("single row without name") << QStringList{"-"} << 2 << true;
    QTest::newRow("trimmed down to a row without name") << QStringList{"-", "", ""} << 2 << true;
    QTest::newRow("last row without name") << QStringList{"a", "-", ""} << 3 << true;
}

void TestQuoteDocument::trimEmptyRows() {
    QFETCH(QStringList, names);
    QFETCH(int, rowsAfter);
    QFETCH(bool, lastRowFilled);
    QuoteDocument doc;
    std::vector<ItemRow> rows;
    for (const QString& n : names)
        rows.push_back(n == u"-" ? item({}, QStringLiteral("3")) : n.isEmpty() ? ItemRow{} : item(n));
    type(doc, rows);
    doc.TrimEmptyRows();
    QCOMPARE(doc.hfgQ.rows(), rowsAfter);
    QCOMPARE(doc.LastRowFilled, lastRowFilled);
}

void TestQuoteDocument::deletedRowsLoseTheirBlock() {
    QuoteDocument doc;
    buildTree(doc);
    fill(doc, path("A", "x"), {item("x1"), item("x2")});
    fill(doc, path("B"), {item("b1")});

    // Every row of A‧x deleted: the grid holds one empty row, and leaving drops the block.
    QVERIFY(doc.tv_NodeClick(path("A", "x")));
    doc.hfgQ.reset();
    QVERIFY(doc.tv_NodeClick(path("B")));
    QCOMPARE(storeRows(doc), QStringList{path("B") + "/b1"});
    QVERIFY(doc.tv_NodeClick(path("A", "x")));
    QCOMPARE(doc.hfgQ.rows(), 2);
    QVERIFY(isEmptyRow(doc.hfgQ.row(1)));

    // The last block of the store goes: the store is empty again, with its two rows.
    QVERIFY(doc.tv_NodeClick(path("B")));
    doc.hfgQ.reset();
    QVERIFY(doc.tv_NodeClick(Q));
    QVERIFY(doc.hfgB.isEmptyGrid());

    // A row holding a quantity but no item name is kept.
    QVERIFY(doc.tv_NodeClick(path("B")));
    type(doc, {item({}, QStringLiteral("5"))});
    QVERIFY(doc.tv_NodeClick(Q));
    QCOMPARE(storeRows(doc), QStringList{path("B") + "/"});
    QCOMPARE(doc.hfgB.cell(1, ColQty), QStringLiteral("5"));
}

void TestQuoteDocument::innerNodeListsInTreeOrder() {
    QuoteDocument doc;
    buildTree(doc);
    QVERIFY(doc.tree.addChild(path("A"), QStringLiteral("z"))); // a leaf without rows
    fill(doc, path("A", "y"), {item("y1"), item("y2")});
    fill(doc, path("B"), {item("b1")});
    fill(doc, path("A", "x"), {item("x1"), item("x2")});

    QVERIFY(doc.tv_NodeClick(path("A")));
    QVERIFY(!doc.NodeIsLeaf);
    QCOMPARE(shownRows(doc), (QStringList{path("A", "x") + "/x1", "/x2", path("A", "y") + "/y1", "/y2"}));
    QCOMPARE(doc.totals.lbSumT, QStringLiteral("0"));

    // Showing an inner node stores nothing: the store keeps its order.
    QVERIFY(doc.tv_NodeClick(Q));
    QCOMPARE(storeRows(doc), (QStringList{path("A", "y") + "/y1", path("A", "y") + "/y2", path("B") + "/b1",
                                          path("A", "x") + "/x1", path("A", "x") + "/x2"}));
    QCOMPARE(shownRows(doc),
             (QStringList{path("A", "x") + "/x1", "/x2", path("A", "y") + "/y1", "/y2", path("B") + "/b1"}));
}

void TestQuoteDocument::rootSkipsRowsOfNoLeaf() {
    QuoteDocument doc;
    buildTree(doc);
    fill(doc, path("A", "x"), {item("x1")});
    fill(doc, path("B"), {item("b1")});
    QVERIFY(doc.tree.remove(path("A")));
    QVERIFY(doc.tv_NodeClick(path("B")));
    QVERIFY(doc.tv_NodeClick(Q));
    QCOMPARE(shownRows(doc), QStringList{path("B") + "/b1"});
    QCOMPARE(storeRows(doc), (QStringList{path("A", "x") + "/x1", path("B") + "/b1"}));

    // The rows belong again to a node created later with the same path.
    QVERIFY(doc.tree.addChild(Q, QStringLiteral("A")));
    QVERIFY(doc.tree.addChild(path("A"), QStringLiteral("x")));
    QVERIFY(doc.tv_NodeClick(path("A", "x")));
    QCOMPARE(shownRows(doc), QStringList{path("A", "x") + "/x1"});
}

void TestQuoteDocument::findNodeRowsTakesTheFirstRun() {
    QuoteDocument doc;
    buildTree(doc);
    const std::vector<std::pair<QString, QString>> store = {
        {path("B"), "b1"}, {path("A", "x"), "x1"}, {path("A", "x"), "x2"}, {path("B"), "b2"}};
    doc.hfgB.setRows(1);
    for (const auto& [p, n] : store) {
        ItemRow r = item(n);
        r[ColPath] = p;
        doc.hfgB.appendRows(std::span<const ItemRow>(&r, 1));
    }
    doc.FindNodeRows(path("A", "x"));
    QCOMPARE(doc.NodeFirstRow, 2);
    QCOMPARE(doc.NodeLastRow, 3);
    QCOMPARE(doc.getD(path("B")), 1);
    QCOMPARE(doc.NodeFirstRow, 1);
    QCOMPARE(doc.NodeLastRow, 1);
    QCOMPARE(doc.getD(path("A", "y")), 0);
    QCOMPARE(doc.NodeFirstRow, 0);
    QCOMPARE(doc.NodeLastRow, 0);

    // B lists its first run only; stored back, the first run moves to the end and the old second
    // run comes first.
    QVERIFY(doc.tv_NodeClick(path("B")));
    QCOMPARE(shownRows(doc), QStringList{path("B") + "/b1"});
    QVERIFY(doc.tv_NodeClick(Q));
    QCOMPARE(storeRows(doc), (QStringList{path("A", "x") + "/x1", path("A", "x") + "/x2", path("B") + "/b2",
                                          path("B") + "/b1"}));
}

void TestQuoteDocument::getL() {
    QuoteDocument doc;
    buildTree(doc);
    fill(doc, path("A", "y"), {item("y1")});
    QVERIFY(doc.tv_NodeClick(path("A")));
    const QuoteDocument before = doc;

    QCOMPARE(doc.GetL(Q, path("A", "q")), QString());
    QVERIFY(doc == before);
    QCOMPARE(doc.GetL(Q, Q), QString()); // the node searched from is not compared
    QVERIFY(doc == before);

    QCOMPARE(doc.GetL(path("A"), path("A", "y")), path("A", "y"));
    QCOMPARE(doc.lbPath, path("A", "y"));
    QCOMPARE(shownRows(doc), QStringList{path("A", "y") + "/y1"});
}

void TestQuoteDocument::quotationTotalsCoverTheShownLeaf() {
    QuoteDocument doc;
    buildTree(doc);
    ItemRow r = item("x1", QStringLiteral("2"));
    r[ColAmount] = QStringLiteral("100");
    fill(doc, path("A", "x"), {r});
    r[ColAmount] = QStringLiteral("7");
    fill(doc, path("B"), {r});

    QVERIFY(doc.tv_NodeClick(path("A", "x")));
    doc.hfgQ.setCell(1, ColAmount, QStringLiteral("300")); // edited, not yet stored
    QCOMPARE(doc.totals.lbSumT, QStringLiteral("100"));
    const QuoteDocument before = doc;
    const GridTotals whole = doc.quotationTotals();
    QVERIFY(doc == before);
    QCOMPARE(whole.lbSumT, QStringLiteral("307"));

    QVERIFY(doc.tv_NodeClick(Q));
    QVERIFY(doc.totals == whole);
    QVERIFY(doc.quotationTotals() == whole);
}

// The store lookups use an index: after many random edits, every lookup answers as a scan would.
void TestQuoteDocument::indexAgreesWithScan() {
    QuoteDocument doc;
    QStringList leaves;
    for (int a = 0; a < 4; ++a) {
        const QString area = QStringLiteral("A%1").arg(a);
        doc.tree.addChild(Q, area);
        for (int w = 0; w < 4; ++w) {
            doc.tree.addChild(path(area), QStringLiteral("w%1").arg(w));
            leaves << path(area, QStringLiteral("w%1").arg(w));
        }
    }
    QRandomGenerator rng(4711);
    for (int step = 0; step < 400; ++step) {
        const QString leaf = leaves.at(int(rng.bounded(leaves.size())));
        QVERIFY(doc.tv_NodeClick(leaf));
        const int n = int(rng.bounded(4));
        std::vector<ItemRow> rows;
        for (int i = 0; i < n; ++i)
            rows.push_back(item(QStringLiteral("r%1").arg(step)));
        type(doc, rows);
        if (step % 37 == 0 && doc.hfgB.rows() > 2) // a path cell changed directly
            doc.hfgB.setCell(1, ColPath, leaves.at(int(rng.bounded(leaves.size()))));
        if (step % 53 == 0 && doc.hfgB.rows() > 2)
            doc.hfgB.dataRows()[0][ColPath] = leaves.at(int(rng.bounded(leaves.size())));
        for (const QString& p : leaves)
            QCOMPARE(doc.hfgB.firstRowOf(p), scanFirstRow(doc.hfgB, p));
    }
}

QTEST_GUILESS_MAIN(TestQuoteDocument)
#include "tst_quotedocument.moc"
