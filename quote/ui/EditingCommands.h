#pragma once
// The quotation window's editing commands beside the cell editors: the tree popup and its pick list,
// the item grid's row popup, the header handlers and the page-end frame with its button.
#include <QObject>

class frmPe;
class frmQ;

// Creates the window's tree, row, header and page-end handlers (children of the window).
void attachEditingCommands(frmQ* window);

// The page-end frame of the window.
frmPe* pageEndFrame(const frmQ* window);

// The header handlers: the project name composed from the customer and the picked entry, and the
// date picked in the calendar written in the era form.
class HeaderHandlers : public QObject {
    Q_OBJECT
public:
    explicit HeaderHandlers(frmQ* window);

public slots:
    void cbEcn_Click();
    void DTP_CloseUp();

private:
    frmQ* w;
};

// The page-end button cmdPe and the frame it opens and closes over the grid's bottom left.
class PageEndButton : public QObject {
    Q_OBJECT
public:
    explicit PageEndButton(frmQ* window);

    frmPe* frame() const { return frmPe_; }

public slots:
    void cmdPe_Click();

private:
    // The window's lists in the frame, read again first when they failed.
    void showLists();
    frmQ* w;
    frmPe* frmPe_;
};
