#pragma once
// The quotation editor's customer button: the customer window as a modal picker.

namespace records {

// Opens the customer window modally as the picker and waits. While the customer window is open
// adding or editing a customer, the user is asked first whether to discard what was typed (No
// keeps the window and returns false). True when a customer was handed back: mdM::QuoteCustName,
// QuoteSiteAddress, QuoteCustPhone, QuoteCustFax and QuoteContact then hold it.
bool pickCustomerForQuote();

} // namespace records
