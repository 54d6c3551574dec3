#pragma once
// The four spreadsheet layouts of a quotation, each planned from the editor's values, the
// statistics and the page geometry without touching a workbook.
#include "PrintCommands.h"
#include "PrintSnapshot.h"
#include "SheetPlan.h"
#include "StatSource.h"

namespace xlprint {

// The detail line estimate of the full layout: A rows, N tree nodes, C children of the root, LC
// rows of the count view.
int quoteLineCount(const Switches& sw, int rows, int nodes, int rootChildren, int lc);

// Cover page by area or work type, estimate, blank, cost and the two single sheets.
JobPlan planQuote(const PrintSnapshot& s, const Switches& sw, const Geometry& g, StatSource& st);
// Area cover page and a detail without work types.
JobPlan planAreasOnly(const PrintSnapshot& s, const Switches& sw, const Geometry& g, StatSource& st);
// Every area on pages of its own.
JobPlan planAreaPages(const PrintSnapshot& s, const Switches& sw, const Geometry& g, StatSource& st);
// Every group of the work-type grouping on pages of its own.
JobPlan planWorkTypePages(const PrintSnapshot& s, const Switches& sw, const Geometry& g,
                          StatSource& st);

JobPlan planJob(Routine routine, const PrintSnapshot& s, const Switches& sw, const Geometry& g,
                StatSource& st);

// Page counts of the page-per-group layouts: one page per group plus one for each group whose
// lines do not fit on a page.
int areaPageCount(const QVector<AreaSizeRow>& areas, const QVector<GroupSizeRow>& groups, int P);
int workTypePageCount(const QVector<GroupSizeRow>& groups, int P);

} // namespace xlprint
