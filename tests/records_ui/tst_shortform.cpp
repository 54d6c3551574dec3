// The three record windows back in the short form, by every button that returns to it: the
// window is as high as the short form, not held at the height of the detail area it hid.
#include "RecordsUiFixture.h"
#include "ScriptedDialogs.h"
#include "ui/Twips.h"

#include <QtTest>

class TestShortForm : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void heightAfterTheFullPage_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QByteArray>("button");
        for (const char* window : {"frmCus", "frmPrv", "frmSta"})
            for (const char* button : {"Command2", "Command3", "cmdDel"})
                QTest::addRow("%s %s", window, button) << QString::fromLatin1(window) << QByteArray(button);
    }
    void heightAfterTheFullPage() {
        QFETCH(QString, window);
        QFETCH(QByteArray, button);
        records::RecordWindow* f = showRecordWindow(window);
        const int shortHeight = f->height();
        QCOMPARE(shortHeight, ui::twipsToPixelsY(f->kind().shortHeight));
        clickRow(f, 0);
        clickButton(f, "Command2");
        QTRY_VERIFY(f->height() > shortHeight);
        ScriptedDialogs dialogs;
        if (button == "cmdDel")
            dialogs.expectMessage(ui::Answer::Yes);
        clickButton(f, button.constData());
        VERIFY_DIALOGS(dialogs);
        QTRY_COMPARE(f->height(), shortHeight);
    }
};

QTEST_MAIN(TestShortForm)
#include "tst_shortform.moc"
