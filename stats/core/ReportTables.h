#pragma once
// The tables of the report database: the header (phead), the detail lines (pbody), the cover-page
// lines (pfp) and the five remarks (ps0 to ps4), filled from the current quotation when the print
// menu opens. Each fill rebuilds 統計 first and writes the report tables in one transaction.
#include "QuoteDocument.h"
#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace stats {

// What the report fills read besides the quotation.
struct ReportSources {
    db::Database* sta = nullptr;    // the statistics database
    db::Database* report = nullptr; // the report database
    QStringList company;            // the company's name, address, telephone, fax, tax number, e-mail
    QString custPhone;              // the customer's telephone and fax as last picked or read
    QString custFax;
    bool pricesHidden = false; // the user may not see prices: no price, rate or amount is written
};

// The first row of table company of the main database, positions 0 to 5 as text; nullopt when
// the table holds no row. Throws db::DbError.
std::optional<QStringList> companyRow(db::Database& mainDb);

// The phead row, in the table's column order; a telephone or fax as phoneText prints it.
QStringList headerRow(const QStringList& company, const quote::QuoteHeader& h, const QString& custPhone,
                      const QString& custFax);

// Lines per details page, table lines per cover page.
inline constexpr int kDetailLinesPerPage = 34;
inline constexpr int kCoverLinesPerPage = 29;

// Blank lines after `n` detail lines: up to one short of a full page, none when the last page is full.
int detailBlankLines(int n);
// Blank lines after the cover's lines for `g` groups.
int coverBlankLines(int g);

// The details: phead and pbody from 統計 in print order (headings numbered by level, items,
// subtotals, blank lines filling the last page). Recomputes the grand total, shows the root and
// rebuilds and numbers 統計 (mode 1: by first-level group, mode 2 or 3: by work type).
void FillDetailPrintTables(quote::QuoteDocument& doc, const ReportSources& src, int printGroupMode);

// The cover page: phead, pfp (one line per group, fees, totals, the amount in words, blank
// lines) and ps0 to ps4 (the remarks). Recomputes the grand total, shows the root and rebuilds 統計.
void FillFrontPagePrintTables(quote::QuoteDocument& doc, const ReportSources& src);

// The grouping of the reports (frmQ.PrintGroupMode): 1 for a work-types-only quotation, else 2.
int reportGroupMode(const quote::QuoteDocument& doc);

// What opening the print menu does: the cover-page tables, then the detail tables grouped by
// reportGroupMode, written in one transaction (on failure the report tables stay as they were).
// `readBack` runs inside it after the writes, so what it reads is this quotation's whatever another
// program refills later. Returns the grouping used.
int RefillReportTables(quote::QuoteDocument& doc, const ReportSources& src,
                       const std::function<void(db::Database& report)>& readBack = {});

// A report line as written: positions 0 to 6 of pbody, 0 to 4 of pfp.
using ReportLine = QStringList;

// The detail lines of `albyP` (a snapshot of the saved query AlbyP) with the subtotal of each path
// from `sums` (path -> sum of Top over all its records). Exposed for the tests and the benchmark.
// Without `pricesShown` the unit prices, amounts and subtotals stay empty.
QList<ReportLine> detailLines(db::Recordset& albyP, const QHash<QString, double>& sums,
                              bool pricesShown = true);

} // namespace stats
