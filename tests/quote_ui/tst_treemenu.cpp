// The tree popup and the pick list beside the tree in the quotation window, driven as the user does.
#include "../quote/QuotePaths.h"
#include "CellEditors.h"
#include "PickList.h"
#include "QuoteUiFixture.h"
#include "ScriptedDialogs.h"
#include "TreeMenu.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QtTest>

using namespace quote;
using namespace testpaths;

namespace {

QStringList entries(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

} // namespace

class TestTreeMenu : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void popupEnabling();
    void rightPressOnTheTree();
    void listBesideTheTreeFiltered();
    void confirmThroughThePopup();
    void rightClickKeepsTheSelection();
    void escapeAndCancelHide();
    void workTypesOnlyPrintItems();
    void insertBeforeTheNode();
    void deleteShownNodeShowsTheRoot();
    void catalogueFailureIsShown();
    void treeMarksTheShownNode_data();
    void treeMarksTheShownNode();

private:
    QAction* act(const char* name) { return w_->action(QString::fromLatin1(name)); }
    void rightClick(const QString& key) { menu_->tv_MouseDown(Qt::RightButton, key, QPoint(10, 10)); }
    void closePopups() {
        for (QMenu* m : w_->findChildren<QMenu*>())
            m->hide();
    }
    void clickItem(int row, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        QListWidget* l = w_->areaTypePickList();
        QTest::mouseClick(l->viewport(), b, mods, l->visualItemRect(l->item(row)).center());
    }
    // Opens a list command on the node and confirms the entries at the given rows.
    void pick(const QString& node, const char* command, std::initializer_list<int> rows) {
        rightClick(node);
        closePopups();
        act(command)->trigger();
        bool first = true;
        for (int r : rows) {
            clickItem(r, first ? Qt::NoModifier : Qt::ControlModifier);
            first = false;
        }
        act("mADakO")->trigger();
    }

    QuoteUiFixture fx_;
    frmQ* w_ = nullptr;
    TreeMenu* menu_ = nullptr;
};

void TestTreeMenu::init() {
    QVERIFY(fx_.setUp());
    fx_.clearCatalogue();
    auto db = fx_.openDb();
    db->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (1, '住宅')"));
    db->execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', '客廳', 1), ('住宅', '主臥', 2),"
                               " ('住宅', '廚房', 3), ('店面', '櫃檯', 1)"));
    db->execute(QStringLiteral("DELETE FROM 種"));
    db->execute(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES (1, '拆除'), (2, '木作'), (3, '油漆')"));
    db.reset();
    w_ = fx_.open();
    menu_ = w_->findChild<TreeMenu*>();
    QVERIFY(menu_);
}

void TestTreeMenu::cleanup() {
    fx_.tearDown();
}

void TestTreeMenu::popupEnabling() {
    rightClick(Q);
    QVERIFY(w_->menu(QStringLiteral("mTV"))->isVisible());
    QVERIFY(act("mAddA")->isEnabled() && act("mAddT")->isEnabled());
    QVERIFY(!w_->menu(QStringLiteral("mInsN"))->isEnabled() && !act("mDelN")->isEnabled());
    QVERIFY(!w_->menu(QStringLiteral("mCal"))->isEnabled());
    closePopups();

    w_->document().tree.addChild(Q, QStringLiteral("客廳"));
    w_->rebuildTree();
    rightClick(path("客廳"));
    QCOMPARE(w_->document().NodeKey, path("客廳"));
    QCOMPARE(w_->document().NodeIndex, 2);
    QVERIFY(!act("mAddA")->isEnabled() && act("mAddT")->isEnabled());
    QVERIFY(act("mInsA")->isEnabled() && !act("mInsT")->isEnabled() && act("mDelN")->isEnabled());
    QVERIFY(w_->menu(QStringLiteral("mCal"))->isEnabled() && act("mCalA")->isEnabled());
    closePopups();
}

void TestTreeMenu::rightPressOnTheTree() {
    w_->document().tree.addChild(Q, QStringLiteral("客廳"));
    w_->rebuildTree();
    QTreeWidget* tv = w_->tree();
    tv->expandAll();
    QTreeWidgetItem* item = w_->treeItem(path("客廳"));
    QTest::mouseClick(tv->viewport(), Qt::RightButton, {}, tv->visualItemRect(item).center());
    QCOMPARE(w_->document().NodeKey, path("客廳"));
    QVERIFY(w_->menu(QStringLiteral("mTV"))->isVisible());
    QCOMPARE(w_->document().lbPath, Q); // the right press shows nothing
    closePopups();

    // The release of a right press goes to the popup: the arrow keys still show the nodes.
    QTest::mousePress(tv->viewport(), Qt::RightButton, {}, tv->visualItemRect(item).center());
    QTest::mouseRelease(w_->menu(QStringLiteral("mTV")), Qt::RightButton, {}, QPoint(1, 1));
    closePopups();
    QTest::keyClick(tv, Qt::Key_Down);
    QCOMPARE(w_->document().lbPath, path("客廳"));

    // The Menu key and Shift+F10 open the popup on the selected node.
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        w_->document().NodeKey = Q;
        QTest::keyClick(tv, key, mods);
        QVERIFY(w_->menu(QStringLiteral("mTV"))->isVisible());
        QCOMPARE(w_->document().NodeKey, path("客廳"));
        closePopups();
    }
}

