#include "RowMenu.h"

#include "CatalogAppendCommand.h"
#include "CellEditors.h"
#include "EditorRules.h"
#include "frmQ.h"

#include <QAction>

RowMenu::RowMenu(frmQ* window) : QObject(window), w(window) {
    setObjectName(QStringLiteral("RowMenu"));
    const std::pair<const char*, void (RowMenu::*)()> items[] = {
        {"mInsQ", &RowMenu::mInsQ_Click}, {"mInsQcp", &RowMenu::mInsQcp_Click}, {"mDelQ", &RowMenu::mDelQ_Click},
        {"mCpq", &RowMenu::mCpq_Click},   {"mPstQ", &RowMenu::mPstQ_Click},     {"mUndo", &RowMenu::mUndo_Click},
        {"mAdd2W", &RowMenu::mAdd2W_Click},
    };
    for (const auto& [name, slot] : items)
        connect(w->action(QString::fromLatin1(name)), &QAction::triggered, this, slot);
}

void RowMenu::changeRows(const std::function<bool(quote::CellEditors&)>& command) {
    quote::CellEditors* e = w->cellEditors();
    e->HideCellEditors();
    // Rows a command changed count in the totals at once, as typed ones do.
    if (command(*e))
        w->RefreshTotals();
}

void RowMenu::mInsQ_Click() {
    changeRows(
        [this](quote::CellEditors& e) { return rows_.mInsQ_Click(w->document(), e.CurRow, e.RowUndo); });
}

void RowMenu::mInsQcp_Click() {
    changeRows(
        [this](quote::CellEditors& e) { return rows_.mInsQcp_Click(w->document(), e.CurRow, e.RowUndo); });
}

void RowMenu::mDelQ_Click() {
    changeRows([this](quote::CellEditors& e) {
        return rows_.mDelQ_Click(w->document(), {e.SelRowStart, e.SelRowEnd}, e.RowUndo);
    });
}

void RowMenu::mCpq_Click() {
    quote::CellEditors* e = w->cellEditors();
    if (rows_.mCpq_Click(w->document(), {e->SelRowStart, e->SelRowEnd}))
        w->RowsCopied = true;
}

void RowMenu::mPstQ_Click() {
    changeRows(
        [this](quote::CellEditors& e) { return rows_.mPstQ_Click(w->document(), e.CurRow, e.RowUndo); });
}

void RowMenu::mUndo_Click() {
    changeRows([this](quote::CellEditors& e) {
        if (!quote::RowCommands::mUndo_Click(w->document(), e.RowUndo))
            return false;
        w->gridChanged();
        return true;
    });
}

void RowMenu::mAdd2W_Click() {
    runCatalogAppend(w->document(), {w->PricesHidden, w->CostsHidden});
}
