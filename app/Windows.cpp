#include "Windows.h"

#include "CatalogWindows.h"
#include "MenuWindows.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmPsel.h"
#include "frmQ.h"
#include "frmSta.h"
#include "ui/Forms.h"

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
    // Modeless, brought to the front when already open.
    const auto show = [](ui::Form* f) {
        f->show();
        f->raise();
        f->activateWindow();
    };
    shell::setMenuWindowOpener(shell::MenuWindow::Customers, [show] { show(ui::Default<frmCus>::get()); });
    shell::setMenuWindowOpener(shell::MenuWindow::Vendors, [show] { show(ui::Default<frmPrv>::get()); });
    shell::setMenuWindowOpener(shell::MenuWindow::Staff, [show] { show(ui::Default<frmSta>::get()); });
    // Their 列印 buttons: record lists and mailing labels.
    records::setListPrintOpener(records::openListPrint);
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
