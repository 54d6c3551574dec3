#include "CustomerPicker.h"

#include "frmCus.h"
#include "mdM.h"

namespace records {

bool pickCustomerForQuote() {
    // A customer window open from the menu closes first; one adding or editing asks.
    if (!ui::Default<frmCus>::unload())
        return false;
    mdM::CusOpenedFromQuote = true;
    mdM::CusPicked = false;
    frmCus* picker = ui::Default<frmCus>::get();
    picker->showModal();
    return mdM::CusPicked;
}

} // namespace records
