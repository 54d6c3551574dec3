#include "Windows.h"

#include "CatalogWindows.h"
#include "MenuWindows.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmPsel.h"
#include "frmQ.h"
#include "frmSta.h"
#include "ui/Forms.h"
#include "ui/Placement.h"

// Each subsystem's windows are registered in a function of their own.

namespace {

// ---------------------------------------------------------------- quotation editor
void registerQuoteWindows() {
    // 報價單: the one quotation window, maximised when it opens.
    shell::setMenuWindowOpener(shell::MenuWindow::Quote,
                               [] { ui::showOrRaise(ui::Default<frmQ>::get(), true); });
}

// ---------------------------------------------------------------- customers, vendors, staff
void registerRecordWindows() {
    // Modeless, brought to the front when already open.
    shell::setMenuWindowOpener(shell::MenuWindow::Customers,
                               [] { ui::showOrRaise(ui::Default<frmCus>::get()); });
    shell::setMenuWindowOpener(shell::MenuWindow::Vendors,
                               [] { ui::showOrRaise(ui::Default<frmPrv>::get()); });
    shell::setMenuWindowOpener(shell::MenuWindow::Staff, [] { ui::showOrRaise(ui::Default<frmSta>::get()); });
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
