// The page-end frame driven through its controls: fees, tax, discount and the grand total.
#include "PageEndRules.h"
#include "QuoteDocument.h"
#include "ScriptedDialogs.h"
#include "frmPe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace quote;

namespace {

const QString Q = kRootKey;

// Areas A and B whose rows amount to `a` and `b`; A is left shown.
void fill(QuoteDocument& doc, const QString& a, const QString& b = QStringLiteral("0")) {
    doc.tree.addChild(Q, QStringLiteral("A"));
    doc.tree.addChild(Q, QStringLiteral("B"));
    for (const auto& [name, amount] : {std::pair{QStringLiteral("B"), b}, std::pair{QStringLiteral("A"), a}}) {
        doc.tv_NodeClick(Q + kPathSeparator + name);
        doc.SetCell(1, ColName, QStringLiteral("item"));
        doc.SetCell(1, ColAmount, amount);
    }
    doc.RefreshTotals();
}

} // namespace

class TestFrmPe : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void initialState();
    void taxAndDiscount_data();
    void taxAndDiscount();
    void untickedTaxKeepsTheLastFigures();
    void emptyTaxBox();
    void taxEnter_data();
    void taxEnter();
    void designFeeByTotal();
    void feeBasis_data();
    void feeBasis();
    void feePerPing();
    void noFeeCopiesTheTotalText();
    void openingShowsTheRoot();
    void loadingRecomputesNothing();
    void namesAndRemarksReachTheDocument();

private:
    template <class T> T* c(const char* name) {
        T* w = pe_->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString text(const char* label) { return c<QLabel>(label)->text(); }
    // Replaces the box's text as typing does (text outside Latin-1 as an input method gives it).
    static void typeInto(QLineEdit* e, const QString& t) {
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        if (t.toLatin1() == t.toUtf8())
            QTest::keyClicks(e, t);
        else
            e->insert(t);
    }
    void type(const char* box, const QString& t) { typeInto(c<QLineEdit>(box), t); }
    void typeTax(const QString& t, bool enter) {
        typeInto(pe_->cbTax->lineEdit(), t);
        if (enter)
            QTest::keyClick(pe_->cbTax->lineEdit(), Qt::Key_Return);
    }

    QuoteDocument* doc_ = nullptr;
    frmPe* pe_ = nullptr;
};

void TestFrmPe::init() {
    doc_ = new QuoteDocument;
    pe_ = new frmPe(*doc_);
    pe_->show();
}

void TestFrmPe::cleanup() {
    delete pe_;
    delete doc_;
}

void TestFrmPe::initialState() {
    QVERIFY(!c<QCheckBox>("ckD")->isChecked());
    QVERIFY(!c<QCheckBox>("ckL")->isChecked());
    QVERIFY(c<QCheckBox>("ckTax")->isChecked());
    QVERIFY(c<QRadioButton>("Dop1")->isChecked());
    QVERIFY(c<QRadioButton>("Lop1")->isChecked());
    QCOMPARE(c<QLineEdit>("tD")->text(), QStringLiteral("設計費"));
    QCOMPARE(c<QLineEdit>("tL")->text(), QStringLiteral("監工費"));
    QCOMPARE(text("lbd"), QStringLiteral("元"));
    QCOMPARE(pe_->cbTax->currentText(), QStringLiteral("5%"));
    for (int i = 0; i < 5; ++i)
        QVERIFY(pe_->findChild<QComboBox*>(QStringLiteral("cbPe(%1)").arg(i)));
}

void TestFrmPe::taxAndDiscount_data() {
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("off");
    QTest::addColumn<QStringList>("out"); // lbNtax lbTax lbHtax lbApr
    QTest::newRow("1010: tax to even") << "1010" << "" << QStringList{"1010", "50", "1060", "1060"};
    QTest::newRow("999") << "999" << "" << QStringList{"999", "50", "1049", "1049"};
    QTest::newRow("discount -60") << "999" << "-60" << QStringList{"999", "50", "1049", "989"};
    QTest::newRow("discount 60 raises") << "999" << "60" << QStringList{"999", "50", "1049", "1109"};
}

void TestFrmPe::taxAndDiscount() {
    QFETCH(QString, total);
    QFETCH(QString, off);
    QFETCH(QStringList, out);
    fill(*doc_, total);
    pe_->frameOpened();
    if (!off.isEmpty())
        type("txtOff", off);
    QCOMPARE((QStringList{text("lbNtax"), text("lbTax"), text("lbHtax"), text("lbApr")}), out);
    QCOMPARE(doc_->pageEnd.lbApr, out.last());
}

