// The ordered list editor in both modes, alone and opened from the construction-data window.
#include "CatalogStore.h"
#include "CatalogUi.h"
#include "ScriptedDialogs.h"
#include "db/FaultInjection.h"
#include "frmEm.h"
#include "ui/Twips.h"

#include <cmath>

#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

class TestListEditor : public QObject {
    Q_OBJECT
private:
    CatalogUi fx;
    frmEm* open(const char* mode) {
        mdEng::EmListMode = QString::fromLatin1(mode);
        mdM::MainDb = fx.openDb();
        return showForm<frmEm>();
    }
    static QListWidget* list() { return child<QListWidget>(ui::Default<frmEm>::get(), "LsM"); }
    static void press(const char* name) {
        QTest::mouseClick(child<QPushButton>(ui::Default<frmEm>::get(), name), Qt::LeftButton);
    }
    static void enterText(const QString& t) { child<QLineEdit>(ui::Default<frmEm>::get(), "txt")->setText(t); }
    QStringList stored(const char* mode) {
        return catalog::CatalogStore(fx.openDb()).masterEntries(catalog::masterList(QString::fromLatin1(mode)));
    }
    QStringList ids(const char* table) {
        return fx.stored(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY 1").arg(QLatin1String(table) == QLatin1String("別") ? "k_id" : "t_id", QString::fromUtf8(table)));
    }

private slots:
    void init() { QVERIFY(fx.setUpWithRights()); }
    void cleanup() { fx.tearDown(); }

    void reorderThenAddKeepsTheOrder_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("categories") << QStringLiteral("k");
        QTest::newRow("work kinds") << QStringLiteral("t");
    }
    void reorderThenAddKeepsTheOrder() {
        QFETCH(QString, mode);
        const QByteArray m = mode.toLatin1();
        frmEm* f = open(m.constData());
        QCOMPARE(f->windowTitle(), mode == QLatin1String("k") ? QStringLiteral("編輯 工程類別") : QStringLiteral("編輯 工程種類"));
        QStringList expected = stored(m.constData());
        list()->setCurrentRow(0);
        press("cmdDn");
        expected.swapItemsAt(0, 1);
        press("cmdNew");
        enterText(QStringLiteral("新的"));
        press("cmdY");
        expected << QStringLiteral("新的");
        QCOMPARE(stored(m.constData()), expected);
        QCOMPARE(ids(mode == QLatin1String("k") ? "別" : "種").last().toInt(), int(expected.size()));

        // The same name again, or only blanks, is refused.
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        dialogs.expectMessage();
        press("cmdNew");
        enterText(QStringLiteral("新的"));
        press("cmdY");
        enterText(QStringLiteral("  "));
        press("cmdY");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("【新的】已存在"));
        QCOMPARE(dialogs.messages().at(1).text, mode == QLatin1String("k") ? QStringLiteral("請在空格中輸入 工程類別")
                                                                           : QStringLiteral("請在空格中輸入 工程種類"));
        QCOMPARE(stored(m.constData()), expected);
    }

    void renameRemembersTheChosenEntryAndMerges() {
        open("k");
        list()->setCurrentRow(1); // 店面
        press("cmdEdit");
        list()->setCurrentRow(3); // choosing another entry now changes nothing
        enterText(QStringLiteral("門市"));
        press("cmdY");
        QCOMPARE(stored("k").at(1), QStringLiteral("門市"));
        QCOMPARE(fx.stored(QStringLiteral("SELECT count(*) FROM k2a WHERE k = '門市'")).first().toInt(), 8);

        // Onto an existing name: No refuses, Yes merges the areas into it.
        ScriptedDialogs dialogs;
        list()->setCurrentRow(4); // 診所
        press("cmdEdit");
        enterText(QStringLiteral("餐廳"));
        dialogs.expectMessage(ui::Answer::No);
        press("cmdY");
        QCOMPARE(stored("k").size(), 5);
        dialogs.expectMessage(ui::Answer::Yes);
        press("cmdY");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("【餐廳】已存在\r\n是否合併?"));
        QCOMPARE(stored("k"), (QStringList{QStringLiteral("住宅"), QStringLiteral("門市"), QStringLiteral("辦公室"),
                                           QStringLiteral("餐廳")}));
        QCOMPARE(fx.stored(QStringLiteral("SELECT count(*) FROM k2a WHERE k = '餐廳'")).first().toInt(), 14);
    }

    void deleteAKindRenumbersAtOnce() {
        open("t");
        ScriptedDialogs dialogs;
        dialogs.expectMessage(); // nothing chosen
        press("cmdDel");
        list()->setCurrentRow(1);
        dialogs.expectMessage(ui::Answer::No);
        press("cmdDel");
        QCOMPARE(stored("t").size(), 11);
        dialogs.expectMessage(ui::Answer::Yes);
        press("cmdDel");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請先選取"));
        QCOMPARE(dialogs.messages().at(1).text, QStringLiteral("確定刪除【泥作工程】\r\n如果刪除會將所包含的施工一並刪除"));
        QCOMPARE(dialogs.messages().at(1).defaultButton, 2);
        QCOMPARE(ids("種").join(QLatin1Char(',')), QStringLiteral("1,2,3,4,5,6,7,8,9,10"));
        QVERIFY(fx.stored(QStringLiteral("SELECT w FROM t2w WHERE t = '泥作工程'")).isEmpty());
    }

    void emptyNamesCanBeChosenAndMoved() {
        fx.openDb()->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (6, '')"));
        open("k");
        list()->setCurrentRow(5);
        ScriptedDialogs dialogs;
        press("cmdUp"); // by index: the empty name moves
        QCOMPARE(list()->item(4)->text(), QString());
        list()->setCurrentRow(0);
        press("cmdUp"); // the first only beeps
        QVERIFY(ui::Default<frmEm>::get()->unload());
        QCOMPARE(stored("k").at(4), QString());
        QCOMPARE(stored("k").at(5), QStringLiteral("診所"));
        VERIFY_DIALOGS(dialogs);
    }

    void openedFromTheWindowAndReloaded() {
        fx.window();
        QTimer::singleShot(0, this, [] {
            list()->setCurrentRow(4);
            press("cmdUp");
            press("Command1");
        });
        CatalogUi::click("cmEdK");
        QComboBox* cbK = CatalogUi::get<QComboBox>("cbK");
        QCOMPARE(cbK->itemText(3), QStringLiteral("診所"));
        QCOMPARE(cbK->currentIndex(), 0);

        QTimer::singleShot(0, this, [] {
            list()->setCurrentRow(0);
            press("cmdEdit");
            enterText(QStringLiteral("拆除"));
            press("cmdY");
            press("Command1");
        });
        CatalogUi::click("Command2");
        QComboBox* cbT = CatalogUi::get<QComboBox>("cbT");
        QCOMPARE(cbT->currentText(), QStringLiteral("拆除"));
        QCOMPARE(CatalogUi::grid("hfgW")->rowCount(), 6);

        // Another workstation swaps the first two kinds meanwhile: only the move made here is
        // written over that, and the markups of an item the grid no longer lists go.
        CatalogUi::leftClick(CatalogUi::grid("hfgW"), 0);
        QTimer::singleShot(0, this, [this] {
            fx.openDb()->execute(QStringLiteral("UPDATE 種 SET t = CASE t WHEN '拆除' THEN '泥作工程' ELSE '拆除' END "
                                                "WHERE t IN ('拆除', '泥作工程')"));
            list()->setCurrentRow(10);
            press("cmdUp");
            press("Command1");
        });
        CatalogUi::click("Command2");
        QCOMPARE(stored("t").mid(0, 2), (QStringList{QStringLiteral("泥作工程"), QStringLiteral("拆除")}));
        QCOMPARE(stored("t").mid(9), (QStringList{QStringLiteral("清潔工程"), QStringLiteral("玻璃工程")}));
        QVERIFY(CatalogUi::get<QLabel>("lbl2")->text().isEmpty());
    }

    // A held database while the editor is opened from the window: one wait and one message for
    // the editor's load and the reload after it; the lists shown stay, and 取消 reloads them. Lists
    // 取消 could not read are read again at their use: a press on the box or the grid.
    void heldDatabaseWaitsOnce_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("工程類別") << "cmEdK" << "cbK" << "hfgA0" << "cmdCancel";
        QTest::newRow("工程種類") << "Command2" << "cbT" << "hfgW" << "Command4";
        QTest::newRow("工程類別, 取消 held, box") << "cmdCancel" << "cbK" << "hfgA0" << "cbK";
        QTest::newRow("區域, 取消 held, grid") << "cmdCancel" << "cbK" << "hfgA0" << "hfgA0";
        QTest::newRow("工程種類, 取消 held, box") << "Command4" << "cbT" << "hfgW" << "cbT";
        QTest::newRow("施工, 取消 held, grid") << "Command4" << "cbT" << "hfgW" << "hfgW";
    }
    void heldDatabaseWaitsOnce() {
        QFETCH(QString, button);
        QFETCH(QString, box);
        QFETCH(QString, grid);
        QFETCH(QString, cancel);
        frmEng* f = fx.window();
        if (box == QLatin1String("cbT"))
            CatalogUi::get<QTabWidget>("Tab1")->setCurrentIndex(1);
        QComboBox* list = child<QComboBox>(f, box.toLatin1().constData());
        QTableWidget* rows = grid == QLatin1String("hfgA0") ? CatalogUi::areaGrid(0) : CatalogUi::grid("hfgW");
        const QStringList entries = CatalogUi::column(rows);
        const int count = list->count();
        QVERIFY(count > 0 && !entries.isEmpty());
        db::fault::failAll(db::fault::Error::Busy);
        const auto disarm = qScopeGuard([] { db::fault::clear(); });
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        QString editorReason;
        const bool atUse = cancel == box || cancel == grid;
        if (!atUse) // the editor opens only from its own buttons
            QTimer::singleShot(0, this, [&] {
                editorReason = TestListEditor::list()->toolTip();
                press("Command1");
            });
        QTest::mouseClick(child<QPushButton>(f, button.toLatin1().constData()), Qt::LeftButton);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(db::fault::waitCount(), 1);
        QVERIFY2(atUse || editorReason.startsWith(QStringLiteral("未能載入：")), qPrintable(editorReason));
        QCOMPARE(list->count(), count);
        QVERIFY(atUse || CatalogUi::column(rows) == entries);
        db::fault::clear();
        QTest::mouseClick(cancel == box    ? static_cast<QWidget*>(list)
                          : cancel == grid ? rows->viewport()
                                           : child<QPushButton>(f, cancel.toLatin1().constData()),
                          Qt::LeftButton);
        list->hidePopup();
        QCOMPARE(list->count(), count);
        QVERIFY(list->toolTip().isEmpty());
        QCOMPARE(CatalogUi::column(rows), entries);
    }

    // A name typed in the frame is not dropped by 離開 or the close box without a question (No by
    // default); the frame left as it was opened closes silently.
    void typedNameAsksBeforeLeaving_data() {
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer"); // -1: Enter; 0: no question
        QTest::addColumn<bool>("closes");
        QTest::newRow("added name, enter keeps it") << false << "新的" << -1 << false;
        QTest::newRow("added name, yes drops it") << false << "新的" << int(ui::Answer::Yes) << true;
        QTest::newRow("new name, enter keeps it") << true << "新名" << -1 << false;
        QTest::newRow("rename untouched") << true << "" << 0 << true;
        QTest::newRow("nothing typed") << false << "" << 0 << true;
    }
    void typedNameAsksBeforeLeaving() {
        QFETCH(bool, rename);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        frmEm* f = open("k");
        const QStringList before = stored("k");
        list()->setCurrentRow(0);
        press(rename ? "cmdEdit" : "cmdNew");
        if (!typed.isEmpty())
            enterText(typed);
        ScriptedDialogs dialogs;
        if (answer < 0)
            dialogs.answerUnexpectedAsEnter(1);
        else if (answer > 0)
            dialogs.expectMessage(ui::Answer(answer));
        QCOMPARE(f->unload(), closes);
        VERIFY_DIALOGS(dialogs);
        if (!closes)
            QCOMPARE(child<QLineEdit>(f, "txt")->text(), typed);
        QCOMPARE(stored("k"), before);
    }

    // Opened from the window, the editor wears the colour of the box whose list it edits, and
    // grows by the frame while an entry is added or renamed.
    void colourAndHeightByMode() {
        fx.window();
        auto setBase = [](const char* box, const QColor& c) {
            auto* b = CatalogUi::get<QComboBox>(box);
            QPalette p = b->palette();
            p.setColor(QPalette::Base, c);
            b->setPalette(p);
        };
        setBase("cbK", QColor(255, 255, 192));
        setBase("cbT", QColor(192, 255, 255));
        QColor seen[2];
        int heights[3] = {};
        QTimer::singleShot(0, this, [&] {
            frmEm* f = ui::Default<frmEm>::get();
            seen[0] = f->palette().color(QPalette::Window);
            heights[0] = int(std::lround(ui::pixelsToTwipsY(f->height(), f)));
            press("cmdNew");
            heights[1] = int(std::lround(ui::pixelsToTwipsY(f->height(), f)));
            QVERIFY(child<QWidget>(f, "fm")->isVisible());
            QVERIFY(child<QWidget>(f, "fm")->autoFillBackground());
            press("cmdN");
            heights[2] = int(std::lround(ui::pixelsToTwipsY(f->height(), f)));
            press("Command1");
        });
        CatalogUi::click("cmEdK");
        QTimer::singleShot(0, this, [&] {
            seen[1] = ui::Default<frmEm>::get()->palette().color(QPalette::Window);
            press("Command1");
        });
        CatalogUi::click("Command2");
        QCOMPARE(seen[0], QColor(255, 255, 192));
        QCOMPARE(seen[1], QColor(192, 255, 255));
        QVERIFY(std::abs(heights[0] - 6465) <= 15);
        QVERIFY(std::abs(heights[1] - 8130) <= 15);
        QVERIFY(std::abs(heights[2] - 6465) <= 15);
    }

    // With the focus in the list and nothing chosen, 刪除, 修改 and ▼ ask for a choice. A chosen
    // entry renamed with text from an input method is confirmed by Enter; the window keeps its size.
    void actsOnlyOnTheChosenEntry() {
        frmEm* f = open("k");
        QVERIFY(CatalogUi::activate(f));
        list()->setFocus();
        QStringList expected = stored("k");
        ScriptedDialogs dialogs;
        for (const char* name : {"cmdDel", "cmdEdit", "cmdDn"}) {
            dialogs.expectMessage();
            press(name);
        }
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(1).text, QStringLiteral("請先選取"));

        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(1)).center());
        f->resize(f->width() + 40, f->height() + 60); // as the user sized it
        const QSize size = f->size();
        press("cmdEdit");
        CatalogUi::commit(QStringLiteral("商辦"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        expected[1] = QStringLiteral("商辦");
        QCOMPARE(stored("k"), expected);
        QCOMPARE(f->size(), size);
    }

    // A read that fails ends no handler and writes nothing from it; a list that could not be read
    // is never written back.
    void failedReadsWriteNothing() {
        frmEm* f = open("k");
        press("cmdNew");
        enterText(QStringLiteral("AB"));
        press("cmdY");
        QStringList expected = stored("k");
        list()->setCurrentRow(list()->count() - 1);
        press("cmdEdit");
        enterText(QStringLiteral("新名"));
        db::fault::failTable(QStringLiteral("別"), db::fault::Error::IoError, db::fault::Access::Read);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        press("cmdY"); // the check of the new name fails
        // A change of letter case needs no check; the list read after it fails.
        enterText(QStringLiteral("ab"));
        dialogs.expectMessage();
        press("cmdY");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(list()->count(), 0);
        QVERIFY(!child<QPushButton>(f, "cmdNew")->isEnabled());
        QVERIFY(f->unload());
        db::fault::clear();
        expected.last() = QStringLiteral("ab");
        QCOMPARE(stored("k"), expected);
    }

    // 確定 on a rename, or 刪除, of an entry deleted meanwhile refuses, naming it (a rename keeps the
    // frame and the text); the order moved before is stored without bringing the entry back.
    void changeOfADeletedEntryIsRefused_data() {
        QTest::addColumn<bool>("rename");
        QTest::newRow("rename") << true;
        QTest::newRow("delete") << false;
    }
    void changeOfADeletedEntryIsRefused() {
        QFETCH(bool, rename);
        frmEm* f = open("k");
        list()->setCurrentRow(0);
        press("cmdDn");
        list()->setCurrentRow(4);
        if (rename) {
            press("cmdEdit");
            enterText(QStringLiteral("牙醫診所"));
        }
        fx.openDb()->execute(QStringLiteral("DELETE FROM 別 WHERE k = '診所'")); // another workstation
        ScriptedDialogs dialogs;
        if (!rename)
            dialogs.expectMessage(ui::Answer::Yes);
        dialogs.expectMessage();
        press(rename ? "cmdY" : "cmdDel");
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().last().text.startsWith(QStringLiteral("【診所】已不存在")));
        QCOMPARE(child<QWidget>(f, "fm")->isVisible(), rename);
        QCOMPARE(child<QLineEdit>(f, "txt")->text(), rename ? QStringLiteral("牙醫診所") : QString());
        QCOMPARE(stored("k"), (QStringList{QStringLiteral("店面"), QStringLiteral("住宅"),
                                           QStringLiteral("辦公室"), QStringLiteral("餐廳")}));
    }

    // Leaving a list only looked at writes nothing (a read-only database says nothing); an order
    // that could not be stored is kept unless the user closes without it.
    void leavingStoresOnlyAChangedOrder() {
        db::fault::failTable(QStringLiteral("別"), db::fault::Error::ReadOnly, db::fault::Access::Write);
        ScriptedDialogs dialogs;
        QVERIFY(open("k")->unload());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        open("k");
        list()->setCurrentRow(0);
        press("cmdDn");
        dialogs.expectMessage(ui::Answer::No);
        press("Command1");
        QVERIFY(ui::Default<frmEm>::isLoaded());
        QCOMPARE(dialogs.messages().at(0).defaultButton, 2);
        db::fault::clear();
        press("Command1");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(stored("k").first(), QStringLiteral("店面"));
    }

    // A change of letter case only renames, without the merge question; a name that differs from
    // an entry only in case is that entry.
    void letterCaseOnlyRenames() {
        open("k");
        press("cmdNew");
        enterText(QStringLiteral("AB"));
        press("cmdY");
        list()->setCurrentRow(list()->count() - 1);
        press("cmdEdit");
        enterText(QStringLiteral("ab"));
        ScriptedDialogs dialogs;
        press("cmdY");
        QCOMPARE(stored("k").size(), 6);
        QCOMPARE(stored("k").last(), QStringLiteral("ab"));
        dialogs.expectMessage();
        press("cmdNew");
        enterText(QStringLiteral("Ab"));
        press("cmdY");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("【Ab】已存在"));
        QCOMPARE(stored("k").size(), 6);
    }
};

QTEST_MAIN(TestListEditor)
#include "tst_frmem.moc"
