// Kavo3: starts with the splash window, which leads to the login.
#include "TemplateDescription.h"
#include "Windows.h"
#include "frmSplash.h"
#include "system/System.h"
#include "ui/Forms.h"
#include "ui/Placement.h"
#include "ui/WidgetDialogs.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace {
// The first installed family of a font that shows Traditional Chinese, with the rare characters'
// font behind it.
void useChineseFont(QApplication& app) {
    const QStringList families = QFontDatabase::families();
    for (const char* wanted : {"Noto Sans CJK TC", "WenQuanYi Micro Hei", "Noto Sans TC", "AR PL UMing TW"}) {
        const QString name = QString::fromLatin1(wanted);
        if (families.contains(name)) {
            QFont f;
            f.setFamilies(sys::withRareCharacters({name}));
            f.setPointSize(app.font().pointSize() > 0 ? app.font().pointSize() : 10);
            app.setFont(f);
            return;
        }
    }
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavo3"));
    // The program ends only through its own exit paths (menu bar, login), never because its last
    // window happened to close.
    QApplication::setQuitOnLastWindowClosed(false);
    // A program folder copied from another workstation (which never ran the set-up) brings its
    // templates of an earlier build up to date, as the set-up does; the print-template folder is
    // brought up to date when a printout reads it.
    tpl::upgradeOutdated(sys::programFolder(), nullptr, nullptr);
    useChineseFont(app);
    ui::installWidgetDialogs();
    ui::installWindowPlacement();
    ui::installStandardTranslations();
    registerWindows();

    ui::Default<frmSplash>::get()->show();
    return app.exec();
}