void TestFrmPe::untickedTaxKeepsTheLastFigures() {
    fill(*doc_, QStringLiteral("999"));
    pe_->frameOpened();
    type("txtOff", QStringLiteral("-60"));
    c<QCheckBox>("ckTax")->click();
    QCOMPARE(text("lbTax"), QStringLiteral("50"));
    QCOMPARE(text("lbHtax"), QStringLiteral("1049"));
    QCOMPARE(text("lbApr"), QStringLiteral("939"));
    QVERIFY(!doc_->pageEnd.ckTax);
}

void TestFrmPe::emptyTaxBox() {
    fill(*doc_, QStringLiteral("1010.5"));
    pe_->frameOpened();
    typeTax(QString(), true); // Enter in the empty box recomputes nothing
    QCOMPARE(text("lbTax"), QStringLiteral("51"));
    type("txtOff", QStringLiteral("0"));
    QCOMPARE(text("lbTax"), QStringLiteral("0"));
    QCOMPARE(text("lbHtax"), QStringLiteral("1010"));
}

void TestFrmPe::taxEnter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::newRow("number") << "6" << "6%" << "60";
    QTest::newRow("percentage") << "6%" << "6%" << "60";
    QTest::newRow("word left alone") << "abc" << "abc" << "50";
}

void TestFrmPe::taxEnter() {
    QFETCH(QString, typed);
    QFETCH(QString, rate);
    QFETCH(QString, tax);
    fill(*doc_, QStringLiteral("1000"));
    pe_->frameOpened();
    typeTax(typed, true);
    QCOMPARE(pe_->cbTax->currentText(), rate);
    QCOMPARE(doc_->pageEnd.cbTax, rate);
    QCOMPARE(text("lbTax"), tax);
}

void TestFrmPe::designFeeByTotal() {
    fill(*doc_, QStringLiteral("500"));
    type("txtdx", QStringLiteral("0.1"));
    // The base follows the quotation total as soon as anything is recomputed.
    QCOMPARE(c<QLineEdit>("txtDp")->text(), QStringLiteral("500"));
    QCOMPARE(text("txtDt"), QStringLiteral("50"));
    c<QCheckBox>("ckD")->click();
    QCOMPARE(text("lbNtax"), QStringLiteral("550"));
    QCOMPARE(text("lbApr"), QStringLiteral("578"));
    // A rate no cell can show (it would read as 0) is refused: the rate and the fee stay.
    ScriptedDialogs dialogs;
    dialogs.expectMessage();
    c<QLineEdit>("txtdx")->selectAll();
    c<QLineEdit>("txtdx")->insert(QString(400, u'9'));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(c<QLineEdit>("txtdx")->text() + text("txtDt") + text("lbApr"), QStringLiteral("0.150578"));

    // Without the price right the amounts are shown empty and still computed.
    pe_->PricesHidden = true;
    type("txtdx", QStringLiteral("0.2"));
    QCOMPARE(c<QLineEdit>("txtDp")->text() + text("txtDt") + text("lbNtax") + text("lbTax") + text("lbHtax") +
                 text("lbApr"),
             QString());
}

void TestFrmPe::feeBasis_data() {
    QTest::addColumn<bool>("pricesHidden");
    QTest::addColumn<bool>("byTotal"); // the basis before the click
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QStringList>("shown"); // base, rate and amount boxes after the other basis is clicked
    QTest::addColumn<QString>("kept");      // the basis and base the quotation keeps
    QTest::newRow("per ping drops the total") << false << true << "" << "0.1" << QStringList{"", "", ""}
                                              << "False,";
    QTest::newRow("by total takes the total") << false << false << "12" << "50"
                                              << QStringList{"500", "", ""} << "True,500";
    // Without the price right the basis stays: a rate per ping would become a share of the total.
    // No figure of a fee is shown: no value tells a floor area or a share from a price.
    QTest::newRow("no price right: per ping kept") << true << false << "37" << "1873"
                                                   << QStringList{"", "", ""} << "False,37";
    QTest::newRow("no price right: share not shown") << true << true << "" << "0.07"
                                                     << QStringList{"", "", ""} << "True,500";
}

