// The editor's spreadsheet print commands: each sets the print-mode switches and prints the
// quotation into its template; 列印設定 opens the print settings.
#include "PrintMenu.h"
#include "StaDb.h"
#include "frmQ.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Dialogs.h"

#include <QMenu>

void frmQ::connectPrintMenu() {
    xlprint::connectPrintMenu(
        menu(QStringLiteral("mPxls")), [this](const xlprint::PrintCommand& cmd) { printCommand(cmd); },
        [this] { mPxlset_Click(); });
}

void frmQ::printCommand(const xlprint::PrintCommand& cmd) {
    HideCellEditors();
    const xlprint::UserRights rights{PricesHidden, CostsHidden};
    const xlprint::Switches sw = xlprint::switchesFor(cmd, m_doc.WorkTypesOnly, rights);
    const bool keptBlank = PrintBlank;
    PrintCostCols = sw.costCols;
    PrintBlank = sw.blank;
    PrintSingleSheet = sw.singleSheet;
    PrintCostTemplate = sw.costTemplate;
    PrintFlat = sw.flat;
    // The cover choice and the grouping level change only for a quotation that is printed.
    const bool hasItems = xlprint::hasItemName(m_doc);
    if (hasItems) {
        PrintByArea = sw.byArea;
        PrintGroupMode = sw.groupMode;
    }
    // Without the window's statistics database (it could not be opened with the window) the
    // printout opens its own for the call; an empty quotation is refused before it is needed.
    db::DatabasePtr own;
    if (!StaDb && hasItems) {
        try {
            own = stats::openStaDb(sys::programFolder());
        } catch (const db::DbError& e) {
            ui::msgBox(QStringLiteral("統計資料庫無法開啟，無法列印\r\n") + mdM::dbErrorText(e), ui::Buttons::OK,
                       ui::Icon::Exclamation, QString::fromLatin1(xlprint::kJobTitle));
            return;
        }
    }
    db::Database* sta = StaDb ? StaDb.get() : own.get();
    if (!sta) {
        ui::msgBox(QStringLiteral("空白表單無法列印"), ui::Buttons::OK, ui::Icon::Exclamation,
                   QString::fromLatin1(xlprint::kJobTitle));
        return;
    }
    // The print lists every row of the quotation: the window shows the root as well.
    if (hasItems)
        showRoot();
    const xlprint::JobResult r = xlprint::runPrintCommand(cmd, sw, m_doc, *sta, rights);
    gridChanged();
    if (QLatin1String(cmd.item) == QLatin1String("mPwsb"))
        PrintBlank = keptBlank; // the blank work-type pages hold the switch for the call only
    // The area pages group at the first level from their statistics refresh on.
    if (cmd.routine == xlprint::Routine::AreaPages && r != xlprint::JobResult::Empty)
        PrintGroupMode = xlprint::effectiveSwitches(cmd.routine, sw).groupMode;
}

void frmQ::mPxlset_Click() {
    xlprint::showPrintSettings();
}
