#pragma once
// Walks commands under a failing database. Each command runs once cleanly, then again with each of
// its statements failing in turn (up to a bound) and with every read, then every write, of each of
// its tables failing. After a failure the user does what he would do next and closes everything.
// The database is also held by another workstation from the command on (every statement busy).
// A run passes when nothing left a handler, the program did not end, a message said why (once for
// a busy database, after at most one busy wait), every database holds as a whole what it held before
// or what a clean run leaves, every window closed, and the same steps then succeed. After a failed
// read of a command that writes nothing, every list and grid shows what the clean run shows, or
// nothing with the reason beside it (the open document's grid may instead stay as it was). A
// failure that reaches no statement is a wrong row.
#include "../shell_ui/ShellUiFixture.h"
#include "ScriptedDialogs.h"
#include "db/FaultInjection.h"

#include <QApplication>
#include <QTimer>
#include <QtTest/QTest>

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <functional>

namespace walk {

// One command of one window.
struct Row {
    QString name;
    // The tables its statements read and write; "r:" before a name: only read, "w:": only written.
    QStringList tables;
    std::function<void()> prepare;   // the window opened and filled in as the command needs
    std::function<void()> act;       // the command: its statements are where failures go
    std::function<void()> next = {}; // what a user does after it (apply again, 確定 ...)
    // Answers the user gives while the windows close (the rest are answered with Enter).
    QList<ui::Answer> closing = {};
};

// "file/table" -> the table's rows in storage order.
using Tables = QMap<QString, QString>;
// "window/control" -> the rows a list, grid or box shows, and whether it shows why it is empty.
struct View {
    QString rows;
    bool reason = false;
    bool operator==(const View&) const = default;
};
using Views = QMap<QString, View>;

struct Totals {
    int commands = 0;
    int points = 0;         // single failing statements tried
    int writePoints = 0;    // of those that reached their statement: statements that write
    int readRules = 0;      // a table's reads failing
    int writeRules = 0;     // a table's writes failing
    int failedRuns = 0;     // runs in which a failure was injected
    int lastStatements = 0; // of the last command's clean run
};

class Walker {
public:
    // Statements of one command failed one at a time, at most (spread over the command).
    static constexpr int kMaxPoints = 8;
    // Unexpected dialogs answered with Enter in one run before they count as endless.
    static constexpr int kDialogLimit = 12;

    // What went wrong with the row, one line per failing run.
    QStringList walk(const Row& row);
    const Totals& totals() const { return m_totals; }

    // The dialogs of the running step (rows queue answers to their own questions here).
    static ScriptedDialogs& dialogs();
    // A row's step found a window it could not close.
    static void noWayOut() { s_noWayOut = true; }

private:
    struct Run {
        QString crash;          // an exception that left a handler
        int points = 0;         // statements the command ran
        int injected = 0;       // failures injected into them
        int injectedWrites = 0; // of those: into statements that write
        int waits = 0;          // busy waits the command made
        int exits = 0;          // the program asked to end
        bool endless = false;
        bool closed = false;
        QStringList said; // what the dialogs said from the command on
        Tables before, afterCommand, after;
        Views shownBefore, shown; // before and after the command
    };
    // Runs the row in a fresh program folder; `arm` sets the failure up just before the command.
    // With a retry, the same steps then run again cleanly in the same folder into `retry`.
    Run run(const Row& row, const std::function<void()>& arm, Run* retry = nullptr);
    void steps(const Row& row, const std::function<void()>& arm, Run& r, bool snapshots);
    QStringList check(const Run& clean, const Run& failed, const Run& retry, db::fault::Error error) const;

    static inline bool s_noWayOut = false;
    ShellUiFixture m_program;
    QMap<QString, db::DatabasePtr> m_connections; // the run's own, to read the tables
    Totals m_totals;
};

} // namespace walk

namespace walk {

// Shows a modal window's closing step `close` once it stands open, then its close path; one that
// stays open after that is hidden and counted as a window without a way out. Lives as long as the
// command that may show the window.
class ModalCloser {
public:
    ModalCloser(const std::function<ui::Form*()>& shown, const std::function<void()>& close);

private:
    QTimer m_timer;
    int m_tries = 0;
};

// The walk's test program: one test row per command.
class WalkTest : public QObject {
    Q_OBJECT
public:
    explicit WalkTest(QList<Row> rows) : m_rows(std::move(rows)) {}

private slots:
    void initTestCase();
    void commands_data();
    void commands();
    void cleanupTestCase();

private:
    QList<Row> m_rows;
    Walker m_walker;
    QElapsedTimer m_clock;
};

} // namespace walk

#define WALK_MAIN(rows)                                                                                      \
    int main(int argc, char** argv) {                                                                        \
        QApplication app(argc, argv);                                                                        \
        walk::WalkTest test(rows());                                                                         \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
