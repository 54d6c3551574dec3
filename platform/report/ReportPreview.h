#pragma once
// The print preview of a report: the pages as they print, A4 portrait (no orientation or page
// setup to change), with page and zoom commands, printing and saving as PDF.
#include <QString>

class QWidget;

namespace report {

class Report;

// Shows the preview modally; a PDF is offered in `pdfFolder` and written whole or not at all.
void showPreview(const Report& report, QWidget* parent, const QString& pdfFolder);

} // namespace report
