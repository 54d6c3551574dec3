#include "PickLists.h"

#include "QuoteTree.h"

#include <cmath>

namespace quote::PickLists {
namespace {

// The first field of every record, as text.
QStringList column(db::Database& db, const QString& sql, const QVariantList& params = {}) {
    db::Recordset rs = db.query(sql, params);
    QStringList out;
    out.reserve(rs.recordCount());
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.text(0);
    return out;
}

// A catalogue number; NULL and text that is no number read as 0.
double number(const QVariant& v) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

std::optional<double> firstNumber(db::Database& db, const QString& sql, const QVariantList& params) {
    db::Recordset rs = db.query(sql, params);
    if (rs.eof())
        return std::nullopt;
    return number(rs.value(0));
}

} // namespace

QStringList FillCategoryList(db::Database& db) {
    return column(db, QStringLiteral("SELECT k FROM 別 ORDER BY k_id"));
}

QStringList FillCategoryAreaList(db::Database& db, const QString& category) {
    return column(db, QStringLiteral("SELECT a FROM k2a WHERE k = ? ORDER BY sort, rowid"), {category});
}

QStringList FillSalespersonList(db::Database& db) {
    return column(db, QStringLiteral("SELECT 中文姓名 FROM 員工 ORDER BY rowid"));
}

QStringList FillProjectNameList(db::Database& db) {
    return column(db, QStringLiteral("SELECT 案 FROM 案 ORDER BY sort"));
}

QStringList FillUnitList(db::Database& db) {
    return column(db, QStringLiteral("SELECT u FROM u ORDER BY sort"));
}

QStringList FillItemRemarkList(db::Database& db) {
    return column(db, QStringLiteral("SELECT ps FROM Qps ORDER BY sort"));
}

QStringList FillPageEndNoteLists(db::Database& db) {
    return column(db, QStringLiteral("SELECT ps FROM ps ORDER BY sort"));
}

QString percentText(double v) {
    return QString::number(std::round(v * 100), 'f', 0) + u'%';
}

Ratios FillRatioAndTaxLists(db::Database& db) {
    db::Recordset rs = db.query(QStringLiteral("SELECT sc FROM sc ORDER BY sort"));
    Ratios out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        out.ratios << rs.text(0);
        out.taxRates << percentText(number(rs.value(0)));
    }
    return out;
}

QStringList FillItemNameList(db::Database& db, const QString& shownPath) {
    const QStringList parts = shownPath.split(kPathSeparator);
    for (qsizetype i = parts.size() - 1; i >= 0; --i) {
        QStringList items =
            column(db, QStringLiteral("SELECT w FROM t2w WHERE t = ? ORDER BY sort, rowid"), {parts[i]});
        if (!items.isEmpty())
            return items;
    }
    return {};
}

QStringList FillDetailList(db::Database& db, const QString& itemName) {
    return column(db, QStringLiteral("SELECT d FROM w2d WHERE w = ? ORDER BY sort, rowid"), {itemName});
}

std::optional<CatalogueItem> catalogueItem(db::Database& db, const QString& itemName) {
    db::Recordset rs =
        db.query(QStringLiteral("SELECT u, c, s FROM t2w WHERE w = ? ORDER BY rowid LIMIT 1"), {itemName});
    if (rs.eof())
        return std::nullopt;
    auto orNull = [&rs](int field) -> std::optional<double> {
        const QVariant v = rs.value(field);
        return v.isNull() ? std::nullopt : std::optional<double>(number(v));
    };
    return CatalogueItem{rs.text(0), orNull(1), orNull(2)};
}

std::optional<double> detailMarkup(db::Database& db, const QString& detail, const QString& itemName) {
    return firstNumber(db, QStringLiteral("SELECT c FROM w2d WHERE d = ? AND w = ? ORDER BY rowid LIMIT 1"),
                       {detail, itemName});
}

std::optional<double> itemCost(db::Database& db, const QString& itemName) {
    return firstNumber(db, QStringLiteral("SELECT c FROM t2w WHERE w = ? ORDER BY rowid LIMIT 1"), {itemName});
}

std::optional<CustomerDetails> customerDetails(db::Database& db, const QString& name) {
    db::Recordset rs = db.query(
        QStringLiteral("SELECT 電話1, 公司傳真, 連絡人 FROM 客戶 WHERE 客戶名稱 = ? ORDER BY rowid LIMIT 1"), {name});
    if (rs.eof())
        return std::nullopt;
    return CustomerDetails{rs.text(0), rs.text(1), rs.text(2)};
}

} // namespace quote::PickLists
