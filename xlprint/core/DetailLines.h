#pragma once
// Writing detail lines at the page cursor: item lines, headings and subtotal lines.
#include "CoverWriter.h"
#include "Numbering.h"

#include <QHash>

namespace xlprint {

struct PathSums {
    double price = 0;
    double cost = 0;
};
// The sums of every path over the rows (each row of the table counted once).
QHash<QString, PathSums> sumsByPath(const QVector<StatRow>& rows);

// The template shows unit prices and costs in whole units; one with a fraction (125.5 per 尺) gets
// a format that keeps its decimals, so quantity times the printed price gives the amount. Empty
// for a whole number: the template's format stands.
QString unitPriceFormat(const QVariant& v);

// Amounts written into a column whose template format is not an amount's (the profit of a 小計
// line stands in the ratio column).
inline const QString kAmountFormat = QStringLiteral("#,##0");

class DetailWriter {
public:
    DetailWriter(QVector<CellOut>& cells, const Geometry& g, PageCursor& cur)
        : m_w(cells, g.C), m_cur(cur) {}
    void put(int k, const QVariant& v, const QString& format = {}) {
        m_w.put(m_cur.row(), k, v, Align::None, format);
    }
    void heading(int level, int number, const QString& name) {
        put(0, headingNumber(level, number));
        put(1, headingText(level, name));
    }
    // Number, item name with its 規格, unit, quantity.
    void itemStart(int number, const StatRow& row) {
        put(0, number);
        put(1, row.des + row.siz);
        put(2, row.uni);
        put(3, row.qua);
    }
    // The same, then unit price and amount unless prices are left out.
    void pricedItem(int number, const StatRow& row, bool blank) {
        itemStart(number, row);
        if (!blank) {
            put(4, row.unp, unitPriceFormat(row.unp));
            put(5, row.top);
        }
    }

private:
    CellWriter m_w;
    PageCursor& m_cur;
};

// The detail sheet of a layout with a cover page: sheet 2, its page ending three columns past the
// page range, copies of the page range as wide as `copyLastCol`.
SheetPlan detailSheetPlan(const Geometry& g, int copyLastCol);

// The highest row of the cells (0 for none).
int lastRowOf(const QVector<CellOut>& cells);

} // namespace xlprint
