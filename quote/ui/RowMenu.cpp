#include "RowMenu.h"

#include "CatalogAppendCommand.h"
#include "CellEditors.h"
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

void RowMenu::mInsQ_Click() {
    quote::CellEditors* e = w->cellEditors();
    e->HideCellEditors();
    rows_.mInsQ_Click(w->document(), e->CurRow, e->RowUndo);
}

void RowMenu::mInsQcp_Click() {
    quote::CellEditors* e = w->cellEditors();
    e->HideCellEditors();
    rows_.mInsQcp_Click(w->document(), e->CurRow, e->RowUndo);
}

void RowMenu::mDelQ_Click() {
    quote::CellEditors* e = w->cellEditors();
    e->HideCellEditors();
    rows_.mDelQ_Click(w->document(), {e->SelRowStart, e->SelRowEnd}, e->RowUndo);
}

void RowMenu::mCpq_Click() {
    quote::CellEditors* e = w->cellEditors();
    if (rows_.mCpq_Click(w->document(), {e->SelRowStart, e->SelRowEnd}))
        w->RowsCopied = true;
}

void RowMenu::mPstQ_Click() {
    quote::CellEditors* e = w->cellEditors();
    e->HideCellEditors();
    // Pasted rows count in the totals at once, as typed ones do.
    if (rows_.mPstQ_Click(w->document(), e->CurRow, e->RowUndo))
        w->RefreshTotals();
}

void RowMenu::mUndo_Click() {
    quote::CellEditors* e = w->cellEditors();
    e->HideCellEditors();
    if (quote::RowCommands::mUndo_Click(w->document(), e->RowUndo))
        w->gridChanged();
}

void RowMenu::mAdd2W_Click() {
    runCatalogAppend(w->document());
}
