#include "StaStatSource.h"

namespace xlprint {

double StaStatSource::totalCost() {
    db::Recordset rs = m_db.openRecordset(QStringLiteral("TOTAL"));
    return rs.eof() ? 0 : numberOf(rs.value(1));
}

QVector<GroupRow> StaStatSource::groups(const QString& query) {
    db::Recordset rs = m_db.openRecordset(query);
    QVector<GroupRow> out;
    out.reserve(rs.recordCount());
    for (; !rs.eof(); rs.moveNext())
        out.append(GroupRow{rs.text(0), rs.value(1), rs.value(2), rs.value(3)});
    return out;
}

QVector<GroupRow> StaStatSource::topGroups() {
    return groups(QStringLiteral("Aot"));
}

QVector<GroupRow> StaStatSource::workTypes() {
    return groups(QStringLiteral("T"));
}

int StaStatSource::lcCount() {
    return m_db.openRecordset(QStringLiteral("LC")).recordCount();
}

QVector<StatRow> StaStatSource::rows(const QString& sql) {
    db::Recordset rs = m_db.query(sql);
    QVector<StatRow> out;
    out.reserve(rs.recordCount());
    const int aot = rs.fieldIndex(QStringLiteral("AoT"));
    for (; !rs.eof(); rs.moveNext()) {
        StatRow r;
        r.tre = rs.text(0);
        r.des = rs.text(1);
        r.siz = rs.text(2);
        r.uni = rs.text(3);
        r.qua = rs.value(4);
        r.unp = rs.value(5);
        r.top = rs.value(6);
        r.unc = rs.value(7);
        r.toc = rs.value(8);
        r.rat = rs.value(9);
        r.rem = rs.text(10);
        r.aot = aot >= 0 ? rs.text(aot) : QString();
        out.append(r);
    }
    return out;
}

QVector<StatRow> StaStatSource::rowsInPrintOrder() {
    return rows(QStringLiteral("SELECT * FROM AlbyP"));
}

QVector<StatRow> StaStatSource::rowsInRowOrder() {
    return rows(QStringLiteral("SELECT * FROM 統計 ORDER BY sot"));
}

QVector<AreaSizeRow> StaStatSource::areaSizes() {
    db::Recordset rs = m_db.openRecordset(QStringLiteral("AotS"));
    QVector<AreaSizeRow> out;
    for (; !rs.eof(); rs.moveNext())
        out.append(AreaSizeRow{rs.text(0), rs.value(1), int(numberOf(rs.value(QStringLiteral("Ct"))))});
    return out;
}

QVector<GroupSizeRow> StaStatSource::groupSizes(const QString& query) {
    db::Recordset rs = m_db.openRecordset(query);
    QVector<GroupSizeRow> out;
    for (; !rs.eof(); rs.moveNext())
        out.append(GroupSizeRow{int(numberOf(rs.value(0))), rs.text(1), rs.text(2)});
    return out;
}

QVector<GroupSizeRow> StaStatSource::areaGroupSizes() {
    return groupSizes(QStringLiteral("SAoT"));
}

QVector<GroupSizeRow> StaStatSource::workTypeGroupSizes() {
    return groupSizes(QStringLiteral("ST"));
}

} // namespace xlprint
