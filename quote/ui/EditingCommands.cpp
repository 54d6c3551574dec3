#include "EditingCommands.h"

#include "HeaderFields.h"
#include "RowMenu.h"
#include "TreeMenu.h"
#include "frmPe.h"
#include "frmQ.h"
#include "ui/Controls.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

void attachEditingCommands(frmQ* window) {
    new TreeMenu(window);
    new RowMenu(window);
    new HeaderHandlers(window);
    new PageEndButton(window);
}

frmPe* pageEndFrame(const frmQ* window) {
    return window->findChild<frmPe*>();
}

HeaderHandlers::HeaderHandlers(frmQ* window) : QObject(window), w(window) {
    setObjectName(QStringLiteral("HeaderHandlers"));
    connect(w->projectNameBox(), &QComboBox::activated, this, &HeaderHandlers::cbEcn_Click);
    connect(w->datePicker()->calendarWidget(), &QCalendarWidget::clicked, this, &HeaderHandlers::DTP_CloseUp);
    connect(w->datePicker()->calendarWidget(), &QCalendarWidget::activated, this, &HeaderHandlers::DTP_CloseUp);
}

void HeaderHandlers::cbEcn_Click() {
    QComboBox* box = w->projectNameBox();
    box->setEditText(quote::projectNameFor(w->customerBox()->text(), box->currentText()));
}

void HeaderHandlers::DTP_CloseUp() {
    w->dateBox()->setText(quote::quoteDateText(w->datePicker()->calendarWidget()->selectedDate()));
}

PageEndButton::PageEndButton(frmQ* window) : QObject(window), w(window) {
    setObjectName(QStringLiteral("PageEndButton"));
    frmPe_ = new frmPe(w->document(), w->body());
    frmPe_->hide();
    frmPe_->showRoot = [this] { w->showRoot(); };
    // A list of the frame that could not be read is read again as a box of it drops down.
    for (QComboBox* box : QList<QComboBox*>{frmPe_->cbTax} + QList<QComboBox*>(frmPe_->cbPe.begin(), frmPe_->cbPe.end()))
        ui::readAgainAtUse(box, [this] { showLists(); });
    connect(w->pageEndButton(), &QPushButton::clicked, this, &PageEndButton::cmdPe_Click);
    // A node shown (the reports recompute the grand total as they show the root): the frame shows
    // the document's values.
    connect(w, &frmQ::nodeShown, frmPe_, [this] {
        frmPe_->PricesHidden = w->PricesHidden;
        frmPe_->showDocument();
    });
    // A new or opened quotation: the frame shows its values (as read, nothing recomputed).
    connect(w, &frmQ::documentReplaced, frmPe_, [this] {
        frmPe_->Loading = w->Loading;
        frmPe_->PricesHidden = w->PricesHidden;
        frmPe_->showDocument();
        frmPe_->Loading = false;
    });
}

void PageEndButton::showLists() {
    w->rereadPickLists();
    frmPe_->setLists(w->TaxRates, w->PageEndRemarks, w->TaxRatesUnread, w->PageEndRemarksUnread);
}

void PageEndButton::cmdPe_Click() {
    frmPe_->setVisible(!frmPe_->isVisible());
    w->ArrangeLayout(); // the frame over the grid's left edge, and the grid above it
    QPushButton* cmdPe = w->pageEndButton();
    if (frmPe_->isVisible()) {
        frmPe_->raise();
        frmPe_->PricesHidden = w->PricesHidden;
        showLists();
        cmdPe->setText(QStringLiteral("頁尾備註 <<"));
        frmPe_->frameOpened();
    } else {
        cmdPe->setText(QStringLiteral("頁尾備註 >>"));
        frmPe_->frameClosed();
    }
}
