#include "frmPe.h"

#include "CellRules.h"
#include "PageEndRules.h"
#include "Pricing.h"
#include "QuoteDocument.h"
#include "TypedNumber.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const QString& caption, const char* name = nullptr) {
    auto* l = new QLabel(caption, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QComboBox* comboBox(QWidget* parent, const QString& name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// An amount label wide enough for a large amount, and no wider whatever it shows: a figure does not
// squeeze the boxes beside it nor push the totals out of the frame.
void keepRoomForAmounts(QLabel* value) {
    value->setFixedWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-0000000000.00")));
}

// A figure too long for its label is shown cut, with "…", and whole in the label's tool tip.
void showFigure(QLabel* label, const QString& figure) {
    const QString shown =
        label->fontMetrics().elidedText(figure, Qt::ElideRight, label->contentsRect().width());
    label->setText(shown);
    label->setToolTip(shown == figure ? QString() : figure);
}

// Sets a control's text only when it differs (the cursor of a box being typed in stays put).
void setText(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

frmPe::frmPe(quote::QuoteDocument& doc, QWidget* parent) : QFrame(parent), doc_(doc) {
    setObjectName(QStringLiteral("frmPe"));
    setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(this);
    v->addWidget(label(this, QStringLiteral("頁尾備註 設計 監工費")));

    for (size_t i = 0; i < cbPe.size(); ++i) {
        cbPe[i] = comboBox(this, QStringLiteral("cbPe(%1)").arg(i));
        v->addWidget(cbPe[i]);
        connect(cbPe[i], &QComboBox::editTextChanged, this, [this, i](const QString& text) {
            if (acting())
                doc_.pageEnd.cbPe[i] = text;
        });
    }
    v->addWidget(separator(this));

    auto* fees = new QWidget(this);
    auto* g = new QGridLayout(fees);
    g->setContentsMargins(0, 0, 0, 0);
    d_ = buildFeeRow("ckD", "tD", "Dop1", "Dop2", "txtDp", "lbd", "txtdx", "txtDt", QStringLiteral("設計費"));
    l_ = buildFeeRow("ckL", "tL", "Lop1", "Lop2", "txtLp", "lbl", "txtlx", "txtLt", QStringLiteral("監工費"));
    int r = 0;
    for (const FeeRow* row : {&d_, &l_}) {
        auto* basis = new QFrame(fees);
        auto* h = new QHBoxLayout(basis);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(row->byTotal);
        h->addWidget(row->perPing);
        row->byTotal->setParent(basis);
        row->perPing->setParent(basis);
        int c = 0;
        g->addWidget(row->ck, r, c++);
        g->addWidget(row->name, r, c++);
        g->addWidget(basis, r, c++);
        g->addWidget(row->base, r, c++);
        g->addWidget(row->unit, r, c++);
        g->addWidget(label(fees, QStringLiteral("X")), r, c++);
        g->addWidget(row->rate, r, c++);
        g->addWidget(label(fees, QStringLiteral("=")), r, c++);
        g->addWidget(row->amount, r, c++);
        ++r;
    }
    v->addWidget(fees);
    v->addWidget(separator(this));

    auto* totals = new QGridLayout;
    ckTax = checkBox(this, "ckTax");
    cbTax = comboBox(this, QStringLiteral("cbTax"));
    lbNtax = label(this, {}, "lbNtax");
    lbTax = label(this, {}, "lbTax");
    lbHtax = label(this, {}, "lbHtax");
    txtOff = ui::textBox(this, "txtOff");
    lbApr = label(this, {}, "lbApr");
    totals->addWidget(label(this, QStringLiteral("總    價:")), 0, 0);
    totals->addWidget(lbNtax, 0, 1);
    totals->addWidget(ckTax, 0, 2);
    totals->addWidget(cbTax, 0, 3);
    totals->addWidget(label(this, QStringLiteral("稅金")), 0, 4);
    totals->addWidget(lbTax, 0, 5);
    totals->addWidget(label(this, QStringLiteral("含稅總價:")), 1, 0);
    totals->addWidget(lbHtax, 1, 1);
    totals->addWidget(label(this, QStringLiteral("折扣:")), 1, 2);
    totals->addWidget(txtOff, 1, 3);
    totals->addWidget(label(this, QStringLiteral("報價總價:")), 1, 4);
    totals->addWidget(lbApr, 1, 5);
    // The boxes keep their natural width; the free room goes to the right of the totals.
    totals->setColumnStretch(6, 1);
    for (QLabel* value : {lbNtax, lbTax, lbHtax, lbApr})
        keepRoomForAmounts(value);
    v->addLayout(totals);

    connect(d_.ck, &QCheckBox::toggled, this, &frmPe::ckD_Click);
    connect(l_.ck, &QCheckBox::toggled, this, &frmPe::ckL_Click);
    connect(d_.base, &QLineEdit::textChanged, this, &frmPe::txtDp_Change);
    connect(d_.rate, &QLineEdit::textChanged, this, &frmPe::txtdx_Change);
    connect(l_.base, &QLineEdit::textChanged, this, &frmPe::txtLp_Change);
    connect(l_.rate, &QLineEdit::textChanged, this, &frmPe::txtlx_Change);
    for (QRadioButton* b : {d_.byTotal, d_.perPing})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Dop1_Click();
        });
    for (QRadioButton* b : {l_.byTotal, l_.perPing})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Lop1_Click();
        });
    connect(d_.name, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (acting())
            design().name = t;
    });
    connect(l_.name, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (acting())
            supervision().name = t;
    });
    connect(ckTax, &QCheckBox::toggled, this, &frmPe::ckTax_Click);
    connect(cbTax, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (acting() && !refused(t))
            doc_.pageEnd.cbTax = t; // a typed rate counts from the next recomputation
    });
    connect(cbTax, &QComboBox::activated, this, &frmPe::cbTax_Click);
    connect(cbTax->lineEdit(), &QLineEdit::returnPressed, this, &frmPe::cbTax_KeyPress);
    connect(txtOff, &QLineEdit::textChanged, this, &frmPe::txtOff_Change);

    showDocument();
}

