#include "PageEnd.h"

#include "text/Numbers.h"

namespace quote {

namespace {

// No room is measured in more ping than this: a larger number is a price.
constexpr double kMostPing = 10000;

bool canBeFloorArea(const QString& base, QStringView quotationTotal) {
    const double ping = num::val(base);
    return ping >= 0 && ping <= kMostPing && ping != num::val(quotationTotal);
}

bool canBeShare(const QString& rate) {
    const double share = num::val(rate);
    return share >= 0 && share <= 1;
}

} // namespace

FeeShown feeShown(const Fee& fee, bool pricesShown, QStringView quotationTotal) {
    if (pricesShown)
        return {};
    return {!fee.byTotal && canBeFloorArea(fee.base, quotationTotal), fee.byTotal && canBeShare(fee.rate),
            false};
}

} // namespace quote
