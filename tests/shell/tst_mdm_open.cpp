// Opening the main database from Mdbpath.ini with its folder prompt, the print settings and the
// event-loop wait of mdM.
#include "ScriptedDialogs.h"
#include "TempProgramFolder.h"
#include "mdM.h"
#include "system/System.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QtTest/QtTest>

using ui::Answer;

namespace {

const QString kPromptEnd = QStringLiteral("\r\n\r\n請輸入〔Kavo3.Mdb〕的路徑\r\n例如: ") + QDir::homePath() +
                           QStringLiteral("/kavo3demo");

// The description the database layer gives for opening the main database in `folder`.
QString openError(const QString& folder) {
    try {
        db::Database::open(folder + QStringLiteral("/Kavo3.mdb"), QString::fromUtf8(mdM::kMainDbPassword));
    } catch (const db::DbError& e) {
        return e.description();
    }
    return {};
}

} // namespace

class TestMdmOpen : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensAtOnce();
    void relativeFoldersFollowProgramFolder();
    void promptsForMissingDatabase_data();
    void promptsForMissingDatabase();
    void answerKeptAsTyped_data();
    void answerKeptAsTyped();
    void promptRepeatsUntilFolderOpens();
    void cancelEndsProgram_data();
    void cancelEndsProgram();
    void otherErrorShowsNumber_data();
    void otherErrorShowsNumber();
    void reopeningReplacesConnection();

    void loadPrintSettings_data();
    void loadPrintSettings();

    void delayKeepsEventLoopRunning();

private:
    int m_exitCode = -1;
};

void TestMdmOpen::init() {
    mdM::ResetState();
    m_exitCode = -1;
    sys::resetExitRequested();
    sys::setExitHandler([this](int code) { m_exitCode = code; });
}

void TestMdmOpen::cleanup() {
    mdM::ResetState();
    sys::setExitHandler({});
    sys::resetExitRequested();
}

void TestMdmOpen::opensAtOnce() {
    TempProgramFolder pf;
    const QString dbDir = pf.mkdir(QStringLiteral("data"));
    QVERIFY(!pf.createMainDb(dbDir).isEmpty());
    QVERIFY(pf.writeMdbPath(dbDir, pf.path(), pf.file(QStringLiteral("quotes"))));

    ScriptedDialogs dialogs;
    QVERIFY(mdM::OpenDatabase());
    VERIFY_DIALOGS(dialogs);
    QVERIFY(mdM::MainDb);
    QCOMPARE(mdM::MainDb->path(), dbDir + QStringLiteral("/Kavo3.mdb"));
    QCOMPARE(mdM::DbFolder, dbDir);
    QCOMPARE(mdM::TemplateFolder, pf.path());
    QCOMPARE(mdM::QuoteFolder, pf.file(QStringLiteral("quotes")));
    QVERIFY(mdM::MainDb->tableExists(QStringLiteral("員工")));
}

// A copied program folder with relative folders works on its own database; rewriting the file keeps
// the relative form of an unchanged folder and writes a new one inside the program folder relative.
void TestMdmOpen::relativeFoldersFollowProgramFolder() {
    TempProgramFolder pf;
    const QString dbDir = pf.mkdir(QStringLiteral("data"));
    QVERIFY(!pf.createMainDb(dbDir).isEmpty());
    QVERIFY(pf.writeMdbPath(QStringLiteral("data"), QStringLiteral("."), QStringLiteral("quotes")));

    ScriptedDialogs dialogs;
    QVERIFY(mdM::OpenDatabase());
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(mdM::MainDb->path(), dbDir + QStringLiteral("/Kavo3.mdb"));
    QCOMPARE(mdM::TemplateFolder, pf.path());
    QCOMPARE(mdM::QuoteFolder, pf.file(QStringLiteral("quotes")));

    const QString other = pf.mkdir(QStringLiteral("other"));
    QVERIFY(mdM::writeMdbPathIni(mdM::DbFolder, other, mdM::QuoteFolder).isEmpty());
    QCOMPARE(pf.readSettings(QString::fromUtf8(mdM::kMdbPathIni)),
             QStringList({QStringLiteral("data"), QStringLiteral("other"), QStringLiteral("quotes")}));
}

