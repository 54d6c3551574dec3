#pragma once
// A real spreadsheet application for the tests: LibreOffice converts workbooks to PDF headless (with
// a profile of its own under a temporary folder) and pdftotext reads the PDF back.
#include <QString>
#include <QStringList>

namespace testlo {

// Converts the workbooks into `outDir` (one PDF each, same base name) in one run. False with the
// reason when LibreOffice is missing or fails.
bool convertToPdf(const QStringList& workbooks, const QString& outDir, QString* error);
// Converts one workbook with a LibreOffice filter ("xlsx:Calc MS Excel 2007 XML") into `outDir`.
bool convertTo(const QString& workbook, const QString& filter, const QString& outDir, QString* error);
// The PDF of `workbook` in `outDir` after convertToPdf.
QString pdfPathFor(const QString& workbook, const QString& outDir);
// The text of a PDF (pdftotext, layout kept when asked); empty when it cannot be read.
QString pdfText(const QString& pdf, bool layout = false);
// The number of pages of a PDF (pdfinfo); 0 when it cannot be read.
int pdfPages(const QString& pdf);

} // namespace testlo