void TestTreeMenu::listBesideTheTreeFiltered() {
    QuoteDocument& doc = w_->document();
    doc.tree.addChild(Q, QStringLiteral("主臥"));
    w_->rebuildTree();
    QListWidget* l = w_->areaTypePickList();
    rightClick(Q);
    act("mAddA")->trigger();
    QVERIFY(l->isVisible());
    QCOMPARE(entries(l), (QStringList{kTypedNameEntry, "客廳", "廚房"}));
    QCOMPARE(l->x(), w_->tree()->geometry().right() + 1);
    QCOMPARE(l->y(), w_->tree()->y());
    QVERIFY(l->height() < w_->tree()->height());

    w_->categoryBox()->setEditText(QStringLiteral("無此類別"));
    act("mAddA")->trigger();
    QCOMPARE(entries(l), QStringList{kTypedNameEntry});

    doc.tree.addChild(path("主臥"), QStringLiteral("木作"));
    w_->rebuildTree();
    rightClick(path("主臥") + kPathSeparator + QStringLiteral("木作"));
    act("mInsT")->trigger();
    QCOMPARE(entries(l), (QStringList{"拆除", "油漆"}));
    closePopups();
}

void TestTreeMenu::confirmThroughThePopup() {
    rightClick(Q);
    closePopups();
    act("mAddA")->trigger();
    clickItem(3);                      // 廚房
    clickItem(1, Qt::ControlModifier); // 客廳
    QCOMPARE(menu_->pickList()->selectedEntries(), (QStringList{"客廳", "廚房"}));
    act("mADakO")->trigger();
    QVERIFY(!w_->areaTypePickList()->isVisible());
    QCOMPARE(w_->document().tree.leaves(Q), (QStringList{path("客廳"), path("廚房")}));
    QCOMPARE(w_->document().lbPath, path("客廳"));
    QCOMPARE(w_->pathLabel()->text(), path("客廳"));
    QVERIFY(w_->treeItem(path("廚房")));
    QCOMPARE(w_->tree()->currentItem(), w_->treeItem(path("客廳")));
}

void TestTreeMenu::rightClickKeepsTheSelection() {
    rightClick(Q);
    closePopups();
    act("mAddT")->trigger();
    clickItem(1, {}, Qt::RightButton);
    QVERIFY(!act("mADakO")->isEnabled()); // nothing selected
    QVERIFY(w_->menu(QStringLiteral("mADAK"))->isVisible());
    closePopups();
    clickItem(1);
    clickItem(3, Qt::ShiftModifier);
    clickItem(2, {}, Qt::RightButton);
    QVERIFY(act("mADakO")->isEnabled());
    QCOMPARE(menu_->pickList()->selectedEntries(), (QStringList{"拆除", "木作", "油漆"}));
    closePopups();
}

void TestTreeMenu::escapeAndCancelHide() {
    QListWidget* l = w_->areaTypePickList();
    rightClick(Q);
    closePopups();
    act("mAddA")->trigger();
    QTest::keyClick(l, Qt::Key_Escape);
    QVERIFY(!l->isVisible());
    act("mAddA")->trigger();
    clickItem(1);
    act("mADakC")->trigger();
    QVERIFY(!l->isVisible());
    QCOMPARE(w_->document().tree.count(), 1);
}

void TestTreeMenu::workTypesOnlyPrintItems() {
    auto printItemsEnabled = [this] {
        for (const char* name : kAreaPrintItems)
            if (!act(name)->isEnabled())
                return false;
        return true;
    };
    pick(Q, "mAddT", {2});
    QVERIFY(w_->document().WorkTypesOnly);
    QVERIFY(!printItemsEnabled());
    rightClick(path("木作"));
    QVERIFY(!act("mInsA")->isEnabled() && act("mInsT")->isEnabled() && !act("mCalA")->isEnabled());
    closePopups();
    ScriptedDialogs dialogs;
    dialogs.expectMessage(ui::Answer::Yes);
    act("mDelN")->trigger();
    VERIFY_DIALOGS(dialogs);
    QVERIFY(!w_->document().WorkTypesOnly);
    QVERIFY(printItemsEnabled());
    QCOMPARE(w_->tree()->topLevelItem(0)->childCount(), 0);
}

