#pragma once
// The catalogue and vocabulary lists the quotation editor offers, read from the main database, and
// the catalogue look-ups of its pick lists. Every value is bound; every list comes in the order of
// its table's order column (its rowid where it has none). An empty table gives an empty list.
#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quote::PickLists {

QStringList FillCategoryList(db::Database& db);                             // 別.k
QStringList FillCategoryAreaList(db::Database& db, const QString& category); // k2a.a of a category
QStringList FillSalespersonList(db::Database& db);                          // 員工.中文姓名
QStringList FillProjectNameList(db::Database& db);                          // 案.案
QStringList FillUnitList(db::Database& db);                                 // u.u
QStringList FillItemRemarkList(db::Database& db);                           // Qps.ps
QStringList FillPageEndNoteLists(db::Database& db);                         // ps.ps

// sc.sc as text (the ratio editor) and as whole percentages (the tax rate box: 0.05 -> "5%").
struct Ratios {
    QStringList ratios;
    QStringList taxRates;
};
Ratios FillRatioAndTaxLists(db::Database& db);
// A ratio as a whole percentage: 0.05 -> "5%", 1.2 -> "120%".
QString percentText(double v);

// Work items of the deepest part of the shown path that is a work kind with items (empty when no
// part has any).
QStringList FillItemNameList(db::Database& db, const QString& shownPath);
// Detail texts of a work item (w2d.d).
QStringList FillDetailList(db::Database& db, const QString& itemName);

// Unit, cost and ratio of the first work item of that name; NULL values read as empty (0).
struct CatalogueItem {
    QString unit;
    std::optional<double> cost; // nullopt: NULL in the catalogue, shown as an empty cell
    std::optional<double> ratio;
};
std::optional<CatalogueItem> catalogueItem(db::Database& db, const QString& itemName);
// Markup of the first detail `detail` of the work item; nullopt when there is none.
std::optional<double> detailMarkup(db::Database& db, const QString& detail, const QString& itemName);
// Cost of the first work item of that name; nullopt when there is none.
std::optional<double> itemCost(db::Database& db, const QString& itemName);

// Telephone 1, company fax and contact of the customer of that exact name (first record found);
// nullopt when there is none.
struct CustomerDetails {
    QString phone;
    QString fax;
    QString contact;
};
std::optional<CustomerDetails> customerDetails(db::Database& db, const QString& name);

} // namespace quote::PickLists
