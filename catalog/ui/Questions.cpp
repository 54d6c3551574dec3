#include "Questions.h"

namespace catalog_ui {

bool confirmLoss(const QString& text, ui::Icon icon) {
    return ui::msgBox(text, ui::Buttons::YesNo, icon, QStringLiteral("Kavo III"), 2) == ui::Answer::Yes;
}

ui::Answer askOverwrite(const QString& what) {
    return ui::msgBox(QStringLiteral("%1已在別處變更\r\n是否覆蓋?\r\n\r\n是: 覆蓋　否: 重新載入　取消: 繼續編輯").arg(what),
                      ui::Buttons::YesNoCancel, ui::Icon::Question, QStringLiteral("Kavo III"), 3);
}

bool closeWithoutStoring(const QString& reason, const QString& what) {
    return confirmLoss(QStringLiteral("%1\r\n\r\n%2未能儲存，是否不儲存而關閉?").arg(reason, what),
                       ui::Icon::Exclamation);
}

} // namespace catalog_ui
