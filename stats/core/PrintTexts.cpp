#include "PrintTexts.h"

#include <QRegularExpression>

namespace stats {

QString feeNameText(const quote::Fee& fee, bool pricesShown) {
    if (fee.byTotal || !quote::feeShown(fee, pricesShown).rate)
        return fee.name;
    return fee.name + u'\t' + fee.rate + QStringLiteral("元/坪");
}

QString phoneText(const QString& phone) {
    // An area code starts with 0 and has two to four digits, in brackets or followed by a dash.
    static const QRegularExpression areaCodeOnly(QStringLiteral(R"(^\s*\(?0\d{1,3}\)?[\s-]*$)"));
    return areaCodeOnly.match(phone).hasMatch() ? QString() : phone;
}

} // namespace stats
