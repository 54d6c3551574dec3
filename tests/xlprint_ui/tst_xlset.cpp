// The print settings window: loading both files, the spin arrows, 套用's checks and writes,
// 離開 without writing.
#include "ScriptedDialogs.h"
#include "TempProgramFolder.h"
#include "TemplateDescription.h"
#include "frmXlSet.h"
#include "mdM.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

class TestXlSet : public QObject {
    Q_OBJECT
    std::unique_ptr<TempProgramFolder> folder;

    frmXlSet* form() {
        frmXlSet* f = ui::Default<frmXlSet>::get();
        f->show();
        return f;
    }
    QLineEdit* box(const char* name) {
        return ui::Default<frmXlSet>::get()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void click(const char* name) {
        auto* b = ui::Default<frmXlSet>::get()->findChild<QAbstractButton*>(QString::fromLatin1(name));
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void fill(const QStringList& v) {
        const char* names[] = {"txtRow", "Text3", "txtLU", "txtRD", "txtPr"};
        for (int i = 0; i < 5; ++i)
            box(names[i])->setText(v.at(i));
    }

private slots:
    void init() {
        mdM::ResetState();
        folder = std::make_unique<TempProgramFolder>();
        QVERIFY(folder->writeSettings(QStringLiteral("Xp.ini"), {"8", "A", "A1", "G39", "30"}));
        QVERIFY(folder->writeSettings(QStringLiteral("fastP.ini"), {"1"}));
    }
    void cleanup() {
        for (ui::Form* f : ui::loadedForms())
            delete f;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        folder.reset();
        mdM::ResetState();
    }

    void loadShowsTheFiles() {
        frmXlSet* f = form();
        QCOMPARE(f->windowTitle(), QStringLiteral("列印設定"));
        QCOMPARE(box("Text3")->text(), QStringLiteral("A"));
        QCOMPARE(box("txtRow")->text(), QStringLiteral("8"));
        QCOMPARE(box("txtLU")->text(), QStringLiteral("A1"));
        QCOMPARE(box("txtRD")->text(), QStringLiteral("G39"));
        QCOMPARE(box("txtPr")->text(), QStringLiteral("30"));
        QVERIFY(f->findChild<QCheckBox*>(QStringLiteral("ckf"))->isChecked());
        QVERIFY(mdM::XlFixedHeader);
    }

    void spinArrows() {
        form();
        for (int i = 0; i < 30; ++i)
            click("UpDown2Up");
        QCOMPARE(box("Text3")->text(), QStringLiteral("Z"));
        click("UpDown2Down");
        QCOMPARE(box("Text3")->text(), QStringLiteral("Y"));
        box("Text3")->setText(QStringLiteral("?"));
        click("UpDown2Up");
        QCOMPARE(box("Text3")->text(), QStringLiteral("A"));
        click("UpDown1Down");
        QCOMPARE(box("txtRow")->text(), QStringLiteral("7"));
        box("txtPr")->setText(QStringLiteral("1"));
        click("UpDown3Down");
        QCOMPARE(box("txtPr")->text(), QStringLiteral("1"));
    }

    void applyWritesBothFiles() {
        frmXlSet* f = form();
        fill({"12", "B", "A1", "H50", "25"});
        f->findChild<QCheckBox*>(QStringLiteral("ckf"))->setChecked(false);
        click("Command1");
        QCOMPARE(folder->readSettings(QStringLiteral("Xp.ini")), QStringList({"12", "B", "A1", "H50", "25"}));
        QCOMPARE(folder->readSettings(QStringLiteral("fastP.ini")), QStringList({"0"}));
        QCOMPARE(mdM::XlStartRow, QStringLiteral("12"));
        QCOMPARE(mdM::XlStartCol, QStringLiteral("B"));
        QCOMPARE(mdM::XlPageBottomRight, QStringLiteral("H50"));
        QVERIFY(!mdM::XlFixedHeader);
        QVERIFY(f->isVisible()); // the window stays open
    }

    void applyRefusesBadBoxes_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("named"); // the box the message names
        QTest::newRow("lower-case corner") << QStringList{"8", "A", "a1", "G39", "30"} << "txtLU"
                                           << "左上";
        QTest::newRow("both corners bad") << QStringList{"8", "A", "1", "x", "30"} << "txtLU"
                                          << "左上";
        QTest::newRow("corners crossed") << QStringList{"8", "A", "H1", "A39", "30"} << "txtRD"
                                         << "右下";
        QTest::newRow("rows past the page") << QStringList{"8", "A", "A1", "G39", "40"} << "txtPr"
                                            << "每一頁列數";
        QTest::newRow("row not a number") << QStringList{"x", "A", "A1", "G39", "30"} << "txtRow"
                                          << "起始列";
        QTest::newRow("column typed") << QStringList{"8", "AB", "A1", "G39", "30"} << "Text3"
                                      << "起始行";
        QTest::newRow("column past XFD") << QStringList{"8", "A", "A1", "ZZZ39", "30"} << "txtRD"
                                         << "右下";
        QTest::newRow("row past the sheet") << QStringList{"8", "A", "A1", "G2000000", "30"} << "txtRD"
                                            << "右下";
        QTest::newRow("column outside range") << QStringList{"8", "M", "A1", "G39", "30"} << "Text3"
                                              << "起始行必須在列印範圍之內";
        QTest::newRow("table past the range")
            << QStringList{"8", "G", "A1", "G39", "30"} << "Text3"
            << "起始行必須在列印範圍之內，表格的 7 行都要在 A 到 G 行裡（起始行只能是 A）";
        QTest::newRow("row below the range") << QStringList{"40", "A", "A1", "G39", "30"} << "txtRow"
                                             << "起始列必須在列印範圍之內（第 1 到 39 列）";
        // Judged against the shipped templates: row 38 is their signature row.
        QTest::newRow("rows onto the footer") << QStringList{"8", "A", "A1", "G39", "31"} << "txtPr"
                                              << "每一頁列數太多：第 38 列是範本的簽名列";
        QTest::newRow("start row on the footer") << QStringList{"38", "A", "A1", "G39", "1"} << "txtRow"
                                                 << "起始列不能是第 38 列：第 38 列是範本的簽名列";
        QTest::newRow("last column of the sheet") << QStringList{"8", "A", "A1", "XFD39", "30"} << "txtRD"
                                                  << "右下";
    }
    void applyRefusesBadBoxes() {
        QFETCH(QStringList, values);
        QFETCH(QString, focus);
        QFETCH(QString, named);
        QString error;
        QVERIFY2(tpl::writeMissing(folder->path(), nullptr, &error), qPrintable(error));
        mdM::TemplateFolder = folder->path();
        frmXlSet* f = form();
        f->activateWindow();
        fill(values);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        click("Command1");
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        const ui::MessageRequest m = dialogs.messages().at(0);
        QVERIFY2(m.text.startsWith(named), qPrintable(m.text));
        QCOMPARE(m.icon, ui::Icon::None);
        QVERIFY(m.title.isEmpty());
        QCOMPARE(f->focusWidget() ? f->focusWidget()->objectName() : QString(), focus);
        // Nothing written, nothing changed.
        QCOMPARE(folder->readSettings(QStringLiteral("Xp.ini")), QStringList({"8", "A", "A1", "G39", "30"}));
        QCOMPARE(mdM::XlStartRow, QStringLiteral("8"));
    }

    // Enter and Tab go from box to box, past the spin arrows; Enter in the last box applies.
    void keyboard() {
        frmXlSet* f = form();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
            box("Text3")->setFocus();
            for (const char* next : {"txtRow", "txtPr", "txtLU", "txtRD"}) {
                QTest::keyClick(QApplication::focusWidget(), key);
                QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
            }
        }
        box("txtRow")->setText(QStringLiteral("9"));
        QTest::keyClick(box("txtRD"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(mdM::XlStartRow, QStringLiteral("9"));
        // Escape leaves as 離開 does.
        box("txtRow")->setText(QStringLiteral("12"));
        QTest::keyClick(box("txtRow"), Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QCOMPARE(mdM::XlStartRow, QStringLiteral("9"));
    }

    void leaveWritesNothing() {
        form();
        fill({"12", "B", "A1", "H50", "25"});
        click("Command2");
        QCOMPARE(folder->readSettings(QStringLiteral("Xp.ini")).value(0), QStringLiteral("8"));
        QCOMPARE(mdM::XlStartRow, QStringLiteral("8"));
        // The next opening reloads the files.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form();
        QCOMPARE(box("txtRow")->text(), QStringLiteral("8"));
    }
};

QTEST_MAIN(TestXlSet)
#include "tst_xlset.moc"
