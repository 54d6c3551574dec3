#include "ReportTables.h"

#include "BulkInsert.h"
#include "PageEndRules.h"
#include "PickLists.h"
#include "Pricing.h"
#include "PrintTexts.h"
#include "Statistics.h"
#include "mdM.h"
#include "text/Numbers.h"

#include <array>

namespace stats {

namespace {

QString thousands(double v) {
    return mdM::FormatThousands(num::str(v));
}

// Writes the lines into `table` (whose columns all hold text), one row each.
void appendLines(db::Database& d, const QString& table, const QList<ReportLine>& lines, int columns) {
    QStringList names = d.columns(table).mid(0, columns);
    BulkInsert insert(d, table, names);
    QVariantList v;
    for (const ReportLine& line : lines) {
        v.clear();
        for (int i = 0; i < columns; ++i)
            v << line.value(i);
        insert.add(v);
    }
    insert.flush();
}

void writeHeader(db::Database& report, const quote::QuoteDocument& doc, const ReportSources& src) {
    report.execute(QStringLiteral("DELETE FROM phead"));
    appendLines(report, QStringLiteral("phead"),
                {headerRow(src.company, doc.header, src.custPhone, src.custFax)}, 14);
}

// Blank lines that fill a page: one space in the text column.
void appendBlanks(QList<ReportLine>& lines, int count, int columns) {
    ReportLine blank(columns);
    blank[1] = QStringLiteral(" ");
    for (int i = 0; i < count; ++i)
        lines << blank;
}

QString headingNumeral(int level, int counter) {
    switch (level) {
    case 1:
        return mdM::NumberToChineseFormal(QString::number(counter));
    case 2:
        return mdM::NumberToChinese(QString::number(counter));
    case 3:
        return QString(QChar(64 + counter));
    default:
        return QString(QChar(96 + counter));
    }
}

} // namespace

int detailBlankLines(int n) {
    const int r = n % kDetailLinesPerPage;
    return r == 0 ? 0 : kDetailLinesPerPage - 1 - r;
}

int coverBlankLines(int g) {
    const int r = g % kCoverLinesPerPage;
    return r == 0 ? 0 : std::max(0, 22 - r);
}

std::optional<QStringList> companyRow(db::Database& mainDb) {
    db::Recordset rs = mainDb.openRecordset(QStringLiteral("company"));
    if (rs.eof())
        return std::nullopt;
    QStringList out;
    for (int i = 0; i < 6; ++i)
        out << (i < rs.fieldCount() ? rs.text(i) : QString());
    return out;
}

QStringList headerRow(const QStringList& company, const quote::QuoteHeader& h, const QString& custPhone,
                      const QString& custFax) {
    QStringList row;
    for (int i = 0; i < 6; ++i)
        row << (i == 2 || i == 3 ? phoneText(company.value(i)) : company.value(i));
    row << h.txtCn << phoneText(custPhone) << phoneText(custFax) << h.cbEcn << h.txtAddr << h.txtQD << h.txtNo
        << h.cbSal;
    return row;
}

QList<ReportLine> detailLines(db::Recordset& albyP, const QHash<QString, double>& sums, bool pricesShown) {
    QList<ReportLine> lines;
    std::array<int, 5> counter{0, 0, 0, 0, 0};
    QStringList prev; // parts of the previous path; none before the first record
    bool first = true;
    QString path;
    int itemNo = 0;
    const auto subtotal = [&] {
        ReportLine l(7);
        l[1] = QStringLiteral("小計");
        if (pricesShown)
            l[5] = thousands(sums.value(path));
        lines << l;
    };
    for (albyP.moveFirst(); !albyP.eof(); albyP.moveNext()) {
        const QString tre = albyP.text(0);
        if (first || tre != path) {
            if (!first)
                subtotal();
            const QStringList parts = tre.split(QStringLiteral("‧"));
            const int depth = std::min(int(parts.size()) - 1, 4);
            bool changed = first;
            for (int level = 1; level <= depth; ++level) {
                changed = changed || prev.size() <= level || prev[level] != parts[level];
                if (!changed)
                    continue;
                ++counter[size_t(level)];
                for (int deeper = level + 1; deeper <= 4; ++deeper)
                    counter[size_t(deeper)] = 0;
                ReportLine l(7);
                l[0] = headingNumeral(level, counter[size_t(level)]);
                l[1] = QString(2 * (level - 1), u' ') + parts[level];
                lines << l;
            }
            prev = parts;
            path = tre;
            first = false;
            itemNo = 1;
        } else {
            ++itemNo;
        }
        ReportLine l(7);
        l[0] = QString::number(itemNo);
        l[1] = albyP.text(1) + albyP.text(2);
        l[2] = albyP.text(3);
        l[3] = thousands(albyP.value(4).toDouble());
        if (pricesShown) {
            l[4] = thousands(albyP.value(5).toDouble());
            l[5] = thousands(albyP.value(6).toDouble());
        }
        l[6] = albyP.text(10);
        lines << l;
    }
    if (!first)
        subtotal();
    return lines;
}

void FillDetailPrintTables(quote::QuoteDocument& doc, const ReportSources& src, int printGroupMode) {
    quote::RecalcGrandTotal(doc); // the whole quotation's, whatever node is shown
    // Levels 1 and 2 are numbered (by work type for 2); the details number no other level.
    const bool numbered = printGroupMode == GroupFirstLevel || printGroupMode == GroupWorkTypes;
    RefreshStatistics(doc, *src.sta, printGroupMode == GroupWorkTypes, numbered ? printGroupMode : 0);

    db::Recordset albyP = src.sta->query(
        QStringLiteral("SELECT tre, Des, Siz, Uni, Qua, Unp, Top, Unc, Toc, Rat, Rem FROM AlbyP"));
    // AlbyP holds every record that has a path: the subtotals are its sums by path.
    QHash<QString, double> sums;
    for (; !albyP.eof(); albyP.moveNext())
        sums[albyP.text(0)] += albyP.value(6).toDouble();
    QList<ReportLine> lines = detailLines(albyP, sums, !src.pricesHidden);
    appendBlanks(lines, detailBlankLines(int(lines.size())), 7);

    db::Database& report = *src.report;
    db::Transaction tr(report);
    writeHeader(report, doc, src);
    report.execute(QStringLiteral("DELETE FROM pbody"));
    appendLines(report, QStringLiteral("pbody"), lines, 7);
    tr.commit();
}

namespace {

// A fee line of the cover page.
ReportLine feeLine(const quote::Fee& fee, bool pricesShown) {
    ReportLine l(5);
    const bool shown = quote::feeShown(pricesShown);
    l[1] = feeNameText(fee, shown);
    l[2] = fee.byTotal ? QStringLiteral("總價") : QStringLiteral("坪");
    if (!shown)
        return l;
    if (fee.byTotal)
        l[3] = quote::PickLists::percentText(num::val(fee.rate)); // the format "0%": halves away from zero
    else
        l[3] = fee.base;
    l[4] = mdM::FormatThousands(fee.amount);
    return l;
}

ReportLine textLine(const QString& text, const QString& amount = {}) {
    ReportLine l(5);
    l[1] = text;
    l[4] = amount;
    return l;
}

} // namespace

void FillFrontPagePrintTables(quote::QuoteDocument& doc, const ReportSources& src) {
    quote::RecalcGrandTotal(doc); // the whole quotation's, whatever node is shown
    ShowRoot(doc);
    FillStatisticsTable(*src.sta, doc.hfgQ);
    db::Recordset groups =
        src.sta->openRecordset(doc.WorkTypesOnly ? QStringLiteral("Aot") : QStringLiteral("T"));

    const bool prices = !src.pricesHidden;
    // An amount as written: none for a user who may not see prices.
    const auto amount = [prices](const QString& v) { return prices ? mdM::FormatThousands(v) : QString(); };
    QList<ReportLine> lines;
    int k = 1;
    for (; !groups.eof(); groups.moveNext(), ++k)
        lines << ReportLine{mdM::NumberToChineseFormal(QString::number(k)), groups.text(0),
                            QStringLiteral("式"), QStringLiteral("1"),
                            amount(num::str(groups.value(1).toDouble()))};
    const int g = k - 1;
    const quote::PageEnd& pe = doc.pageEnd;
    if (pe.design.included)
        lines << feeLine(pe.design, prices);
    if (pe.supervision.included)
        lines << feeLine(pe.supervision, prices);
    lines << textLine(QStringLiteral("    合  計"), amount(pe.lbNtax));
    if (pe.ckTax)
        lines << textLine(QStringLiteral("    稅  金"), amount(pe.lbTax));
    const QString total = num::str(num::roundHalfEven(num::val(pe.lbApr)));
    lines << textLine(QStringLiteral("    總  計"), amount(total));
    if (prices) {
        QString words = mdM::NumberToChineseFormal(total);
        if (words.isEmpty())
            words = QStringLiteral("零");
        lines << textLine(QStringLiteral("總價: 新台幣 ") + words +
                          (pe.ckTax ? QStringLiteral(" 元整(含稅)") : QStringLiteral(" 元整(未稅)")));
    } else {
        lines << textLine(QString());
    }
    appendBlanks(lines, coverBlankLines(g), 5);

    db::Database& report = *src.report;
    db::Transaction tr(report);
    writeHeader(report, doc, src);
    report.execute(QStringLiteral("DELETE FROM pfp"));
    appendLines(report, QStringLiteral("pfp"), lines, 5);
    for (int i = 0; i < 5; ++i) {
        const QString table = QStringLiteral("ps%1").arg(i);
        report.execute(QStringLiteral("DELETE FROM ") + table);
        if (!pe.cbPe[size_t(i)].isEmpty())
            appendLines(report, table, {{QString::number(i + 1) + QStringLiteral(". ") + pe.cbPe[size_t(i)]}},
                        1);
    }
    tr.commit();
}

int reportGroupMode(const quote::QuoteDocument& doc) {
    return doc.WorkTypesOnly ? GroupFirstLevel : GroupWorkTypes;
}

int RefillReportTables(quote::QuoteDocument& doc, const ReportSources& src,
                       const std::function<void(db::Database& report)>& readBack) {
    const int mode = reportGroupMode(doc);
    // Both reports show the same quotation: all of it is written, or nothing. 統計, rebuilt on the
    // way for each, is left as it was too.
    db::Transaction statistics(*src.sta);
    db::Transaction reports(*src.report);
    FillFrontPagePrintTables(doc, src);
    FillDetailPrintTables(doc, src, mode);
    if (readBack)
        readBack(*src.report);
    reports.commit();
    statistics.commit();
    return mode;
}

} // namespace stats
