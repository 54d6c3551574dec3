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

bool autoSaveTick(int& ticks, int minutes) {
    if (minutes <= 0) {
        ticks = 0;
        return true;
    }
    // The count runs from a mark that fell on a tick; a save is due at the first tick at or after
    // each n-minute mark, so none comes early and none drifts.
    const qint64 interval = 60 * qint64(minutes);
    const qint64 tick = qint64(ticks) + 1;
    const bool due = tick * kAutoSaveTickSeconds / interval > (tick - 1) * kAutoSaveTickSeconds / interval;
    ticks = tick * kAutoSaveTickSeconds % interval == 0 ? 0 : int(tick);
    return due;
}

RightsView rightsView(const QString& rightsBits) {
    auto at = [&rightsBits](qsizetype i) { return i < rightsBits.size() ? rightsBits.at(i) : QChar(u'0'); };
    return {at(0) == u'0', at(1) == u'0'};
}

} // namespace quote
