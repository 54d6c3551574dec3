// The construction-data window as a whole: the tab guard, the questions on closing, the view-only
// mode without rights position 10, the vocabulary lists and the menu bar's button.
#include "CatalogStore.h"
#include "CatalogUi.h"
#include "CatalogWindows.h"
#include "MenuWindows.h"
#include "ScriptedDialogs.h"
#include "frmMenu.h"

#include "db/FaultInjection.h"
#include "ui/Twips.h"

#include <QTabWidget>
#include <cmath>

class TestWindow : public QObject {
    Q_OBJECT
private:
    CatalogUi fx;
    QTabWidget* tabs() { return CatalogUi::get<QTabWidget>("Tab1"); }
    QTableWidget* hfgW() { return CatalogUi::grid("hfgW"); }
    QTableWidget* hfgD() { return CatalogUi::grid("hfgD"); }
    // Tab 1 with both groups changed: the first work item moved down, the first markup of
    // 地坪磁磚貼工 moved down.
    void changeBothGroups() {
        tabs()->setCurrentIndex(1);
        QComboBox* cbT = CatalogUi::get<QComboBox>("cbT");
        cbT->setCurrentIndex(1);
        emit cbT->activated(1);
        CatalogUi::leftClick(hfgW(), 3);
        CatalogUi::leftClick(hfgD(), 0);
        CatalogUi::click("cmDnD");
        CatalogUi::leftClick(hfgW(), 0);
        CatalogUi::click("cmdDnW");
        QVERIFY(CatalogUi::button("cmWp")->isEnabled());
        QVERIFY(CatalogUi::button("cmdP")->isEnabled());
    }
    QString firstItem() {
        return fx.stored(QStringLiteral("SELECT w FROM t2w WHERE t = '泥作工程' ORDER BY sort")).first();
    }
    QString firstMarkup() {
        return fx.stored(QStringLiteral("SELECT d FROM w2d WHERE w = '地坪磁磚貼工' ORDER BY sort")).first();
    }

private slots:
    void init() { QVERIFY(fx.setUpWithRights()); }
    void cleanup() { fx.tearDown(); }

    void tabGuardForBothGroups_data() {
        QTest::addColumn<ui::Answer>("items");
        QTest::addColumn<ui::Answer>("markups");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("itemsWritten");
        QTest::addColumn<bool>("markupsWritten");
        QTest::newRow("yes, yes") << ui::Answer::Yes << ui::Answer::Yes << true << true << true;
        QTest::newRow("no, yes") << ui::Answer::No << ui::Answer::Yes << true << false << true;
        QTest::newRow("yes, no") << ui::Answer::Yes << ui::Answer::No << true << true << false;
        QTest::newRow("cancel") << ui::Answer::Cancel << ui::Answer::OK << false << false << false;
        QTest::newRow("no, cancel") << ui::Answer::No << ui::Answer::Cancel << false << false << false;
    }
    void tabGuardForBothGroups() {
        QFETCH(ui::Answer, items);
        QFETCH(ui::Answer, markups);
        QFETCH(bool, left);
        QFETCH(bool, itemsWritten);
        QFETCH(bool, markupsWritten);
        fx.window();
        changeBothGroups();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(items);
        if (items != ui::Answer::Cancel)
            dialogs.expectMessage(markups);
        tabs()->setCurrentIndex(2);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("【泥作工程 的施工】正在編輯中\r\n是否套用?"));
        QCOMPARE(dialogs.messages().at(0).buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(tabs()->currentIndex(), left ? 2 : 1);
        QCOMPARE(firstItem(), itemsWritten ? QStringLiteral("浴室防水施作") : QStringLiteral("地坪粉光整平"));
        QCOMPARE(firstMarkup(), markupsWritten ? QStringLiteral("80x80公分 大尺寸磚") : QStringLiteral("60x60公分 拋光石英磚"));
        // Cancel keeps the changes in the grids, unapplied.
        if (!left)
            QVERIFY(CatalogUi::button("cmdP")->isEnabled());
    }

