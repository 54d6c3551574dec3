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
// The reason for a file that has the read-only attribute.
QString readOnlyReason();

} // namespace text
