#include "RocDate.h"

#include <QRegularExpression>

namespace text {

namespace {
constexpr int kRocOffset = 1911;
}

QString rocDate(const QDate& d) {
    if (!d.isValid())
        return {};
    return QStringLiteral("%1/%2/%3").arg(d.year() - kRocOffset).arg(d.month()).arg(d.day());
}

QString rocDateEra(const QDate& d) {
    if (!d.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(d.year() - kRocOffset, 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

QDate parseRocDate(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^\\s*([0-9]{1,3})/([0-9]{1,2})/([0-9]{1,2})\\s*$"));
    const auto m = re.match(s);
    if (!m.hasMatch() || m.captured(1).toInt() < 1)
        return {};
    return QDate(m.captured(1).toInt() + kRocOffset, m.captured(2).toInt(), m.captured(3).toInt());
}

} // namespace text
