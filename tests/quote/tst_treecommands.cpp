// Tree commands: the popup's enabling, the pick list's entries, adding, inserting and deleting nodes.
#include "QuotePaths.h"
#include "ScriptedDialogs.h"
#include "TreeCommands.h"
#include "db/Database.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quote;
using namespace testpaths;

namespace {

ItemRow item(const QString& name) {
    ItemRow r;
    r[ColName] = name;
    r[ColQty] = QStringLiteral("1");
    r[ColPrice] = QStringLiteral("100");
    r[ColAmount] = QStringLiteral("100");
    return r;
}

// Shows `leaf` and types the item rows into it.
void typeRows(QuoteDocument& doc, const QString& leaf, const QStringList& names) {
    QVERIFY(doc.tv_NodeClick(leaf));
    doc.hfgQ.setRows(int(names.size()) + 1);
    for (int i = 0; i < names.size(); ++i) {
        ItemRow r = item(names[i]);
        r[ColPath] = i == 0 ? leaf : QString();
        doc.hfgQ.setRow(i + 1, r);
    }
}

QStringList storePaths(const QuoteDocument& doc) {
    QStringList out;
    for (const ItemRow& r : doc.hfgB.dataRows())
        out << r[ColPath] + u'/' + r[ColName];
    return out;
}
QStringList shownNames(const QuoteDocument& doc) {
    QStringList out;
    for (const ItemRow& r : doc.hfgQ.dataRows())
        out << r[ColName];
    return out;
}
QStringList childTexts(const QuoteDocument& doc, const QString& key) {
    QStringList out;
    for (const auto* c : doc.tree.find(key)->children)
        out << c->text;
    return out;
}

} // namespace

class TestTreeCommands : public QObject {
    Q_OBJECT

private slots:
    void enabling_data();
    void enabling();
    void pickEntries_data();
    void pickEntries();
    void catalogueQueriesBindTheCategory();
    void addBelowLeafWithRows_data();
    void addBelowLeafWithRows();
    void addBelowEmptyLeafClearsTheGrid();
    void addBelowAnotherNodeStoresTheShownRows();
    void movedRowsJoinRowsKeptUnderTheChildPath();
    void typedNames_data();
    void typedNames();
    void refusedNamesAddNothing_data();
    void refusedNamesAddNothing();
    void severalEntriesInListOrder();
    void workTypesOnlyFlag();
    void insertKeepsListOrder();
    void deleteShownNodeKeepsItsRows();
    void deleteBelowShownInnerNodeRelists();
    void deleteLastFirstLevelNode();
};

void TestTreeCommands::enabling_data() {
    // tree: "" root only, "areas" root‧A‧x and root‧B, "types" root‧T (work types only)
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("wto");
    // mAddA mAddT mInsN mInsA mInsT mDelN mCal mCalA as 0/1
    QTest::addColumn<QString>("expected");
    QTest::newRow("root of an empty tree") << "" << Q << false << "11000000";
    QTest::newRow("root above areas") << "areas" << Q << false << "10000011";
    QTest::newRow("area") << "areas" << path("A") << false << "01110111";
    QTest::newRow("work type below an area") << "areas" << path("A", "x") << false << "01101111";
    QTest::newRow("first-level work type, work types only") << "types" << path("T") << true << "01101110";
    QTest::newRow("root, work types only") << "types" << Q << true << "01000010";
}

void TestTreeCommands::enabling() {
    QFETCH(QString, tree);
    QFETCH(QString, node);
    QFETCH(bool, wto);
    QFETCH(QString, expected);
    QuoteTree t;
    if (tree == QLatin1String("areas")) {
        t.addChild(Q, QStringLiteral("A"));
        t.addChild(Q, QStringLiteral("B"));
        t.addChild(path("A"), QStringLiteral("x"));
    } else if (tree == QLatin1String("types")) {
        t.addChild(Q, QStringLiteral("T"));
    }
    const TreeMenuState s = treeMenuState(t, node, wto);
    const QString got = QString::number(s.mAddA) + QString::number(s.mAddT) + QString::number(s.mInsN) +
                        QString::number(s.mInsA) + QString::number(s.mInsT) + QString::number(s.mDelN) +
                        QString::number(s.mCal) + QString::number(s.mCalA);
    QCOMPARE(got, expected);
}

