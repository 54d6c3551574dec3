#include "Windows.h"

#include "CatalogWindows.h"
#include "MenuWindows.h"

// Each subsystem's windows are registered in a function of their own.

namespace {

// ---------------------------------------------------------------- quotation editor
void registerQuoteWindows() {
}

// ---------------------------------------------------------------- customers, vendors, staff
void registerRecordWindows() {
}

// ---------------------------------------------------------------- construction catalogue
void registerCatalogWindows() {
    shell::setMenuWindowOpener(shell::MenuWindow::Catalog, &catalog_ui::showCatalogWindow);
}

} // namespace

void registerWindows() {
    registerQuoteWindows();
    registerRecordWindows();
    registerCatalogWindows();
}
