// Tab 1 of the construction-data window: work items and their detail markups.
#include "CatalogStore.h"
#include "CatalogUi.h"
#include "ScriptedDialogs.h"
#include "db/FaultInjection.h"

#include <QLabel>
#include <QMenu>
#include <QTabWidget>

class TestWork : public QObject {
    Q_OBJECT
private:
    CatalogUi fx;
    QTableWidget* hfgW() { return CatalogUi::grid("hfgW"); }
    QTableWidget* hfgD() { return CatalogUi::grid("hfgD"); }
    // The window on tab 1 with the kind of index `kind` (泥作工程 is 1).
    void open(int kind = 1) {
        fx.window();
        CatalogUi::get<QTabWidget>("Tab1")->setCurrentIndex(1);
        QComboBox* cbT = CatalogUi::get<QComboBox>("cbT");
        cbT->setCurrentIndex(kind);
        emit cbT->activated(kind);
    }
    QStringList markups(const QString& item) {
        return fx.stored(QStringLiteral("SELECT d FROM w2d WHERE w = ? ORDER BY sort"), {item});
    }

private slots:
    void init() { QVERIFY(fx.setUpWithRights()); }
    void cleanup() { fx.tearDown(); }

    void loadAndChooseAnItem() {
        open();
        QCOMPARE(hfgW()->rowCount(), 6);
        QCOMPARE(CatalogUi::column(hfgW(), 2).first(), QStringLiteral("1800"));
        // Before any item is chosen the markup popup asks for one.
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        QVERIFY(!CatalogUi::rightClick(hfgD(), 0));
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請選取一施工項目"));
        CatalogUi::leftClick(hfgW(), 3);
        QCOMPARE(CatalogUi::get<QLabel>("lbl2")->text(), QStringLiteral("地坪磁磚貼工 的"));
        QCOMPARE(CatalogUi::column(hfgD()), (QStringList{QStringLiteral("60x60公分 拋光石英磚"),
                                                          QStringLiteral("80x80公分 大尺寸磚"), QStringLiteral("斜貼")}));
        QVERIFY(CatalogUi::rightClick(hfgD(), 0));
        // Another kind: no item of it is chosen yet, so neither markups nor the reason an item's
        // could not be read show.
        db::fault::failTable(QStringLiteral("w2d"), db::fault::Error::IoError, db::fault::Access::Read);
        dialogs.expectMessage();
        CatalogUi::leftClick(hfgW(), 2);
        db::fault::clear();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(hfgD()->toolTip().startsWith(QStringLiteral("未能載入")));
        QComboBox* cbT = CatalogUi::get<QComboBox>("cbT");
        cbT->setCurrentIndex(2);
        emit cbT->activated(2);
        QVERIFY(CatalogUi::get<QLabel>("lbl2")->text().isEmpty());
        QVERIFY(CatalogUi::column(hfgD()).join(QString()).isEmpty());
        QVERIFY(hfgD()->toolTip().isEmpty());
    }

