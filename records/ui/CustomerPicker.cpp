#include "CustomerPicker.h"

#include "frmCus.h"
#include "mdM.h"

namespace records {

bool pickCustomerForQuote() {
    if (ui::Default<frmCus>::isLoaded()) {
        if (ui::Default<frmCus>::get()->isEditing() &&
            ui::msgBox(QStringLiteral("客戶資料正在新增或修改中，放棄已輸入的資料？"), ui::Buttons::YesNo,
                       ui::Icon::Question, QStringLiteral("Kavo III"), 2) != ui::Answer::Yes)
            return false;
    }
    mdM::CusOpenedFromQuote = true;
    mdM::CusPicked = false;
    if (!ui::Default<frmCus>::unload())
        return false;
    frmCus* picker = ui::Default<frmCus>::get();
    picker->showModal();
    return mdM::CusPicked;
}

} // namespace records
