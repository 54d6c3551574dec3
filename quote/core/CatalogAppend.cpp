#include "CatalogAppend.h"

#include "CellRules.h"
#include "Pricing.h"
#include "RowCommands.h"
#include "db/Database.h"

namespace quote {

bool hasw(db::Database& db, const QString& w, const QString& t) {
    // The catalogue compares names without letter case: every match is looked at, so a name held
    // beside a variant in another case is found whichever row comes first.
    for (db::Recordset rs = db.query(QStringLiteral("SELECT w FROM t2w WHERE t = ? AND w = ?"), {t, w}); !rs.eof();
         rs.moveNext())
        if (rs.text(0) == w)
            return true;
    return false;
}

namespace {
// The number of a cell as the catalogue stores it: NULL when the user may not see it, or when no
// cell can show it (`told` then names it).
QVariant catalogueNumber(const QString& cell, bool seen, const char* name, QStringList& told) {
    if (!seen)
        return {};
    if (!cellCanShow(cell)) {
        told << QString::fromUtf8(name);
        return {};
    }
    return cellValue(cell);
}
} // namespace

CatalogAppendResult mAdd2W(db::Database& db, const QuoteDocument& doc, const RightsView& rights) {
    CatalogAppendResult result;
    if (!rowCommandsAllowed(doc))
        return result;
    const QString t = lndname(doc.lbPath);
    db::Transaction tx(db);
    qlonglong sort =
        db.scalar(QStringLiteral("SELECT COALESCE(MAX(sort), 0) FROM t2w WHERE t = ?"), {t}).toLongLong() + 1;
    for (const ItemRow& row : doc.hfgQ.dataRows()) {
        const QString& w = row[ColName];
        if (w.isEmpty())
            continue;
        if (hasw(db, w, t)) {
            result.existing << w;
            continue;
        }
        QStringList told;
        const QVariant c = catalogueNumber(row[ColCost], !rights.CostsHidden, "成本", told);
        const QVariant s =
            catalogueNumber(row[ColRatio], !rights.CostsHidden && !rights.PricesHidden, "比例", told);
        if (!told.isEmpty())
            result.unshown
                << QStringLiteral("品名【%1】的%2數字過長，未帶入工程資料，請更正").arg(w, told.join(u'、'));
        db.execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, ?, ?, ?)"),
                   {t, w, sort, row[ColUnit], c, s});
        ++sort;
        ++result.added;
    }
    tx.commit();
    return result;
}

} // namespace quote
