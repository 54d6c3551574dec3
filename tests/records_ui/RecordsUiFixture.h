#pragma once
// The shell's window test fixture with the main database open in mdM and a rights word.
#include "../shell_ui/ShellUiFixture.h"
#include "RecordWindow.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmSta.h"

#include <QApplication>
#include <QInputMethodEvent>
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
