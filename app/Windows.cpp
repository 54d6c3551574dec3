#include "Windows.h"

#include "MenuWindows.h"
#include "frmCus.h"
#include "ui/Forms.h"

// Each subsystem's windows are registered in a function of their own.

namespace {

template <class T> void showModeless() {
    T* f = ui::Default<T>::get();
    f->show();
    f->raise();
    f->activateWindow();
}

// ---------------------------------------------------------------- quotation editor
void registerQuoteWindows() {
}

// ---------------------------------------------------------------- customers, vendors, staff
void registerRecordWindows() {
    shell::setMenuWindowOpener(shell::MenuWindow::Customers, [] { showModeless<frmCus>(); });
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
