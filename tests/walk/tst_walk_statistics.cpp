// The statistics window's views walked under a failing database (in a program of its own, so the
// report commands' program stays well inside its time limit).
#include "Walk.h"
#include "WalkEditor.h"
#include "frmCal.h"

using namespace walk;

namespace {

QList<Row> rows() {
    // The statistics copy goes nowhere.
    frmCal::setCopier([](const QList<QStringList>&) { return QString(); });
    return {
        {QStringLiteral("統計: 依區域, 列印"),
         {QStringLiteral("統計")},
         [] {
             frmQ* w = editorWithQuotation();
             frmCal* f = form<frmCal>();
             f->setSource({&w->document(), w->StaDb.get(), false, false});
             f->fill(true);
         },
         [] { ui::Default<frmCal>::get()->Command2_Click(); },
         [] { ui::Default<frmCal>::get()->Command3_Click(); },
         kDiscard},
        {QStringLiteral("統計: 依工種"),
         {QStringLiteral("統計")},
         [] {
             frmQ* w = editorWithQuotation();
             frmCal* f = form<frmCal>();
             f->setSource({&w->document(), w->StaDb.get(), false, false});
             f->fill(false);
         },
         [] { ui::Default<frmCal>::get()->Command1_Click(); },
         {},
         kDiscard},
    };
}

} // namespace

WALK_MAIN(rows)
