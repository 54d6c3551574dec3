#pragma once
// The quotation editor as the walk's rows open it: over the main database, holding a small
// quotation, closed without saving.
#include "../xlprint/QuoteFixture.h"
#include "CellEditors.h"
#include "WalkSteps.h"
#include "frmQ.h"

#include <QAction>
#include <QListWidget>

namespace walk {

inline frmQ* editor() {
    openMainDb();
    return form<frmQ>();
}
inline const QString kArea = quote::kRootKey + quote::kPathSeparator + QStringLiteral("客廳");
// The editor holding a small quotation of two areas and an empty work type of the catalogue
// (泥作工程), the root shown.
inline frmQ* editorWithQuotation() {
    frmQ* w = editor();
    w->document().adopt(xlfixture::standard());
    w->document().tree.addChild(kArea, QStringLiteral("泥作工程"));
    w->rebuildTree();
    w->showRoot();
    return w;
}
inline void trigger(const char* action) {
    ui::Default<frmQ>::get()->action(QString::fromLatin1(action))->trigger();
}
// An empty work type of the catalogue.
inline const QString kLeaf = kArea + quote::kPathSeparator + QStringLiteral("泥作工程");

// An item with details picked from the shown work type's item list into its first row.
inline quote::CellEditors* pickItem() {
    quote::CellEditors* cells = ui::Default<frmQ>::get()->cellEditors();
    cells->CurRow = 1;
    cells->CurCol = quote::ColName;
    const QList<QListWidgetItem*> found =
        cells->Ls->findItems(QStringLiteral("地坪磁磚貼工"), Qt::MatchExactly);
    if (!found.isEmpty())
        cells->Ls->setCurrentItem(found.first());
    cells->Ls_Click();
    return cells;
}

// The editor asks whether to save the quotation when it closes: 否.
inline const QList<ui::Answer> kDiscard = {ui::Answer::No};

} // namespace walk
