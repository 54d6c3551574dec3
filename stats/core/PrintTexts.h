#pragma once
// Texts every printout of a quotation shares, spreadsheet layouts and reports alike.
#include "PageEnd.h"

#include <QString>

namespace stats {

// The name of a fee line. A fee charged per ping carries its rate ("監工費\t1500元/坪") when
// quote::feeShown lets the user see the fee's figures (`shown`).
QString feeNameText(const quote::Fee& fee, bool shown);

// A telephone or fax number as printed: empty when it holds no more than an area code ("02",
// "(037)-", "（０２）", "02;－"), so an empty number prints nothing after its label.
QString phoneText(const QString& phone);

} // namespace stats