void TestTreeCommands::pickEntries_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("catalogue");
    QTest::addColumn<QStringList>("expected");
    const QStringList areas{"A", "客廳", "B", "主臥"};
    QTest::newRow("add areas: children left out") << Q << int(PickCommand::AddAreas) << areas
                                                  << QStringList{kTypedNameEntry, "客廳", "主臥"};
    QTest::newRow("insert work type: siblings and itself left out, no typed entry")
        << path("A", "W") << int(PickCommand::InsertWorkTypes) << QStringList{"V", "油漆", "W", "木作"}
        << QStringList{"油漆", "木作"};
    QTest::newRow("no category: the typed entry alone") << Q << int(PickCommand::AddAreas) << QStringList{}
                                                        << QStringList{kTypedNameEntry};
    QTest::newRow("duplicates once, empty names dropped, case kept")
        << path("B") << int(PickCommand::AddWorkTypes) << QStringList{"木作", "", "木作", "ab", "AB"}
        << QStringList{kTypedNameEntry, "木作", "ab", "AB"};
    QTest::newRow("blanks trimmed, blank names dropped, trimmed sibling left out")
        << Q << int(PickCommand::AddAreas) << QStringList{" 客廳 ", "  ", "客廳", "A ", "\t"}
        << QStringList{kTypedNameEntry, "客廳"};
}

void TestTreeCommands::pickEntries() {
    QFETCH(QString, node);
    QFETCH(int, command);
    QFETCH(QStringList, catalogue);
    QFETCH(QStringList, expected);
    QuoteTree t;
    t.addChild(Q, QStringLiteral("A"));
    t.addChild(Q, QStringLiteral("B"));
    t.addChild(path("A"), QStringLiteral("V"));
    t.addChild(path("A"), QStringLiteral("W"));
    QCOMPARE(quote::pickEntries(t, node, PickCommand(command), catalogue), expected);
}

void TestTreeCommands::catalogueQueriesBindTheCategory() {
    QTemporaryDir dir;
    auto db = db::Database::create(dir.filePath(QStringLiteral("c.db")), {},
                                   QStringLiteral("CREATE TABLE k2a (k TEXT COLLATE NOCASE, a TEXT, sort INTEGER);"
                                                  "CREATE TABLE 種 (t_id INTEGER PRIMARY KEY, t TEXT);"));
    db->execute(QStringLiteral("INSERT INTO k2a VALUES (?, ?, ?)"), {QStringLiteral("a\"b'c"), QStringLiteral("後"), 2});
    db->execute(QStringLiteral("INSERT INTO k2a VALUES (?, ?, ?)"), {QStringLiteral("a\"b'c"), QStringLiteral("前"), 1});
    db->execute(QStringLiteral("INSERT INTO k2a VALUES (?, ?, ?)"), {QStringLiteral("其他"), QStringLiteral("k"), 1});
    db->execute(QStringLiteral("INSERT INTO 種 VALUES (2, ?)"), {QStringLiteral("木作")});
    db->execute(QStringLiteral("INSERT INTO 種 VALUES (1, ?)"), {QStringLiteral("拆除")});
    QCOMPARE(catalogueAreas(*db, QStringLiteral("a\"b'c")), (QStringList{"前", "後"}));
    QCOMPARE(catalogueAreas(*db, QStringLiteral("a")), QStringList{});
    QCOMPARE(catalogueWorkTypes(*db), (QStringList{"拆除", "木作"}));
}

void TestTreeCommands::addBelowLeafWithRows_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes moves the rows") << true;
    QTest::newRow("No adds nothing") << false;
}

