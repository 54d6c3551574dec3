#include "CoverWriter.h"

#include "Numbering.h"
#include "PrintTexts.h"
#include "text/Numbers.h"

#include <algorithm>

namespace xlprint {

namespace {

const QString kPercent = QStringLiteral("0%");

double amountOf(const QString& caption) {
    return num::val(caption);
}

// The five page-end remarks, each on one line up to the page's last column: a longer one would run
// past the page and make the whole page print smaller to fit its width.
void writeRemarks(CellWriter& w, int firstRow, const PrintSnapshot& s, int lastCol) {
    for (int j = 0; j < 5; ++j)
        w.putRunningOn(firstRow + j, 0, s.pageEnd.cbPe[size_t(j)], lastCol,
                       QStringLiteral("頁尾備註 %1").arg(j + 1));
}

} // namespace

void writeFeeRow(CellWriter& w, int row, const quote::Fee& fee, PingBase ping, bool pricesShown) {
    const bool shown = quote::feeShown(pricesShown);
    w.put(row, 1, stats::feeNameText(fee, shown));
    w.put(row, 2, fee.byTotal ? QStringLiteral("總價") : QStringLiteral("坪"));
    if (!shown)
        return;
    if (fee.byTotal) {
        w.put(row, 3, num::val(fee.rate), Align::Right, kPercent);
    } else {
        QString base = fee.base;
        if (ping == PingBase::AreaTimesRate)
            base += QStringLiteral(" X ") + num::str(num::val(fee.rate));
        w.put(row, 3, base, Align::Right);
    }
    w.put(row, 4, amountOf(fee.amount));
}

SheetPlan planCover(const Geometry& g, const PrintSnapshot& s, const QVector<GroupRow>& groups,
                    const CoverOptions& o, CoverFit* fit) {
    SheetPlan sp;
    sp.sheet = 1;
    sp.columnBreak = g.br.col + (o.costCols ? 2 : 1);
    CellWriter w(sp.cells, g.C);
    const quote::PageEnd& pe = s.pageEnd;
    int k = 0;
    for (const GroupRow& grp : groups) {
        const int row = g.S + k;
        w.put(row, 0, headingNumber(1, k + 1));
        w.put(row, 1, grp.name);
        w.put(row, 2, QStringLiteral("式"));
        w.put(row, 3, 1);
        if (!o.blank)
            w.put(row, 4, grp.amount);
        if (o.costCols) {
            w.put(row, 5, grp.cost);
            if (!o.blank)
                w.put(row, 6, grp.profit);
        }
        ++k;
    }
    if (o.feeRows) {
        for (const quote::Fee* fee : {&pe.design, &pe.supervision}) {
            if (!fee->included)
                continue;
            writeFeeRow(w, g.S + k, *fee, o.ping, !s.rights.pricesHidden);
            ++k;
        }
    }
    ++k;
    const int sumRow = g.S + k;
    w.put(sumRow, 1, QStringLiteral("    合  計"));
    if (!o.blank)
        w.put(sumRow, 4, amountOf(pe.lbNtax));
    if (o.costCols) {
        w.put(sumRow, 5, o.totalCost);
        if (!o.blank)
            w.put(sumRow, 6, amountOf(pe.lbNtax) - o.totalCost);
    }
    if (pe.ckTax) {
        w.put(sumRow + 2, 1, QStringLiteral("    稅  金"));
        if (!o.blank)
            w.put(sumRow + 2, 4, num::roundHalfEven(amountOf(pe.lbTax)));
    }
    const double quoted = num::roundHalfEven(amountOf(pe.lbApr));
    w.put(sumRow + 3, 1, QStringLiteral("    總  計"));
    if (!o.blank)
        w.put(sumRow + 3, 4, quoted);
    const int amountRow = sumRow + 5;
    w.put(amountRow, 1, amountLine(quoted, pe.ckTax, !o.blank), Align::None, {}, true);
    const int remarks = g.S + g.P - 5;
    // Within the page and the table's seven columns: the cost layouts' page runs one column further.
    writeRemarks(w, remarks, s, std::min(sp.columnBreak - 1, g.C + 6));
    if (fit) {
        // The amount line must stay above the remarks: the rows free between them are group rows
        // the cover could still take.
        fit->groups = int(groups.size());
        fit->holds = qMax(0, fit->groups + remarks - 1 - amountRow);
    }
    return sp;
}

void addCover(JobPlan& plan, const Geometry& g, const PrintSnapshot& s, const QVector<GroupRow>& groups,
              const CoverOptions& o) {
    plan.sheets.append(planCover(g, s, groups, o, &plan.cover));
    plan.hasCover = true;
}

void writeClosingRows(CellWriter& w, int base, const PrintSnapshot& s, int lastCol) {
    const quote::PageEnd& pe = s.pageEnd;
    const bool prices = !s.rights.pricesHidden;
    if (pe.design.included)
        writeFeeRow(w, base + 1, pe.design, PingBase::Area, prices);
    if (pe.supervision.included)
        writeFeeRow(w, base + 2, pe.supervision, PingBase::Area, prices);
    w.put(base + 4, 1, QStringLiteral("    合  計"));
    if (prices)
        w.put(base + 4, 4, amountOf(pe.lbNtax));
    if (pe.ckTax) {
        w.put(base + 5, 1, QStringLiteral("    稅  金"));
        if (prices)
            w.put(base + 5, 4, num::roundHalfEven(amountOf(pe.lbTax)));
    }
    if (prices) {
        w.put(base + 6, 1, QStringLiteral("    總  價"));
        w.put(base + 6, 4, amountOf(pe.lbApr));
        w.put(base + 7, 2, amountLine(num::roundHalfEven(amountOf(pe.lbApr)), pe.ckTax, true));
    }
    writeRemarks(w, base + 8, s, lastCol);
}

} // namespace xlprint
