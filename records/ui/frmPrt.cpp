#include "frmPrt.h"

#include "PrintRunner.h"
#include "RecordListPrint.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QListWidget* listBox(QWidget* parent, const char* name) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return l;
}

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setArrowType(arrow);
    return b;
}

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The selected entries of `from`, in its order, go to the end of `to`; then every entry of `from`
// that `to` holds goes.
void moveSelected(QListWidget* from, QListWidget* to) {
    for (int i = 0; i < from->count(); ++i)
        if (from->item(i)->isSelected())
            to->addItem(from->item(i)->text());
    const QStringList target = texts(to);
    for (int i = from->count() - 1; i >= 0; --i)
        if (target.contains(from->item(i)->text()))
            delete from->takeItem(i);
}

} // namespace

frmPrt::frmPrt() {
    setObjectName(QStringLiteral("frmPrt"));
    auto* grid = new QGridLayout(this);
    Label2 = new QLabel(QStringLiteral("欲列印欄位："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label1 = new QLabel(QStringLiteral("所有欄位："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lstTa = listBox(this, "lstTa");
    lstOr = listBox(this, "lstOr");
    cmAd = ui::button(this, "cmAd", QStringLiteral("加入"));
    cmMv = ui::button(this, "cmMv", QStringLiteral("移除"));
    cmdUp = arrowButton(this, "cmdUp", Qt::UpArrow);
    cmdDn = arrowButton(this, "cmdDn", Qt::DownArrow);
    cmdP = ui::button(this, "cmdP", QStringLiteral("列印"));
    Command1 = ui::button(this, "Command1", QStringLiteral("離開"));
    ani = records::busyIndicator(this);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(cmAd);
    middle->addWidget(cmMv);
    middle->addSpacing(12);
    middle->addWidget(cmdUp, 0, Qt::AlignHCenter);
    middle->addWidget(cmdDn, 0, Qt::AlignHCenter);
    middle->addStretch();
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Label1, 0, 2);
    grid->addWidget(lstTa, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(lstOr, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ani, 1);
    bottom->addWidget(cmdP);
    bottom->addWidget(Command1);
    grid->addLayout(bottom, 2, 0, 1, 3);

    connect(cmAd, &QPushButton::clicked, this, &frmPrt::cmAd_Click);
    connect(cmMv, &QPushButton::clicked, this, &frmPrt::cmMv_Click);
    connect(cmdUp, &QToolButton::clicked, this, &frmPrt::cmdUp_Click);
    connect(cmdDn, &QToolButton::clicked, this, &frmPrt::cmdDn_Click);
    connect(cmdP, &QPushButton::clicked, this, &frmPrt::cmdP_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPrt::Command1_Click);
    records::leaveOnEscape(this, Command1);
}

void frmPrt::fillFields(int party) {
    lstOr->clear();
    const records::ListSubject* subject = records::listSubject(party);
    if (!subject || !mdM::MainDb)
        return;
    const QStringList chosen = texts(lstTa);
    try {
        for (const QString& c : records::printableColumns(*mdM::MainDb, *subject))
            if (!chosen.contains(c))
                lstOr->addItem(c);
    } catch (const db::DbError& e) {
        ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Exclamation, QString::fromUtf8(records::kPrintTitle));
    }
}

void frmPrt::cmAd_Click() {
    moveSelected(lstOr, lstTa);
}

void frmPrt::cmMv_Click() {
    moveSelected(lstTa, lstOr);
}

void frmPrt::moveUpOrDown(int step) {
    QListWidgetItem* current = lstTa->currentItem();
    if (!current || !current->isSelected()) {
        ui::msgBox(QStringLiteral("請先選取 再行調整順序"), ui::Buttons::OK, ui::Icon::None,
                   QString::fromUtf8(records::kPrintTitle));
        return;
    }
    const int from = lstTa->row(current);
    const int to = from + step;
    if (to < 0 || to >= lstTa->count()) {
        QApplication::beep();
        return;
    }
    lstTa->insertItem(to, lstTa->takeItem(from));
    lstTa->clearSelection();
    lstTa->setCurrentRow(to);
}

void frmPrt::cmdUp_Click() {
    moveUpOrDown(-1);
}

void frmPrt::cmdDn_Click() {
    moveUpOrDown(1);
}

void frmPrt::cmdP_Click() {
    const QStringList columns = texts(lstTa);
    if (columns.isEmpty()) {
        ui::msgBox(QStringLiteral("沒有選取欄位\r\n無法列印"), ui::Buttons::OK, ui::Icon::Exclamation,
                   QString::fromUtf8(records::kPrintTitle));
        return;
    }
    const int party = mdM::ListPrintParty;
    records::runPrintout(ani, [&](const records::TellCut& tellCut) {
        if (!mdM::MainDb)
            throw records::PrintError{QStringLiteral("無法列印：資料庫未開啟")};
        return records::printList(*mdM::MainDb, sys::programFolder(), party, columns, tellCut);
    });
}

void frmPrt::Command1_Click() {
    unload();
}
