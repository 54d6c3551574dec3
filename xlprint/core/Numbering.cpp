#include "Numbering.h"

#include "mdM.h"

namespace xlprint {

QString headingNumber(int level, int n) {
    switch (level) {
    case 1: return mdM::NumberToChineseFormal(QString::number(n));
    case 2: return mdM::NumberToChinese(QString::number(n));
    case 3: return QString(QChar(char16_t(64 + n)));
    case 4: return QString(QChar(char16_t(96 + n)));
    default: return {};
    }
}

QString headingText(int level, const QString& name) {
    return QString(qMax(0, level - 1), QLatin1Char(' ')) + name;
}

QString amountInWords(double roundedTotal) {
    if (roundedTotal == 0)
        return QStringLiteral("零");
    return mdM::NumberToChineseFormal(QString::number(roundedTotal, 'f', 0));
}

QString amountLine(double quotedTotal, bool taxIncluded, bool withAmount) {
    QString s = QStringLiteral("  總價合計:  新台幣 ");
    if (!withAmount)
        return s;
    s += amountInWords(quotedTotal);
    s += taxIncluded ? QStringLiteral(" 元整(含稅)") : QStringLiteral(" 元整(未稅)");
    return s;
}

int HeadingCounters::next(int level) {
    const int n = ++m_level[size_t(level)];
    resetBelow(level);
    return n;
}

void HeadingCounters::resetBelow(int level) {
    for (int i = level + 1; i <= 4; ++i)
        m_level[size_t(i)] = 0;
    m_item = 0;
}

QList<int> dueHeadingLevels(const QStringList& parts, const QStringList& previous,
                            int firstCompared) {
    QList<int> due;
    bool differs = false;
    const int last = qMin(4, int(parts.size()) - 1);
    for (int i = firstCompared; i <= last; ++i) {
        differs = differs || i >= previous.size() || parts.at(i) != previous.at(i);
        if (differs)
            due.append(i);
    }
    return due;
}

QStringList pathParts(const QString& path) {
    return path.split(QChar(u'‧'));
}

} // namespace xlprint