// Mdbpath.ini content: "DB" the good database folder, "EMPTY" a folder without the database,
// "NONE" a folder that does not exist, "T"/"Q" template and quotation folders; "-" no file.
void TestMdmOpen::promptsForMissingDatabase_data() {
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("folder without the database")
        << QStringList{"EMPTY", "T", "Q"} << QStringList{"DB", "T", "Q"};
    QTest::newRow("folder that does not exist")
        << QStringList{"NONE", "T", "Q"} << QStringList{"DB", "T", "Q"};
    QTest::newRow("empty lines take the new folder")
        << QStringList{"NONE", "", ""} << QStringList{"DB", "DB", "DB"};
    QTest::newRow("no Mdbpath.ini") << QStringList{"-"} << QStringList{"DB", "DB", "DB"};
    QTest::newRow("Mdbpath.ini of one line") << QStringList{"DB"} << QStringList{"DB", "DB", "DB"};
    QTest::newRow("Mdbpath.ini of two lines") << QStringList{"EMPTY", "T"} << QStringList{"DB", "T", "DB"};
}

void TestMdmOpen::promptsForMissingDatabase() {
    QFETCH(QStringList, ini);
    QFETCH(QStringList, written);
    TempProgramFolder pf;
    QMap<QString, QString> folders;
    folders[QStringLiteral("DB")] = pf.mkdir(QStringLiteral("good"));
    folders[QStringLiteral("EMPTY")] = pf.mkdir(QStringLiteral("empty"));
    folders[QStringLiteral("NONE")] = pf.file(QStringLiteral("none"));
    folders[QStringLiteral("T")] = pf.mkdir(QStringLiteral("templates"));
    folders[QStringLiteral("Q")] = pf.mkdir(QStringLiteral("quotes"));
    folders[QString()] = QString();
    const auto resolve = [&](const QStringList& keys) {
        QStringList out;
        for (const QString& k : keys)
            out << folders.value(k);
        return out;
    };
    QVERIFY(!pf.createMainDb(folders[QStringLiteral("DB")]).isEmpty());
    if (ini != QStringList{"-"})
        QVERIFY(pf.writeSettings(QStringLiteral("Mdbpath.ini"), resolve(ini)));

    ScriptedDialogs dialogs;
    dialogs.expectInput(folders[QStringLiteral("DB")] + QStringLiteral("/"));
    QVERIFY(mdM::OpenDatabase());
    VERIFY_DIALOGS(dialogs);

    const ui::InputRequest prompt = dialogs.inputs().at(0);
    QVERIFY2(prompt.prompt.endsWith(kPromptEnd), qPrintable(prompt.prompt));
    QVERIFY(prompt.prompt.size() > kPromptEnd.size()); // the reason comes first
    QVERIFY(prompt.title.isEmpty());
    QVERIFY(prompt.defaultText.isEmpty());

    const QStringList expected = resolve(written);
    QStringList stored = expected;
    stored.replaceInStrings(pf.path() + QStringLiteral("/"), QString()); // inside: relative
    QCOMPARE(pf.readSettings(QStringLiteral("Mdbpath.ini")), stored);
    QCOMPARE(mdM::DbFolder, expected.at(0));
    QCOMPARE(mdM::TemplateFolder, expected.at(1));
    QCOMPARE(mdM::QuoteFolder, expected.at(2));
    QVERIFY(mdM::MainDb);
    QCOMPARE(mdM::MainDb->path(), folders[QStringLiteral("DB")] + QStringLiteral("/Kavo3.mdb"));
    QVERIFY(!sys::exitRequested());
}

