#include "GroupNavigator.h"

#include "NumberProposer.h"

namespace records {

namespace {
bool isAsciiLetter(QChar c) {
    const char16_t u = c.toUpper().unicode();
    return u >= u'A' && u <= u'Z';
}
} // namespace

std::optional<QString> nextGroup(const QString& group) {
    if (group.isEmpty())
        return std::nullopt;
    const QChar first = group.at(0);
    if (isAsciiLetter(first)) {
        const char16_t u = first.toUpper().unicode();
        if (u == u'Z')
            return std::nullopt;
        return QString(QChar(char16_t(u + 1)));
    }
    bool ok = false;
    const int d = group.toInt(&ok);
    if (!ok || !first.isDigit() || d < 0)
        return std::nullopt;
    if (d < 9)
        return QStringLiteral("0%1").arg(d + 1);
    if (d < 33)
        return QString::number(d + 1);
    return QStringLiteral("A");
}

QString groupToShow(const QString& start, const std::function<bool(const QString&)>& hasRecords) {
    QString g = start;
    for (;;) {
        if (g.isEmpty() || hasRecords(g))
            return g;
        const std::optional<QString> next = nextGroup(g);
        if (!next)
            return g;
        g = *next;
    }
}

QString groupOfNumber(const QString& number) {
    return number.size() > 3 ? number.left(number.size() - 3) : QString();
}

QString savedGroup(const QString& number) {
    return firstCharacters(number, 2);
}

} // namespace records
