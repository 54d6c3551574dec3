#pragma once
// The quotation editor as the walk's rows open it: over the main database, holding a small
// quotation, closed without saving.
#include "../xlprint/QuoteFixture.h"
#include "WalkSteps.h"
#include "frmQ.h"

#include <QAction>

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
// The editor asks whether to save the quotation when it closes: 否.
inline const QList<ui::Answer> kDiscard = {ui::Answer::No};

} // namespace walk
