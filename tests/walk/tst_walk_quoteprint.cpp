// The quotation's spreadsheet printouts of the area layouts walked under a failing database.
#include "WalkPrint.h"

using namespace walk;

namespace {

QList<Row> rows() {
    quietPrintouts();
    return spreadsheetPrints({"mPa", "mPnw", "mAs"});
}

} // namespace

WALK_MAIN(rows)
