#pragma once
// The quotation editor's menu 列印(Excel)(&P): the fifteen print commands in their groups and
// 列印設定(&U), with the items that need areas disabled for a quotation of work types only.
#include "PrintCommands.h"
#include "PrintJob.h"
#include "QuoteDocument.h"
#include "db/Database.h"

#include <functional>

class QMenu;
class QWidget;

namespace xlprint {

// Builds the menu `mPxls`; its actions are named after the commands (mPs ...), the separators
// ml9, ml10 and mll, the settings item mPxlset. `run` gets the command of a chosen item.
QMenu* buildPrintMenu(QWidget* parent, const std::function<void(const PrintCommand&)>& run,
                      const std::function<void()>& settings);
// Enables every item, except those needing areas while the quotation holds work types only.
void enablePrintMenu(QMenu* menu, bool workTypesOnly);
// Runs a print command on the quotation with the wait cursor while the workbook is filled.
JobResult runPrintCommand(const PrintCommand& cmd, const Switches& sw, quote::QuoteDocument& doc,
                          db::Database& sta, const UserRights& rights);
// Shows the print settings window modally.
void showPrintSettings();

} // namespace xlprint
