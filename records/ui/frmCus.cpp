#include "frmCus.h"

#include "PrintRunner.h"
#include "mdM.h"
#include "ui/Controls.h"

#include <QHBoxLayout>
#include <QPushButton>

frmCus::frmCus() : RecordWindow(records::customerKind()) {
    setObjectName(QStringLiteral("frmCus"));
    cmd2Q = ui::button(this, "cmd2Q", QStringLiteral("傳回報價單"));
    buttonRow->insertWidget(buttonRow->indexOf(cmdPp) + 1, cmd2Q);
    connect(cmd2Q, &QPushButton::clicked, this, &frmCus::cmd2Q_Click);
}

void frmCus::Form_Load() {
    RecordWindow::Form_Load();
    cmd2Q->setVisible(mdM::CusOpenedFromQuote);
    // The picker leaves by Esc as by its close button, handing nothing over.
    if (mdM::CusOpenedFromQuote)
        records::leaveOnEscape(this, [this] { close(); });
}

void frmCus::Form_Unload() {
    mdM::CusPicked = mdM::CusPicked && mdM::CusOpenedFromQuote;
}

void frmCus::cmd2Q_Click() {
    // The chosen customer as stored is handed over: never a record still being typed, nor one
    // deleted meanwhile, nor empty boxes.
    if (isEditing()) {
        showMessage(QStringLiteral("請先儲存"));
        return;
    }
    HFG_RowColChange();
    if (selectedName().isEmpty()) {
        showMessage(kind().noSelectionMessage);
        return;
    }
    if (!ShowSelectedRecord())
        return; // it said why, and nothing is chosen any more
    mdM::QuoteCustName = boxText(QStringLiteral("T2"));
    mdM::QuoteSiteAddress = boxText(QStringLiteral("cb2")) + boxText(QStringLiteral("T8"));
    mdM::QuoteCustPhone = boxText(QStringLiteral("T10")) + boxText(QStringLiteral("T11"));
    mdM::QuoteCustFax = boxText(QStringLiteral("T14")) + boxText(QStringLiteral("T15"));
    mdM::QuoteContact = boxText(QStringLiteral("T24"));
    mdM::CusPicked = true;
    unload();
}
