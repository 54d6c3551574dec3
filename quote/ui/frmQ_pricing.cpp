// The quotation window's two bulk repricing commands, on the captions 比例 and 合計.
#include "CellEditors.h"
#include "CellRules.h"
#include "Pricing.h"
#include "TypedNumber.h"
#include "frmQ.h"
#include "ui/Dialogs.h"

#include <optional>

using namespace quote;

namespace {
const QString kTitle = QStringLiteral("Kavo III");
} // namespace

bool frmQ::bulkCommandAllowed() {
    HideCellEditors();
    if (PricesHidden) {
        // Their refusals (and the total 合計 scales) follow the prices: greyed for him, see Form_Load.
        ui::msgBox(QStringLiteral("沒有檢視價格的權限：整批修改比例或合計無法使用"), ui::Buttons::OK,
                   ui::Icon::Exclamation, kTitle);
        return false;
    }
    if (CostsHidden) {
        // Both commands set unit prices from the costs through the ratio: the prices would show them.
        ui::msgBox(QStringLiteral("沒有檢視成本的權限：整批修改比例或合計會由成本算出單價，無法使用"),
                   ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
        return false;
    }
    if (m_doc.rootShown() || m_doc.NodeIsLeaf)
        return true;
    ui::msgBox(QStringLiteral("修改比例只能在最上層或最底層修改 OK "), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
    return false;
}

std::optional<std::pair<QString, Repricing>> frmQ::askNumber(const QString& prompt, const Plan& plan) {
    for (;;) {
        const std::optional<QString> typed = ui::inputBox(prompt);
        const QString answer = typed ? typed->trimmed() : QString();
        if (answer.isEmpty())
            return std::nullopt;
        if (!isPlainDecimal(answer)) {
            sayNotANumber();
        } else {
            Repricing p = plan(answer);
            // An answer of 0 asks for every price at 0.
            const BulkRefusal refusal = cellValue(answer) == 0 ? BulkRefusal::None : p.refusal;
            if (refusal == BulkRefusal::None)
                return std::pair(answer, std::move(p));
            ui::msgBox(refusal == BulkRefusal::ZeroesAPrice ? QStringLiteral("這個數字會使單價、金額或比例變成 0，請輸入其他數字")
                       : refusal == BulkRefusal::TooLong  ? QStringLiteral("這個數字會使單價、金額或比例數字過長，請輸入其他數字")
                                                          : QStringLiteral("這個數字會使各列的比例變成相同，請輸入其他數字"),
                       ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
        }
        HideCellEditors();
    }
}

void frmQ::lbSc_DblClick() {
    if (!bulkCommandAllowed())
        return;
    auto answer = askNumber(QStringLiteral("請輸入比例係數"),
                            [this](const QString& a) { return planSetRatio(m_doc.hfgQ.dataRows(), a); });
    if (!answer)
        return;
    if (m_doc.NodeIsLeaf)
        m_doc.TrimEmptyRows();
    applyRepricing(m_doc.hfgQ.dataRows(), std::move(answer->second));
    if (m_doc.rootShown())
        SetRatioStored(m_doc.hfgB.dataRows(), answer->first);
    gridChanged();
    RefreshTotals();
}

void frmQ::lbSum_DblClick() {
    if (!bulkCommandAllowed())
        return;
    const QString total = m_doc.totals.lbSumT;
    if (cellValue(total) == 0) {
        ui::msgBox(QStringLiteral("合計為 0，無法依合計調整比例"), ui::Buttons::OK, ui::Icon::Exclamation,
                   kTitle);
        return;
    }
    auto answer = askNumber(QStringLiteral("請輸入金額"), [this, &total](const QString& a) {
        return planScaleRatio(m_doc.hfgQ.dataRows(), targetFactor(a, total).k);
    });
    if (!answer)
        return;
    const TargetFactor f = targetFactor(answer->first, total);
    if (f.status != TargetStatus::Ok)
        return; // a total too small for a factor: nothing changes
    if (m_doc.NodeIsLeaf)
        m_doc.TrimEmptyRows();
    applyRepricing(m_doc.hfgQ.dataRows(), std::move(answer->second));
    if (m_doc.rootShown())
        ScaleRatioStored(m_doc.hfgB.dataRows(), f.k);
    gridChanged();
    RefreshTotals();
}
