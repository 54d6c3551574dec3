#pragma once
// The header fields the quotation editor composes: the project name from the customer and a picked
// entry, and the quotation date from the date picker.
#include "text/RocDate.h"

#include <QDate>
#include <QString>

namespace quote {

// An entry picked from the project-name list follows the customer's name directly.
inline QString projectNameFor(const QString& customer, const QString& entry) {
    return customer + entry;
}

// The date picked, as the era year, month and day ("91/05/08").
inline QString quoteDateText(const QDate& picked) {
    return text::rocDateEra(picked);
}

} // namespace quote