void TestTreeCommands::addBelowLeafWithRows() {
    QFETCH(bool, yes);
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    typeRows(doc, path("A"), {"x1"});
    QVERIFY(doc.tv_NodeClick(Q));
    typeRows(doc, path("A"), {"x1", "x2"}); // edited since stored
    ScriptedDialogs dialogs;
    dialogs.expectMessage(yes ? ui::Answer::Yes : ui::Answer::No);
    QCOMPARE(AddChildNodesFromList(doc, path("A"), {"木作", "油漆"}, true), yes);
    VERIFY_DIALOGS(dialogs);
    const ui::MessageRequest q = dialogs.messages().at(0);
    QCOMPARE(q.text, QStringLiteral("此階層含有資料！\r\n是否要新增子階層？\r\n如果點選是,會將資料移至子階層"));
    QCOMPARE(q.icon, ui::Icon::Question);
    QCOMPARE(q.buttons, ui::Buttons::YesNo);
    QCOMPARE(q.defaultButton, 2);
    QCOMPARE(q.title, QStringLiteral("Kavo III"));
    QCOMPARE(shownNames(doc), (QStringList{"x1", "x2"}));
    if (!yes) {
        QCOMPARE(doc.tree.count(), 2);
        QCOMPARE(doc.lbPath, path("A"));
        return;
    }
    QCOMPARE(childTexts(doc, path("A")), (QStringList{"木作", "油漆"}));
    QCOMPARE(doc.lbPath, path("A", "木作"));
    QVERIFY(doc.NodeIsLeaf);
    QCOMPARE(doc.NodeIndex, doc.tree.indexOf(path("A", "木作")));
    QCOMPARE(storePaths(doc), QStringList{path("A", "木作") + "/x1"});
    QCOMPARE(doc.GTxM(1, ColPath), path("A", "木作"));
    QVERIFY(!doc.WorkTypesOnly); // work types below an area
    // Leaving the new child stores the rows on show under its path.
    QVERIFY(doc.tv_NodeClick(Q));
    QCOMPARE(storePaths(doc), (QStringList{path("A", "木作") + "/x1", path("A", "木作") + "/x2"}));
}

void TestTreeCommands::addBelowEmptyLeafClearsTheGrid() {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    QVERIFY(doc.tv_NodeClick(path("A")));
    doc.hfgQ.setRows(4); // empty rows only
    int setups = 0;
    doc.hooks.setupGrid = [&](bool editable) { setups += editable ? 1 : 100; };
    ScriptedDialogs dialogs; // no question
    QVERIFY(AddChildNodesFromList(doc, path("A"), {"木作"}, true));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(doc.hfgQ.rows(), 2);
    QCOMPARE(setups, 1);
    QCOMPARE(doc.lbPath, path("A", "木作"));

    // A leaf whose rows were all deleted gives its block up as it gets a child.
    doc.tree.addChild(Q, QStringLiteral("B"));
    typeRows(doc, path("B"), {"b1"});
    QVERIFY(doc.tv_NodeClick(Q) && doc.tv_NodeClick(path("B")));
    doc.hfgQ.reset(); // its one row deleted
    QVERIFY(AddChildNodesFromList(doc, path("B"), {"木作"}, true));
    dialogs.expectMessage(ui::Answer::Yes);
    QVERIFY(mDelN_Click(doc, path("B", "木作")));
    QVERIFY(doc.tv_NodeClick(path("B")));
    QCOMPARE(shownNames(doc), QStringList{QString()});
}

void TestTreeCommands::addBelowAnotherNodeStoresTheShownRows() {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tree.addChild(Q, QStringLiteral("B"));
    typeRows(doc, path("B"), {"b1"});
    QVERIFY(doc.tv_NodeClick(Q));
    typeRows(doc, path("A"), {"a1"}); // A shown, edited; B right-clicked
    ScriptedDialogs dialogs;
    dialogs.expectMessage(ui::Answer::Yes);
    QVERIFY(AddChildNodesFromList(doc, path("B"), {"木作"}, true));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(doc.lbPath, path("B", "木作"));
    QCOMPARE(shownNames(doc), QStringList{"b1"});
    QVERIFY(storePaths(doc).contains(path("A") + "/a1"));
    QVERIFY(storePaths(doc).contains(path("B", "木作") + "/b1"));
}

void TestTreeCommands::movedRowsJoinRowsKeptUnderTheChildPath() {
    // A‧x is deleted with its rows (kept under its path); A, a leaf again, gets rows of its own and
    // then the child x again: both sets belong to A‧x and are listed there.
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tree.addChild(path("A"), QStringLiteral("x"));
    doc.tree.addChild(Q, QStringLiteral("B"));
    typeRows(doc, path("A", "x"), {"old"});
    QVERIFY(doc.tv_NodeClick(path("B")));
    ScriptedDialogs dialogs;
    dialogs.expectMessage(ui::Answer::Yes);
    QVERIFY(mDelN_Click(doc, path("A", "x")));
    typeRows(doc, path("B"), {"b1"}); // stored between the kept rows and A's own
    typeRows(doc, path("A"), {"a1", "a2"});
    QVERIFY(doc.tv_NodeClick(Q)); // the root listed: nothing is stored when it is left
    dialogs.expectMessage(ui::Answer::Yes);
    QVERIFY(AddChildNodesFromList(doc, path("A"), {"x"}, true));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(doc.lbPath, path("A", "x"));
    QCOMPARE(shownNames(doc), (QStringList{"old", "a1", "a2"}));
    // Shown again after another node: still all three, stored once.
    QVERIFY(doc.tv_NodeClick(path("B")));
    QVERIFY(doc.tv_NodeClick(path("A", "x")));
    QCOMPARE(shownNames(doc), (QStringList{"old", "a1", "a2"}));
    QCOMPARE(storePaths(doc).filter(path("A", "x")).size(), 3);
}

