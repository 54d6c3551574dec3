// Tab 0 of the construction-data window: categories and their areas twenty to a column.
#include "CatalogStore.h"
#include "CatalogUi.h"
#include "ScriptedDialogs.h"

#include <QGroupBox>

class TestAreas : public QObject {
    Q_OBJECT
private:
    CatalogUi fx;
    // The category 住宅 with n areas "1".."n".
    void seedAreas(int n) {
        QStringList areas;
        for (int i = 1; i <= n; ++i)
            areas << QString::number(i);
        catalog::CatalogStore(fx.openDb()).saveAreas(QStringLiteral("住宅"), areas);
    }
    static QStringList numbers(int from, int to) {
        QStringList out;
        for (int i = from; i <= to; ++i)
            out << QString::number(i);
        return out;
    }

private slots:
    void init() { QVERIFY(fx.setUpWithRights()); }
    void cleanup() { fx.tearDown(); }

    void twentyPerColumn() {
        seedAreas(21);
        frmEng* f = fx.window();
        QCOMPARE(f->windowTitle(), QStringLiteral("工程資料"));
        QCOMPARE(CatalogUi::get<QComboBox>("cbK")->currentText(), QStringLiteral("住宅"));
        QCOMPARE(CatalogUi::visibleAreaGrids(), 2);
        QCOMPARE(CatalogUi::areaGrid(0)->rowCount(), 20);
        QCOMPARE(CatalogUi::areaGrid(1)->rowCount(), 1);
        QCOMPARE(CatalogUi::areaGrid(0)->width(), CatalogUi::areaGrid(1)->width());
        QVERIFY(CatalogUi::areaGrid(1)->x() > CatalogUi::areaGrid(0)->x() + CatalogUi::areaGrid(0)->width() - 1);

        // Another category: one grid spanning the frame; the second one is hidden, not gone.
        QComboBox* cbK = CatalogUi::get<QComboBox>("cbK");
        cbK->setCurrentIndex(1);
        emit cbK->activated(1);
        QCOMPARE(CatalogUi::visibleAreaGrids(), 1);
        QVERIFY(CatalogUi::areaGrid(1));
        QVERIFY(CatalogUi::areaGrid(0)->width() > CatalogUi::get<QGroupBox>("Frame1")->width() * 9 / 10);
    }

