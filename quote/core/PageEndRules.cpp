#include "PageEndRules.h"

#include "Pricing.h"

namespace quote {

QString quotationTotal(const QuoteDocument& doc) {
    return doc.quotationTotals().lbSumT;
}

bool RefreshFeeBases(QuoteDocument& doc) {
    const QString total = quotationTotal(doc);
    const bool design = RefreshFeeBase(doc.pageEnd.design, total);
    const bool supervision = RefreshFeeBase(doc.pageEnd.supervision, total);
    return design || supervision;
}

void RecalcGrandTotal(QuoteDocument& doc) {
    RefreshFeeBases(doc);
    RecalcGrandTotal(doc.pageEnd, quotationTotal(doc));
}

void FeeEdited(QuoteDocument& doc, Fee& fee) {
    RecalcFee(fee);
    RecalcGrandTotal(doc);
}

void PageEndClosed(QuoteDocument& doc) {
    if (RefreshFeeBases(doc))
        RecalcGrandTotal(doc.pageEnd, quotationTotal(doc));
}

} // namespace quote