// The answer as Mdbpath.ini keeps it ("PF" the program folder, "OUT" a folder outside it).
void TestMdmOpen::answerKeptAsTyped_data() {
    QTest::addColumn<QString>("db");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("program folder as .") << "."
                                         << "."
                                         << ".";
    QTest::newRow("relative as typed") << "good"
                                       << "./good/"
                                       << "./good";
    QTest::newRow("program folder in full") << "."
                                            << "PF"
                                            << ".";
    QTest::newRow("inside the program folder") << "good"
                                               << "PF/good"
                                               << "good";
    QTest::newRow("outside the program folder") << "OUT"
                                                << "OUT"
                                                << "OUT";
}

void TestMdmOpen::answerKeptAsTyped() {
    QFETCH(QString, db);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TempProgramFolder pf;
    QTemporaryDir outside;
    const auto path = [&](QString s) {
        return s.replace(QLatin1String("PF"), pf.path()).replace(QLatin1String("OUT"), outside.path());
    };
    const QString dbDir = QDir::cleanPath(QDir(pf.path()).absoluteFilePath(path(db)));
    QVERIFY(QDir().mkpath(dbDir) && !pf.createMainDb(dbDir).isEmpty());
    QVERIFY(pf.writeMdbPath(pf.file(QStringLiteral("gone")), QStringLiteral("T"), QString()));

    ScriptedDialogs dialogs;
    dialogs.expectInput(path(typed));
    QVERIFY(mdM::OpenDatabase());
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(mdM::DbFolder, dbDir);
    QCOMPARE(mdM::QuoteFolder, dbDir);
    QCOMPARE(pf.readSettings(QStringLiteral("Mdbpath.ini")), (QStringList{path(stored), "T", path(stored)}));
}

void TestMdmOpen::promptRepeatsUntilFolderOpens() {
    TempProgramFolder pf;
    const QString good = pf.mkdir(QStringLiteral("good"));
    const QString bad = pf.mkdir(QStringLiteral("bad"));
    QVERIFY(!pf.createMainDb(good).isEmpty());
    QVERIFY(pf.writeMdbPath(pf.file(QStringLiteral("gone")), QStringLiteral("T"), QStringLiteral("Q")));

    ScriptedDialogs dialogs;
    dialogs.expectInput(bad);
    dialogs.expectInput(good);
    QVERIFY(mdM::OpenDatabase());
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.inputs().size(), 2);
    // The second prompt tells why the folder typed first failed.
    QCOMPARE(dialogs.inputs().at(1).prompt, openError(bad) + kPromptEnd);
    QCOMPARE(pf.readSettings(QStringLiteral("Mdbpath.ini")), (QStringList{"good", "T", "Q"}));
    QCOMPARE(mdM::MainDb->path(), good + QStringLiteral("/Kavo3.mdb"));
}

void TestMdmOpen::cancelEndsProgram_data() {
    // Answers in order: "" Cancel, "BAD" a folder without the database, "GOOD" the database folder.
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("opened");
    QTest::newRow("cancel, cancel") << QStringList{"", ""} << false;
    QTest::newRow("bad folder, cancel") << QStringList{"BAD", ""} << false;
    QTest::newRow("cancel, bad folder, cancel") << QStringList{"", "BAD", ""} << false;
    QTest::newRow("cancel, good folder") << QStringList{"", "GOOD"} << true;
}

