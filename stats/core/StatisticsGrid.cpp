#include "StatisticsGrid.h"

#include "Statistics.h"
#include "text/Numbers.h"

#include <cmath>

namespace stats {

QString shareText(double amount, double total) {
    if (total == 0)
        return {};
    const double q = num::roundHalfEven(amount / total, 2);
    return num::str(std::round(q * 100)) + u'%';
}

StatisticsGrid statisticsGrid(db::Database& sta, bool byWorkType, bool workTypesOnly) {
    StatisticsGrid g;
    g.header = {QString(), byWorkType ? QStringLiteral("       工    種") : QStringLiteral("       區    域"),
                QStringLiteral("小 計"), QStringLiteral("成本複計"), QStringLiteral("毛 利"),
                QStringLiteral("平均比例"), QStringLiteral("佔總價比")};
    db::Recordset total = sta.openRecordset(QStringLiteral("TOTAL"));
    const double amount = total.eof() ? 0 : total.value(0).toDouble();
    StatLine totalLine;
    totalLine[1] = QStringLiteral(" 合 計 ");
    if (!total.eof()) {
        for (int i = 0; i < 3; ++i)
            totalLine[size_t(i + 2)] = num::str(total.value(i).toDouble());
        totalLine[5] = averageRatioText(total.value(3));
    }
    totalLine[6] = shareText(amount, amount);

    bool useT = byWorkType;
    if (byWorkType && workTypesOnly) {
        g.areaButtonEnabled = false;
        useT = false; // the first level holds the work types
    }
    db::Recordset groups = sta.openRecordset(useT ? QStringLiteral("T") : QStringLiteral("Aot"));
    if (groups.eof()) {
        g.rows << StatLine{}; // the header and one empty row
        return g;
    }
    for (; !groups.eof(); groups.moveNext()) {
        const double a = groups.value(1).toDouble();
        g.rows << StatLine{QString(),      groups.text(0), num::str(a), num::str(groups.value(2).toDouble()),
                           num::str(groups.value(3).toDouble()), averageRatioText(groups.value(4)),
                           shareText(a, amount)};
    }
    g.rows << totalLine;
    g.hasTotalLine = true;
    return g;
}

std::array<bool, kStatColumns> hiddenColumns(bool pricesHidden, bool costsHidden) {
    std::array<bool, kStatColumns> hidden{};
    if (costsHidden)
        hidden[3] = hidden[4] = hidden[5] = hidden[6] = true;
    if (pricesHidden)
        hidden[2] = hidden[4] = hidden[5] = hidden[6] = true;
    return hidden;
}

QList<QStringList> statisticsCells(const StatisticsGrid& g, const std::array<bool, kStatColumns>& hidden) {
    QList<QStringList> out;
    const auto cells = [&](const StatLine& l) {
        QStringList r;
        for (int c = 1; c < kStatColumns; ++c)
            if (!hidden[size_t(c)])
                r << l[size_t(c)];
        return r;
    };
    out << cells(g.header);
    for (const StatLine& l : g.rows)
        out << cells(l);
    return out;
}

} // namespace stats