    // Enter walks the editors across the line; the grid's current cell walks with them, so the
    // moves and the next Enter act on the cell being edited.
    void currentCellFollowsTheEditor() {
        open();
        CatalogUi::form()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(CatalogUi::form()));
        QVERIFY(CatalogUi::popup(hfgW(), 0, "mAddW"));
        const int row = hfgW()->rowCount() - 1;
        QLineEdit* txtW = CatalogUi::editor("txtW");
        QComboBox* cbW = CatalogUi::get<QComboBox>("cbW");
        CatalogUi::type(txtW, QStringLiteral("打石"));
        CatalogUi::enter(txtW);
        QCOMPARE(hfgW()->currentRow(), row);
        QCOMPARE(hfgW()->currentColumn(), 1);
        cbW->setEditText(QStringLiteral("處"));
        CatalogUi::enter(cbW->lineEdit());
        QVERIFY(txtW->isVisible());
        QCOMPARE(hfgW()->currentRow(), row);
        QCOMPARE(hfgW()->currentColumn(), 2);
        CatalogUi::type(txtW, QStringLiteral("5"));
        CatalogUi::enter(txtW);
        QCOMPARE(hfgW()->currentColumn(), 3);
        QCOMPARE(CatalogUi::column(hfgW(), 2).at(row), QStringLiteral("5"));
    }

    // Tab moves the editor on as Enter does: a line typed name, Tab, unit, Tab, cost, Tab, ratio.
    void tabMovesOnAsEnter() {
        open();
        QVERIFY(CatalogUi::popup(hfgW(), 0, "mAddW"));
        const int row = hfgW()->rowCount() - 1;
        QLineEdit* txtW = CatalogUi::editor("txtW");
        QComboBox* cbW = CatalogUi::get<QComboBox>("cbW");
        CatalogUi::type(txtW, QStringLiteral("系統櫃"));
        QTest::keyClick(txtW, Qt::Key_Tab);
        QVERIFY(cbW->isVisible());
        cbW->setEditText(QStringLiteral("尺"));
        QTest::keyClick(cbW->lineEdit(), Qt::Key_Tab);
        CatalogUi::type(txtW, QStringLiteral("6000"));
        QTest::keyClick(txtW, Qt::Key_Tab);
        QCOMPARE(CatalogUi::column(hfgW(), 0).at(row), QStringLiteral("系統櫃"));
        QCOMPARE(CatalogUi::column(hfgW(), 1).at(row), QStringLiteral("尺"));
        QCOMPARE(CatalogUi::column(hfgW(), 2).at(row), QStringLiteral("6000"));
        QCOMPARE(hfgW()->currentColumn(), 3);
    }

    // The popup opens on the grid's empty space below the lines too; 刪除 there removes nothing.
    void popupBelowTheLines() {
        open();
        const int lines = hfgW()->rowCount();
        const QPoint below(20, hfgW()->viewport()->height() - 5);
        QVERIFY(hfgW()->rowAt(below.y()) < 0);
        QTest::mousePress(hfgW()->viewport(), Qt::RightButton, {}, below);
        QVERIFY(CatalogUi::action("mDelW")->isEnabled());
        QMenu* menu = CatalogUi::get<QMenu>("mW");
        QVERIFY(menu->isVisible());
        menu->hide();
        CatalogUi::action("mDelW")->trigger();
        QCOMPARE(hfgW()->rowCount(), lines);
        CatalogUi::action("mAddW")->trigger();
        QCOMPARE(hfgW()->rowCount(), lines + 1);
    }

    void addItemWithNumericChecks() {
        open();
        QVERIFY(CatalogUi::popup(hfgW(), 0, "mAddW"));
        QCOMPARE(hfgW()->rowCount(), 7);
        QVERIFY(!hfgD()->isEnabled());
        QLineEdit* txtW = CatalogUi::editor("txtW");
        CatalogUi::type(txtW, QStringLiteral("打石"));
        CatalogUi::enter(txtW);
        QComboBox* cbW = CatalogUi::get<QComboBox>("cbW");
        QVERIFY(cbW->isVisible());
        cbW->setEditText(QStringLiteral("處"));
        CatalogUi::enter(cbW->lineEdit());
        // Cost: letters and a second point are refused; paste goes through the same rule.
        CatalogUi::type(txtW, QStringLiteral("1a2.5.0"));
        QCOMPARE(catalog_ui::cellText(hfgW(), 6, 2), QStringLiteral("12.50"));
        txtW->selectAll();
        txtW->insert(QStringLiteral("x9"));
        QCOMPARE(txtW->text(), QStringLiteral("12.50"));
        txtW->selectAll();
        CatalogUi::type(txtW, QString(20, u'9')); // no key makes a number no cell can show
        QCOMPARE(catalog_ui::cellText(hfgW(), 6, 2), QString(15, u'9'));
        txtW->selectAll();
        txtW->del();
        QCOMPARE(catalog_ui::cellText(hfgW(), 6, 2), QStringLiteral("0")); // emptied: "0"
        CatalogUi::type(txtW, QStringLiteral("300"));
        CatalogUi::enter(txtW);
        CatalogUi::type(txtW, QStringLiteral("."));
        // Enter past the ratio adds a line; apply drops it again.
        CatalogUi::enter(txtW);
        QCOMPARE(hfgW()->rowCount(), 8);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        CatalogUi::click("cmWp"); // "." is no number
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("第 7 行的比例不是數字"));
        QVERIFY(CatalogUi::button("cmWp")->isEnabled());
        QVERIFY(fx.stored(QStringLiteral("SELECT w FROM t2w WHERE w = '打石'")).isEmpty());
        CatalogUi::popup(hfgW(), 0, "mEditW");
        CatalogUi::leftClick(hfgW(), 6, 3);
        txtW->insert(QString(400, u'9')); // pasted: refused at apply, never stored as 0
        dialogs.expectMessage();
        CatalogUi::click("cmWp");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("第 7 行的比例數字過長"));
        CatalogUi::leftClick(hfgW(), 6, 3);
        CatalogUi::type(txtW, QStringLiteral("1.3"));
        CatalogUi::click("cmWp");
        QCOMPARE(fx.stored(QStringLiteral("SELECT w || '|' || u || '|' || c || '|' || s || '|' || sort FROM t2w "
                                          "WHERE t = '泥作工程' ORDER BY sort"))
                     .last(),
                 QStringLiteral("打石|處|300.0|1.3|8"));
        QCOMPARE(hfgW()->rowCount(), 7);
        QVERIFY(hfgD()->isEnabled());
    }

    // Chinese comes through an input method: its commits into the name warn too, once.
    void renameCarriesMarkupsWithOneWarning() {
        open();
        QVERIFY(CatalogUi::activate(CatalogUi::form()));
        CatalogUi::leftClick(hfgW(), 3); // 地坪磁磚貼工, three markups
        QVERIFY(CatalogUi::popup(hfgW(), 3, "mEditW"));
        CatalogUi::leftClick(hfgW(), 3);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        CatalogUi::commit(QStringLiteral("地磚"));
        CatalogUi::commit(QStringLiteral("鋪貼"));
        VERIFY_DIALOGS(dialogs); // once for the whole edit
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("此工種包含細項加成"));
        CatalogUi::click("cmWp");
        QCOMPARE(markups(QStringLiteral("地磚鋪貼")).size(), 3);
        QVERIFY(markups(QStringLiteral("地坪磁磚貼工")).isEmpty());
        // The item shown no longer exists: the markup grid empties.
        QVERIFY(CatalogUi::get<QLabel>("lbl2")->text().isEmpty());
        QCOMPARE(CatalogUi::column(hfgD()), QStringList{QString()});
    }

    // A signed cost stored by another writer is a number: another line's change applies.
    void storedSignedCostDoesNotBlockApply() {
        fx.openDb()->execute(QStringLiteral("UPDATE t2w SET c = -500 WHERE w = '紅磚隔間牆'"));
        open();
        CatalogUi::leftClick(hfgW(), 0);
        CatalogUi::click("cmdDnW");
        ScriptedDialogs dialogs;
        CatalogUi::click("cmWp");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.stored(QStringLiteral("SELECT w FROM t2w WHERE t = '泥作工程' ORDER BY sort")).first(),
                 QStringLiteral("浴室防水施作"));
        QCOMPARE(fx.stored(QStringLiteral("SELECT c FROM t2w WHERE w = '紅磚隔間牆'")).first().toDouble(), -500.0);
    }

    void changedMarkupsSettledBeforeTheirItemIsRenamed() {
        open();
        CatalogUi::leftClick(hfgW(), 3); // 地坪磁磚貼工
        CatalogUi::leftClick(hfgD(), 0);
        CatalogUi::click("cmDnD");
        QVERIFY(CatalogUi::popup(hfgW(), 3, "mEditW"));
        QVERIFY(CatalogUi::button("cmdP")->isEnabled());
        CatalogUi::leftClick(hfgW(), 3);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();                // 此工種包含細項加成
        dialogs.expectMessage(ui::Answer::Yes); // the markups first
        CatalogUi::type(CatalogUi::editor("txtW"), QStringLiteral("地磚"));
        CatalogUi::click("cmWp");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(1).text, QStringLiteral("【地坪磁磚貼工 的細項加成】正在編輯中\r\n是否套用?"));
        QCOMPARE(markups(QStringLiteral("地磚")).first(), QStringLiteral("80x80公分 大尺寸磚"));
        QVERIFY(markups(QStringLiteral("地坪磁磚貼工")).isEmpty());
    }

    void deleteTakesMarkupsUnlessTheNameLivesOn() {
        // 木作衣櫃 is also an item of another kind: its markups stay.
        catalog::CatalogStore(fx.openDb())
            .saveWorkItems(QStringLiteral("清潔工程"), {{{QStringLiteral("木作衣櫃"), {}, {}, {}}, {}}}, {});
        open(3); // 木作工程
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(hfgW(), 1, "mDelW"));
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("確定刪除? 【木作衣櫃】\r\n如刪除會將所有加成一並刪除"));
        CatalogUi::click("cmWp");
        QCOMPARE(markups(QStringLiteral("木作衣櫃")).size(), 4);

        open(1);
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(hfgW(), 3, "mDelW"));
        // Cancelled, the item and its markups stay.
        CatalogUi::click("Command4");
        QCOMPARE(hfgW()->rowCount(), 6);
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(hfgW(), 3, "mDelW"));
        CatalogUi::click("cmWp");
        VERIFY_DIALOGS(dialogs);
        QVERIFY(markups(QStringLiteral("地坪磁磚貼工")).isEmpty());
        QCOMPARE(fx.stored(QStringLiteral("SELECT sort FROM t2w WHERE t = '泥作工程' ORDER BY sort")).join(QLatin1Char(',')),
                 QStringLiteral("2,3,4,5,6"));
    }

    void onlyLineDeletedStoresNothing() {
        catalog::CatalogStore(fx.openDb())
            .saveWorkItems(QStringLiteral("泥作工程"), {{{QStringLiteral("唯一"), {}, QStringLiteral("1"), {}}, {}}}, {});
        open();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(hfgW(), 0, "mDelW"));
        QCOMPARE(hfgW()->rowCount(), 1);
        QCOMPARE(CatalogUi::column(hfgW()), QStringList{QString()});
        CatalogUi::click("cmWp");
        QVERIFY(fx.stored(QStringLiteral("SELECT w FROM t2w WHERE t = '泥作工程'")).isEmpty());
        QCOMPARE(hfgW()->rowCount(), 1);
    }

    void movesAndNoToDelete() {
        open();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        QVERIFY(CatalogUi::popup(hfgW(), 2, "mDelW"));
        QCOMPARE(hfgW()->rowCount(), 6);
        QVERIFY(!CatalogUi::button("cmWp")->isEnabled());
        CatalogUi::leftClick(hfgW(), 0);
        CatalogUi::click("cmdUpW"); // the first line: a beep, apply enabled
        QVERIFY(CatalogUi::button("cmWp")->isEnabled());
        CatalogUi::click("cmdDnW");
        QCOMPARE(catalog_ui::cellText(hfgW(), 1, 0), QStringLiteral("地坪粉光整平"));
        QCOMPARE(hfgW()->currentRow(), 1);
        CatalogUi::click("cmWp");
        QCOMPARE(fx.stored(QStringLiteral("SELECT w FROM t2w WHERE t = '泥作工程' ORDER BY sort")).mid(0, 2),
                 (QStringList{QStringLiteral("浴室防水施作"), QStringLiteral("地坪粉光整平")}));
        VERIFY_DIALOGS(dialogs);
    }

    // 是 writes the changes made here over those made elsewhere, 否 reloads, 取消 (also Enter) keeps
    // editing with the changes still to apply. A row renamed on one side and changed on the other
    // is one row with both changes.
    void itemsChangedElsewhereAskBeforeOverwriting_data() {
        QTest::addColumn<int>("answer"); // -1: Enter
        QTest::addColumn<QString>("grid"); // hfgW: the first item moved down, line 2; hfgD: 木作衣櫃's line 1
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("elsewhere"); // another workstation meanwhile
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("last");  // the grid's last line afterwards
        QTest::addColumn<bool>("stillDirty");
        const QString added = "INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作工程', '新增品名', 8, '式', 0, 0);"
                              "UPDATE t2w SET c = 4700 WHERE w = '書櫃';";
        const QString said = "木作工程 的施工已在別處變更：書櫃、新增品名";
        const QString f1 = "F1無甲醛板材|1200.0, ";
        QTest::newRow("no reloads") << int(ui::Answer::No) << "hfgW" << 2 << "4300" << added << said
                                    << f1 + "新增品名|0.0, 書櫃|4700.0, 玄關鞋櫃|4200.0" << "新增品名" << false;
        QTest::newRow("yes writes the changes made here") << int(ui::Answer::Yes) << "hfgW" << 2 << "4300" << added << said
                                                          << f1 + "新增品名|0.0, 書櫃|4700.0, 玄關鞋櫃|4300.0" << "" << false;
        QTest::newRow("enter keeps editing") << -1 << "hfgW" << 2 << "4300" << added << said
                                             << f1 + "新增品名|0.0, 書櫃|4700.0, 玄關鞋櫃|4200.0" << "" << true;
        QTest::newRow("yes, an item renamed elsewhere, its cost raised here")
            << int(ui::Answer::Yes) << "hfgW" << 2 << "4300" << "UPDATE t2w SET w = '玄關鞋櫃B' WHERE w = '玄關鞋櫃'"
            << "木作工程 的施工已在別處變更：玄關鞋櫃 → 玄關鞋櫃B" << f1 + "書櫃|4500.0, 玄關鞋櫃B|4300.0" << "" << false;
        QTest::newRow("yes, a markup renamed here, its amount raised elsewhere")
            << int(ui::Answer::Yes) << "hfgD" << 0 << "F1板材" << "UPDATE w2d SET c = 1500 WHERE d = 'F1無甲醛板材'"
            << "木作衣櫃 的細項加成已在別處變更：F1無甲醛板材" << "F1板材|1500.0, 書櫃|4500.0, 玄關鞋櫃|4200.0" << "" << false;
        QTest::newRow("yes, a markup renamed elsewhere, its amount raised here")
            << int(ui::Answer::Yes) << "hfgD" << 1 << "1300" << "UPDATE w2d SET d = 'F1板材' WHERE d = 'F1無甲醛板材'"
            << "木作衣櫃 的細項加成已在別處變更：F1無甲醛板材 → F1板材" << "F1板材|1300.0, 書櫃|4500.0, 玄關鞋櫃|4200.0" << "" << false;
    }
    void itemsChangedElsewhereAskBeforeOverwriting() {
        QFETCH(int, answer);
        QFETCH(QString, grid);
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QString, elsewhere);
        QFETCH(QString, said);
        QFETCH(QString, stored);
        QFETCH(QString, last);
        QFETCH(bool, stillDirty);
        open(3);
        const bool items = grid == QLatin1String("hfgW");
        const int line = items ? 2 : 1;
        CatalogUi::leftClick(hfgW(), items ? 0 : 1);
        if (items)
            CatalogUi::click("cmdDnW");
        QTableWidget* g = CatalogUi::grid(grid.toLatin1().constData());
        QVERIFY(CatalogUi::popup(g, line, items ? "mEditW" : "mEditD")); // one cell only
        CatalogUi::leftClick(g, line, col);
        CatalogUi::type(CatalogUi::editor(items ? "txtW" : "txtD"), typed);
        const QStringList shown = CatalogUi::column(hfgW());
        fx.openDb()->executeScript(elsewhere);
        ScriptedDialogs dialogs;
        if (answer < 0)
            dialogs.answerUnexpectedAsEnter(1);
        else
            dialogs.expectMessage(ui::Answer(answer));
        CatalogUi::click(items ? "cmWp" : "cmdP");
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().at(0).text.startsWith(said + QStringLiteral("\r\n")));
        QCOMPARE(fx.stored(QStringLiteral("SELECT w || '|' || c FROM t2w WHERE w LIKE '玄關%' OR w IN ('書櫃', '新增品名') "
                                          "UNION ALL SELECT d || '|' || c FROM w2d WHERE d LIKE 'F1%' ORDER BY 1")).join(QStringLiteral(", ")),
                 stored);
        QCOMPARE(CatalogUi::button("cmWp")->isEnabled(), stillDirty);
        if (stillDirty)
            QCOMPARE(CatalogUi::column(hfgW()), shown);
        else if (!last.isEmpty())
            QCOMPARE(CatalogUi::column(hfgW()).last(), last);
        else
            QCOMPARE(CatalogUi::column(hfgW(), 2), fx.stored(QStringLiteral("SELECT c FROM t2w WHERE t = '木作工程' ORDER BY sort")));
    }

    void failedApplyKeepsTheGridAsTyped() {
        open();
        fx.openDb()->executeScript(QStringLiteral("CREATE TRIGGER no_t2w BEFORE INSERT ON t2w WHEN NEW.w = '紅磚隔間牆' "
                                                  "BEGIN SELECT RAISE(ABORT, '寫入被拒'); END;"));
        CatalogUi::leftClick(hfgW(), 0);
        CatalogUi::click("cmdDnW");
        const QStringList typed = CatalogUi::column(hfgW());
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        CatalogUi::click("cmWp");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Kavo III"));
        QVERIFY(dialogs.messages().at(0).text.contains(QStringLiteral("寫入被拒")));
        QCOMPARE(CatalogUi::column(hfgW()), typed);
        QVERIFY(CatalogUi::button("cmWp")->isEnabled());
        QCOMPARE(fx.stored(QStringLiteral("SELECT w FROM t2w WHERE t = '泥作工程' ORDER BY sort")).first(),
                 QStringLiteral("地坪粉光整平"));
        QCOMPARE(fx.stored(QStringLiteral("SELECT count(*) FROM t2w WHERE t = '泥作工程'")).first().toInt(), 6);
    }

    void markupEditing() {
        const QString item = QStringLiteral("3\" 管");
        catalog::CatalogStore(fx.openDb())
            .saveWorkItems(QStringLiteral("泥作工程"), {{{item, {}, {}, {}}, {}}}, {});
        open();
        CatalogUi::leftClick(hfgW(), 0);
        QVERIFY(CatalogUi::popup(hfgD(), 0, "mAddD"));
        QVERIFY(!hfgW()->isEnabled());
        QLineEdit* txtD = CatalogUi::editor("txtD");
        CatalogUi::type(txtD, QStringLiteral("加長"));
        CatalogUi::enter(txtD);
        CatalogUi::type(txtD, QStringLiteral("15x"));
        CatalogUi::enter(txtD); // a new line
        CatalogUi::type(txtD, QStringLiteral("加厚"));
        CatalogUi::enter(txtD);
        CatalogUi::enter(txtD); // a third, empty: dropped on apply
        QCOMPARE(hfgD()->rowCount(), 3);
        CatalogUi::leftClick(hfgD(), 1);
        CatalogUi::click("cmDnD"); // on the line before the empty one
        CatalogUi::click("cmdP");
        QCOMPARE(fx.stored(QStringLiteral("SELECT d || '|' || c || '|' || sort FROM w2d WHERE w = ? ORDER BY sort"), {item}),
                 (QStringList{QStringLiteral("加長|15.0|2"), QStringLiteral("|0.0|3"), QStringLiteral("加厚|0.0|4")}));
        QVERIFY(hfgW()->isEnabled());
        QCOMPARE(hfgD()->rowCount(), 3);

        // Deleting every line and applying leaves the item without markups.
        ScriptedDialogs dialogs;
        for (int i = 0; i < 3; ++i) {
            dialogs.expectMessage(ui::Answer::Yes);
            QVERIFY(CatalogUi::popup(hfgD(), 0, "mDelD"));
        }
        CatalogUi::click("cmdP");
        VERIFY_DIALOGS(dialogs);
        QVERIFY(markups(item).isEmpty());
    }
};

QTEST_MAIN(TestWork)
#include "tst_frmeng_work.moc"
