#pragma once
// Driving the construction-data window in tests: a fresh program folder and database, clicks on
// grid cells, popup items, typing into the floating editors.
#include "../shell_ui/ShellUiFixture.h"
#include "GridCells.h"
#include "frmEng.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

struct CatalogUi : ShellUiFixture {
    bool setUpWithRights(int rights = 4095) {
        if (!setUp())
            return false;
        mdM::UserRights = rights;
        return true;
    }

    frmEng* window() { return showForm<frmEng>(); }
    static frmEng* form() { return ui::Default<frmEng>::get(); }

    template <class T> static T* get(const char* name) { return child<T>(form(), name); }
    static QTableWidget* grid(const char* name) { return get<QTableWidget>(name); }
    static QTableWidget* areaGrid(int i) {
        return form()->findChild<QTableWidget*>(QStringLiteral("hfgA(%1)").arg(i));
    }
    static QTableWidget* listGrid(int i) {
        return form()->findChild<QTableWidget*>(QStringLiteral("hfgS(%1)").arg(i));
    }
    static QPushButton* button(const char* name) { return get<QPushButton>(name); }
    static QLineEdit* editor(const char* name) { return get<QLineEdit>(name); }
    static void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    static QPoint cellCentre(QTableWidget* g, int row, int col) {
        return g->visualRect(g->model()->index(row, col)).center();
    }
    static void leftClick(QTableWidget* g, int row, int col = 0) {
        QTest::mousePress(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row, col));
        QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row, col));
    }
    // A right click on the cell; true when a popup menu opened.
    static bool rightClick(QTableWidget* g, int row, int col = 0) {
        QTest::mousePress(g->viewport(), Qt::RightButton, {}, cellCentre(g, row, col));
        QMenu* open = nullptr;
        for (QMenu* m : form()->findChildren<QMenu*>())
            if (m->isVisible())
                open = m;
        if (open)
            open->hide();
        return open != nullptr;
    }
    static QAction* action(const char* name) { return form()->findChild<QAction*>(QString::fromLatin1(name)); }
    // Right-clicks the cell and chooses a popup item.
    static bool popup(QTableWidget* g, int row, const char* item, int col = 0) {
        if (!rightClick(g, row, col) || !action(item)->isEnabled())
            return false;
        action(item)->trigger();
        return true;
    }
    // Types the text over the editor's whole text, one key each (event filters see every key).
    static void type(QWidget* e, const QString& text) {
        if (auto* line = qobject_cast<QLineEdit*>(e))
            line->selectAll();
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(e, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(e, &release);
        }
    }
    static void enter(QWidget* e) { QTest::keyClick(e, Qt::Key_Return); }
    // Text committed by an input method into the widget with the focus, as Chinese is typed.
    static void commit(const QString& text) {
        QInputMethodEvent im;
        im.setCommitString(text);
        QApplication::sendEvent(QApplication::focusWidget(), &im);
    }
    // The window made active, so the focus goes where a user's would.
    static bool activate(QWidget* w) {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    }

    static QStringList column(QTableWidget* g, int col = 0) {
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r)
            out << catalog_ui::cellText(g, r, col);
        return out;
    }
    static QStringList visibleAreas() {
        QStringList out;
        for (int i = 0; areaGrid(i); ++i)
            if (areaGrid(i)->isVisibleTo(form()))
                out << column(areaGrid(i));
        return out;
    }
    static int visibleAreaGrids() {
        int n = 0;
        for (int i = 0; areaGrid(i); ++i)
            n += areaGrid(i)->isVisibleTo(form()) ? 1 : 0;
        return n;
    }
    QStringList stored(const QString& sql, const QVariantList& params = {}) const {
        db::Recordset rs = openDb()->query(sql, params);
        QStringList out;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            out << rs.text(0);
        return out;
    }
};
