#pragma once
// Walks commands under a failing database. Each command runs once cleanly, then again with each of
// its statements failing in turn (up to a bound) and with every read, then every write, of each of
// its tables failing. After a failure the user does what he would do next and closes everything.
// The database is also held by another workstation from the command on (every statement busy). One
// database file is also held alone with the others free (each file the command uses, when it uses
// more than one), and a command that writes also meets every database locked for writes only. A run
// passes when nothing left a handler, the program did not end, a message said why (once for a busy
// database, after at most one busy wait per held file) and no message of the clean run's said it
// succeeded after that, every database holds as a whole what it held before or what a clean run
// leaves, no statement on a free file was refused as held, every window closed, and the same steps
// then succeed. After any failure every list, grid, box and label shows what the clean run shows,
// leaving out the values the clean run wrote or removed; or else a list nothing with the reason
// beside it, a box what the user typed in it or nothing, a label nothing; a box greyed where the
// clean run leaves it open says why; an editable combo box the command leaves alone and the user
// typed nothing into holds its text or nothing. A quotation file a row saved is compared as a
// database is (its header). Any of them may instead stay as it was before the command. A
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
    enum Kind { List, Box, Label, Text }; // Text: what an editable combo box holds
    Kind kind = List;
    QString rows;
    bool reason = false;
    bool open = true; // a box: enabled and writable
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
    // A row's step typed into an editable combo box (by its name): what it holds is the user's.
    static void typedInto(const QString& box) { s_typed << box; }

private:
    struct Run {
        QString crash;          // an exception that left a handler
        int points = 0;         // statements the command ran
        int injected = 0;       // failures injected into them
        int injectedWrites = 0; // of those: into statements that write
        int waits = 0;          // busy waits the command made
        int waitedFiles = 0;    // the database files they were on
        int refusedFree = 0;    // statements on a free file refused as held
        int exits = 0;          // the program asked to end
        bool endless = false;
        bool closed = false;
        QStringList said;    // what the dialogs said from the command on
        QStringList actSaid; // of those: while the command ran
        QStringList notices; // of those: messages with only 確定 to press
        QMap<QString, int> statementsByFile;
        Tables before, afterCommand, after;
        Views shownBefore, shown; // before and after the command
        QStringList typed;        // combo boxes the steps typed into
    };
    // Runs the row in a fresh program folder; `arm` sets the failure up just before the command.
    // With a retry, the same steps then run again cleanly in the same folder into `retry`.
    Run run(const Row& row, const std::function<void()>& arm, Run* retry = nullptr);
    void steps(const Row& row, const std::function<void()>& arm, Run& r, bool snapshots);
    QStringList check(const Run& clean, const Run& failed, const Run& retry, db::fault::Error error) const;
    QStringList checkViews(const Run& clean, const Run& failed) const;

    static inline bool s_noWayOut = false;
    static inline QStringList s_typed;
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
