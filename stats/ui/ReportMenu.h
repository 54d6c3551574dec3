#pragma once
// The quotation window's print menu 列印(&R): opening it refills the report tables from the
// quotation; its items show the cover-page report (列印首頁) or the details report (列印明細) in
// the print preview, from which the user prints or saves a PDF.
#include "QuoteDocument.h"
#include "db/Database.h"

class QWidget;

namespace stats {

// The menu opened: the grouping (1 for a work-types-only quotation, else 2) is stored in
// `printGroupMode`, the cover-page and detail tables of ptdemo.mdb in the program folder are
// refilled (the report database created when missing) and both reports read back in the same
// transaction and held. `sta` null: the statistics database is opened again from the program
// folder. The wait cursor shows throughout. A failure shows its reason, leaves both databases as
// they were (a file it created removed again) and returns false; the items then refuse, without
// saying the reason again, until an opening fills the tables.
bool mP_Click(quote::QuoteDocument& doc, db::Database* sta, int& printGroupMode);

// The items: the report as the last opening of the menu filled it from the quotation, whatever
// another copy of the program wrote into ptdemo.mdb since (refused after an opening that failed).
void mPfp_Click(QWidget* parent);
void mPdt_Click(QWidget* parent);

} // namespace stats
