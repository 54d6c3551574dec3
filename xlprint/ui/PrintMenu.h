#pragma once
// The quotation editor's menu 列印(Excel)(&P): its fifteen print commands in their groups and
// 列印設定(&U), run on the quotation.
#include "PrintCommands.h"
#include "PrintJob.h"
#include "QuoteDocument.h"
#include "db/Database.h"

#include <functional>

class QMenu;

namespace xlprint {

// Wires the menu's items (actions named mPs ... and mPxlset): `run` gets the command of a chosen
// item, `settings` runs for 列印設定. The separators ml9, ml10 and mll are put above the first
// item of the second, third and fourth group when the menu lacks them.
void connectPrintMenu(QMenu* menu, const std::function<void(const PrintCommand&)>& run,
                      const std::function<void()>& settings);
// Runs a print command on the quotation with the wait cursor while the workbook is filled.
JobResult runPrintCommand(const PrintCommand& cmd, const Switches& sw, quote::QuoteDocument& doc,
                          db::Database& sta, const UserRights& rights);
// Shows the print settings window modally.
void showPrintSettings();

} // namespace xlprint
