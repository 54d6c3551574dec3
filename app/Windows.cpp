#include "Windows.h"

#include "MenuWindows.h"
#include "frmQ.h"

// Each subsystem's windows are registered in a function of their own.

namespace {

// ---------------------------------------------------------------- quotation editor
void registerQuoteWindows() {
    // 報價單: the one quotation window, maximised.
    shell::setMenuWindowOpener(shell::MenuWindow::Quote, [] {
        frmQ* w = ui::Default<frmQ>::get();
        w->showMaximized();
        w->raise();
        w->activateWindow();
    });
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
