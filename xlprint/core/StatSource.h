#pragma once
// What the printouts read of the statistics database: the rows of table 統計 and of its views,
// already filled and numbered for the print job. Read-only.
#include <QString>
#include <QVariant>
#include <QVector>

namespace xlprint {

// One row of 統計 (an item row of the quotation). Numbers stay as the database holds them.
struct StatRow {
    QString tre; // tree path of the row's leaf, parts joined by "‧", part 0 the root
    QString des; // 品名
    QString siz; // 規格
    QString uni; // unit
    QVariant qua, unp, top, unc, toc, rat;
    QString rem;
    QString aot; // first path part: the area (or the work type of a work-types-only quotation)
};

// A row of a group view (areas or work types): name, amount, cost, profit.
struct GroupRow {
    QString name;
    QVariant amount, cost, profit;
};

// A row of the area sizing view: area name, its amount and the base of its line need.
struct AreaSizeRow {
    QString name;
    QVariant amount;
    int ct = 0;
};

// A row of a group sizing view: its number of item lines, its area and its tree path.
struct GroupSizeRow {
    int lines = 0;
    QString aot;
    QString tre;
};

class StatSource {
public:
    virtual ~StatSource() = default;
    // TOTAL: the whole quotation's total cost.
    virtual double totalCost() = 0;
    // Aot: the top-level groups in print order.
    virtual QVector<GroupRow> topGroups() = 0;
    // T: the work types in print order.
    virtual QVector<GroupRow> workTypes() = 0;
    // LC: its number of rows.
    virtual int lcCount() = 0;
    // AlbyP: every row in print order, the rows of one path together.
    virtual QVector<StatRow> rowsInPrintOrder() = 0;
    // 統計 ordered by its row number.
    virtual QVector<StatRow> rowsInRowOrder() = 0;
    // AotS: the areas in print order.
    virtual QVector<AreaSizeRow> areaSizes() = 0;
    // SAoT: the groups of the areas.
    virtual QVector<GroupSizeRow> areaGroupSizes() = 0;
    // ST: the groups of the work-type grouping.
    virtual QVector<GroupSizeRow> workTypeGroupSizes() = 0;
};

// Whether a value is held as a number (not as text).
bool isNumber(const QVariant& v);
// A value of a view as a number (numbers as they are, text read leniently).
double numberOf(const QVariant& v);

} // namespace xlprint
