#pragma once
// The row commands of the item grid's popup mQ in the quotation window: insert a blank row, copy,
// paste, insert copies, delete, restore the last picked row, and 品名加入施工資料庫. The copied rows
// live as long as the window.
#include "RowCommands.h"

#include <QObject>
#include <functional>

class frmQ;
namespace quote {
class CellEditors;
}

class RowMenu : public QObject {
    Q_OBJECT
public:
    explicit RowMenu(frmQ* window);

    const quote::RowCommands& commands() const { return rows_; }

public slots:
    void mInsQ_Click();
    void mInsQcp_Click();
    void mDelQ_Click();
    void mCpq_Click();
    void mPstQ_Click();
    void mUndo_Click();
    void mAdd2W_Click();

private:
    // Runs a command that may change the shown rows (editors closed first); true from it refreshes
    // the totals.
    void changeRows(const std::function<bool(quote::CellEditors&)>& command);

    frmQ* w;
    quote::RowCommands rows_;
};
