#include "TypedNumber.h"

#include "ui/Dialogs.h"

namespace quote {

void sayNotANumber() {
    ui::msgBox(QStringLiteral("請輸入數字"), ui::Buttons::OK, ui::Icon::Exclamation,
               QStringLiteral("Kavo III"));
}

} // namespace quote
