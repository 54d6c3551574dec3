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
    m_customerShown = mdM::QuoteCustName;
    txtCn->setText(mdM::QuoteCustName);
    cbEcn->setEditText(mdM::QuoteCustName);
    txtAddr->setText(mdM::QuoteSiteAddress);
    lbConn->setText(mdM::QuoteContact);
    lbCtel->setText(mdM::QuoteCustPhone);
}
