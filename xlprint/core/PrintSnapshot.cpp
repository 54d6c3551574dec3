#include "PrintSnapshot.h"

#include "Pricing.h"
#include "PrintTexts.h"
#include "mdM.h"

namespace xlprint {

PrintSnapshot snapshotOf(const quote::QuoteDocument& doc, const QStringList& company,
                         const UserRights& rights) {
    PrintSnapshot s;
    s.header = doc.header;
    s.custPhone = stats::phoneText(mdM::QuoteCustPhone);
    s.custFax = stats::phoneText(mdM::QuoteCustFax);
    s.contact = mdM::QuoteContact;
    s.company = company;
    for (qsizetype i : {2, 3}) // telephone, fax
        if (i < s.company.size())
            s.company[i] = stats::phoneText(s.company.at(i));
    while (s.company.size() < 6)
        s.company.append(QString());
    s.pageEnd = doc.pageEnd;
    // The fees and totals as the editor's grand-total refresh leaves them.
    const QString total = doc.quotationTotals().lbSumT;
    for (quote::Fee* fee : {&s.pageEnd.design, &s.pageEnd.supervision}) {
        quote::RefreshFeeBase(*fee, total);
        quote::RecalcFee(*fee);
    }
    quote::RecalcGrandTotal(s.pageEnd, total);
    s.rights = rights;
    s.workTypesOnly = doc.WorkTypesOnly;
    s.treeNodes = doc.tree.count();
    const quote::QuoteTree::Node* root = doc.tree.root();
    s.rootChildren = root ? int(root->children.size()) : 0;
    return s;
}

bool hasItemName(const quote::QuoteDocument& doc) {
    for (const quote::ItemGrid* g : {&doc.hfgQ, &doc.hfgB})
        for (int r = 1; r < g->rows(); ++r)
            if (!g->cell(r, quote::ColName).trimmed().isEmpty())
                return true;
    return false;
}

QVector<Placeholder> placeholderValues(const PrintSnapshot& s) {
    const QStringList date = s.header.txtQD.split(QLatin1Char('/'));
    const auto datePart = [&](qsizetype i) { return i < date.size() ? date.at(i) : QString(); };
    const auto company = [&](qsizetype i) { return i < s.company.size() ? s.company.at(i) : QString(); };
    // Each named as the quotation editor captions it.
    return {
        {QStringLiteral("#客戶名稱#"), s.header.txtCn, QStringLiteral("客戶名稱")},
        {QStringLiteral("#工程名稱#"), s.header.cbEcn, QStringLiteral("工程案名")},
        {QStringLiteral("#工程地址#"), s.header.txtAddr, QStringLiteral("工程地址")},
        {QStringLiteral("#客戶電話#"), s.custPhone, QStringLiteral("電話")},
        {QStringLiteral("#客戶傳真#"), s.custFax, QStringLiteral("傳真")},
        {QStringLiteral("#客戶聯絡人#"), s.contact, QStringLiteral("聯絡人")},
        {QStringLiteral("#年#"), datePart(0), QStringLiteral("報價日期")},
        {QStringLiteral("#月#"), datePart(1), QStringLiteral("報價日期")},
        {QStringLiteral("#日#"), datePart(2), QStringLiteral("報價日期")},
        {QStringLiteral("#單號#"), s.header.txtNo, QStringLiteral("報價單號")},
        {QStringLiteral("#業務#"), s.header.cbSal, QStringLiteral("負責業務")},
        {QStringLiteral("#公司名稱#"), company(0), QStringLiteral("公司名稱")},
        {QStringLiteral("#公司地址#"), company(1), QStringLiteral("公司地址")},
        {QStringLiteral("#公司電話#"), company(2), QStringLiteral("公司電話")},
        {QStringLiteral("#公司傳真#"), company(3), QStringLiteral("公司傳真")},
        {QStringLiteral("#公司統編#"), company(4), QStringLiteral("公司統編")},
        {QStringLiteral("#公司email#"), company(5), QStringLiteral("公司 E-mail")},
    };
}

} // namespace xlprint
