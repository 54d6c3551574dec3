#include "Walk.h"

#include "ReportDb.h"
#include "StaDb.h"
#include "frmMenu.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <algorithm>
#include <exception>

namespace walk {
namespace {

using db::fault::Error;

// The program folder's database files.
const std::pair<const char*, const char*> kFiles[] = {{mdM::kMainDbFile, mdM::kMainDbPassword},
                                                      {stats::kStaDbFile, stats::kStaDbPassword},
                                                      {stats::kReportDbFile, ""}};

// What the database layer says for each failure, as the message must show it.
QString reasonOf(Error e) {
    return db::fault::reason(e);
}

// The failures tried: every statement with one of the four errors in turn, then again with the
// next error while the bound allows; for a long command the bound spread over its statements,
// first and last included.
QList<std::pair<int, Error>> pointsOf(int statements) {
    static const Error order[] = {Error::IoError, Error::DiskFull, Error::Busy, Error::ReadOnly};
    QList<std::pair<int, Error>> points;
    if (statements > Walker::kMaxPoints) {
        for (int i = 0; i < Walker::kMaxPoints; ++i) {
            const int n = 1 + i * (statements - 1) / (Walker::kMaxPoints - 1);
            points.append({n, order[i % 4]});
        }
        return points;
    }
    for (int round = 0; round < 4 && points.size() < Walker::kMaxPoints; ++round)
        for (int n = 1; n <= statements && points.size() < Walker::kMaxPoints; ++n)
            points.append({n, order[(n - 1 + round) % 4]});
    return points;
}

// Runs a step; the exception that left it, if any.
QString guarded(const std::function<void()>& f) {
    if (!f)
        return {};
    try {
        f();
    } catch (const db::DbError& e) {
        return QStringLiteral("DbError %1 %2").arg(e.number()).arg(e.description());
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("unknown exception");
    }
    return {};
}

// Every table of the program folder's databases, read through `open` (connections kept for the
// run: opening an encrypted file derives its key, which is slow).
Tables snapshot(const TempProgramFolder& folder, QMap<QString, db::DatabasePtr>& open) {
    Tables t;
    for (const auto& [file, password] : kFiles) {
        const QString name = QString::fromUtf8(file);
        if (!open.contains(name) && QFile::exists(folder.file(name)))
            open.insert(name, db::Database::open(folder.file(name), QString::fromUtf8(password)));
        if (!open.contains(name))
            continue;
        db::Database& d = *open.value(name);
        for (db::Recordset names = d.query(QStringLiteral(
                 "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"));
             !names.eof(); names.moveNext()) {
            QStringList rows;
            for (db::Recordset rs = d.openRecordset(names.text(0)); !rs.eof(); rs.moveNext()) {
                QStringList cells;
                for (int c = 0; c < rs.fieldCount(); ++c)
                    cells << rs.value(c).toString();
                rows << cells.join(QLatin1Char('|'));
            }
            t.insert(name + u'/' + names.text(0), rows.join(QLatin1Char('\n')));
        }
    }
    // A quotation a row saved: its header and page-end remarks as the file holds them (bytes as
    // Latin-1, so that no text of it passes for a value the views show).
    for (const QFileInfo& kav : QDir(folder.path()).entryInfoList({QStringLiteral("*.kav")}, QDir::Files)) {
        QFile f(kav.filePath());
        if (kav.fileName() == QLatin1String("autosave.kav") || !f.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
        for (const auto& [section, count] :
             {std::pair{QStringLiteral("[Title]"), 7}, {QStringLiteral("[PageEndPs]"), 5}})
            t.insert(kav.fileName() + u'/' + section,
                     lines.mid(lines.indexOf(section) + 1, count).join(u'\n'));
    }
    return t;
}

// The rows of a model, "" when every cell is empty.
QString rowsOf(const QAbstractItemModel* m) {
    QStringList rows;
    bool any = false;
    for (int r = 0; m && r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        any = any || !cells.join(QString()).isEmpty();
        rows << cells.join(u'|');
    }
    return any ? rows.join(u'\n') : QString();
}

// What every named list, grid, box and label of the open windows shows (the program folder, which
// each run has of its own, as <folder>).
Views viewsShown(const QString& folder) {
    Views v;
    const auto add = [&](const ui::Form* f, const QWidget* w, View view) {
        view.rows.replace(folder, QStringLiteral("<folder>"));
        // A combo box's line edit goes by the box's name.
        const auto* combo = qobject_cast<const QComboBox*>(w->parentWidget());
        const QWidget* named = combo && combo->lineEdit() == w ? combo : w;
        const QString key = named->objectName() + (named != w ? QStringLiteral(".text") : QString());
        if (!named->objectName().isEmpty() && !named->isHidden())
            v.insert(f->objectName() + u'/' + key, view);
    };
    for (const ui::Form* f : ui::loadedForms()) {
        for (const QAbstractItemView* w : f->findChildren<QAbstractItemView*>()) {
            const auto* label = w->findChild<QLabel*>(QStringLiteral("unloadedReason"));
            add(f, w,
                {View::List, rowsOf(w->model()),
                 !w->toolTip().isEmpty() || (label && !label->text().isEmpty())});
        }
        for (const QComboBox* w : f->findChildren<QComboBox*>()) {
            // An empty list shows its reason in its box (an editable one in its line edit, and in
            // its tooltip while it holds a text); a tooltip alone is seen by nobody.
            const QLineEdit* e = w->lineEdit();
            add(f, w,
                {View::List, rowsOf(w->model()),
                 e ? !e->placeholderText().isEmpty() : w->currentIndex() < 0 && !w->placeholderText().isEmpty()});
            if (e)
                add(f, e, {View::Text, e->text()});
        }
        for (const QLineEdit* w : f->findChildren<QLineEdit*>())
            if (!qobject_cast<QComboBox*>(w->parentWidget()))
                add(f, w,
                    {View::Box, w->text(), !w->placeholderText().isEmpty() || !w->toolTip().isEmpty(),
                     w->isEnabled() && !w->isReadOnly()});
        for (const QLabel* w : f->findChildren<QLabel*>())
            if (w->objectName() != QLatin1String("unloadedReason"))
                add(f, w, {View::Label, w->text()});
    }
    return v;
}

// The values of the rows a run added, changed or removed (those of the rows it left are shared by
// both sides and tell nothing).
QSet<QString> writtenValues(const Tables& before, const Tables& after) {
    QSet<QString> changed, kept;
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    for (const QString& k : keys) {
        const QStringList was = before.value(k).split(u'\n'), now = after.value(k).split(u'\n');
        const QSet<QString> wasSet(was.begin(), was.end()), nowSet(now.begin(), now.end());
        for (const QSet<QString>* side : {&wasSet, &nowSet})
            for (const QString& row : *side) {
                const QStringList cells = row.split(u'|');
                (wasSet.contains(row) && nowSet.contains(row) ? kept : changed) +=
                    QSet<QString>(cells.begin(), cells.end());
            }
    }
    changed -= kept;
    changed.remove(QString());
    return changed;
}

// What a view shows without the lines that hold a written value.
QString withoutWritten(const QString& rows, const QSet<QString>& written) {
    QStringList kept;
    for (const QString& line : rows.split(u'\n')) {
        const QStringList cells = line.split(u'|');
        if (std::none_of(cells.begin(), cells.end(), [&](const QString& c) { return written.contains(c); }))
            kept << line;
    }
    return kept.join(u'\n');
}

// The databases of a snapshot, each as a whole.
QMap<QString, Tables> byDatabase(const Tables& t) {
    QMap<QString, Tables> files;
    for (auto it = t.begin(); it != t.end(); ++it)
        files[it.key().section(u'/', 0, 0)].insert(it.key(), it.value());
    return files;
}

// Closes every window through its close path, the menu bar last (it asks whether to end).
bool closeEverything(const QList<ui::Answer>& answers) {
    for (const ui::Answer a : answers)
        Walker::dialogs().expectMessage(a);
    bool closed = true;
    const QString error = guarded([&] {
        closed = ui::unloadAllForms(ui::Default<frmMenu>::isLoaded() ? ui::Default<frmMenu>::get() : nullptr);
        if (closed && ui::Default<frmMenu>::isLoaded()) {
            Walker::dialogs().expectMessage(ui::Answer::Yes);
            closed = ui::Default<frmMenu>::unload();
        }
    });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return error.isEmpty() && closed && ui::loadedForms().isEmpty();
}

} // namespace

ScriptedDialogs& Walker::dialogs() {
    static ScriptedDialogs* d = [] {
        auto* s = new ScriptedDialogs;
        s->answerUnexpectedAsEnter(kDialogLimit);
        return s;
    }();
    return *d;
}

void Walker::steps(const Row& row, const std::function<void()>& arm, Run& r, bool snapshots) {
    ScriptedDialogs& d = dialogs();
    d.clear();
    s_noWayOut = false;
    s_typed.clear();
    if (const QString e = guarded(row.prepare); !e.isEmpty()) {
        r.crash = QStringLiteral("preparing: ") + e;
        return;
    }
    const qsizetype shownBefore = d.shown().size();
    if (snapshots)
        r.before = snapshot(*m_program.folder, m_connections);
    const int exitsBefore = m_program.exits;
    db::fault::clear();
    r.shownBefore = viewsShown(m_program.folder->path());
    if (arm)
        arm();
    r.crash = guarded(row.act);
    const qsizetype actShown = d.shown().size();
    r.points = db::fault::statementCount();
    for (const auto& [file, password] : kFiles)
        r.statementsByFile.insert(QString::fromUtf8(file),
                                  db::fault::statementCount(QString::fromUtf8(file)));
    r.injected = db::fault::failureCount();
    r.injectedWrites = db::fault::writeFailureCount();
    r.waits = db::fault::waitCount();
    r.waitedFiles = db::fault::waitedFileCount();
    r.refusedFree = db::fault::refusedUnheldCount();
    db::fault::clear();
    r.shown = viewsShown(m_program.folder->path());
    r.typed = s_typed;
    if (snapshots)
        r.afterCommand = snapshot(*m_program.folder, m_connections);
    if (r.crash.isEmpty())
        r.crash = guarded(row.next);
    r.exits = m_program.exits - exitsBefore;
    r.endless = d.enterAnswers() > kDialogLimit;
    for (qsizetype i = shownBefore; i < d.shown().size(); ++i) {
        const ScriptedDialogs::Shown& s = d.shown().at(i);
        QString text = s.kind == ScriptedDialogs::Kind::Message ? s.message.text
                       : s.kind == ScriptedDialogs::Kind::Input ? s.input.prompt
                                                                : s.file.title;
        r.said << text.replace(m_program.folder->path(), QStringLiteral("<folder>"));
        if (i < actShown) {
            r.actSaid << text;
            if (s.kind == ScriptedDialogs::Kind::Message && s.message.buttons == ui::Buttons::OK)
                r.notices << text;
        }
    }
    d.clear();
    r.closed = closeEverything(row.closing) && !s_noWayOut;
    d.clear();
    if (snapshots)
        r.after = snapshot(*m_program.folder, m_connections);
}

Walker::Run Walker::run(const Row& row, const std::function<void()>& arm, Run* retry) {
    Run r;
    if (!m_program.setUp()) {
        r.crash = QStringLiteral("no program folder");
        return r;
    }
    mdM::UserRights = 4095;
    steps(row, arm, r, true);
    if (retry)
        steps(row, {}, *retry, false);
    db::fault::clear();
    m_connections.clear();
    m_program.tearDown();
    return r;
}

QStringList Walker::check(const Run& clean, const Run& failed, const Run& retry, Error error) const {
    QStringList problems;
    if (!failed.crash.isEmpty())
        problems << QStringLiteral("an exception left a handler: ") + failed.crash;
    if (failed.exits > 0)
        problems << QStringLiteral("the program ended");
    if (failed.endless)
        problems << QStringLiteral("a dialog kept coming back");
    if (!failed.closed)
        problems << QStringLiteral("a window could not be closed");
    const QString reason = reasonOf(error);
    const auto saidWhy = std::count_if(failed.said.begin(), failed.said.end(),
                                       [&](const QString& s) { return s.contains(reason); });
    if (saidWhy == 0)
        problems << QStringLiteral("no message gave the reason; shown: ") +
                        failed.said.join(QStringLiteral(" / "));
    if (error == Error::Busy && saidWhy > 1)
        problems << QStringLiteral("%1 messages said the database was busy").arg(saidWhy);
    if (failed.waits > std::max(1, failed.waitedFiles))
        problems << QStringLiteral("waited the busy time %1 times on %2 files")
                        .arg(failed.waits)
                        .arg(failed.waitedFiles);
    if (failed.refusedFree > 0)
        problems << QStringLiteral("%1 statements on a free file refused as held").arg(failed.refusedFree);
    // Each database as a whole: as before, or as a clean run leaves it.
    // Right after the command and once the windows closed (a step after it may mend a half state).
    const auto before = byDatabase(failed.before);
    const auto cleanCommand = byDatabase(clean.afterCommand), cleanAfter = byDatabase(clean.after);
    for (const Tables* state : {&failed.afterCommand, &failed.after}) {
        const auto after = byDatabase(*state);
        for (auto it = after.begin(); it != after.end(); ++it) {
            const Tables& now = it.value();
            const Tables& was = before.value(it.key());
            if (now == was || now == cleanCommand.value(it.key()) || now == cleanAfter.value(it.key()))
                continue;
            QStringList changed, unchanged;
            for (auto t = now.begin(); t != now.end(); ++t)
                (t.value() == was.value(t.key()) ? unchanged : changed) << t.key().section(u'/', 1);
            problems << QStringLiteral("%1 %2 neither as before nor as after a clean run: %3 changed, %4 not")
                            .arg(it.key(),
                                 state == &failed.after ? QStringLiteral("at the end")
                                                        : QStringLiteral("after the command"),
                                 changed.join(u','), unchanged.join(u','));
        }
    }
    // Once the command said it failed, nothing it says after claims what the clean run claimed.
    const auto firstWhy = std::find_if(failed.actSaid.begin(), failed.actSaid.end(),
                                       [&](const QString& s) { return s.contains(reason); });
    for (auto it = firstWhy == failed.actSaid.end() ? firstWhy : firstWhy + 1; it != failed.actSaid.end();
         ++it)
        if (clean.notices.contains(*it))
            problems << QStringLiteral("said after the failure what the clean run says: ") + *it;
    problems << checkViews(clean, failed);
    // A command that took effect before its failure is not the same command when run again.
    const bool undone = failed.after == failed.before;
    if (!retry.crash.isEmpty() || !retry.closed || (undone && retry.said != clean.said))
        problems << QStringLiteral("the same steps then failed: %1 %2")
                        .arg(retry.crash, retry.said.join(QStringLiteral(" / ")));
    return problems;
}

QStringList Walker::checkViews(const Run& clean, const Run& failed) const {
    QStringList problems;
    QSet<QString> written = writtenValues(clean.before, clean.afterCommand);
    written += writtenValues(clean.before, clean.after);
    // A command that keeps what the user typed (a save) shows every open box as it was.
    bool keepsTyped = true;
    for (auto it = clean.shownBefore.begin(); it != clean.shownBefore.end(); ++it)
        if (it.value().kind == View::Box && it.value().open &&
            clean.shown.value(it.key()).rows != it.value().rows)
            keepsTyped = false;
    for (auto it = failed.shown.begin(); it != failed.shown.end(); ++it) {
        const View& now = it.value();
        const View& wanted = clean.shown.value(it.key());
        const View was = failed.shownBefore.value(it.key(), {now.kind, QString(), false, false});
        // A box is compared whole: what the clean run wrote may be what the user typed.
        if (now.kind == View::Box ? now.rows == wanted.rows && (now.open || !wanted.open || now.reason)
                                  : withoutWritten(now.rows, written) == withoutWritten(wanted.rows, written))
            continue;
        if (failed.shownBefore.contains(it.key()) && now == was) // a failed command may leave it as it was
            continue;
        const auto line = [](const QString& rows) {
            return QString(rows.left(80)).replace(u'\n', QStringLiteral(" / "));
        };
        const QString shown = QStringLiteral("%1 (the clean run: %2)").arg(line(now.rows), line(wanted.rows));
        switch (now.kind) {
        case View::List:
            if (!now.rows.isEmpty() || !now.reason)
                problems << QStringLiteral("%1 shows rows it did not read: %2").arg(it.key(), shown);
            break;
        case View::Box:
            if (keepsTyped && was.open && !was.rows.isEmpty() && now.rows != was.rows)
                problems << QStringLiteral("%1 lost what the user typed: %2").arg(it.key(), line(was.rows));
            else if (!now.rows.isEmpty() && now.rows != was.rows)
                problems << QStringLiteral("%1 shows what it did not read: %2").arg(it.key(), shown);
            else if (!now.open && wanted.open && !now.reason)
                problems << QStringLiteral("%1 is greyed without saying why").arg(it.key());
            break;
        case View::Label:
            if (!now.rows.isEmpty() && now.rows != was.rows)
                problems << QStringLiteral("%1 says what it did not read: %2").arg(it.key(), shown);
            break;
        case View::Text:
            // An editable combo box the command leaves alone keeps its text or shows nothing.
            if (clean.shownBefore.value(it.key(), {View::Text, QStringLiteral("\n")}).rows == wanted.rows &&
                !now.rows.isEmpty() && !failed.typed.contains(it.key().section(u'/', 1).section(u'.', 0, 0)))
                problems << QStringLiteral("%1 holds a text nobody typed: %2").arg(it.key(), shown);
            break;
        }
    }
    return problems;
}

QStringList Walker::walk(const Row& row) {
    ++m_totals.commands;
    QStringList problems;
    const Run clean = run(row, {});
    m_totals.lastStatements = clean.points;
    if (!clean.crash.isEmpty() || !clean.closed || clean.exits > 0)
        return {QStringLiteral("the clean run failed: %1 (closed %2)").arg(clean.crash).arg(clean.closed)};
    if (clean.points == 0)
        return {QStringLiteral("the command ran no statement")};

    const auto tryFailure = [&](const QString& where, const std::function<void()>& arm, Error error) {
        Run retry;
        Run failed = run(row, arm, &retry);
        if (failed.injected == 0) {
            problems << where + QStringLiteral(": reached no statement");
            return failed;
        }
        ++m_totals.failedRuns;
        for (const QString& p : check(clean, failed, retry, error))
            problems << where + QStringLiteral(": ") + p;
        return failed;
    };
    for (const auto& [n, e] : pointsOf(clean.points)) {
        ++m_totals.points;
        if (tryFailure(
                QStringLiteral("statement %1 of %2 (%3)").arg(n).arg(clean.points).arg(reasonOf(e)),
                [n, e] { db::fault::failNth(n, e); }, e)
                .injectedWrites > 0)
            ++m_totals.writePoints;
    }
    tryFailure(
        QStringLiteral("the database held"), [] { db::fault::failAll(Error::Busy); }, Error::Busy);
    // One file held by another workstation, the others free.
    QStringList used;
    for (auto it = clean.statementsByFile.begin(); it != clean.statementsByFile.end(); ++it)
        if (it.value() > 0)
            used << it.key();
    for (const QString& held : used.size() > 1 ? used : QStringList())
        tryFailure(
            held + QStringLiteral(" held alone"), [held] { db::fault::failFile(held, Error::Busy); },
            Error::Busy);
    // Another workstation writing: reads go on, every write waits and fails.
    if (clean.before != clean.afterCommand)
        tryFailure(
            QStringLiteral("the databases locked for writes"),
            [] { db::fault::failAll(Error::Busy, db::fault::Access::Write); }, Error::Busy);
    for (const QString& spec : row.tables) {
        const QString t = spec.section(u':', -1);
        if (!spec.startsWith(QLatin1String("w:"))) {
            ++m_totals.readRules;
            tryFailure(
                QStringLiteral("reads of %1").arg(t),
                [=] { db::fault::failTable(t, Error::IoError, db::fault::Access::Read); }, Error::IoError);
        }
        if (!spec.startsWith(QLatin1String("r:"))) {
            ++m_totals.writeRules;
            tryFailure(
                QStringLiteral("writes of %1").arg(t),
                [=] { db::fault::failTable(t, Error::DiskFull, db::fault::Access::Write); }, Error::DiskFull);
        }
    }
    return problems;
}

ModalCloser::ModalCloser(const std::function<ui::Form*()>& shown, const std::function<void()>& close) {
    QObject::connect(&m_timer, &QTimer::timeout, [this, shown, close] {
        ui::Form* f = shown();
        if (!f || !f->isVisible())
            return;
        ++m_tries;
        if (m_tries == 1)
            close();
        else if (m_tries <= 3)
            f->unload();
        else {
            Walker::noWayOut();
            f->hide();
        }
    });
    m_timer.start(5);
}

void WalkTest::initTestCase() {
    m_clock.start();
    // The offscreen platform's notes on every window shown say nothing about the walk.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.startsWith(QLatin1String("This plugin does not support")))
            previous(type, context, text);
    });
}

void WalkTest::commands_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < m_rows.size(); ++i)
        QTest::newRow(m_rows[i].name.toUtf8().constData()) << i;
}

void WalkTest::commands() {
    QFETCH(int, row);
    const Row& r = m_rows.at(row);
    QElapsedTimer clock;
    clock.start();
    const QStringList problems = m_walker.walk(r);
    qInfo().noquote() << QStringLiteral("%1 statements, %2 s")
                             .arg(m_walker.totals().lastStatements)
                             .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void WalkTest::cleanupTestCase() {
    const Totals& t = m_walker.totals();
    qInfo().noquote() << QStringLiteral("walked %1 commands: %2 failing statements (%3 writes), %4 tables "
                                        "unreadable, %5 unwritable; %6 runs reached the failure; %7 s")
                             .arg(t.commands)
                             .arg(t.points)
                             .arg(t.writePoints)
                             .arg(t.readRules)
                             .arg(t.writeRules)
                             .arg(t.failedRuns)
                             .arg(double(m_clock.elapsed()) / 1000.0, 0, 'f', 1);
}

} // namespace walk
