#include "CatalogWindows.h"

#include "frmEng.h"
#include "ui/Placement.h"

namespace catalog_ui {

void showCatalogWindow() {
    frmEng* f = ui::Default<frmEng>::get();
    if (!f->hasDatabase()) {
        f->unload();
        return;
    }
    ui::showOrRaise(f, true);
}

} // namespace catalog_ui
