// The dialog seam: filters, the scripted backend tests rely on, the fallback and the widget boxes.
#include "ScriptedDialogs.h"
#include "db/Database.h"
#include "ui/WidgetDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

using ui::Answer;
using ui::Buttons;

class TestUiDialogs : public QObject {
    Q_OBJECT

private slots:
    void toQtFilter_data();
    void toQtFilter();
    void withDefaultSuffix_data();
    void withDefaultSuffix();
    void scriptedAnswersInOrder();
    void scriptedRecordsFailures();
    void scriptedFailsForgottenCheck();
    void fallbackAnswersLikeEscape_data();
    void fallbackAnswersLikeEscape();
    void busyMessageInOneForm_data();
    void busyMessageInOneForm();
    void widgetMessageBox_data();
    void widgetMessageBox();
    void widgetInputBox();
    void standardDialogsInChinese(); // last: the translations stay installed
};

void TestUiDialogs::toQtFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("two pairs") << "報價單|*.kav|所有檔案|*.*"
                               << "報價單 (*.kav);;所有檔案 (*.*)";
    QTest::newRow("several patterns") << "Excel|*.xls;*.xlsx"
                                      << "Excel (*.xls *.xlsx)";
    QTest::newRow("patterns already in the description")
        << "All Files (*.*)|*.*|澄築工房 檔案(*.kav)|*.kav|Excel (2007)|*.xlsx"
        << "All Files (*.*);;澄築工房 檔案(*.kav);;Excel (2007) (*.xlsx)";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("description without pattern") << "文字|*.txt|其他"
                                                 << "文字 (*.txt);;其他";
}

void TestUiDialogs::toQtFilter() {
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(ui::toQtFilter(filter), qt);
}

void TestUiDialogs::withDefaultSuffix_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no suffix") << "/q/林宅" << "kav" << "/q/林宅.kav";
    QTest::newRow("a dot at the end") << "/q/林宅." << "kav" << "/q/林宅.kav";
    QTest::newRow("the suffix") << "/q/林宅.KAV" << "kav" << "/q/林宅.KAV";
    QTest::newRow("a dot in the name") << "/q/陳宅2.5坪" << "kav" << "/q/陳宅2.5坪.kav";
    QTest::newRow("a version") << "/q/林宅 v1.2" << "kav" << "/q/林宅 v1.2.kav";
    QTest::newRow("another suffix") << "/q/林宅.txt" << "pdf" << "/q/林宅.txt.pdf";
    QTest::newRow("a dot in the folder") << "/q.v2/林宅" << "kav" << "/q.v2/林宅.kav";
    QTest::newRow("cancelled") << "" << "kav" << "";
    QTest::newRow("no default suffix") << "/q/林宅" << "" << "/q/林宅";
}

void TestUiDialogs::withDefaultSuffix() {
    QFETCH(QString, typed);
    QFETCH(QString, suffix);
    QFETCH(QString, saved);
    QCOMPARE(ui::withDefaultSuffix(typed, suffix), saved);
}

