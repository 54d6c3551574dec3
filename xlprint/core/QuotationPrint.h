#pragma once
// A print command run on the quotation being edited: its statistics in sta.mdb, the company row
// of the main database, the shipped templates, the workbook layer for the hand-over.
#include "PrintJob.h"
#include "QuoteDocument.h"
#include "db/Database.h"

namespace xlprint {

// Shows the root of `doc` (every row listed), refills and numbers 統計 for the layout, prints
// with the switches the command set.
JobResult printQuotation(const PrintCommand& cmd, const Switches& sw, quote::QuoteDocument& doc,
                         db::Database& sta, const UserRights& rights,
                         const std::function<void(bool)>& busy = {});

} // namespace xlprint