frmPe::FeeRow frmPe::buildFeeRow(const char* ck, const char* name, const char* opt1, const char* opt2,
                                 const char* base, const char* unit, const char* rate, const char* amount,
                                 const QString& caption) {
    FeeRow row;
    row.ck = checkBox(this, ck);
    row.name = ui::textBox(this, name);
    row.name->setText(caption);
    row.byTotal = new QRadioButton(QStringLiteral("依總價"), this);
    row.byTotal->setObjectName(QString::fromLatin1(opt1));
    row.perPing = new QRadioButton(QStringLiteral("依坪數"), this);
    row.perPing->setObjectName(QString::fromLatin1(opt2));
    row.base = ui::textBox(this, base);
    row.unit = label(this, quote::feeBaseUnit(true), unit);
    row.rate = ui::textBox(this, rate);
    row.amount = label(this, {}, amount);
    keepRoomForAmounts(row.amount);
    return row;
}

quote::Fee& frmPe::design() {
    return doc_.pageEnd.design;
}

quote::Fee& frmPe::supervision() {
    return doc_.pageEnd.supervision;
}

void frmPe::showFee(const FeeRow& row, const quote::Fee& fee) {
    row.ck->setChecked(fee.included);
    setText(row.name, fee.name);
    (fee.byTotal ? row.byTotal : row.perPing)->setChecked(true);
    // A user without the price right keeps the basis: a switch would turn a rate per ping into a
    // rate of the total (or back) that he can neither see nor correct.
    row.byTotal->setEnabled(!PricesHidden);
    row.perPing->setEnabled(!PricesHidden);
    row.unit->setText(fee.baseUnit);
    const bool shown = quote::feeShown(!PricesHidden);
    setText(row.base, shown ? fee.base : QString());
    setText(row.rate, shown ? fee.rate : QString());
    showFigure(row.amount, shown ? fee.amount : QString());
    // A base by total price is the quotation total: it is shown, not typed. What is not shown is not
    // typed either.
    row.base->setReadOnly(fee.byTotal || !shown);
    row.rate->setReadOnly(!shown);
}

void frmPe::showDerived() {
    const bool was = showing_;
    showing_ = true;
    const quote::PageEnd& pe = doc_.pageEnd;
    showFee(d_, pe.design);
    showFee(l_, pe.supervision);
    if (cbTax->currentText() != pe.cbTax)
        cbTax->setEditText(pe.cbTax);
    for (const auto& [label, value] : {std::pair{lbNtax, pe.lbNtax}, std::pair{lbTax, pe.lbTax},
                                       std::pair{lbHtax, pe.lbHtax}, std::pair{lbApr, pe.lbApr}})
        showFigure(label, PricesHidden ? QString() : value);
    showing_ = was;
}