void TestMdmOpen::cancelEndsProgram() {
    QFETCH(QStringList, answers);
    QFETCH(bool, opened);
    TempProgramFolder pf;
    const QString good = pf.mkdir(QStringLiteral("good"));
    const QString bad = pf.mkdir(QStringLiteral("bad"));
    QVERIFY(!pf.createMainDb(good).isEmpty());
    const QStringList ini{pf.file(QStringLiteral("gone")), QStringLiteral("T"), QStringLiteral("Q")};
    QVERIFY(pf.writeSettings(QStringLiteral("Mdbpath.ini"), ini));

    ScriptedDialogs dialogs;
    for (const QString& a : answers) {
        if (a.isEmpty())
            dialogs.expectInput(std::nullopt);
        else
            dialogs.expectInput(a == QLatin1String("BAD") ? bad : good);
    }
    if (!opened)
        dialogs.expectMessage(Answer::OK);

    QCOMPARE(mdM::OpenDatabase(), opened);
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(bool(mdM::MainDb), opened);
    QCOMPARE(sys::exitRequested(), !opened);
    if (opened) {
        QCOMPARE(m_exitCode, -1);
        QCOMPARE(pf.readSettings(QStringLiteral("Mdbpath.ini")).at(0), QStringLiteral("good"));
        return;
    }
    QVERIFY(m_exitCode != -1);
    const ui::MessageRequest m = dialogs.messages().at(0);
    QCOMPARE(m.icon, ui::Icon::Critical);
    QCOMPARE(m.buttons, ui::Buttons::OK);
    QVERIFY2(m.text.contains(QLatin1String("Kavo3.mdb")), qPrintable(m.text));
    QCOMPARE(pf.readSettings(QStringLiteral("Mdbpath.ini")), ini);
}

void TestMdmOpen::otherErrorShowsNumber_data() {
    QTest::addColumn<bool>("wrongPassword");
    QTest::newRow("wrong password") << true;
    QTest::newRow("damaged file") << false;
}

void TestMdmOpen::otherErrorShowsNumber() {
    QFETCH(bool, wrongPassword);
    TempProgramFolder pf;
    const QString good = pf.mkdir(QStringLiteral("good"));
    const QString other = pf.mkdir(QStringLiteral("other"));
    QVERIFY(!pf.createMainDb(good).isEmpty());
    const QString otherDb = other + QStringLiteral("/Kavo3.mdb");
    if (wrongPassword) {
        db::Database::create(otherDb, QStringLiteral("another"), QStringLiteral("CREATE TABLE t(x);"));
    } else {
        QFile f(otherDb);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }

    // An earlier connection stays when the new opening fails.
    QVERIFY(pf.writeMdbPath(good, good, good));
    QVERIFY(mdM::OpenDatabase());
    const db::DatabasePtr before = mdM::MainDb;
    const QStringList ini{other, QStringLiteral("T"), QStringLiteral("Q")};
    QVERIFY(pf.writeSettings(QStringLiteral("Mdbpath.ini"), ini));

    int number = 0;
    QString description;
    try {
        db::Database::open(otherDb, QString::fromUtf8(mdM::kMainDbPassword));
    } catch (const db::DbError& e) {
        number = e.number();
        description = e.description();
    }
    QVERIFY(number != 0 && number != db::ErrFileNotFound && number != db::ErrInvalidPath);

    ScriptedDialogs dialogs;
    dialogs.expectMessage(Answer::OK);
    QVERIFY(!mdM::OpenDatabase());
    VERIFY_DIALOGS(dialogs);
    const ui::MessageRequest m = dialogs.messages().at(0);
    QCOMPARE(m.text, QString::number(number) + QStringLiteral("\r\n") + description);
    QCOMPARE(m.icon, ui::Icon::None);
    QCOMPARE(m.buttons, ui::Buttons::OK);
    QVERIFY(m.title.isEmpty());
    QCOMPARE(mdM::MainDb, before);
    QCOMPARE(pf.readSettings(QStringLiteral("Mdbpath.ini")), ini);
    QVERIFY(!sys::exitRequested());
}

