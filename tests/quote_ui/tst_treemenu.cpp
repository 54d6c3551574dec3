// The tree popup and the pick list beside the tree, driven as the user does.
#include "PickList.h"
#include "QuoteDocument.h"
#include "ScriptedDialogs.h"
#include "TreeMenu.h"
#include "mdM.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace quote;

namespace {

const QString Q = kRootKey;
QString path(const QString& a) {
    return Q + kPathSeparator + a;
}

QStringList entries(const PickList* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

} // namespace

class TestTreeMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void popupEnabling();
    void listBesideTheTreeFiltered();
    void confirmThroughThePopup();
    void rightClickKeepsTheSelection();
    void escapeAndCancelHide();
    void workTypesOnlyPrintItems();
    void insertBeforeTheNode();
    void catalogueFailureIsShown();

private:
    void rightClick(const QString& key) { menu_->tv_MouseDown(Qt::RightButton, key, QPoint(10, 10)); }
    void clickItem(int row, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        PickList* l = menu_->lstAK;
        QTest::mouseClick(l->viewport(), b, mods, l->visualItemRect(l->item(row)).center());
    }

    QTemporaryDir dir_;
    db::DatabasePtr db_;
    QuoteDocument* doc_ = nullptr;
    QWidget* window_ = nullptr;
    QTreeWidget* tv_ = nullptr;
    TreeMenu* menu_ = nullptr;
    QString category_;
};

void TestTreeMenu::initTestCase() {
    db_ = db::Database::create(dir_.filePath(QStringLiteral("m.db")), {},
                               QStringLiteral("CREATE TABLE k2a (k TEXT COLLATE NOCASE, a TEXT, sort INTEGER);"
                                              "CREATE TABLE 種 (t_id INTEGER PRIMARY KEY, t TEXT);"
                                              "INSERT INTO k2a VALUES ('住宅', '客廳', 1), ('住宅', '主臥', 2),"
                                              " ('住宅', '廚房', 3), ('店面', '櫃檯', 1);"
                                              "INSERT INTO 種 VALUES (1, '拆除'), (2, '木作'), (3, '油漆');"));
}

void TestTreeMenu::init() {
    mdM::MainDb = db_;
    category_ = QStringLiteral("住宅");
    doc_ = new QuoteDocument;
    window_ = new QWidget;
    window_->resize(800, 600);
    tv_ = new QTreeWidget(window_);
    tv_->setGeometry(0, 40, 200, 400);
    for (const char* name : kAreaPrintItems) {
        auto* a = new QAction(window_);
        a->setObjectName(QString::fromLatin1(name));
    }
    menu_ = new TreeMenu(*doc_, window_, tv_, [this] { return category_; });
    window_->show();
}

void TestTreeMenu::cleanup() {
    delete window_;
    delete doc_;
    mdM::MainDb.reset();
}

void TestTreeMenu::popupEnabling() {
    rightClick(Q);
    QVERIFY(menu_->mTV->isVisible());
    QVERIFY(menu_->mAddA->isEnabled() && menu_->mAddT->isEnabled());
    QVERIFY(!menu_->mInsN->isEnabled() && !menu_->mDelN->isEnabled() && !menu_->mCal->isEnabled());
    menu_->mTV->hide();

    doc_->tree.addChild(Q, QStringLiteral("客廳"));
    rightClick(path("客廳"));
    QCOMPARE(doc_->NodeKey, path("客廳"));
    QCOMPARE(doc_->NodeIndex, 2);
    QVERIFY(!menu_->mAddA->isEnabled() && menu_->mAddT->isEnabled());
    QVERIFY(menu_->mInsA->isEnabled() && !menu_->mInsT->isEnabled() && menu_->mDelN->isEnabled());
    menu_->mTV->hide();

    // A left press takes the node but shows nothing.
    menu_->tv_MouseDown(Qt::LeftButton, Q, QPoint());
    QCOMPARE(doc_->NodeKey, Q);
    QVERIFY(!menu_->mTV->isVisible());
}

void TestTreeMenu::listBesideTheTreeFiltered() {
    doc_->tree.addChild(Q, QStringLiteral("主臥"));
    rightClick(Q);
    menu_->mAddA->trigger();
    PickList* l = menu_->lstAK;
    QVERIFY(l->isVisible());
    QCOMPARE(entries(l), (QStringList{kTypedNameEntry, "客廳", "廚房"}));
    QCOMPARE(l->x(), tv_->geometry().right() + 1);
    QCOMPARE(l->y(), tv_->y());
    QVERIFY(l->height() < tv_->height());

    category_.clear(); // no category: only the typed entry
    menu_->mAddA->trigger();
    QCOMPARE(entries(l), QStringList{kTypedNameEntry});

    doc_->tree.addChild(path("主臥"), QStringLiteral("木作"));
    rightClick(path("主臥") + kPathSeparator + QStringLiteral("木作"));
    menu_->mInsT->trigger();
    QCOMPARE(entries(l), (QStringList{"拆除", "油漆"}));
}

