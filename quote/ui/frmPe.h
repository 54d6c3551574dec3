#pragma once
// The page-end frame of the quotation window: the five page-end remarks, the design and supervision
// fees, the tax and the discount, and the four totals derived from them. The values live in the
// quotation document; the controls show them and every change goes through the page-end rules.
// While `Loading` is set (a file being read into the window) no handler changes anything.
#include <QFrame>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace quote {
class QuoteDocument;
struct Fee;
} // namespace quote

class frmPe : public QFrame {
    Q_OBJECT
public:
    explicit frmPe(quote::QuoteDocument& doc, QWidget* parent = nullptr);

    bool Loading = false;
    // A user without the price right: the totals, the figures of the fees and the discount are shown
    // empty (quote::feeShown); their boxes are read-only and the basis options disabled.
    bool PricesHidden = false;

    // Every control shows the document's page-end values again (after New or Open); nothing is
    // recomputed.
    void showDocument();

    // frmQ.RecalcGrandTotal: the fee bases by total price, then the four totals, from the whole
    // quotation; the controls follow. The callers look at Loading.
    void RecalcGrandTotal();
    // The frame was opened: the root is shown (through `showRoot` when set) and the grand total
    // recomputed. Closed: the fee bases by total price follow the quotation total.
    void frameOpened();
    void frameClosed();
    std::function<void()> showRoot;
    // The lists of the tax box and the remark boxes, each marked with why it could not be read
    // (empty when it was); the texts on show stay.
    void setLists(const QStringList& taxRates, const QStringList& remarks, const QString& taxUnread = {},
                  const QString& remarksUnread = {});

    QComboBox* cbTax = nullptr;
    std::array<QComboBox*, 5> cbPe{};

public slots:
    void ckD_Click();
    void ckL_Click();
    void ckTax_Click();
    void cbTax_Click(); // a rate picked from the list
    void cbTax_KeyPress(); // Enter
    void txtDp_Change();
    void txtdx_Change();
    void txtLp_Change();
    void txtlx_Change();
    void Dop1_Click(); // both buttons of a pair run the same handler
    void Lop1_Click();
    void txtOff_Change();

private:
    struct FeeRow {
        QCheckBox* ck = nullptr;
        QLineEdit* name = nullptr;
        QRadioButton* byTotal = nullptr;
        QRadioButton* perPing = nullptr;
        QLineEdit* base = nullptr;
        QLabel* unit = nullptr;
        QLineEdit* rate = nullptr;
        QLabel* amount = nullptr;
    };
    FeeRow buildFeeRow(const char* ck, const char* name, const char* opt1, const char* opt2, const char* base,
                       const char* unit, const char* rate, const char* amount, const QString& caption);
    quote::Fee& design();
    quote::Fee& supervision();
    void feeChanged(const FeeRow& row, quote::Fee& fee, bool baseTyped);
    void basisClicked(const FeeRow& row, quote::Fee& fee);
    void includedClicked(const FeeRow& row, quote::Fee& fee);
    // A typed number no cell can show: every box shows the document's value again and the user is
    // told. True when `typed` was refused.
    bool refused(const QString& typed);
    // Whether a control's change comes from the user (not Loading, not the frame showing values).
    bool acting() const { return !Loading && !showing_; }
    // The derived values (fee bases and amounts, the four totals) shown again.
    void showDerived();
    void showFee(const FeeRow& row, const quote::Fee& fee);

    quote::QuoteDocument& doc_;
    bool showing_ = false;
    FeeRow d_, l_;
    QCheckBox* ckTax = nullptr;
    QLabel* lbNtax = nullptr;
    QLabel* lbTax = nullptr;
    QLabel* lbHtax = nullptr;
    QLineEdit* txtOff = nullptr;
    QLabel* lbApr = nullptr;
};
