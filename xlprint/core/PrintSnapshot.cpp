#include "PrintSnapshot.h"

namespace xlprint {

QVector<QPair<QString, QString>> placeholderValues(const PrintSnapshot& s) {
    const QStringList date = s.header.txtQD.split(QLatin1Char('/'));
    const auto datePart = [&](qsizetype i) { return i < date.size() ? date.at(i) : QString(); };
    const auto company = [&](qsizetype i) { return i < s.company.size() ? s.company.at(i) : QString(); };
    return {
        {QStringLiteral("#客戶名稱#"), s.header.txtCn},
        {QStringLiteral("#工程名稱#"), s.header.cbEcn},
        {QStringLiteral("#工程地址#"), s.header.txtAddr},
        {QStringLiteral("#客戶電話#"), s.custPhone},
        {QStringLiteral("#客戶傳真#"), s.custFax},
        {QStringLiteral("#客戶聯絡人#"), s.contact},
        {QStringLiteral("#年#"), datePart(0)},
        {QStringLiteral("#月#"), datePart(1)},
        {QStringLiteral("#日#"), datePart(2)},
        {QStringLiteral("#單號#"), s.header.txtNo},
        {QStringLiteral("#業務#"), s.header.cbSal},
        {QStringLiteral("#公司名稱#"), company(0)},
        {QStringLiteral("#公司地址#"), company(1)},
        {QStringLiteral("#公司電話#"), company(2)},
        {QStringLiteral("#公司傳真#"), company(3)},
        {QStringLiteral("#公司統編#"), company(4)},
        {QStringLiteral("#公司email#"), company(5)},
    };
}

} // namespace xlprint
