#include "CatalogWindows.h"

#include "frmEng.h"

namespace catalog_ui {

void showCatalogWindow() {
    frmEng* f = ui::Default<frmEng>::get();
    if (!f->hasDatabase()) {
        f->unload();
        return;
    }
    f->showMaximized();
    f->raise();
    f->activateWindow();
}

} // namespace catalog_ui
