#pragma once
// The text forms of the record columns: two boxes joined by ";", the record windows' ROC date
// text, the vendor's supply code, and whole records between their boxes and their columns.
#include "RecordKind.h"

#include <QDate>
#include <QHash>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

namespace records {

// Box name -> text. The vendor's category check boxes are "ck(0)" and "ck(1)" with "1" checked and
// "0" cleared; the staff password has the key kPasswordValue.
using BoxValues = QHash<QString, QString>;
// Column position -> value to write.
using ColumnValues = QVector<QPair<int, QVariant>>;

// "county;street" from its two boxes; nothing is escaped, two empty boxes give ";".
QString joinPair(const QString& first, const QString& second);
// The two boxes of a stored pair: the text before the first ";" (empty without one) and the text
// after it (the whole text without one).
QPair<QString, QString> splitPair(const QString& stored);

// Year - 1911, month and day without leading zeros: 91/5/8.
QString rocDateText(const QDate& d);

// The vendor's supply code from the two check boxes: 0 neither, 1 work crews, 2 materials, 3 both.
int supplyCode(bool workCrews, bool materials);
// The check boxes of a stored code; any other value clears both.
QPair<bool, bool> supplyBoxes(const QVariant& code);

// The boxes of a stored row (the row's values by position).
BoxValues decodeRecord(const RecordKind& kind, const QVector<QVariant>& row);
// The columns a save writes from the boxes. Editing trims the invoice street where the kind says
// so. The staff rights and password are never written.
ColumnValues encodeRecord(const RecordKind& kind, const BoxValues& boxes, bool editing);
// The value to write at `position` over `stored` when the window changed it from `shown` to `mine`:
// a column of two boxes takes the boxes changed here and keeps the others as stored; any other
// column is mine.
QVariant mergeColumn(const RecordKind& kind, int position, const QVariant& shown, const QVariant& mine,
                     const QVariant& stored);

} // namespace records
