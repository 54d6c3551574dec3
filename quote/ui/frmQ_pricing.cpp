// The quotation window's two bulk repricing commands, on the captions 比例 and 合計.
#include "CellEditors.h"
#include "CellRules.h"
#include "Pricing.h"
#include "frmQ.h"
#include "ui/Dialogs.h"

#include <optional>

using namespace quote;

namespace {
const QString kTitle = QStringLiteral("Kavo III");
} // namespace

bool frmQ::bulkCommandAllowed() {
    HideCellEditors();
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

std::optional<QString> frmQ::askNumber(const QString& prompt) {
    for (;;) {
        const std::optional<QString> typed = ui::inputBox(prompt);
        const QString answer = typed ? typed->trimmed() : QString();
        if (answer.isEmpty())
            return std::nullopt;
        if (isPlainDecimal(answer))
            return answer;
        ui::msgBox(QStringLiteral("請輸入數字"), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
        HideCellEditors();
    }
}

void frmQ::lbSc_DblClick() {
    if (!bulkCommandAllowed())
        return;
    const std::optional<QString> answer = askNumber(QStringLiteral("請輸入比例係數"));
    if (!answer)
        return;
    if (m_doc.NodeIsLeaf)
        m_doc.TrimEmptyRows();
    SetRatioShown(m_doc.hfgQ.dataRows(), *answer);
    if (m_doc.rootShown())
        SetRatioStored(m_doc.hfgB.dataRows(), *answer);
    gridChanged();
    RefreshTotals();
}

void frmQ::lbSum_DblClick() {
    if (!bulkCommandAllowed())
        return;
    const std::optional<QString> answer = askNumber(QStringLiteral("請輸入金額"));
    if (!answer)
        return;
    const TargetFactor f = targetFactor(*answer, m_doc.totals.lbSumT);
    if (f.status != TargetStatus::Ok)
        return; // a total of 0 gives no factor: nothing changes
    if (m_doc.NodeIsLeaf)
        m_doc.TrimEmptyRows();
    ScaleRatioShown(m_doc.hfgQ.dataRows(), f.k);
    if (m_doc.rootShown())
        ScaleRatioStored(m_doc.hfgB.dataRows(), f.k);
    gridChanged();
    RefreshTotals();
}
