#include "frmPsel.h"

#include "Labels.h"
#include "PrintRunner.h"
#include "RecordListPrint.h"
#include "frmPrt.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Controls.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPsel::frmPsel() {
    setObjectName(QStringLiteral("frmPsel"));
    auto* v = new QVBoxLayout(this);
    const char* captions[] = {"列印標籤", "列印報表"};
    for (int i = 0; i < 2; ++i) {
        oPsel[size_t(i)] = new QRadioButton(QString::fromUtf8(captions[i]), this);
        oPsel[size_t(i)]->setObjectName(QStringLiteral("oPsel%1").arg(i));
        v->addWidget(oPsel[size_t(i)]);
    }
    oPsel[0]->setChecked(true); // first in the focus order
    ani = records::busyIndicator(this);
    v->addWidget(ani);
    auto* buttons = new QHBoxLayout;
    cmdNext = ui::button(this, "cmdNext", QStringLiteral("下一步"));
    cmdCancel = ui::button(this, "cmdCancel", QStringLiteral("取消"));
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    v->addLayout(buttons);
    setTabOrder(oPsel[0], oPsel[1]);
    setTabOrder(oPsel[1], cmdNext);
    setTabOrder(cmdNext, cmdCancel);
    connect(cmdNext, &QPushButton::clicked, this, &frmPsel::cmdNext_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPsel::cmdCancel_Click);
    records::leaveOnEscape(this, cmdCancel);
    records::takeOnEnter(this, cmdNext);
}

void frmPsel::cmdNext_Click() {
    const int party = mdM::ListPrintParty;
    if (oPsel[1]->isChecked()) {
        frmPrt* prt = ui::Default<frmPrt>::get();
        if (party == 1 || party == 2) {
            prt->setWindowTitle(QString::fromUtf8(records::listSubject(party)->caption));
            prt->fillFields(party);
        }
        prt->showModal();
    } else {
        records::runPrintout(ani, [&](const records::TellCut& tellCut) {
            if (!mdM::MainDb)
                throw records::PrintError{QStringLiteral("無法列印：資料庫未開啟")};
            return records::PrintLabels(*mdM::MainDb, sys::programFolder(), party, tellCut);
        });
    }
    unload();
}

void frmPsel::cmdCancel_Click() {
    unload();
}

namespace records {

void openListPrint(Party party) {
    if (party == Party::Staff)
        openFieldChooser(int(party));
    else
        openPrintChoice(int(party));
}

void openPrintChoice(int party) {
    mdM::ListPrintParty = party;
    frmPsel* choice = ui::Default<frmPsel>::get();
    if (const ListSubject* s = listSubject(party))
        choice->setWindowTitle(QString::fromUtf8(s->caption));
    choice->showModal();
}

void openFieldChooser(int party) {
    mdM::ListPrintParty = party;
    frmPrt* prt = ui::Default<frmPrt>::get();
    if (const ListSubject* s = listSubject(party))
        prt->setWindowTitle(QString::fromUtf8(s->caption));
    prt->fillFields(party);
    prt->showModal();
}

} // namespace records
