#pragma once
// The page-end frame's rules over a whole quotation: the fees, tax, discount and grand total always
// follow the total of the whole quotation, whichever node is shown, and a fee based on the total
// price takes that total as its base whenever the grand total is recomputed.
#include "QuoteDocument.h"

#include <QString>

namespace quote {

// The 合計 of the whole quotation (the edits of the shown leaf included).
QString quotationTotal(const QuoteDocument& doc);

// The bases of the fees by total price set to the quotation total; a fee whose base changed is
// recomputed. True when a base changed.
bool RefreshFeeBases(QuoteDocument& doc);

// The fee bases refreshed, then total before tax, tax, total with tax and quoted total.
void RecalcGrandTotal(QuoteDocument& doc);

// A fee's rate or base was edited: its amount follows, then the grand total.
void FeeEdited(QuoteDocument& doc, Fee& fee);

// The page-end frame was closed: the fee bases by total price follow the quotation total, and the
// grand total is recomputed when one changed.
void PageEndClosed(QuoteDocument& doc);

} // namespace quote