void TestUiDialogs::scriptedAnswersInOrder() {
    ScriptedDialogs d;
    d.expectMessage(Answer::No);
    d.expectInput(QStringLiteral("abc"));
    d.expectInput(std::nullopt);
    d.expectOpenFile(QStringLiteral("/a.kav"));
    d.expectSaveFile(QStringLiteral("/b.kav"));
    d.expectFolder(QStringLiteral("/c"));
    QCOMPARE(ui::msgBox(QStringLiteral("是否儲存?"), Buttons::YesNo, ui::Icon::Question, {}, 2), Answer::No);
    QCOMPARE(ui::inputBox(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d")),
             std::optional<QString>(QStringLiteral("abc")));
    QCOMPARE(ui::inputBox(QStringLiteral("p2")), std::optional<QString>());
    QCOMPARE(ui::openFileDialog({QStringLiteral("開啟"), {}, {}, {}, 1, {}}), QStringLiteral("/a.kav"));
    QCOMPARE(ui::saveFileDialog({}), QStringLiteral("/b.kav"));
    QCOMPARE(ui::folderDialog({}), QStringLiteral("/c"));
    VERIFY_DIALOGS(d);
    QCOMPARE(d.shown().size(), 6);
    const ui::MessageRequest m = d.messages().at(0);
    QCOMPARE(m.text, QStringLiteral("是否儲存?"));
    QCOMPARE(m.icon, ui::Icon::Question);
    QCOMPARE(m.defaultButton, 2);
    QCOMPARE(d.inputs().at(0).title, QStringLiteral("t"));
    QCOMPARE(d.inputs().at(0).defaultText, QStringLiteral("d"));
    QCOMPARE(d.files().at(0).title, QStringLiteral("開啟"));
}

void TestUiDialogs::scriptedRecordsFailures() {
    ScriptedDialogs d;
    // Unexpected: answered like Escape and recorded.
    QCOMPARE(ui::msgBox(QStringLiteral("surprise"), Buttons::YesNoCancel), Answer::Cancel);
    QVERIFY(!d.ok());
    QVERIFY(d.failures().contains(QLatin1String("surprise")));
    d.clear();

    // Another kind than expected: not consumed.
    d.expectInput(QStringLiteral("x"));
    QCOMPARE(ui::msgBox(QStringLiteral("wrong kind")), Answer::OK);
    QCOMPARE(d.pending(), 1);
    QVERIFY(d.failures().contains(QLatin1String("input box")));
    d.clear();

    // An answer the box has no button for.
    d.expectMessage(Answer::Yes);
    ui::msgBox(QStringLiteral("ok only"));
    QVERIFY(!d.ok());
    d.clear();

    // An expectation never consumed.
    d.expectFolder(QStringLiteral("/x"));
    QVERIFY(!d.ok());
    QVERIFY(d.failures().contains(QLatin1String("never shown")));
    d.clear();
    QVERIFY(d.ok());
}

void TestUiDialogs::scriptedFailsForgottenCheck() {
    QEXPECT_FAIL("", "an expectation left at destruction fails the test", Continue);
    {
        ScriptedDialogs d;
        d.expectMessage(Answer::OK);
    }
    QVERIFY(ui::installedDialogBackend() == nullptr);
}

void TestUiDialogs::fallbackAnswersLikeEscape_data() {
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("OK") << Buttons::OK << Answer::OK;
    QTest::newRow("OKCancel") << Buttons::OKCancel << Answer::Cancel;
    QTest::newRow("YesNo") << Buttons::YesNo << Answer::No;
    QTest::newRow("YesNoCancel") << Buttons::YesNoCancel << Answer::Cancel;
    QTest::newRow("RetryCancel") << Buttons::RetryCancel << Answer::Cancel;
    QTest::newRow("AbortRetryIgnore") << Buttons::AbortRetryIgnore << Answer::Abort;
}

void TestUiDialogs::fallbackAnswersLikeEscape() {
    QFETCH(Buttons, buttons);
    QFETCH(Answer, answer);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No dialog backend")));
    QCOMPARE(ui::msgBox(QStringLiteral("x"), buttons), answer);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No dialog backend")));
    QVERIFY(!ui::inputBox(QStringLiteral("p")).has_value());
}

// However a window shows a held database, the box says it in one form: the exclamation icon, no
// error number; other messages stay as given.
void TestUiDialogs::busyMessageInOneForm_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("shownIcon");
    const QString busy = QString::fromUtf8(db::kBusyMessage);
    const int exclamation = int(ui::Icon::Exclamation);
    QTest::newRow("number, critical") << "3218\r\n" + busy << int(ui::Icon::Critical) << busy << exclamation;
    QTest::newRow("no number, no icon") << busy << int(ui::Icon::None) << busy << exclamation;
    QTest::newRow("with its context") << "統計資料庫 sta.mdb 無法開啟\r\n3218\r\n" + busy << int(ui::Icon::Critical)
                                      << "統計資料庫 sta.mdb 無法開啟\r\n" + busy << exclamation;
    QTest::newRow("another error") << "3043\r\n磁碟空間已滿" << int(ui::Icon::Critical) << "3043\r\n磁碟空間已滿"
                                   << int(ui::Icon::Critical);
}

