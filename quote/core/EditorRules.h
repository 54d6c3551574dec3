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

// One tick of the autosave timer: true when the autosave is due (the caller saves and sets the count
// to 0); otherwise the count goes up by one. A save follows every interval + 1 ticks.
bool autoSaveTick(int& ticks, int interval);

// Positions 1 (prices visible) and 2 (costs visible) of the user's rights string.
struct RightsView {
    bool PricesHidden = false;
    bool CostsHidden = false;
};
RightsView rightsView(const QString& rightsBits);

} // namespace quote
