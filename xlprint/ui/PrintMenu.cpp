#include "PrintMenu.h"

#include "QuotationPrint.h"
#include "frmXlSet.h"

#include <QApplication>

#include <QAction>
#include <QMenu>

namespace xlprint {

void connectPrintMenu(QMenu* menu, const std::function<void(const PrintCommand&)>& run,
                      const std::function<void()>& settings) {
    const char* separators[] = {"ml9", "ml10", "mll"};
    int sep = 0;
    for (const PrintCommand& cmd : printCommands()) {
        QAction* a = menu->findChild<QAction*>(QString::fromLatin1(cmd.item));
        if (!a)
            continue;
        if (cmd.separatorBefore) {
            const QString name = QString::fromLatin1(separators[sep++]);
            if (!menu->findChild<QAction*>(name)) {
                auto* line = new QAction(menu);
                line->setSeparator(true);
                line->setObjectName(name);
                menu->insertAction(a, line);
            }
        }
        const PrintCommand* c = &cmd;
        QObject::connect(a, &QAction::triggered, menu, [run, c] { run(*c); });
    }
    if (QAction* set = menu->findChild<QAction*>(QStringLiteral("mPxlset")))
        QObject::connect(set, &QAction::triggered, menu, [settings] { settings(); });
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
