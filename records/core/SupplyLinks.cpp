#include "SupplyLinks.h"

#include <algorithm>

namespace records {

std::optional<LinkKind> linkKind(const QString& mode) {
    if (mode == QLatin1String("w"))
        return LinkKind{QStringLiteral("商vs工"), QStringLiteral("工"), QStringLiteral("select 工班 from 工班 order by w_id"),
                        QStringLiteral("施工廠商 編輯"), QStringLiteral("負責施工："), QStringLiteral("新增施工："),
                        QStringLiteral("所有施工："), 128, 128, 255};
    if (mode == QLatin1String("p"))
        return LinkKind{QStringLiteral("商vs料"), QStringLiteral("料"), QStringLiteral("select 材料 from 材料 order by p_id"),
                        QStringLiteral("材料供應 編輯"), QStringLiteral("供應材料："), QStringLiteral("新增材料："),
                        QStringLiteral("所有供應材料："), 128, 255, 128};
    return std::nullopt;
}

namespace {
QStringList column0(db::Database& d, const QString& sql, const QVariantList& params = {}) {
    QStringList values;
    db::Recordset rs = d.query(sql, params);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        values << rs.text(0);
    return values;
}

// Keeps the entries of `list` that no entry of `other` equals.
void removeEqual(QStringList& list, const QStringList& other) {
    list.erase(std::remove_if(list.begin(), list.end(), [&other](const QString& s) { return other.contains(s); }),
               list.end());
}

// The entries at `rows`, top to bottom.
QStringList picked(const QStringList& list, QList<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList names;
    for (int r : rows)
        if (r >= 0 && r < list.size())
            names << list.at(r);
    return names;
}
} // namespace

QStringList readLinks(db::Database& d, const LinkKind& k, const QString& vendor) {
    return column0(d, QStringLiteral("SELECT %1 FROM %2 WHERE 廠商名稱 = ? ORDER BY rowid").arg(k.column, k.table), {vendor});
}

int deleteLinks(db::Database& d, const LinkKind& k, const QString& vendor) {
    return d.execute(QStringLiteral("DELETE FROM %1 WHERE 廠商名稱 = ?").arg(k.table), {vendor});
}

void SupplyLinkLists::load(db::Database& d, const LinkKind& k, const QString& vendor) {
    all = column0(d, k.vocabulary);
    owned = readLinks(d, k, vendor);
    m_read = owned;
    added.clear();
    removeOwnedFromAll();
}

void SupplyLinkLists::removeOwnedFromAll() {
    removeEqual(all, owned);
}

void SupplyLinkLists::add(QList<int> rows) {
    added << picked(all, std::move(rows));
    removeEqual(all, added);
}

void SupplyLinkLists::remove(QList<int> rows) {
    all << picked(owned, std::move(rows));
    removeEqual(owned, all);
    removeOwnedFromAll();
}

bool SupplyLinkLists::write(db::Database& d, const LinkKind& k, const QString& vendor) const {
    db::Transaction t(d);
    if (!d.scalar(QStringLiteral("SELECT 1 FROM 廠商 WHERE 廠商名稱 = ?"), {vendor}).isValid())
        return false;
    for (const QString& name : m_read)
        if (!owned.contains(name))
            d.execute(QStringLiteral("DELETE FROM %1 WHERE 廠商名稱 = ? AND %2 = ?").arg(k.table, k.column), {vendor, name});
    const QStringList linked = readLinks(d, k, vendor);
    const QString sql = QStringLiteral("INSERT INTO %1 (廠商名稱, %2) VALUES (?, ?)").arg(k.table, k.column);
    for (const QString& name : added)
        if (!linked.contains(name))
            d.execute(sql, {vendor, name});
    t.commit();
    return true;
}

} // namespace records