void TestTreeCommands::typedNames_data() {
    QTest::addColumn<bool>("workTypes");
    QTest::addColumn<QVariant>("answer"); // invalid: Cancel
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("name");
    QTest::newRow("typed area, trimmed") << false << QVariant(QStringLiteral("  客房 ")) << "請輸入名稱區域名稱"
                                         << "客房";
    QTest::newRow("cancelled area") << false << QVariant() << "請輸入名稱區域名稱"
                                    << "未知區域";
    QTest::newRow("blank work type") << true << QVariant(QStringLiteral("  ")) << "請輸入名稱工種名稱"
                                     << "未知工種";
}

void TestTreeCommands::typedNames() {
    QFETCH(bool, workTypes);
    QFETCH(QVariant, answer);
    QFETCH(QString, prompt);
    QFETCH(QString, name);
    QuoteDocument doc;
    ScriptedDialogs dialogs;
    dialogs.expectInput(answer.isValid() ? std::optional<QString>(answer.toString()) : std::nullopt);
    QVERIFY(AddChildNodesFromList(doc, Q, {kTypedNameEntry}, workTypes));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.inputs().at(0).prompt, prompt);
    QCOMPARE(dialogs.inputs().at(0).title, QStringLiteral("輸入 ???... = ?"));
    QCOMPARE(childTexts(doc, Q), QStringList{name});
}

void TestTreeCommands::refusedNamesAddNothing_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString dup = QStringLiteral("名稱重複");
    const QString unfit = QStringLiteral("名稱不可含有「‧」、「|」或換行");
    QTest::newRow("typed name of a sibling") << QStringList{kTypedNameEntry} << "A" << dup;
    QTest::newRow("second default name") << QStringList{kTypedNameEntry} << "" << dup;
    QTest::newRow("typed name picked again") << QStringList{kTypedNameEntry, "C"} << "C" << dup;
    QTest::newRow("path separator") << QStringList{kTypedNameEntry} << "x‧y" << unfit;
    QTest::newRow("bar") << QStringList{"a|b"} << "" << unfit;
    QTest::newRow("line break") << QStringList{kTypedNameEntry} << "a\nb" << unfit;
}

void TestTreeCommands::refusedNamesAddNothing() {
    QFETCH(QStringList, names);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tree.addChild(Q, QStringLiteral("未知區域"));
    const QuoteDocument before = doc;
    ScriptedDialogs dialogs;
    if (names.first() == kTypedNameEntry)
        dialogs.expectInput(typed);
    dialogs.expectMessage();
    QVERIFY(!AddChildNodesFromList(doc, Q, names, false));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.messages().at(0).text, message);
    QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Exclamation);
    QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Kavo III"));
    QVERIFY(doc.tree == before.tree);
    QCOMPARE(doc.lbPath, before.lbPath);
}

void TestTreeCommands::severalEntriesInListOrder() {
    QuoteDocument doc;
    ScriptedDialogs dialogs;
    QVERIFY(AddChildNodesFromList(doc, Q, {"客廳", "主臥", "廚房"}, false));
    QCOMPARE(childTexts(doc, Q), (QStringList{"客廳", "主臥", "廚房"}));
    QCOMPARE(doc.lbPath, path("客廳"));
    QCOMPARE(doc.NodeKey, Q); // the right-clicked node stays current
}

void TestTreeCommands::workTypesOnlyFlag() {
    ScriptedDialogs dialogs;
    QuoteDocument types;
    QVERIFY(AddChildNodesFromList(types, Q, {"木作"}, true));
    QVERIFY(types.WorkTypesOnly);
    QVERIFY(!areaPrintItemsEnabled(types.WorkTypesOnly));
    QVERIFY(AddChildNodesFromList(types, Q, {"油漆"}, true)); // further work types at the root
    QVERIFY(types.WorkTypesOnly);

    QuoteDocument areas;
    QVERIFY(AddChildNodesFromList(areas, Q, {"客廳"}, false));
    QVERIFY(AddChildNodesFromList(areas, path("客廳"), {"木作"}, true));
    QVERIFY(!areas.WorkTypesOnly);
}

