#pragma once
// Positions of the quotation editor's controls, in twips: the header fields placed right to left
// from the window's right edge, the totals line after the path label, and the body divided into the
// tree, the splitter frame and the item grid, with the page-end button under the tree. Only the
// horizontal places of the header and totals controls are computed; their tops are the design's.
// The window width and height are the window's outer size.

namespace quote {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    bool operator==(const TwipRect&) const = default;
};

struct EditorLayout {
    // Header group A (right-aligned): contact label and contact, salesperson caption and box.
    TwipRect l10, lbConn, lbSal, cbSal;
    // Header group B (right-aligned): phone label and phone, date caption, date box, date picker.
    TwipRect l11, lbCtel, lbQd, txtQD, DTP;
    // Header left part: customer button and name, project-name caption and box; the address under it.
    TwipRect cmdC, txtCn, lbCN, cbEcn, lbAddr, txtAddr;
    int Line1X2 = 0; // right end of the line under the header
    // Totals line.
    TwipRect lbPath, lbSum, lbSumT, lbCsum, lbCsumT, lbPro, lbProT, lbSc, lbScT;
    // Body.
    TwipRect tv, fme, hfgQ, cmdPe;

    // Constants of the body layout.
    static constexpr int kTreeBottomMargin = 750;
    static constexpr int kSplitterBottomMargin = 300;
    static constexpr int kGridBottomMargin = 700;
    static constexpr int kGridRightMargin = 100;
    static constexpr int kPageEndGap = 50;
    static constexpr int kSplitterMin = 800;
    // Constants of the header.
    static constexpr int kRightMargin = 150;
    static constexpr int kGap = 100;
    static constexpr int kProjectSlack = 300;
    static constexpr int kPathSlack = 600;

    // The header and the totals line, then the body (ArrangeLayout).
    void Form_Resize(int windowWidth, int windowHeight);
    // The body: tree, splitter, grid and page-end button. A splitter outside 800 .. six sevenths of
    // the window width snaps back to the tree's edge.
    void ArrangeLayout(int windowWidth, int windowHeight);
};

} // namespace quote
