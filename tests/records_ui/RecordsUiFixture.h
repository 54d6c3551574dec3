#pragma once
// The shell's window test fixture with the main database open in mdM and a rights word.
#include "../shell_ui/ShellUiFixture.h"
#include "RecordWindow.h"
#include "frmSet.h"
#include "ScriptedDialogs.h"
#include "db/FaultInjection.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmSta.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest/QTest>

class RecordsUiFixture : public ShellUiFixture {
public:
    bool setUp(int rights = 4095) {
        if (!ShellUiFixture::setUp())
            return false;
        mdM::MainDb = openDb();
        mdM::UserRights = rights;
        return bool(mdM::MainDb);
    }
    QVariant scalar(const QString& sql, const QVariantList& params = {}) const { return openDb()->scalar(sql, params); }
};

// Shown in the window's layout (the window itself need not be on screen).
inline bool shown(const QWidget* w) {
    return w && !w->isHidden();
}

// The grid line of a record by its name (column 2 of a list, 1 of search results); -1 if none.
inline int rowOf(const records::RecordWindow* f, const QString& name, int column = 2) {
    for (int r = 0; r < f->grid().rowCount(); ++r)
        if (f->grid().cell(r, column) == name)
            return r;
    return -1;
}

// One of the three record windows by its name, loaded and shown.
inline records::RecordWindow* showRecordWindow(const QString& window) {
    if (window == QLatin1String("frmCus"))
        return showForm<frmCus>();
    if (window == QLatin1String("frmPrv"))
        return showForm<frmPrv>();
    return showForm<frmSta>();
}

// A mouse click on a line of a record window's grid.
inline void clickRow(const QWidget* f, int row) {
    auto* grid = f->findChild<QTableView*>(QStringLiteral("HFG"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, 2)).center());
}

// The record of the grid line drawn as the current one; empty when none is.
inline QString drawnName(const records::RecordWindow* f) {
    const QItemSelectionModel* lines = f->findChild<QTableView*>(QStringLiteral("HFG"))->selectionModel();
    const int row = lines->isSelected(lines->currentIndex()) ? lines->currentIndex().row() : -1;
    return f->grid().cell(row, f->gridHoldsSearch() ? 1 : 2);
}