void frmPe::showDocument() {
    const bool was = showing_;
    showing_ = true;
    const quote::PageEnd& pe = doc_.pageEnd;
    for (size_t i = 0; i < cbPe.size(); ++i)
        if (cbPe[i]->currentText() != pe.cbPe[i])
            cbPe[i]->setEditText(pe.cbPe[i]);
    ckTax->setChecked(pe.ckTax);
    // The discount is a price figure: shown to a user with the price right only, and typed by him
    // only; the stored one is kept.
    setText(txtOff, PricesHidden ? QString() : pe.txtOff);
    txtOff->setReadOnly(PricesHidden);
    showDerived();
    showing_ = was;
}

void frmPe::RecalcGrandTotal() {
    quote::RecalcGrandTotal(doc_);
    showDerived();
}

void frmPe::frameOpened() {
    if (showRoot)
        showRoot();
    else if (const auto* root = doc_.tree.root())
        doc_.tv_NodeClick(root->key);
    RecalcGrandTotal();
}

void frmPe::setLists(const QStringList& taxRates, const QStringList& remarks, const QString& taxUnread,
                     const QString& remarksUnread) {
    const bool was = showing_;
    showing_ = true;
    auto refill = [](QComboBox* box, const QStringList& items) {
        QStringList current;
        for (int i = 0; i < box->count(); ++i)
            current << box->itemText(i);
        if (current != items)
            ui::refill(box, items);
    };
    refill(cbTax, taxRates);
    ui::markUnloaded(cbTax, taxUnread);
    for (QComboBox* box : cbPe) {
        refill(box, remarks);
        ui::markUnloaded(box, remarksUnread);
    }
    showing_ = was;
}

void frmPe::frameClosed() {
    quote::PageEndClosed(doc_);
    showDerived();
}

void frmPe::includedClicked(const FeeRow& row, quote::Fee& fee) {
    if (!acting())
        return;
    fee.included = row.ck->isChecked();
    RecalcGrandTotal();
}

void frmPe::ckD_Click() {
    includedClicked(d_, design());
}

void frmPe::ckL_Click() {
    includedClicked(l_, supervision());
}

void frmPe::ckTax_Click() {
    if (!acting())
        return;
    doc_.pageEnd.ckTax = ckTax->isChecked();
    RecalcGrandTotal();
}

void frmPe::cbTax_Click() {
    if (!acting())
        return;
    doc_.pageEnd.cbTax = cbTax->currentText();
    RecalcGrandTotal();
}

void frmPe::cbTax_KeyPress() {
    if (!acting())
        return;
    doc_.pageEnd.cbTax = cbTax->currentText();
    if (quote::TaxRateEnter(doc_.pageEnd))
        RecalcGrandTotal();
    else
        showDerived();
}

bool frmPe::refused(const QString& typed) {
    if (quote::cellCanShow(typed))
        return false;
    showDocument(); // every box shows its value again
    quote::sayNotANumber();
    return true;
}

void frmPe::feeChanged(const FeeRow& row, quote::Fee& fee, bool baseTyped) {
    if (!acting() || refused((baseTyped ? row.base : row.rate)->text()))
        return;
    // A base by total price follows the quotation total, whatever is shown; a base typed per ping
    // is the user's own.
    if (baseTyped && !row.base->isReadOnly())
        fee.base = row.base->text();
    if (!row.rate->isReadOnly())
        fee.rate = row.rate->text();
    quote::FeeEdited(doc_, fee);
    showDerived();
}

void frmPe::txtDp_Change() {
    feeChanged(d_, design(), true);
}

void frmPe::txtdx_Change() {
    feeChanged(d_, design(), false);
}

void frmPe::txtLp_Change() {
    feeChanged(l_, supervision(), true);
}

void frmPe::txtlx_Change() {
    feeChanged(l_, supervision(), false);
}

void frmPe::basisClicked(const FeeRow& row, quote::Fee& fee) {
    if (!acting())
        return;
    if (quote::ApplyFeeBasis(fee, row.byTotal->isChecked(), quote::quotationTotal(doc_)))
        RecalcGrandTotal();
    else
        showDerived();
}

void frmPe::Dop1_Click() {
    basisClicked(d_, design());
}

void frmPe::Lop1_Click() {
    basisClicked(l_, supervision());
}

void frmPe::txtOff_Change() {
    if (!acting() || txtOff->isReadOnly() || refused(txtOff->text()))
        return;
    doc_.pageEnd.txtOff = txtOff->text();
    RecalcGrandTotal();
}
