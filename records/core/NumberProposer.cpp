#include "NumberProposer.h"

#include "mdM.h"
#include "text/TextCut.h"

namespace records {

QString firstCharacters(const QString& text, int n) {
    return text::firstCharacters(text, n);
}

QString numberPrefix(const QString& name) {
    if (name.isEmpty())
        return {};
    const char16_t u = name.at(0).toUpper().unicode();
    if (u >= u'A' && u <= u'Z' && name.at(0).unicode() < 0x80)
        return QString(QChar(u));
    return mdM::StrokeCode(firstCharacters(name, 1));
}

QString nextNumber(const QString& prefix, const QStringList& numbers) {
    qint64 highest = 0;
    for (const QString& n : numbers) {
        if (!n.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString running = n.mid(prefix.size());
        if (running.isEmpty() || running.size() > 18)
            continue;
        bool allDigits = true;
        for (const QChar c : running)
            allDigits = allDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (allDigits)
            highest = std::max(highest, running.toLongLong());
    }
    return prefix + QStringLiteral("%1").arg(highest + 1, 3, 10, QLatin1Char('0'));
}

} // namespace records
