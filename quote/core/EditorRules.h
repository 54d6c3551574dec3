#pragma once
// Rules of the quotation editor window that need no widgets: the caption, the default quotation
// number, whether the quotation in hand is worth a save question, the autosave count and the
// views that the user's rights give.
#include "QuoteDocument.h"

#include <QString>

namespace quote {

// "報價系統", a tab, then "- 新報價單" for a quotation without a file, else "- " and the file's path.
QString windowCaption(const QString& currentFile);

// The default quotation number of an era-formatted date ("115/03/07"): its digits, then "_".
QString defaultQuoteNo(const QString& eraDate);

// Whether the quotation holds anything: a node below the root, or an item row with text in any of
// columns 2 to 12 (in the store or in the visible grid).
bool holdsAnything(const QuoteDocument& doc);

// The autosave timer ticks every 40 seconds.
inline constexpr int kAutoSaveTickSeconds = 40;
// One tick of the autosave timer, `ticks` the count since it was set to 0: true when the autosave is
// due. With an interval of n minutes (n >= 1) a save comes at the first tick at or after every n
// minutes from the count's start (1: after 80 s, 120 s, 200 s, 240 s ...); 0 or less: at every tick.
bool autoSaveTick(int& ticks, int minutes);

// Positions 1 (prices visible) and 2 (costs visible) of the user's rights string.
struct RightsView {
    bool PricesHidden = false;
    bool CostsHidden = false;
};
RightsView rightsView(const QString& rightsBits);

} // namespace quote
