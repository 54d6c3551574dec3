// The program's place on the machine: program folder, file names, spreadsheet check, read-only
// attribute and the orderly end of the program.
#include "system/System.h"
#include "text/Codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

bool touch(const QString& path, const QByteArray& bytes = "x") {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// An executable shell script named `name` in `dir`.
bool script(const QString& dir, const QString& name, const QByteArray& body) {
    const QString path = QDir(dir).filePath(name);
    return touch(path, "#!/bin/sh\n" + body + "\n") &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestSystem : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        sys::setProgramFolder({});
        sys::setExitHandler({});
        sys::resetExitRequested();
        sys::setSpreadsheetAppOverride(std::nullopt);
    }

    void programFolder() {
        QCOMPARE(sys::programFolder(), QCoreApplication::applicationDirPath());
        QTemporaryDir dir;
        sys::setProgramFolder(dir.path());
        QCOMPARE(sys::programFolder(), dir.path());
        QCOMPARE(sys::programFile(QStringLiteral("auto.ini")), dir.filePath(QStringLiteral("auto.ini")));
        QVERIFY(touch(dir.filePath(QStringLiteral("AUTO.INI"))));
        QCOMPARE(sys::programFile(QStringLiteral("auto.ini")), dir.filePath(QStringLiteral("AUTO.INI")));
        QCOMPARE(sys::autosavePath(), dir.filePath(QStringLiteral("autosave.kav")));
        sys::setProgramFolder({});
        QCOMPARE(sys::programFolder(), QCoreApplication::applicationDirPath());
    }

    void findFileNoCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found"); // relative to the folder
        QTest::newRow("exact") << "Mdbpath.ini"
                               << "Mdbpath.ini";
        QTest::newRow("other case") << "MDBPATH.INI"
                                    << "Mdbpath.ini";
        QTest::newRow("sub-folder, other case") << "pother/LIST.xls"
                                                << "Pother/List.XLS";
        QTest::newRow("missing") << "Of.ini"
                                 << "Of.ini";
        QTest::newRow("missing in sub-folder") << "POTHER/none.xls"
                                               << "POTHER/none.xls";
    }
    void findFileNoCase() {
        QFETCH(QString, name);
        QFETCH(QString, found);
        QTemporaryDir dir;
        QVERIFY(touch(dir.filePath(QStringLiteral("Mdbpath.ini"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Pother")));
        QVERIFY(touch(dir.filePath(QStringLiteral("Pother/List.XLS"))));
        QCOMPARE(sys::findFileNoCase(dir.path(), name), dir.filePath(found));
    }

    // Whether a spreadsheet application is found, and what becomes of a workbook handed to it.
    void spreadsheetApp_data() {
        QTest::addColumn<int>("forced"); // -1 looked up, 0 forced off, 1 forced on
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<int>("viewer"); // 0 not started, 1 started and fine, 2 started and failed
        QTest::newRow("nothing") << -1 << QString() << QByteArray() << false << 0;
        QTest::newRow("program on the PATH") << -1 << "localc" << QByteArray("exit 0") << true << 1;
        QTest::newRow("program fails to show it")
            << -1 << "localc" << QByteArray("echo 'Unspecified Application Error' >&2; exit 81") << true << 2;
        QTest::newRow("program is told the language")
            << -1 << "localc" << QByteArray("[ \"$LC_MESSAGES\" = zh_TW.UTF-8 ] && [ -z \"$LC_ALL\" ]") << true << 1;
        QTest::newRow("program crashes") << -1 << "soffice" << QByteArray("kill -SEGV $$") << true << 2;
        QTest::newRow("desktop default") << -1 << "xdg-mime" << QByteArray("echo calc.desktop") << true << 0;
        QTest::newRow("no desktop default") << -1 << "xdg-mime" << QByteArray("exit 0") << false << 0;
        QTest::newRow("xdg-mime fails") << -1 << "xdg-mime" << QByteArray("echo x; exit 4") << false << 0;
        QTest::newRow("xdg-mime hangs") << -1 << "xdg-mime" << QByteArray("exec /bin/sleep 30") << false << 0;
        QTest::newRow("forced off") << 0 << "soffice" << QByteArray("exit 0") << false << 1;
        QTest::newRow("forced on") << 1 << QString() << QByteArray() << true << 0;
    }
    void spreadsheetApp() {
        QFETCH(int, forced);
        QFETCH(QString, program);
        QFETCH(QByteArray, body);
        QFETCH(bool, installed);
        QFETCH(int, viewer);
        QTemporaryDir bin;
        if (!program.isEmpty())
            QVERIFY(script(bin.path(), program, body));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        if (forced >= 0)
            sys::setSpreadsheetAppOverride(forced == 1);
        QElapsedTimer clock;
        clock.start();
        const bool result = sys::spreadsheetAppInstalled();
        bool failed = false;
        const bool started = sys::openWithSpreadsheetApp(bin.filePath(QStringLiteral("報價單.xlsx")),
                                                         [&failed] { failed = true; });
        qputenv("PATH", oldPath);
        QCOMPARE(result, installed);
        QVERIFY(clock.elapsed() < 20000);
        QCOMPARE(started, viewer > 0);
        if (viewer == 2)
            QTRY_VERIFY(failed);
        else
            QTest::qWait(200);
        QCOMPARE(failed, viewer == 2);
    }

    void readOnly() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("報價單.xls"));
        QVERIFY(touch(path, "old"));
        QVERIFY(!sys::isReadOnly(path));
        QVERIFY(sys::setReadOnly(path));
        QVERIFY(sys::isReadOnly(path));
        QVERIFY(!(QFile::permissions(path) & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)));
        QVERIFY(!text::writeTextFile(path, QStringLiteral("new")));
        QVERIFY(sys::setReadOnly(path)); // again: still fine
        QVERIFY(sys::setReadOnly(path, false));
        QVERIFY(!sys::isReadOnly(path));
        QVERIFY(text::writeTextFile(path, QStringLiteral("new")));
    }

    void readOnlyMissingFile() {
        QVERIFY(!sys::setReadOnly(QStringLiteral("/nonexistent/a.xls")));
        QVERIFY(!sys::isReadOnly(QStringLiteral("/nonexistent/a.xls")));
    }

    void exitThroughHandler() {
        QList<int> codes;
        sys::setExitHandler([&](int code) { codes << code; });
        QVERIFY(!sys::exitRequested());
        sys::exitProgram(3);
        QCOMPARE(codes, QList<int>{3});
        QVERIFY(sys::exitRequested());
        sys::resetExitRequested();
        QVERIFY(!sys::exitRequested());
    }

    void exitLeavesRunningLoop() {
        QTimer::singleShot(0, [] { sys::exitProgram(9); });
        QTimer guard; // a loop that never ends would hang the test
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-100); });
        guard.start(5000);
        QCOMPARE(QCoreApplication::exec(), 9);
        QVERIFY(sys::exitRequested());
    }

    void exitBeforeLoopEndsLoopAtStart() {
        sys::exitProgram(7);
        QVERIFY(sys::exitRequested());
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-100); });
        guard.start(5000);
        QCOMPARE(QCoreApplication::exec(), 7);
    }
};

QTEST_GUILESS_MAIN(TestSystem)
#include "tst_system.moc"
