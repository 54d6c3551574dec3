#include "Windows.h"

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
}

} // namespace

void registerWindows() {
    registerQuoteWindows();
    registerRecordWindows();
    registerCatalogWindows();
}
