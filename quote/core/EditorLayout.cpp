#include "EditorLayout.h"

namespace quote {

void EditorLayout::ArrangeLayout(int windowWidth, int windowHeight) {
    tv.left = 0;
    if (tv.top + cmdPe.height + kTreeBottomMargin < windowHeight)
        tv.height = windowHeight - tv.top - cmdPe.height - kTreeBottomMargin;
    cmdPe.left = tv.left;
    cmdPe.top = tv.top + tv.height;

    auto bodyHeights = [&] {
        if (fme.top + kSplitterBottomMargin < windowHeight)
            fme.height = windowHeight - fme.top - kSplitterBottomMargin;
        hfgQ.left = fme.left + fme.width;
        if (hfgQ.top + kGridBottomMargin < windowHeight)
            hfgQ.height = windowHeight - hfgQ.top - kGridBottomMargin;
    };

    const int s = tv.left + fme.left;
    // s <= windowWidth * 6 / 7 without rounding the bound.
    if (s >= kSplitterMin && s * 7 <= windowWidth * 6) {
        tv.width = s;
        fme.left = tv.left + tv.width;
        bodyHeights();
        const int w = windowWidth - tv.width - fme.width - kGridRightMargin;
        if (w >= 0)
            hfgQ.width = w;
        cmdPe.left = tv.left;
        cmdPe.top = tv.top + tv.height + kPageEndGap;
        cmdPe.width = tv.width;
    } else {
        fme.left = tv.left + tv.width;
        bodyHeights();
        if (tv.width + fme.width + kGridRightMargin < windowWidth)
            hfgQ.width = windowWidth - tv.width - fme.width - kGridRightMargin;
    }
}

void EditorLayout::Form_Resize(int windowWidth, int windowHeight) {
    cbSal.left = windowWidth - cbSal.width - kRightMargin;
    lbSal.left = cbSal.left - lbSal.width;
    lbConn.left = lbSal.left - lbConn.width;
    l10.left = lbConn.left - l10.width;

    DTP.left = windowWidth - DTP.width - kRightMargin;
    txtQD.left = DTP.left - txtQD.width;
    lbQd.left = txtQD.left - lbQd.width;
    lbCtel.left = lbQd.left - lbCtel.width;
    l11.left = lbCtel.left - l11.width;

    lbCN.left = txtCn.left + txtCn.width + kGap;
    cbEcn.left = lbCN.left + lbCN.width;
    const int w = windowWidth - (cmdC.width + txtCn.width + lbCN.width + lbSal.width + cbSal.width +
                                 lbConn.width + l10.width) -
                  kProjectSlack;
    if (w > 0)
        cbEcn.width = w;
    lbAddr.left = lbCN.left;
    txtAddr.left = cbEcn.left;
    txtAddr.width = cbEcn.width;
    Line1X2 = windowWidth - kRightMargin;

    lbPath.left = 0;
    const int pw = windowWidth - (lbSum.width + lbSumT.width + lbCsum.width + lbCsumT.width + lbPro.width +
                                  lbProT.width + lbSc.width + lbScT.width) -
                   kPathSlack;
    if (pw > 0)
        lbPath.width = pw;
    lbSum.left = lbPath.right() + kGap;
    lbSumT.left = lbSum.right();
    lbCsum.left = lbSumT.right() + kGap;
    lbCsumT.left = lbCsum.right();
    lbPro.left = lbCsumT.right() + kGap;
    lbProT.left = lbPro.right();
    lbSc.left = lbProT.right() + kGap;
    lbScT.left = lbSc.right();

    ArrangeLayout(windowWidth, windowHeight);
}

} // namespace quote
