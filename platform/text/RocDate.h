#pragma once
// Dates in Republic-of-China years (year - 1911).
#include <QDate>
#include <QString>

namespace text {

// Record windows' form: year/month/day without leading zeros, e.g. "115/3/7".
QString rocDate(const QDate& d);
// Quotation editor's era pattern "ee/mm/dd": the era year with at least two digits, month and
// day with two digits, e.g. "115/03/07", "99/12/31".
QString rocDateEra(const QDate& d);
// Reads either form back ("115/3/7", "115/03/07"); an invalid QDate when it is not a date.
QDate parseRocDate(const QString& s);

} // namespace text
