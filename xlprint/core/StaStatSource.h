#pragma once
// The statistics source over sta.mdb: table 統計 and its saved queries.
#include "StatSource.h"
#include "db/Database.h"

namespace xlprint {

class StaStatSource : public StatSource {
public:
    explicit StaStatSource(db::Database& sta) : m_db(sta) {}
    double totalCost() override;
    QVector<GroupRow> topGroups() override;
    QVector<GroupRow> workTypes() override;
    int lcCount() override;
    QVector<StatRow> rowsInPrintOrder() override;
    QVector<StatRow> rowsInRowOrder() override;
    QVector<AreaSizeRow> areaSizes() override;
    QVector<GroupSizeRow> areaGroupSizes() override;
    QVector<GroupSizeRow> workTypeGroupSizes() override;

private:
    QVector<GroupRow> groups(const QString& query);
    QVector<StatRow> rows(const QString& sql);
    QVector<GroupSizeRow> groupSizes(const QString& query);
    db::Database& m_db;
};

} // namespace xlprint
