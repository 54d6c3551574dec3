#pragma once
// Why a file could not be read or written, in the program's language: the reason every message
// about a failed file write (quotations, settings files, workbooks, PDFs) carries.
#include <QString>

class QFileDevice;

namespace text {

// The reason for an operating-system error number (errno); a general one for another number.
QString fileErrorReason(int errorNumber);
// The reason for the last failure of a file: the operating-system error its message names, else
// one for the kind of failure (open, read, write, rename).
QString fileErrorReason(const QFileDevice& file);
// Why this user (the effective one, as the file system judges it) cannot write `path`, asked before
// every file write: a folder, a file or folder the user may not write (or a file with the read-only
// attribute, whoever runs the program), a missing folder. Empty when nothing stands in the way.
QString writeBlocker(const QString& path);

} // namespace text
