// The page-end rules over a whole quotation, the tax rate text, and the composed header fields.
#include "QuotePaths.h"
#include "HeaderFields.h"
#include "PageEndRules.h"
#include "Pricing.h"

#include <QtTest>

using namespace quote;
using namespace testpaths;

namespace {

// Areas A and B holding one row each of the given amounts; A is left shown with its amount edited
// to `editedA` (not yet stored).
QuoteDocument twoAreas(const QString& a, const QString& b, const QString& editedA) {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tree.addChild(Q, QStringLiteral("B"));
    for (const auto& [leaf, amount] : {std::pair{path("B"), b}, std::pair{path("A"), a}}) {
        doc.tv_NodeClick(leaf);
        doc.SetCell(1, ColName, QStringLiteral("n"));
        doc.SetCell(1, ColAmount, amount);
    }
    doc.tv_NodeClick(Q);
    doc.tv_NodeClick(path("A"));
    doc.SetCell(1, ColAmount, editedA);
    doc.RefreshTotals();
    return doc;
}

} // namespace

class TestPageEndRules : public QObject {
    Q_OBJECT

private slots:
    void taxRateText_data();
    void taxRateText();
    void grandTotalFollowsTheWholeQuotation();
    void closingRefreshesOnlyChangedBases();
    void feePerPingKeepsItsBase();
    void headerFields();
};

void TestPageEndRules::taxRateText_data() {
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::newRow("percentage") << "5%" << "50";
    QTest::newRow("number without percent sign") << "12" << "120";
    QTest::newRow("two digits with percent sign") << "12%" << "120";
    QTest::newRow("blanks") << " 8 %" << "80";
    QTest::newRow("only one percent sign dropped") << "5%%" << "50";
    QTest::newRow("word") << "稅" << "0";
}

void TestPageEndRules::taxRateText() {
    QFETCH(QString, rate);
    QFETCH(QString, tax);
    PageEnd pe;
    pe.cbTax = rate;
    quote::RecalcGrandTotal(pe, QStringLiteral("1000"));
    QCOMPARE(pe.lbTax, tax);
}

void TestPageEndRules::grandTotalFollowsTheWholeQuotation() {
    QuoteDocument doc = twoAreas(QStringLiteral("300"), QStringLiteral("200"), QStringLiteral("400"));
    QCOMPARE(doc.totals.lbSumT, QStringLiteral("400")); // the shown leaf
    doc.pageEnd.design.included = true;
    doc.pageEnd.design.rate = QStringLiteral("0.1");
    doc.pageEnd.ckTax = false;
    doc.pageEnd.txtOff = QStringLiteral("-10");
    quote::RecalcGrandTotal(doc);
    QCOMPARE(doc.pageEnd.design.base, QStringLiteral("600"));
    QCOMPARE(doc.pageEnd.design.amount, QStringLiteral("60"));
    QCOMPARE(doc.pageEnd.lbNtax, QStringLiteral("660"));
    QCOMPARE(doc.pageEnd.lbApr, QStringLiteral("650"));
    QCOMPARE(doc.lbPath, path("A")); // the leaf stays shown
}

void TestPageEndRules::closingRefreshesOnlyChangedBases() {
    QuoteDocument doc = twoAreas(QStringLiteral("500"), QStringLiteral("0"), QStringLiteral("500"));
    doc.pageEnd.supervision.rate = QStringLiteral("0.1");
    doc.tv_NodeClick(Q);
    quote::RecalcGrandTotal(doc);
    QCOMPARE(doc.pageEnd.supervision.amount, QStringLiteral("50"));
    // Labels changed by hand stay when no base changes.
    doc.pageEnd.lbApr = QStringLiteral("kept");
    PageEndClosed(doc);
    QCOMPARE(doc.pageEnd.lbApr, QStringLiteral("kept"));
    doc.tv_NodeClick(path("A"));
    doc.SetCell(1, ColAmount, QStringLiteral("700"));
    PageEndClosed(doc);
    QCOMPARE(doc.pageEnd.supervision.base, QStringLiteral("700"));
    QCOMPARE(doc.pageEnd.supervision.amount, QStringLiteral("70"));
    QCOMPARE(doc.pageEnd.lbApr, QStringLiteral("735")); // supervision not included: 700 with tax
}

void TestPageEndRules::feePerPingKeepsItsBase() {
    QuoteDocument doc = twoAreas(QStringLiteral("500"), QStringLiteral("0"), QStringLiteral("500"));
    Fee& fee = doc.pageEnd.design;
    fee.byTotal = false;
    fee.included = true;
    fee.base = QStringLiteral("12");
    fee.rate = QStringLiteral("50");
    FeeEdited(doc, fee);
    QCOMPARE(fee.amount, QStringLiteral("600"));
    QCOMPARE(fee.base, QStringLiteral("12"));
    QCOMPARE(doc.pageEnd.lbNtax, QStringLiteral("1100"));
    fee.rate.clear();
    FeeEdited(doc, fee);
    QCOMPARE(fee.amount, QString());
}

void TestPageEndRules::headerFields() {
    QCOMPARE(projectNameFor(QStringLiteral("A"), QStringLiteral("B")), QStringLiteral("AB"));
    QCOMPARE(quoteDateText(QDate(2002, 5, 8)), QStringLiteral("91/05/08"));
}

QTEST_GUILESS_MAIN(TestPageEndRules)
#include "tst_pageendrules.moc"