    void addOnFullColumnOpensANewOne() {
        seedAreas(20);
        fx.window();
        QCOMPARE(CatalogUi::visibleAreaGrids(), 1);
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 3, "mAddA"));
        QCOMPARE(CatalogUi::visibleAreaGrids(), 2);
        QLineEdit* txtA = CatalogUi::editor("txtA");
        QVERIFY(txtA->isVisible());
        QCOMPARE(txtA->parentWidget(), CatalogUi::areaGrid(1)->viewport());
        CatalogUi::type(txtA, QStringLiteral("陽台"));
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(1), 0, 0), QStringLiteral("陽台"));
        // Enter adds a further area below; left empty it is not stored.
        CatalogUi::enter(txtA);
        QCOMPARE(CatalogUi::areaGrid(1)->rowCount(), 2);
        QVERIFY(CatalogUi::button("cmAp")->isEnabled());
        CatalogUi::click("cmAp");
        QCOMPARE(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅' ORDER BY sort")),
                 numbers(1, 20) << QStringLiteral("陽台"));
        QCOMPARE(fx.stored(QStringLiteral("SELECT max(sort) FROM k2a WHERE k = '住宅'")), QStringList{QStringLiteral("21")});
        QVERIFY(!CatalogUi::button("cmAp")->isEnabled());
    }

    void deleteMovesAreasUpAcrossColumns() {
        seedAreas(45);
        fx.window();
        QCOMPARE(CatalogUi::visibleAreaGrids(), 3);
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 4, "mDelA"));
        QCOMPARE(CatalogUi::visibleAreas(), numbers(1, 45)); // No changes nothing
        QVERIFY(!CatalogUi::button("cmAp")->isEnabled());
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 4, "mDelA"));
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("確定刪除?"));
        QCOMPARE(dialogs.messages().at(0).defaultButton, 2);
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(0), 19, 0), QStringLiteral("21"));
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(1), 19, 0), QStringLiteral("41"));
        QCOMPARE(CatalogUi::areaGrid(2)->rowCount(), 4);
        CatalogUi::click("cmAp");
        QStringList expected = numbers(1, 45);
        expected.removeAt(4);
        QCOMPARE(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅' ORDER BY sort")), expected);

        // The only area of the last column: that column leaves the layout.
        seedAreas(21);
        CatalogUi::click("cmdCancel");
        QCOMPARE(CatalogUi::visibleAreaGrids(), 2);
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(1), 0, "mDelA"));
        QCOMPARE(CatalogUi::visibleAreaGrids(), 1);
    }

    void onlyAreaDeletedThenAddedAndApplied() {
        seedAreas(1);
        fx.window();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 0, "mDelA"));
        QCOMPARE(CatalogUi::areaGrid(0)->rowCount(), 0);
        CatalogUi::action("mAddA")->trigger();
        QCOMPARE(CatalogUi::areaGrid(0)->rowCount(), 1);
        CatalogUi::click("cmAp");
        QVERIFY(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅'")).isEmpty());
        QCOMPARE(fx.stored(QStringLiteral("SELECT count(*) FROM k2a")).first().toInt(), 8 + 9 + 7 + 7);
    }

    // Another workstation changes 住宅 between the load and 套用: an area added there is not
    // deleted without the question (Enter keeps editing), and a renamed category refuses the
    // write and keeps the grid as moved.
    void applyOverRowsChangedElsewhere_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("said"); // "" for the question
        QTest::addColumn<QString>("merged"); // stored when 1 is renamed 1A here instead, and 是
        QTest::newRow("area added") << "INSERT INTO k2a (k, a, sort) VALUES ('住宅', '新區域', 99)" << "" << "";
        QTest::newRow("category renamed") << "UPDATE 別 SET k = '住家' WHERE k = '住宅'" << "【住宅】已不存在" << "";
        QTest::newRow("moved elsewhere, renamed here") << "UPDATE k2a SET sort = 9 WHERE a = '1'" << "" << "2, 3, 1A";
    }
    void applyOverRowsChangedElsewhere() {
        QFETCH(QString, change);
        QFETCH(QString, said);
        QFETCH(QString, merged);
        seedAreas(3);
        fx.window();
        if (!merged.isEmpty())
            QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 0, "mEditA"));
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 0);
        if (!merged.isEmpty()) {
            CatalogUi::type(CatalogUi::editor("txtA"), QStringLiteral("1A"));
            fx.openDb()->execute(change);
            ScriptedDialogs dialogs;
            dialogs.expectMessage(ui::Answer::Yes);
            CatalogUi::click("cmAp");
            QCOMPARE(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅' ORDER BY sort")), merged.split(", "));
            return;
        }
        CatalogUi::click("cmdDnA");
        const QStringList moved = CatalogUi::visibleAreas();
        QCOMPARE(moved, (QStringList{"2", "1", "3"}));
        fx.openDb()->execute(change);
        const QStringList stored = fx.stored(QStringLiteral("SELECT k || a FROM k2a ORDER BY rowid"));
        ScriptedDialogs dialogs;
        if (said.isEmpty())
            dialogs.answerUnexpectedAsEnter(1);
        else
            dialogs.expectMessage();
        CatalogUi::click("cmAp");
        VERIFY_DIALOGS(dialogs);
        if (!said.isEmpty())
            QCOMPARE(dialogs.messages().at(0).text, said);
        QCOMPARE(fx.stored(QStringLiteral("SELECT k || a FROM k2a ORDER BY rowid")), stored);
        QCOMPARE(CatalogUi::visibleAreas(), moved);
        QVERIFY(CatalogUi::button("cmAp")->isEnabled());
    }

    void movesAcrossColumnsAndAtTheEnds() {
        seedAreas(25);
        fx.window();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(); // nothing chosen after opening: nothing moves
        CatalogUi::click("cmdDnA");
        QCOMPARE(CatalogUi::visibleAreas(), numbers(1, 25));
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 19);
        CatalogUi::click("cmdDnA");
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(1), 0, 0), QStringLiteral("20"));
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(0), 19, 0), QStringLiteral("21"));
        QCOMPARE(CatalogUi::areaGrid(1)->currentRow(), 0);
        CatalogUi::click("cmdDnA"); // the moved area follows: 20 goes on down
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(1), 1, 0), QStringLiteral("20"));
        CatalogUi::click("cmdUpA");
        CatalogUi::click("cmdUpA");
        QCOMPARE(CatalogUi::visibleAreas(), numbers(1, 25));

        // The cell highlighted with the arrow keys is the one that moves.
        QVERIFY(CatalogUi::activate(CatalogUi::form()));
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        CatalogUi::click("cmdDnA");
        QCOMPARE(CatalogUi::column(CatalogUi::areaGrid(0)).mid(0, 4),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("3")}));

        // The first area only beeps, yet the group counts as changed.
        CatalogUi::click("cmdCancel");
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 0);
        CatalogUi::click("cmdUpA");
        QCOMPARE(CatalogUi::visibleAreas(), numbers(1, 25));
        QVERIFY(CatalogUi::button("cmAp")->isEnabled());

        // Nor after 取消; an empty cell cannot move.
        CatalogUi::click("cmdCancel");
        dialogs.expectMessage();
        CatalogUi::click("cmdUpA");
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 2, "mEditA"));
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 2);
        CatalogUi::type(CatalogUi::editor("txtA"), QString());
        QTest::keyClick(CatalogUi::editor("txtA"), Qt::Key_Backspace);
        dialogs.expectMessage();
        CatalogUi::click("cmdDnA");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請先選取 再行調整順序"));
        // Applied, the emptied area is stored with an empty name in its place.
        CatalogUi::click("cmAp");
        QStringList expected = numbers(1, 25);
        expected[2] = QString();
        QCOMPARE(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅' ORDER BY sort")), expected);
    }

    void renamedCategoryAndQuotedNames() {
        // A category named like a column, with quotes: its areas alone are written.
        catalog::CatalogStore s(fx.openDb());
        const QString name = QStringLiteral("k\"'");
        s.addMasterEntry(catalog::categoriesList(), name);
        s.saveAreas(name, {QStringLiteral("x")});
        fx.window();
        QComboBox* cbK = CatalogUi::get<QComboBox>("cbK");
        QCOMPARE(cbK->isEditable(), false);
        cbK->setCurrentIndex(5);
        emit cbK->activated(5);
        QCOMPARE(CatalogUi::visibleAreas(), QStringList{QStringLiteral("x")});
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 0, "mDelA"));
        CatalogUi::click("cmAp");
        QCOMPARE(fx.stored(QStringLiteral("SELECT count(*) FROM k2a")).first().toInt(), 15 + 8 + 9 + 7 + 7);
    }
};

QTEST_MAIN(TestAreas)
#include "tst_frmeng_areas.moc"
