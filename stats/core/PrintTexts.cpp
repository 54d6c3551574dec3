#include "PrintTexts.h"

#include <QRegularExpression>

namespace stats {

QString feeNameText(const quote::Fee& fee, bool shown) {
    if (fee.byTotal || !shown)
        return fee.name;
    return fee.name + u'\t' + fee.rate + QStringLiteral("元/坪");
}

QString phoneText(const QString& phone) {
    // Full-width digits, brackets and dashes count as their half-width forms, and the ";" of a
    // two-part field (area code;number) as a blank.
    QString t = phone;
    for (QChar& ch : t) {
        const char16_t u = ch.unicode();
        if (u >= u'０' && u <= u'９')
            ch = QChar(u'0' + (u - u'０'));
        else if (u == u'（')
            ch = u'(';
        else if (u == u'）')
            ch = u')';
        else if (u == u'－' || u == u'‐' || u == u'–' || u == u'—' || u == u'─' || u == u'﹣')
            ch = u'-';
        else if (u == u';' || u == u'；' || u == u'\u3000')
            ch = u' ';
    }
    // An area code starts with 0 and has two to four digits, in brackets or followed by a dash.
    static const QRegularExpression areaCodeOnly(QStringLiteral(R"(^[\s-]*(\(?0\d{1,3}\)?)?[\s-]*$)"));
    return areaCodeOnly.match(t).hasMatch() ? QString() : phone;
}

} // namespace stats