void TestTreeCommands::insertKeepsListOrder() {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("B"));
    doc.tree.addChild(Q, QStringLiteral("C"));
    typeRows(doc, path("B"), {"b1"});
    const QuoteDocument before = doc;
    ScriptedDialogs dialogs;
    QVERIFY(InsertSiblingNodesFromList(doc, path("C"), {"P", "Q"}));
    QCOMPARE(childTexts(doc, Q), (QStringList{"B", "P", "Q", "C"}));
    QVERIFY(doc.hfgQ == before.hfgQ && doc.hfgB == before.hfgB && doc.lbPath == before.lbPath);

    dialogs.expectMessage();
    QVERIFY(!InsertSiblingNodesFromList(doc, path("C"), {"R", "B"}));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(childTexts(doc, Q), (QStringList{"B", "P", "Q", "C"}));
}

void TestTreeCommands::deleteShownNodeKeepsItsRows() {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tree.addChild(path("A"), QStringLiteral("x"));
    doc.tree.addChild(Q, QStringLiteral("B"));
    typeRows(doc, path("B"), {"b1"});
    typeRows(doc, path("A", "x"), {"x1", "x2"}); // shown, not yet stored

    ScriptedDialogs dialogs;
    dialogs.expectMessage(ui::Answer::No);
    QVERIFY(!mDelN_Click(doc, path("A")));
    QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("確定刪除 (Ｑ‧A)"));
    QCOMPARE(dialogs.messages().at(0).defaultButton, 2);
    QCOMPARE(doc.tree.count(), 4);

    dialogs.expectMessage(ui::Answer::Yes);
    QVERIFY(mDelN_Click(doc, path("A")));
    VERIFY_DIALOGS(dialogs);
    QVERIFY(!doc.tree.contains(path("A", "x")));
    QCOMPARE(doc.lbPath, Q);
    QCOMPARE(shownNames(doc), QStringList{"b1"});
    QCOMPARE(doc.totals.lbSumT, QStringLiteral("100"));
    QVERIFY(storePaths(doc).contains(path("A", "x") + "/x2")); // kept under the old path

    // They belong again to a node of the same path.
    QVERIFY(doc.tree.addChild(Q, QStringLiteral("A")));
    QVERIFY(doc.tree.addChild(path("A"), QStringLiteral("x")));
    QVERIFY(doc.tv_NodeClick(path("A", "x")));
    QCOMPARE(shownNames(doc), (QStringList{"x1", "x2"}));
}

void TestTreeCommands::deleteBelowShownInnerNodeRelists() {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tree.addChild(path("A"), QStringLiteral("x"));
    typeRows(doc, path("A", "x"), {"x1"});
    QVERIFY(doc.tv_NodeClick(path("A")));
    QCOMPARE(shownNames(doc), QStringList{"x1"});
    ScriptedDialogs dialogs;
    dialogs.expectMessage(ui::Answer::Yes);
    QVERIFY(mDelN_Click(doc, path("A", "x")));
    // A is a leaf now: it lists its own (no) rows, editable, and never takes x's rows.
    QCOMPARE(doc.lbPath, path("A"));
    QVERIFY(doc.NodeIsLeaf);
    QCOMPARE(shownNames(doc), QStringList{QString()});
    QVERIFY(doc.tv_NodeClick(Q));
    QCOMPARE(storePaths(doc), QStringList{path("A", "x") + "/x1"});
}

void TestTreeCommands::deleteLastFirstLevelNode() {
    QuoteDocument doc;
    ScriptedDialogs dialogs;
    QVERIFY(AddChildNodesFromList(doc, Q, {"木作"}, true));
    QVERIFY(doc.WorkTypesOnly);
    dialogs.expectMessage(ui::Answer::Yes);
    QVERIFY(mDelN_Click(doc, path("木作")));
    QCOMPARE(doc.tree.count(), 1);
    QVERIFY(!doc.WorkTypesOnly);
    QVERIFY(areaPrintItemsEnabled(doc.WorkTypesOnly));
}

QTEST_GUILESS_MAIN(TestTreeCommands)
#include "tst_treecommands.moc"
