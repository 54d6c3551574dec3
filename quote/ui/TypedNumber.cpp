#include "TypedNumber.h"

#include "ItemRow.h"
#include "ui/Dialogs.h"

namespace quote {

namespace {
void say(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Kavo III"));
}
} // namespace

void sayNotANumber() {
    say(QStringLiteral("請輸入數字"));
}

void sayTooLong(const std::vector<int>& columns) {
    QStringList what; // the computed cells, named as the bulk commands name them
    for (const int col : columns) {
        const QString name = col == ColPrice || col == ColAmount ? QStringLiteral("單價或金額")
                             : col == ColRatio                   ? QStringLiteral("比例")
                                                                 : QStringLiteral("成本或成本複計");
        if (!what.contains(name))
            what << name;
    }
    say(QStringLiteral("這個數字會使%1數字過長，請輸入其他數字").arg(what.join(u'、')));
}

} // namespace quote
