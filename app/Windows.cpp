#include "Windows.h"

#include "MenuWindows.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmSta.h"
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
    shell::setMenuWindowOpener(shell::MenuWindow::Vendors, [] { showModeless<frmPrv>(); });
    shell::setMenuWindowOpener(shell::MenuWindow::Staff, [] { showModeless<frmSta>(); });
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
