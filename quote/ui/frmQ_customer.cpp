// The header's customer button: the customer window as a modal picker.
#include "CustomerPicker.h"
#include "frmQ.h"
#include "mdM.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void frmQ::cmdC_Click() {
    if (!records::pickCustomerForQuote())
        return; // the header keeps what it had
    const quote::PickLists::CustomerDetails handed{mdM::QuoteCustPhone, mdM::QuoteCustFax, mdM::QuoteContact};
    m_customerShown = mdM::QuoteCustName;
    txtCn->setText(mdM::QuoteCustName);
    cbEcn->setEditText(mdM::QuoteCustName);
    txtAddr->setText(mdM::QuoteSiteAddress);
    showCustomer(handed);
}
