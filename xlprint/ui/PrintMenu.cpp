#include "PrintMenu.h"

#include "QuotationPrint.h"
#include "frmXlSet.h"

#include <QApplication>

#include <QAction>
#include <QMenu>

namespace xlprint {

QMenu* buildPrintMenu(QWidget* parent, const std::function<void(const PrintCommand&)>& run,
                      const std::function<void()>& settings) {
    auto* menu = new QMenu(QStringLiteral("列印(Excel)(&P)"), parent);
    menu->setObjectName(QStringLiteral("mPxls"));
    const char* separators[] = {"ml9", "ml10", "mll"};
    int sep = 0;
    for (const PrintCommand& cmd : printCommands()) {
        if (cmd.separatorBefore)
            menu->addSeparator()->setObjectName(QString::fromLatin1(separators[sep++]));
        QAction* a = menu->addAction(QString::fromUtf8(cmd.caption));
        a->setObjectName(QString::fromLatin1(cmd.item));
        const PrintCommand* c = &cmd;
        QObject::connect(a, &QAction::triggered, menu, [run, c] { run(*c); });
    }
    QAction* set = menu->addAction(QStringLiteral("列印設定(&U)"));
    set->setObjectName(QStringLiteral("mPxlset"));
    QObject::connect(set, &QAction::triggered, menu, [settings] { settings(); });
    return menu;
}

void enablePrintMenu(QMenu* menu, bool workTypesOnly) {
    for (const PrintCommand& cmd : printCommands())
        if (QAction* a = menu->findChild<QAction*>(QString::fromLatin1(cmd.item)))
            a->setEnabled(!(workTypesOnly && cmd.needsAreas));
}

JobResult runPrintCommand(const PrintCommand& cmd, const Switches& sw, quote::QuoteDocument& doc,
                          db::Database& sta, const UserRights& rights) {
    return printQuotation(cmd, sw, doc, sta, rights, [](bool on) {
        if (on) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QApplication::processEvents(); // the cursor shows before the workbook is filled
        } else {
            QApplication::restoreOverrideCursor();
        }
    });
}

void showPrintSettings() {
    ui::Default<frmXlSet>::get()->showModal();
}

} // namespace xlprint
