#pragma once
// Cutting a text without breaking a character: a surrogate pair stays whole and a variation selector
// (U+FE00–U+FE0F, U+E0100–U+E01EF) stays with the character before it.
#include <QString>
#include <QStringView>

namespace text {

// Length in UTF-16 units of the character that starts at `pos`, its variation selectors included.
qsizetype characterLength(QStringView s, qsizetype pos);

// The longest beginning of `s` of at most `maxUnits` UTF-16 units that ends on a character boundary.
QString cutToUnits(const QString& s, qsizetype maxUnits);

// The first `n` characters of `s`.
QString firstCharacters(const QString& s, int n);

// The longest file name the file system holds, in bytes of UTF-8.
inline constexpr qsizetype kMaxFileNameBytes = 255;
// A proposed file name: `stem` cut on a character boundary so that it and `tail` (the extension and
// whatever must stay whole) fit kMaxFileNameBytes.
QString fitFileName(const QString& stem, const QString& tail);

} // namespace text