    void closingAsksForEachChangedGroup() {
        fx.window();
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 0);
        CatalogUi::click("cmdDnA");
        changeBothGroups();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);    // areas
        dialogs.expectMessage(ui::Answer::Cancel); // work items: the window stays
        QVERIFY(!CatalogUi::form()->unload());
        QCOMPARE(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅' ORDER BY sort")).first(), QStringLiteral("客廳"));
        QVERIFY(ui::Default<frmEng>::isLoaded());
        dialogs.expectMessage(ui::Answer::No);  // work items
        dialogs.expectMessage(ui::Answer::Yes); // markups
        QVERIFY(CatalogUi::form()->unload());
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(firstItem(), QStringLiteral("地坪粉光整平"));
        QCOMPARE(firstMarkup(), QStringLiteral("80x80公分 大尺寸磚"));
    }

    void categoryChangeAsksFirst() {
        fx.window();
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 0);
        CatalogUi::click("cmdDnA");
        QComboBox* cbK = CatalogUi::get<QComboBox>("cbK");
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Cancel);
        cbK->setCurrentIndex(2);
        emit cbK->activated(2);
        QCOMPARE(cbK->currentIndex(), 0);
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(0), 0, 0), QStringLiteral("客廳"));
        dialogs.expectMessage(ui::Answer::Yes);
        cbK->setCurrentIndex(2);
        emit cbK->activated(2);
        VERIFY_DIALOGS(dialogs);
        // Written under the category the grid was loaded for; the new one is shown, clean.
        QCOMPARE(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅' ORDER BY sort")).first(), QStringLiteral("客廳"));
        QCOMPARE(catalog_ui::cellText(CatalogUi::areaGrid(0), 0, 0), QStringLiteral("接待區"));
        QVERIFY(!CatalogUi::button("cmAp")->isEnabled());
    }

    void viewOnlyWithoutRightsPositionTen() {
        mdM::UserRights = 4095 & ~(1 << 9);
        frmEng* f = fx.window();
        for (const char* name : {"cmdPrK", "cmdPrt", "cmdPrd", "cmdPo"})
            QVERIFY2(!CatalogUi::button(name)->isVisibleTo(f), name);
        for (const char* name : {"cmEdK", "Command2", "cmdUpA", "cmdDnA", "cmAp", "cmdCancel", "cmdUpW", "cmdDnW",
                                 "cmWp", "Command4", "cmUpD", "cmDnD", "cmdP", "Command5"})
            QVERIFY2(!CatalogUi::button(name)->isEnabled(), name);
        QVERIFY(!CatalogUi::rightClick(CatalogUi::areaGrid(0), 0));
        QVERIFY(!CatalogUi::rightClick(hfgW(), 0));
        QVERIFY(!CatalogUi::rightClick(CatalogUi::listGrid(0), 0));
        CatalogUi::leftClick(CatalogUi::listGrid(0), 0);
        QVERIFY(!CatalogUi::editor("txtS")->isVisible());
        // Closing writes nothing and asks nothing.
        fx.openDb()->executeScript(QStringLiteral("CREATE TRIGGER no_write BEFORE DELETE ON u BEGIN SELECT RAISE(ABORT, 'x'); END;"));
        QVERIFY(f->unload());
    }

    void vocabularyEditingAndRewrite() {
        frmEng* f = fx.window();
        tabs()->setCurrentIndex(2);
        catalog::CatalogStore s(fx.openDb());
        const QStringList units = s.vocabulary(0);
        QTableWidget* trades = CatalogUi::listGrid(1);
        QCOMPARE(CatalogUi::column(CatalogUi::listGrid(0)), units);
        // Edit an entry in place; move it up.
        CatalogUi::leftClick(trades, 1);
        QLineEdit* txtS = CatalogUi::editor("txtS");
        QVERIFY(txtS->isVisible());
        QVERIFY(!txtS->hasSelectedText()); // one key does not replace the whole entry
        QCOMPARE(txtS->cursorPosition(), txtS->text().size());
        CatalogUi::type(txtS, QStringLiteral("改名"));
        QVERIFY(CatalogUi::popup(trades, 1, "mUpS"));
        QCOMPARE(catalog_ui::cellText(trades, 0, 0), QStringLiteral("改名"));
        // Add two entries, the last left empty: it is not stored.
        QVERIFY(CatalogUi::popup(trades, 0, "mAddS"));
        CatalogUi::type(txtS, QStringLiteral("新行業"));
        CatalogUi::enter(txtS);
        const QStringList expected = CatalogUi::column(trades).mid(0, trades->rowCount() - 1);
        QVERIFY(catalog_ui::cellText(trades, trades->rowCount() - 1, 0).isEmpty());
        // Ratios take numbers only.
        QTableWidget* ratios = CatalogUi::listGrid(12);
        CatalogUi::leftClick(ratios, 0);
        CatalogUi::type(txtS, QStringLiteral("1x.2.5"));
        QCOMPARE(catalog_ui::cellText(ratios, 0, 0), QStringLiteral("1.25"));
        // A crew renamed: the vendors' links follow. A unit deleted.
        CatalogUi::leftClick(CatalogUi::listGrid(6), 0);
        const QString crew = txtS->text();
        CatalogUi::type(txtS, QStringLiteral("拆除班"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(CatalogUi::listGrid(0), 0, "mDelS"));
        VERIFY_DIALOGS(dialogs);
        const int links = fx.stored(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = ?"), {crew}).first().toInt();
        QVERIFY(f->unload());
        QCOMPARE(s.vocabulary(1), expected);
        QCOMPARE(s.vocabulary(0), units.mid(1));
        QCOMPARE(s.vocabulary(12).first(), QStringLiteral("1.25"));
        QCOMPARE(fx.stored(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除班'")).first().toInt(), links);
        QCOMPARE(fx.stored(QStringLiteral("SELECT sort FROM 行業 ORDER BY sort")).last().toInt(), int(expected.size()));
    }

    // Closing stores the changed lists over the texts they were loaded with: an emptied ratio is
    // refused like letters; a list changed elsewhere meanwhile asks 是 write over, 否 reload, 取消
    // (the default) keep editing, and only 是 closes.
    void vocabularyAtCloseOverItsLoad_data() {
        QTest::addColumn<bool>("emptyRatio");
        QTest::addColumn<int>("answer"); // -1: Enter
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("otherKept"); // the entry added elsewhere is still stored
        QTest::addColumn<bool>("unitTyped"); // 單位 changed here too
        QTest::addColumn<bool>("twins"); // the first two regions alike: here the first deleted, there the second renamed
        QTest::newRow("ratio emptied") << true << int(ui::Answer::OK) << false << true << false << false;
        QTest::newRow("changed elsewhere, enter keeps editing") << false << -1 << false << true << false << false;
        QTest::newRow("changed elsewhere, no reloads") << false << int(ui::Answer::No) << false << true << false << false;
        QTest::newRow("changed elsewhere, yes writes the changes made here") << false << int(ui::Answer::Yes) << true << true << false << false;
        QTest::newRow("yes, twins, one deleted here, the other renamed elsewhere") << false << int(ui::Answer::Yes) << true << true << false << true;
        QTest::newRow("no reloads only what changed elsewhere") << false << int(ui::Answer::No) << false << true << true << false;
    }
    void vocabularyAtCloseOverItsLoad() {
        QFETCH(bool, emptyRatio);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, otherKept);
        QFETCH(bool, unitTyped);
        QFETCH(bool, twins);
        if (twins)
            fx.openDb()->execute(QStringLiteral("UPDATE 地區 SET 地 = '雙' WHERE sort IN (SELECT sort FROM 地區 ORDER BY sort LIMIT 2)"));
        frmEng* f = fx.window();
        tabs()->setCurrentIndex(2);
        QTableWidget* regions = CatalogUi::listGrid(2);
        QTableWidget* ratios = CatalogUi::listGrid(catalog::kRatioList);
        const QStringList storedRatios = CatalogUi::column(ratios);
        QVERIFY(regions->rowCount() > 2 && ratios->rowCount() > 2);
        const QString first = catalog_ui::cellText(regions, 0, 0);
        catalog_ui::setCellText(regions, 0, 0, catalog_ui::cellText(regions, 1, 0));
        catalog_ui::setCellText(regions, 1, 0, first);
        if (emptyRatio)
            catalog_ui::setCellText(ratios, 0, 0, QString());
        if (unitTyped)
            catalog_ui::setCellText(CatalogUi::listGrid(0), 0, 0, QStringLiteral("米長"));
        if (twins) {
            ScriptedDialogs deleting;
            deleting.expectMessage(ui::Answer::Yes);
            QVERIFY(CatalogUi::popup(regions, 0, "mDelS"));
            fx.openDb()->execute(QStringLiteral("UPDATE 地區 SET 地 = '雙B' WHERE sort = (SELECT max(sort) FROM 地區 WHERE 地 = '雙')"));
        }
        const QStringList typed = CatalogUi::column(regions);
        fx.openDb()->execute(QStringLiteral("INSERT INTO 地區 (sort, 地) VALUES (99, '金馬')")); // another workstation
        ScriptedDialogs dialogs;
        if (answer < 0)
            dialogs.answerUnexpectedAsEnter(1);
        else
            dialogs.expectMessage(ui::Answer(answer));
        QCOMPARE(f->unload(), closes);
        VERIFY_DIALOGS(dialogs);
        if (emptyRatio)
            QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("比例：第 1 行不是數字"));
        else
            QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("其他詞庫 的地區性已在別處變更")));
        QCOMPARE(fx.stored(QStringLiteral("SELECT count(*) FROM 地區 WHERE 地 = '金馬'")).first().toInt(), otherKept ? 1 : 0);
        QCOMPARE(fx.stored(QStringLiteral("SELECT sc FROM sc ORDER BY sort")), storedRatios);
        QCOMPARE(fx.stored(QStringLiteral("SELECT 地 FROM 地區 ORDER BY sort")).first() == QStringLiteral("雙B"), twins);
        if (!closes)
            QCOMPARE(CatalogUi::column(regions).contains(QStringLiteral("金馬")), answer == int(ui::Answer::No));
        if (!closes && answer != int(ui::Answer::No))
            QCOMPARE(CatalogUi::column(regions), typed);
        if (!closes)
            QCOMPARE(CatalogUi::column(CatalogUi::listGrid(0)).first() == QStringLiteral("米長"), unitTyped);
    }

    // A popup opened on another line closes the cell editor: what is typed next cannot land in
    // the popup's line while the editor still stands over the old one.
    void popupClosesTheCellEditor() {
        fx.window();
        tabs()->setCurrentIndex(2);
        QTableWidget* trades = CatalogUi::listGrid(1);
        const QStringList before = CatalogUi::column(trades);
        CatalogUi::leftClick(trades, 0);
        QLineEdit* txtS = CatalogUi::editor("txtS");
        QVERIFY(CatalogUi::rightClick(trades, 3));
        QVERIFY(!txtS->isVisible());
        CatalogUi::type(txtS, QStringLiteral("誤植"));
        QCOMPARE(CatalogUi::column(trades), before);

        tabs()->setCurrentIndex(1);
        QVERIFY(CatalogUi::popup(hfgW(), 0, "mEditW"));
        const QStringList items = CatalogUi::column(hfgW());
        CatalogUi::leftClick(hfgW(), 0);
        QLineEdit* txtW = CatalogUi::editor("txtW");
        QVERIFY(txtW->isVisible());
        QVERIFY(CatalogUi::rightClick(hfgW(), 2));
        QVERIFY(!txtW->isVisible());
        CatalogUi::type(txtW, QStringLiteral("誤植"));
        QCOMPARE(CatalogUi::column(hfgW()), items);
    }

    // A read-only database: a close with nothing changed writes nothing; after a failed write the
    // user may close without storing, the stored lists as they were.
    void readOnlyDatabaseStillCloses() {
        const QStringList units = fx.stored(QStringLiteral("SELECT u FROM u ORDER BY sort"));
        for (int i = 0; i < catalog::kVocabularyCount; ++i)
            db::fault::failTable(QString::fromUtf8(catalog::vocabularyList(i).table), db::fault::Error::ReadOnly,
                                 db::fault::Access::Write);
        ScriptedDialogs dialogs;
        QVERIFY(fx.window()->unload());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmEng* f = fx.window();
        tabs()->setCurrentIndex(2);
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(CatalogUi::popup(CatalogUi::listGrid(0), 0, "mDelS"));
        dialogs.expectMessage(ui::Answer::No);
        QVERIFY(!f->unload());
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(f->unload());
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().at(1).text.contains(QStringLiteral("readonly")));
        QCOMPARE(dialogs.messages().at(1).defaultButton, 2);
        QCOMPARE(dialogs.messages().at(1).buttons, ui::Buttons::YesNo);
        db::fault::clear();
        QCOMPARE(fx.stored(QStringLiteral("SELECT u FROM u ORDER BY sort")), units);
    }

    // A list or group whose load failed shows empty with the reason, cannot be edited and is never
    // written: not by closing, not by an apply after switching to another category or work kind.
    void failedLoadsLeaveGroupsUnloaded() {
        const QStringList units = fx.stored(QStringLiteral("SELECT u FROM u ORDER BY sort"));
        const QStringList shop = fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '店面' ORDER BY sort"));
        db::fault::failTable(QStringLiteral("別"), db::fault::Error::IoError, db::fault::Access::Read);
        db::fault::failTable(QStringLiteral("u"), db::fault::Error::Busy, db::fault::Access::Read);
        ScriptedDialogs dialogs;
        dialogs.expectMessage(); // one for the window's whole load
        frmEng* f = fx.window();
        db::fault::clear();
        QCOMPARE(CatalogUi::listGrid(0)->rowCount(), 0);
        QVERIFY(CatalogUi::listGrid(0)->toolTip().contains(QString::fromUtf8(db::kBusyMessage)));
        QComboBox* cbK = CatalogUi::get<QComboBox>("cbK");
        QCOMPARE(cbK->width(), cbK->minimumWidth()); // the reason cut to the box
        QTest::keyClick(cbK, Qt::Key_Space);         // read again as it drops down, as by a press
        cbK->hidePopup();

        db::fault::failTable(QStringLiteral("k2a"), db::fault::Error::IoError, db::fault::Access::Read);
        dialogs.expectMessage();
        cbK->setCurrentIndex(cbK->findText(QStringLiteral("店面")));
        emit cbK->activated(cbK->currentIndex());
        QVERIFY(CatalogUi::visibleAreas().isEmpty());
        QVERIFY(!CatalogUi::button("cmdDnA")->isEnabled());
        QVERIFY(!f->cmAp_Click());
        db::fault::clear();
        emit cbK->activated(cbK->currentIndex()); // chosen again, it loads
        QCOMPARE(CatalogUi::visibleAreas(), shop);

        db::fault::failTable(QStringLiteral("t2w"), db::fault::Error::IoError, db::fault::Access::Read);
        dialogs.expectMessage();
        tabs()->setCurrentIndex(1);
        QComboBox* cbT = CatalogUi::get<QComboBox>("cbT");
        cbT->setCurrentIndex(1);
        emit cbT->activated(1);
        QCOMPARE(CatalogUi::column(hfgW()), QStringList{QString()});
        QVERIFY(!f->cmWp_Click());
        VERIFY_DIALOGS(dialogs);
        db::fault::clear();
        emit cbT->activated(1);
        QCOMPARE(hfgW()->rowCount(), 6);
        CatalogUi::click("Command4"); // a load that succeeds makes the group whole again
        QVERIFY(CatalogUi::button("cmdDnW")->isEnabled());
        QVERIFY(f->unload());
        QCOMPARE(fx.stored(QStringLiteral("SELECT u FROM u ORDER BY sort")), units);
        QCOMPARE(fx.stored(QStringLiteral("SELECT a FROM k2a WHERE k = '店面' ORDER BY sort")), shop);
    }

    void menuBarExitHonoursCancel() {
        fx.window();
        CatalogUi::leftClick(CatalogUi::areaGrid(0), 0);
        CatalogUi::click("cmdDnA");
        frmMenu* menu = showForm<frmMenu>();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);    // 是否要結束澄築工房?
        dialogs.expectMessage(ui::Answer::Cancel); // the areas
        QVERIFY(!menu->unload());
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.exits, 0);
        QVERIFY(ui::Default<frmEng>::isLoaded());
        QVERIFY(CatalogUi::button("cmAp")->isEnabled());
    }

    // The session keeps its database, whatever another program has written to Mdbpath.ini since.
    void databaseReopenedOnlyForAnotherFolder() {
        QVERIFY(mdM::OpenDatabase());
        const db::DatabasePtr first = mdM::MainDb;
        mdM::SessionDbFile = first->path();
        const QString other = fx.folder->mkdir(QStringLiteral("other"));
        QVERIFY(!fx.folder->createMainDb(other).isEmpty());
        QVERIFY(fx.folder->writeMdbPath(other, fx.folder->path(), fx.folder->path()));
        fx.openDb()->execute(QStringLiteral("DELETE FROM 別 WHERE k_id = 1"));
        fx.window();
        QCOMPARE(mdM::MainDb, first);
        QCOMPARE(CatalogUi::get<QComboBox>("cbK")->currentText(), QStringLiteral("店面"));
        QVERIFY(mdM::OpenDatabase()); // a reopen: the session's file
        QCOMPARE(mdM::MainDb->path(), first->path());
    }

    void menuBarOpensItMaximised() {
        // app/Windows.cpp registers the opener; here the same function is registered by hand.
        shell::setMenuWindowOpener(shell::MenuWindow::Catalog, &catalog_ui::showCatalogWindow);
        QVERIFY(shell::openMenuWindow(shell::MenuWindow::Catalog));
        QVERIFY(ui::Default<frmEng>::isLoaded());
        QVERIFY(CatalogUi::form()->isMaximized() ||
                CatalogUi::form()->windowState().testFlag(Qt::WindowMaximized));
    }

    // The window, frame included, fits a 1280x800 screen below the menu bar's frame: the area frame
    // shows fewer rows and its columns scroll, down to the last area.
    void fitsBelowTheMenuBarAt1280x800() {
        QStringList areas;
        for (int i = 1; i <= 20; ++i)
            areas << QStringLiteral("區%1").arg(i);
        catalog::CatalogStore(fx.openDb()).saveAreas(QStringLiteral("住宅"), areas);
        frmMenu* menu = showForm<frmMenu>();
        frmEng* f = fx.window();
        const QMargins frame(4, 28, 4, 4); // a window manager's title bar and borders
        const int bar = menu->height() + frame.top() + frame.bottom();
        const QSize least = f->minimumSizeHint().grownBy(frame);
        QVERIFY2(least.width() <= 1280 && least.height() <= 800 - bar,
                 qPrintable(QStringLiteral("%1x%2 below a bar of %3").arg(least.width()).arg(least.height())
                                .arg(bar)));
        f->resize(f->minimumSizeHint());
        QCoreApplication::processEvents();
        QTableWidget* g = CatalogUi::areaGrid(0);
        QVERIFY(CatalogUi::get<QWidget>("Frame1")->rect().contains(g->geometry()));
        CatalogUi::leftClick(g, 0);
        g->scrollToBottom();
        QCOMPARE(g->rowAt(g->viewport()->height() - 2), 19);
    }

    // Sizes follow the window: area grids share the frame side by side without overlapping, the
    // markup columns take two thirds and one third less 280 twips, the list columns leave room
    // for the scroll bar; every column fits its grid. The unit box keeps its own height.
    void sizesFollowTheWindow() {
        QStringList areas;
        for (int i = 1; i <= 25; ++i)
            areas << QStringLiteral("區%1").arg(i);
        catalog::CatalogStore(fx.openDb()).saveAreas(QStringLiteral("住宅"), areas);
        frmEng* f = fx.window();
        f->resize(1400, 900);
        QCoreApplication::processEvents();
        const auto twips = [f](int px) { return ui::pixelsToTwipsX(px, f); };
        const auto near = [](double a, double b) { return std::abs(a - b) <= 16; };

        auto* frame = CatalogUi::get<QWidget>("Frame1");
        QTableWidget* g0 = CatalogUi::areaGrid(0);
        QTableWidget* g1 = CatalogUi::areaGrid(1);
        QCOMPARE(CatalogUi::visibleAreaGrids(), 2);
        const double each = (twips(frame->width()) - 120) / 2;
        QVERIFY(near(twips(g0->width()), each));
        QVERIFY(near(twips(g1->x()), each + 50));
        QVERIFY(g0->geometry().right() < g1->x());
        QVERIFY(frame->rect().contains(g1->geometry()));
        QVERIFY(g0->y() >= frame->contentsRect().top());
        QVERIFY(g0->columnWidth(0) <= g0->viewport()->width());
        QVERIFY(g0->height() <= frame->height());

        tabs()->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const double third = (twips(hfgD()->width()) - 60) / 3;
        QVERIFY(near(twips(hfgD()->columnWidth(0)), third * 2));
        QVERIFY(near(twips(hfgD()->columnWidth(1)), third - 280));
        QVERIFY(hfgD()->columnWidth(0) + hfgD()->columnWidth(1) <= hfgD()->viewport()->width());
        QVERIFY(near(twips(hfgW()->columnWidth(0)), 4000));
        QVERIFY(CatalogUi::popup(hfgW(), 0, "mAddW"));
        CatalogUi::enter(CatalogUi::editor("txtW"));
        QComboBox* cbW = CatalogUi::get<QComboBox>("cbW");
        QVERIFY(cbW->isVisible());
        QCOMPARE(cbW->height(), cbW->sizeHint().height());
        QVERIFY(std::abs(cbW->width() - hfgW()->columnWidth(1)) <= 1);
        CatalogUi::click("Command4");

        tabs()->setCurrentIndex(2);
        QCoreApplication::processEvents();
        for (int i = 0; i < 13; ++i) {
            QTableWidget* g = CatalogUi::listGrid(i);
            QVERIFY(near(twips(g->columnWidth(0)), twips(g->width()) - 350));
            QVERIFY(g->columnWidth(0) <= g->viewport()->width());
        }
    }
};

QTEST_MAIN(TestWindow)
#include "tst_frmeng_window.moc"
