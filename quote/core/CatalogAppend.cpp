#include "CatalogAppend.h"

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

CatalogAppendResult mAdd2W(db::Database& db, const QuoteDocument& doc) {
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
        db.execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, ?, ?, ?)"),
                   {t, w, sort, row[ColUnit], cellValue(row[ColCost]), cellValue(row[ColRatio])});
        ++sort;
        ++result.added;
    }
    tx.commit();
    return result;
}

} // namespace quote