void TestUiDialogs::busyMessageInOneForm() {
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(QString, shown);
    QFETCH(int, shownIcon);
    ScriptedDialogs dialogs;
    dialogs.expectMessage();
    ui::msgBox(text, Buttons::OK, ui::Icon(icon), QStringLiteral("Kavo III"));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.messages().at(0).text, shown);
    QCOMPARE(int(dialogs.messages().at(0).icon), shownIcon);
}

void TestUiDialogs::widgetMessageBox_data() {
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("OK") << Buttons::OK << 1 << QStringList{"確定"} << Answer::OK;
    QTest::newRow("YesNo, No default")
        << Buttons::YesNo << 2 << QStringList{"是(&Y)", "否(&N)"} << Answer::No;
    QTest::newRow("YesNoCancel") << Buttons::YesNoCancel << 1 << QStringList{"是(&Y)", "否(&N)", "取消"}
                                 << Answer::Yes;
    QTest::newRow("RetryCancel") << Buttons::RetryCancel << 1 << QStringList{"重試", "取消"} << Answer::Retry;
    QTest::newRow("AbortRetryIgnore, Ignore default")
        << Buttons::AbortRetryIgnore << 3 << QStringList{"中止", "重試", "略過"} << Answer::Ignore;
}

void TestUiDialogs::widgetMessageBox() {
    QFETCH(Buttons, buttons);
    QFETCH(int, defaultButton);
    QFETCH(QStringList, texts);
    QFETCH(Answer, answer);
    ui::installWidgetDialogs();
    QStringList seen;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QTimer guard; // whatever a check below finds, the box is closed within seconds
    guard.callOnTimeout([] { QApplication::activeModalWidget()->close(); });
    guard.start(3000);
    // Press the default button of the box once it shows.
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        // Wide enough for its title in a title bar, however short the text.
        const QFontMetrics fm(QApplication::font("QMdiSubWindowTitleBar"));
        QVERIFY(box->width() >= fm.horizontalAdvance(title) + 160); // room for the icon and buttons
        icon = box->icon();
        format = box->textFormat();
        for (QAbstractButton* b : box->buttons())
            seen << b->text();
        QVERIFY(box->defaultButton());
        box->defaultButton()->click();
    });
    // Markup in a name is shown as typed.
    const Answer got =
        ui::msgBox(QStringLiteral("<b>文字</b>"), buttons, ui::Icon::Critical, {}, defaultButton);
    ui::setDefaultDialogBackend(nullptr);
    QCOMPARE(got, answer);
    QCOMPARE(title, QStringLiteral("Kavo III"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(format, Qt::PlainText);
    std::sort(seen.begin(), seen.end());
    std::sort(texts.begin(), texts.end());
    QCOMPARE(seen, texts);
}

void TestUiDialogs::widgetInputBox() {
    ui::installWidgetDialogs();
    QString label;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, this, [&] {
        auto* dlg = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        label = dlg->labelText();
        format = dlg->findChild<QLabel*>()->textFormat();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("報價"));
        QCOMPARE(dlg->okButtonText(), QStringLiteral("確定"));
        QCOMPARE(dlg->cancelButtonText(), QStringLiteral("取消"));
        dlg->setTextValue(QStringLiteral("typed"));
        dlg->accept();
    });
    const auto got = ui::inputBox(QStringLiteral("<i>路徑</i>"), QStringLiteral("報價"), QStringLiteral("x"));
    QTimer::singleShot(0, this, [] { QApplication::activeModalWidget()->close(); });
    const auto cancelled = ui::inputBox(QStringLiteral("again"));
    ui::setDefaultDialogBackend(nullptr);
    QCOMPARE(label, QStringLiteral("<i>路徑</i>"));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(got, std::optional<QString>(QStringLiteral("typed")));
    QCOMPARE(cancelled, std::optional<QString>());
}

// Qt's own dialogs and standard buttons speak Traditional Chinese once the translations are in.
void TestUiDialogs::standardDialogsInChinese() {
    QVERIFY(ui::installStandardTranslations());
    QFileDialog dlg;
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("尋找於："));
    QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("fileTypeLabel"))->text(), QStringLiteral("檔案型態："));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    QVERIFY(box.button(QDialogButtonBox::Save)->text().startsWith(QStringLiteral("儲存")));
}

QTEST_MAIN(TestUiDialogs)
#include "tst_ui_dialogs.moc"
