#include "Questions.h"

namespace catalog_ui {

bool confirmLoss(const QString& text, ui::Icon icon) {
    return ui::msgBox(text, ui::Buttons::YesNo, icon, QStringLiteral("Kavo III"), 2) == ui::Answer::Yes;
}

bool closeWithoutStoring(const QString& reason, const QString& what) {
    return confirmLoss(QStringLiteral("%1\r\n\r\n%2未能儲存，是否不儲存而關閉?").arg(reason, what),
                       ui::Icon::Exclamation);
}

} // namespace catalog_ui