void TestTreeMenu::insertBeforeTheNode() {
    pick(Q, "mAddA", {2}); // 主臥
    rightClick(path("主臥"));
    closePopups();
    act("mInsA")->trigger();
    QCOMPARE(entries(w_->areaTypePickList()), (QStringList{"客廳", "廚房"}));
    clickItem(0);
    clickItem(1, Qt::ControlModifier);
    // A press elsewhere in the tree before 確定: the names still go where the list was opened.
    menu_->tv_MouseDown(Qt::LeftButton, Q, QPoint());
    act("mADakO")->trigger();
    QCOMPARE(w_->document().tree.leaves(Q), (QStringList{path("客廳"), path("廚房"), path("主臥")}));
    QCOMPARE(w_->tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("客廳"));
    QCOMPARE(w_->tree()->currentItem(), w_->treeItem(path("主臥")));
}

void TestTreeMenu::deleteShownNodeShowsTheRoot() {
    pick(Q, "mAddA", {1});
    QuoteDocument& doc = w_->document();
    QCOMPARE(doc.lbPath, path("客廳"));
    w_->SetCell(1, ColName, QStringLiteral("天花板"));
    w_->cellEditors()->RowUndo[0] = QStringLiteral("1");
    ScriptedDialogs dialogs;
    dialogs.expectMessage(ui::Answer::Yes);
    rightClick(path("客廳"));
    closePopups();
    act("mDelN")->trigger();
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("確定刪除 (Ｑ‧客廳)"));
    QCOMPARE(doc.lbPath, Q);
    QCOMPARE(w_->pathLabel()->text(), Q);
    QCOMPARE(w_->tree()->currentItem(), w_->treeItem(Q));
    QVERIFY(w_->cellEditors()->RowUndo[0].isEmpty());
    QCOMPARE(doc.hfgB.cell(1, ColName), QStringLiteral("天花板")); // kept under its path
}

void TestTreeMenu::catalogueFailureIsShown() {
    fx_.openDb()->execute(QStringLiteral("DROP TABLE 種"));
    ScriptedDialogs dialogs;
    dialogs.expectMessage();
    rightClick(Q);
    closePopups();
    act("mAddT")->trigger();
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
    QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Kavo III"));
    QVERIFY(!w_->areaTypePickList()->isVisible());
}

// After any mouse or key action the node the tree marks is the node shown (its rows in the grid,
// its path in the label).
void TestTreeMenu::treeMarksTheShownNode_data() {
    QTest::addColumn<QStringList>("gesture"); // press <node>, move <node>, release <node>, key <Down|Up>
    QTest::addColumn<QString>("shown");
    QTest::newRow("click") << QStringList{"press 主臥", "release 主臥"} << "主臥";
    QTest::newRow("press and drag to another node")
        << QStringList{"press 客廳", "move 主臥", "release 主臥"} << "主臥";
    QTest::newRow("drag there and back") << QStringList{"press 客廳", "move 主臥", "move 客廳", "release 客廳"}
                                         << "客廳";
    QTest::newRow("key") << QStringList{"press 客廳", "release 客廳", "key Down"} << "主臥";
    QTest::newRow("middle button") << QStringList{"press 主臥", "release 主臥"} << "主臥";
}

void TestTreeMenu::treeMarksTheShownNode() {
    QFETCH(QStringList, gesture);
    QFETCH(QString, shown);
    w_->document().tree.addChild(Q, QStringLiteral("客廳"));
    w_->document().tree.addChild(Q, QStringLiteral("主臥"));
    w_->rebuildTree();
    QTreeWidget* tv = w_->tree();
    QWidget* vp = tv->viewport();
    auto at = [&](const QString& node) { return tv->visualItemRect(w_->treeItem(path(node))).center(); };
    const bool middle = QTest::currentDataTag() == QByteArray("middle button");
    for (const QString& step : gesture) {
        const QString node = step.section(u' ', 1);
        if (step.startsWith(u"press")) {
            QTest::mousePress(vp, middle ? Qt::MiddleButton : Qt::LeftButton, {}, at(node));
        } else if (step.startsWith(u"move")) {
            QMouseEvent move(QEvent::MouseMove, at(node), vp->mapToGlobal(at(node)), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(vp, &move);
        } else if (step.startsWith(u"release")) {
            QTest::mouseRelease(vp, middle ? Qt::MiddleButton : Qt::LeftButton, {}, at(node));
        } else if (step.startsWith(u"key")) {
            QTest::keyClick(tv, node == u"Down" ? Qt::Key_Down : Qt::Key_Up);
        }
    }
    QTRY_COMPARE(w_->document().lbPath, path(shown));
    QCOMPARE(w_->pathLabel()->text(), path(shown));
    QCOMPARE(tv->currentItem(), w_->treeItem(path(shown)));
}

QTEST_MAIN(TestTreeMenu)
#include "tst_treemenu.moc"
