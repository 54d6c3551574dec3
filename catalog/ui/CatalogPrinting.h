#pragma once
// Catalogue printing: a fresh copy of the template in the Pother folder, filled with the cells of
// the printout and handed to the spreadsheet program for the user to print.
#include "CatalogPrint.h"

#include <QString>
#include <functional>

namespace catalog_ui {

// The template's path in the Pother folder of the program folder.
QString templatePath(const QString& templateName);
// Checks the spreadsheet program and the template, fills a copy and opens it. Messages: no
// spreadsheet program, "找不到範本檔" with the template's name, database and file errors.
void printCatalog(const QString& templateName, const std::function<QVector<catalog::PrintCell>()>& cells);

} // namespace catalog_ui
