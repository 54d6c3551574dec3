// The quotation window's statistics and report commands: the tree menu's 統計 items (by work type,
// by area) and the menu 列印(&R) with its cover-page and details reports.
#include "frmQ.h"

#include "CellEditors.h"
#include "ReportMenu.h"
#include "frmCal.h"

#include <QAction>
#include <QMenu>

void frmQ::connectStatisticsCommands() {
    connect(action(QStringLiteral("mCalA")), &QAction::triggered, this, &frmQ::mCalA_Click);
    connect(action(QStringLiteral("mCalT")), &QAction::triggered, this, &frmQ::mCalT_Click);
    connect(menu(QStringLiteral("mP")), &QMenu::aboutToShow, this, &frmQ::mP_Click);
    connect(action(QStringLiteral("mPfp")), &QAction::triggered, this, &frmQ::mPfp_Click);
    connect(action(QStringLiteral("mPdt")), &QAction::triggered, this, &frmQ::mPdt_Click);
}

// The statistics and the reports showed the root: the tree follows.
void frmQ::rootShownForWholeQuotation() {
    if (const auto* root = m_doc.tree.root())
        selectTreeNode(root->key);
    m_cells->clearUndo();
    emit nodeShown(m_doc.lbPath);
}

void frmQ::mCalA_Click() {
    HideCellEditors();
    stats::mCalA_Click({&m_doc, StaDb.get(), PricesHidden, CostsHidden});
    rootShownForWholeQuotation();
}

void frmQ::mCalT_Click() {
    HideCellEditors();
    stats::mCalT_Click({&m_doc, StaDb.get(), PricesHidden, CostsHidden});
    rootShownForWholeQuotation();
}

void frmQ::mP_Click() {
    HideCellEditors();
    PrintByArea = false;
    stats::mP_Click(m_doc, StaDb.get(), PrintGroupMode);
    // The reports show every price: a user who may not see prices gets neither, and is told why.
    const QString why = QStringLiteral("報表列出所有價格，需要「價格可見」的權限");
    for (const char* name : {"mPfp", "mPdt"}) {
        QAction* a = action(QString::fromLatin1(name));
        a->setEnabled(!PricesHidden);
        a->setToolTip(PricesHidden ? why : a->text());
        a->setStatusTip(PricesHidden ? why : QString());
    }
    rootShownForWholeQuotation();
}

void frmQ::mPfp_Click() {
    stats::mPfp_Click(this);
}

void frmQ::mPdt_Click() {
    stats::mPdt_Click(this);
}