void TestMdmOpen::reopeningReplacesConnection() {
    TempProgramFolder pf;
    QVERIFY(!pf.createMainDb().isEmpty());
    QVERIFY(pf.writeMdbPath(pf.path(), pf.path(), pf.path()));
    ScriptedDialogs dialogs;
    QVERIFY(mdM::OpenDatabase());
    std::weak_ptr<db::Database> first = mdM::MainDb;
    QVERIFY(mdM::OpenDatabase());
    VERIFY_DIALOGS(dialogs);
    QVERIFY(mdM::MainDb);
    QVERIFY(first.expired()); // the replaced connection was closed
    QVERIFY(mdM::MainDb->tableExists(QStringLiteral("員工")));
}

void TestMdmOpen::loadPrintSettings_data() {
    // "-" as the only line: no such file.
    QTest::addColumn<QStringList>("xp");
    QTest::addColumn<QStringList>("fast");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("fixed");
    const QStringList defaults{"8", "A", "A1", "G39", "30"};
    QTest::newRow("both files") << QStringList{"10", "B", "B2", "H50", "40"} << QStringList{"1"}
                                << QStringList{"10", "B", "B2", "H50", "40"} << true;
    QTest::newRow("fixed header off") << QStringList{"10", "B", "B2", "H50", "40"} << QStringList{"0"}
                                      << QStringList{"10", "B", "B2", "H50", "40"} << false;
    QTest::newRow("only the first character counts") << defaults << QStringList{"10"} << defaults << true;
    QTest::newRow("empty first line") << defaults << QStringList{""} << defaults << false;
    QTest::newRow("empty fastP.ini") << defaults << QStringList{} << defaults << false;
    QTest::newRow("no files") << QStringList{"-"} << QStringList{"-"} << defaults << false;
    QTest::newRow("no fastP.ini") << QStringList{"9", "C", "C3", "J60", "45"} << QStringList{"-"}
                                  << QStringList{"9", "C", "C3", "J60", "45"} << false;
    QTest::newRow("short Xp.ini") << QStringList{"12", "D"} << QStringList{"1"}
                                  << QStringList{"12", "D", "A1", "G39", "30"} << true;
    QTest::newRow("empty line stays empty") << QStringList{"12", "", "A2", "G40", "31"} << QStringList{"0"}
                                            << QStringList{"12", "", "A2", "G40", "31"} << false;
}

void TestMdmOpen::loadPrintSettings() {
    QFETCH(QStringList, xp);
    QFETCH(QStringList, fast);
    QFETCH(QStringList, values);
    QFETCH(bool, fixed);
    TempProgramFolder pf;
    if (xp != QStringList{"-"})
        QVERIFY(pf.writeSettings(QStringLiteral("Xp.ini"), xp));
    if (fast != QStringList{"-"})
        QVERIFY(pf.writeSettings(QStringLiteral("fastP.ini"), fast));
    mdM::XlFixedHeader = !fixed; // the reader sets it either way

    ScriptedDialogs dialogs; // no message whatever is missing
    mdM::LoadPrintSettings();
    VERIFY_DIALOGS(dialogs);
    QCOMPARE((QStringList{mdM::XlStartRow, mdM::XlStartCol, mdM::XlPageTopLeft, mdM::XlPageBottomRight,
                          mdM::XlRowsPerPage}),
             values);
    QCOMPARE(mdM::XlFixedHeader, fixed);
}

void TestMdmOpen::delayKeepsEventLoopRunning() {
    bool ran = false;
    QTimer::singleShot(50, this, [&ran] { ran = true; });
    auto* doomed = new QObject;
    QPointer<QObject> watch(doomed);
    QTimer::singleShot(20, doomed, [doomed] { doomed->deleteLater(); });
    QElapsedTimer clock;
    clock.start();
    mdM::Delay(0.2);
    QVERIFY(clock.elapsed() >= 200); // a wait that never ends is the test's time-out
    QVERIFY(ran);
    QVERIFY(watch.isNull()); // a window closed during the wait goes away as usual
}

QTEST_GUILESS_MAIN(TestMdmOpen)
#include "tst_mdm_open.moc"
