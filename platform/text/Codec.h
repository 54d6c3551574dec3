#pragma once
// The system's code page: text files are CP950 (Big5 with the Windows extensions) unless they
// start with a UTF-8 byte-order mark. A text CP950 cannot hold is written as UTF-8 with a BOM.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace text {

// CP950 bytes of s; nullopt when s holds a character CP950 cannot represent.
std::optional<QByteArray> toCp950(const QString& s);
// Text of CP950 bytes; an invalid byte sequence becomes U+FFFD.
QString fromCp950(const QByteArray& bytes);
// CP950 code of the first character of s (for example 0xA440 for 一), 0 when s is empty,
// -1 when the character has no CP950 code. A single-byte character gives its byte value.
int cp950Code(const QString& s);

// File content to text: UTF-8 when it starts with the UTF-8 BOM (the BOM removed), else CP950.
QString decode(const QByteArray& bytes);
// Text to file content: CP950 when it can hold every character, else the UTF-8 BOM and UTF-8.
QByteArray encode(const QString& s);

// Reads a whole file's bytes; nullopt when it cannot be read.
std::optional<QByteArray> readFileBytes(const QString& path, QString* error = nullptr);
// Reads a whole text file; nullopt when it cannot be opened.
std::optional<QString> readTextFile(const QString& path, QString* error = nullptr);
// Writes a whole text file atomically (all or nothing). False with the reason on failure; a file
// without write permission (read-only) is never replaced.
bool writeTextFile(const QString& path, const QString& content, QString* error = nullptr);

// Splits text into lines at CR LF, LF or CR; a final line end adds no empty line.
QStringList splitLines(const QString& content);

// Settings files: one value per line, each ended by CR LF.
std::optional<QStringList> readLines(const QString& path, QString* error = nullptr);
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace text