// A mouse click on a window's button.
inline void clickButton(const QWidget* f, const char* name) {
    QTest::mouseClick(f->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

// Text typed into a box through the input method, as Chinese is typed.
inline void typeText(QWidget* box, const QString& text) {
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(box, &typed);
}

// Runs a user's route through a record window, its steps separated by ", ": "click <name>",
// "search <text>", "group <group>", "name <name>" (typed and the box left), "add", "edit", "cancel",
// "save", "delete", "hand over", "gone <name>" (deleted by another workstation), "hold" (another
// workstation holds the database), "fail <n>" (the nth statement from there) and "release".
// Messages are answered as Enter answers them (a deletion: No), the next one No after "no". Also "elsewhere <name> <column>=<value>"
// (stored through another connection), "switch <name>" (路徑 套用 of a copy of the database without
// that record) and in the grid "key <keys>", "right-press <name>", "drag <name>" (to the next line)
// and "click nowhere".
inline void walkRoute(records::RecordWindow* f, ScriptedDialogs& dialogs, const QString& route) {
    dialogs.answerUnexpectedAsEnter(10);
    const QHash<QString, const char*> handlers{{"add", "cmdAdd_Click"},   {"edit", "cmdEdit_Click"},
                                               {"cancel", "cmdN_Click"},  {"save", "cmdY_Click"},
                                               {"delete", "cmdDel_Click"}, {"hand over", "cmd2Q_Click"}};
    auto* grid = f->findChild<QTableView*>(QStringLiteral("HFG"));
    const auto at = [&](const QString& name, int lines) {
        return grid->visualRect(grid->model()->index(rowOf(f, name) + lines, 2)).center();
    };
    for (const QString& step : route.split(QStringLiteral(", "))) {
        const QString verb = step.section(u' ', 0, 0), what = step.section(u' ', 1);
        if (handlers.contains(step))
            QMetaObject::invokeMethod(f, handlers.value(step));
        else if (step == QLatin1String("no") || step == QLatin1String("yes"))
            dialogs.expectMessage(step == QLatin1String("no") ? ui::Answer::No : ui::Answer::Yes);
        else if (verb == QLatin1String("type"))
            f->setBoxText(what.section(u'=', 0, 0), what.section(u'=', 1));
        else if (verb == QLatin1String("click"))
            clickRow(f, rowOf(f, what, f->gridHoldsSearch() ? 1 : 2));
        else if (verb == QLatin1String("search")) {
            dialogs.expectInput(what);
            clickButton(f, "Command1");
        } else if (verb == QLatin1String("group")) {
            f->findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(what);
            f->Combo1_Click();
        } else if (verb == QLatin1String("name")) {
            f->setBoxText(QStringLiteral("T2"), what);
            f->T2_Validate();
        } else if (verb == QLatin1String("gone"))
            mdM::MainDb->execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(f->kind().table, f->kind().keyColumn),
                                 {what});
        else if (verb == QLatin1String("switch")) {
            const QString other = QFileInfo(mdM::MainDb->path()).absolutePath() + QStringLiteral("/other");
            QDir().mkpath(other);
            QFile::copy(mdM::MainDb->path(), other + QStringLiteral("/Kavo3.mdb"));
            db::Database::open(other + QStringLiteral("/Kavo3.mdb"), QString::fromUtf8(mdM::kMainDbPassword))
                ->execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(f->kind().table, f->kind().keyColumn), {what});
            frmSet* settings = ui::Default<frmSet>::get();
            settings->findChild<QLineEdit*>(QStringLiteral("txtMdbPath"))->setText(other);
            settings->Command4_Click();
        } else if (verb == QLatin1String("elsewhere"))
            db::Database::open(mdM::MainDb->path(), QString::fromUtf8(mdM::kMainDbPassword))
                ->execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                              .arg(f->kind().table, what.section(u' ', 1).section(u'=', 0, 0), f->kind().keyColumn),
                          {what.section(u'=', 1), what.section(u' ', 0, 0)});
        else if (verb == QLatin1String("key"))
            QTest::keySequence(grid, QKeySequence::fromString(what));
        else if (verb == QLatin1String("right-press"))
            QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, at(what, 0));
        else if (verb == QLatin1String("drag")) {
            QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at(what, 0));
            QTest::mouseMove(grid->viewport(), at(what, 1));
            QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at(what, 1));
        } else if (step == QLatin1String("click nowhere"))
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(5, grid->viewport()->height() - 2));
        else if (verb == QLatin1String("hold"))
            db::fault::failAll(db::fault::Error::Busy);
        else if (verb == QLatin1String("fail"))
            db::fault::failNth(what.toInt(), db::fault::Error::Busy);
        else
            db::fault::clear(); // release
        QCoreApplication::processEvents(); // what follows the step in the window
    }
    db::fault::clear();
}

// The messages shown, each as the beginning `expected` gives for it ("*": any text, the
// database's reason).
inline QStringList said(const ScriptedDialogs& dialogs, const QStringList& expected) {
    QStringList texts;
    for (const ui::MessageRequest& m : dialogs.messages()) {
        const QString e = expected.value(int(texts.size()), QStringLiteral("-"));
        texts << (e == QLatin1String("*") || m.text.startsWith(e) ? e : m.text);
    }
    return texts;
}

// Whether nothing is chosen and no line is drawn as chosen.
inline bool nothingChosen(const records::RecordWindow* f) {
    return f->selectedName().isEmpty() &&
           !f->findChild<QTableView*>(QStringLiteral("HFG"))->selectionModel()->hasSelection();
}
