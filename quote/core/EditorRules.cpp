#include "EditorRules.h"

namespace quote {

QString windowCaption(const QString& currentFile) {
    return QStringLiteral("報價系統\t- ") + (currentFile.isEmpty() ? QStringLiteral("新報價單") : currentFile);
}

QString defaultQuoteNo(const QString& eraDate) {
    return eraDate.split(u'/').join(QString()) + u'_';
}

bool holdsAnything(const QuoteDocument& doc) {
    if (doc.tree.count() > 1)
        return true;
    for (const ItemGrid* g : {&doc.hfgB, &doc.hfgQ})
        for (const ItemRow& r : g->dataRows())
            if (!isEmptyRow(r))
                return true;
    return false;
}

bool autoSaveTick(int& ticks, int interval) {
    if (ticks >= interval)
        return true;
    ++ticks;
    return false;
}

RightsView rightsView(const QString& rightsBits) {
    auto at = [&rightsBits](qsizetype i) { return i < rightsBits.size() ? rightsBits.at(i) : QChar(u'0'); };
    return {at(0) == u'0', at(1) == u'0'};
}

} // namespace quote