void TestFrmPe::feeBasis() {
    QFETCH(bool, pricesHidden);
    QFETCH(bool, byTotal);
    QFETCH(QString, base);
    QFETCH(QString, rate);
    QFETCH(QStringList, shown);
    QFETCH(QString, kept);
    fill(*doc_, QStringLiteral("500"));
    doc_->pageEnd.design = {true, QStringLiteral("設計費"), byTotal, base, feeBaseUnit(byTotal), rate, {}};
    pe_->PricesHidden = pricesHidden;
    pe_->frameOpened();
    c<QRadioButton>(byTotal ? "Dop2" : "Dop1")->click();
    QCOMPARE((QStringList{c<QLineEdit>("txtDp")->text(), c<QLineEdit>("txtdx")->text(), text("txtDt")}), shown);
    const Fee& fee = doc_->pageEnd.design;
    QCOMPARE((fee.byTotal ? QStringLiteral("True,") : QStringLiteral("False,")) + fee.base, kept);
    QCOMPARE(c<QLineEdit>("txtdx")->isReadOnly(), pricesHidden);
}

void TestFrmPe::feePerPing() {
    fill(*doc_, QStringLiteral("500"));
    QVERIFY(c<QLineEdit>("txtDp")->isReadOnly());
    c<QRadioButton>("Dop2")->click();
    QCOMPARE(text("lbd"), QStringLiteral("坪"));
    QVERIFY(!c<QLineEdit>("txtDp")->isReadOnly());
    type("txtDp", QStringLiteral("12"));
    type("txtdx", QStringLiteral("50"));
    QCOMPARE(text("txtDt"), QStringLiteral("600"));
    QCOMPARE(c<QLineEdit>("txtDp")->text(), QStringLiteral("12"));
    type("txtdx", QString());
    QCOMPARE(text("txtDt"), QString());
    c<QRadioButton>("Dop1")->click();
    QCOMPARE(text("lbd"), QStringLiteral("元"));
    QCOMPARE(c<QLineEdit>("txtDp")->text(), QStringLiteral("500"));
    QVERIFY(c<QLineEdit>("txtDp")->isReadOnly());
}

void TestFrmPe::noFeeCopiesTheTotalText() {
    fill(*doc_, QStringLiteral("100.50"), QStringLiteral("0"));
    pe_->frameOpened();
    QCOMPARE(text("lbNtax"), doc_->totals.lbSumT);
    QCOMPARE(text("lbNtax"), QStringLiteral("100.5"));
}

void TestFrmPe::openingShowsTheRoot() {
    fill(*doc_, QStringLiteral("300"), QStringLiteral("200"));
    QCOMPARE(doc_->totals.lbSumT, QStringLiteral("300"));
    pe_->frameOpened();
    QCOMPARE(doc_->lbPath, Q);
    QCOMPARE(doc_->totals.lbSumT, QStringLiteral("500"));
    QCOMPARE(text("lbNtax"), QStringLiteral("500"));
}

void TestFrmPe::loadingRecomputesNothing() {
    fill(*doc_, QStringLiteral("1000"));
    doc_->pageEnd.design.rate = QStringLiteral("0.1");
    doc_->pageEnd.design.base = QStringLiteral("7");
    doc_->pageEnd.design.amount = QStringLiteral("99"); // does not add up, kept as read
    doc_->pageEnd.lbApr = QStringLiteral("12345");
    pe_->Loading = true;
    pe_->showDocument();
    type("txtOff", QStringLiteral("-5"));
    c<QCheckBox>("ckD")->click();
    QCOMPARE(text("txtDt"), QStringLiteral("99"));
    QCOMPARE(c<QLineEdit>("txtDp")->text(), QStringLiteral("7"));
    QCOMPARE(text("lbApr"), QStringLiteral("12345"));
    QCOMPARE(doc_->pageEnd.lbApr, QStringLiteral("12345"));
    pe_->Loading = false;
}

void TestFrmPe::namesAndRemarksReachTheDocument() {
    type("tD", QStringLiteral("規劃費"));
    QCOMPARE(doc_->pageEnd.design.name, QStringLiteral("規劃費"));
    typeInto(pe_->cbPe[3]->lineEdit(), QStringLiteral("保固一年"));
    QCOMPARE(doc_->pageEnd.cbPe[3], QStringLiteral("保固一年"));
    // New: the frame shows the emptied fields again.
    doc_->ResetFooterFields();
    pe_->showDocument();
    QCOMPARE(pe_->cbPe[3]->currentText(), QString());
    QCOMPARE(c<QLineEdit>("tD")->text(), QStringLiteral("規劃費"));
}

QTEST_MAIN(TestFrmPe)
#include "tst_frmpe.moc"
