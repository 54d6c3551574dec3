#pragma once
// Record numbers: a prefix (the name's first letter in capitals, or the two-digit stroke code of
// its first character) and a running number of at least three digits.
#include <QString>
#include <QStringList>

namespace records {

// The first n characters of a text, a character outside the Basic Multilingual Plane (two UTF-16
// units) counted as one and never cut in half.
QString firstCharacters(const QString& text, int n);

// The prefix of a name's number; empty for an empty name.
QString numberPrefix(const QString& name);

// The next number of a group: 1 + the highest running number among `numbers` (the stored
// numbers beginning with the prefix), padded to three digits. Numbers whose running part is not
// all digits are ignored.
QString nextNumber(const QString& prefix, const QStringList& numbers);

} // namespace records
