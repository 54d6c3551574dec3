#pragma once
// Mailing labels of every customer or vendor: three across, a block of five rows per label row
// from row 2 of the label template, the fifth row of each block left as the template has it.
#include "PrintOutput.h"
#include "db/Database.h"

namespace records {

// The statement of a party (1 customers, 2 vendors); empty for any other.
QString labelStatement(int party);

// The top-left cell of label k (0, 1, 2 ... in record order).
wb::CellRef labelCell(int k);

// Writes one label per record (columns: postcode, address, name, contact, record number), each line
// as much as its cell prints whole (the lines its row holds when the cell wraps, else one line); a
// field cut is named in `cut` by its record with the characters of it kept.
void fillLabels(wb::Sheet& sheet, db::Recordset& records, QStringList& cut);

// The whole label printout into Pother/Label.xlsx, the cells cut given to `tellCut` before the
// hand-over. Throws PrintError.
PrintOutcome PrintLabels(db::Database& db, const QString& programFolder, int party, const TellCut& tellCut = {});

} // namespace records
