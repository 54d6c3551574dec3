#pragma once
// Small helpers for the XML of the package: names with a namespace prefix, and cell text as the
// file format stores it.
#include <QString>
#include <string>

namespace wb::xml {

// "x:row" -> "row"; "row" -> "row".
std::string localName(const char* name);
// "x:row" -> "x:"; "row" -> "".
std::string prefixOf(const char* name);

// Appends `text` as XML character data: markup characters escaped, CR kept as a character
// reference, characters XML cannot carry (and text that looks like such an escape) in the
// format's _xHHHH_ form.
void appendEscaped(std::string& out, const QString& text);
// Appends attribute text (quotes escaped too).
void appendAttribute(std::string& out, const char* value);
// Undoes the _xHHHH_ escapes of stored cell text.
QString decodeEscapes(const QString& stored);

} // namespace wb::xml