void TestTreeMenu::confirmThroughThePopup() {
    QSignalSpy changed(menu_, &TreeMenu::treeChanged);
    rightClick(Q);
    menu_->mAddA->trigger();
    clickItem(3);                        // 廚房
    clickItem(1, Qt::ControlModifier);   // 客廳
    QCOMPARE(menu_->lstAK->selectedEntries(), (QStringList{"客廳", "廚房"}));
    menu_->lstAK->mADakO->trigger();
    QVERIFY(!menu_->lstAK->isVisible());
    QCOMPARE(doc_->tree.leaves(Q), (QStringList{path("客廳"), path("廚房")}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), path("客廳"));
    QCOMPARE(doc_->lbPath, path("客廳"));
}

void TestTreeMenu::rightClickKeepsTheSelection() {
    rightClick(Q);
    menu_->mAddT->trigger();
    clickItem(1, {}, Qt::RightButton);
    QVERIFY(!menu_->lstAK->mADakO->isEnabled()); // nothing selected
    QVERIFY(menu_->lstAK->mADAK->isVisible());
    menu_->lstAK->mADAK->hide();
    clickItem(1);
    clickItem(3, Qt::ShiftModifier);
    clickItem(2, {}, Qt::RightButton);
    QVERIFY(menu_->lstAK->mADakO->isEnabled());
    QCOMPARE(menu_->lstAK->selectedEntries(), (QStringList{"拆除", "木作", "油漆"}));
    menu_->lstAK->mADAK->hide();
}

void TestTreeMenu::escapeAndCancelHide() {
    rightClick(Q);
    menu_->mAddA->trigger();
    QTest::keyClick(menu_->lstAK, Qt::Key_Escape);
    QVERIFY(!menu_->lstAK->isVisible());
    menu_->mAddA->trigger();
    clickItem(1);
    menu_->lstAK->mADakC->trigger();
    QVERIFY(!menu_->lstAK->isVisible());
    QCOMPARE(doc_->tree.count(), 1);
}

void TestTreeMenu::workTypesOnlyPrintItems() {
    auto printItemsEnabled = [this] {
        for (const char* name : kAreaPrintItems)
            if (!window_->findChild<QAction*>(QString::fromLatin1(name))->isEnabled())
                return false;
        return true;
    };
    ScriptedDialogs dialogs;
    rightClick(Q);
    menu_->mAddT->trigger();
    clickItem(2);
    menu_->lstAK->mADakO->trigger();
    QVERIFY(doc_->WorkTypesOnly);
    QVERIFY(!printItemsEnabled());
    rightClick(path("木作"));
    QVERIFY(!menu_->mInsA->isEnabled() && menu_->mInsT->isEnabled() && !menu_->mCalA->isEnabled());
    dialogs.expectMessage(ui::Answer::Yes);
    menu_->mDelN->trigger();
    VERIFY_DIALOGS(dialogs);
    QVERIFY(!doc_->WorkTypesOnly);
    QVERIFY(printItemsEnabled());
}

void TestTreeMenu::insertBeforeTheNode() {
    doc_->tree.addChild(Q, QStringLiteral("主臥"));
    QSignalSpy changed(menu_, &TreeMenu::treeChanged);
    rightClick(path("主臥"));
    menu_->mInsA->trigger();
    QCOMPARE(entries(menu_->lstAK), (QStringList{"客廳", "廚房"}));
    clickItem(0);
    clickItem(1, Qt::ControlModifier);
    // A press elsewhere in the tree before 確定: the names still go where the list was opened.
    menu_->tv_MouseDown(Qt::LeftButton, Q, QPoint());
    menu_->lstAK->mADakO->trigger();
    QCOMPARE(doc_->tree.leaves(Q), (QStringList{path("客廳"), path("廚房"), path("主臥")}));
    QCOMPARE(changed.at(0).at(0).toString(), path("主臥"));
}

void TestTreeMenu::catalogueFailureIsShown() {
    mdM::MainDb.reset();
    ScriptedDialogs dialogs;
    dialogs.expectMessage();
    rightClick(Q);
    menu_->mAddT->trigger();
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
    QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Kavo III"));
    QVERIFY(!menu_->lstAK->isVisible());
}

QTEST_MAIN(TestTreeMenu)
#include "tst_treemenu.moc"
