// The vendor's supply links walked under a failing database: the supply filters, the links editor
// opened from the vendor and its reload, and a category's links cleared.
#include "Walk.h"
#include "WalkRecords.h"

#include <QCheckBox>
#include <QListWidget>

using namespace walk;

namespace {

// The first vendor that supplies the category of `box` (0 work crews, 1 materials), being edited.
void editVendorWith(int box) {
    frmPrv* f = listAll<frmPrv>();
    const QString name = QStringLiteral("ck(%1)").arg(box);
    for (int r = 0; r < f->grid().rowCount(); ++r) {
        f->HFG_Click(r);
        if (f->findChild<QCheckBox*>(name)->isChecked())
            break;
    }
    f->cmdEdit_Click();
}
// Unchecking a category box asks whether to delete the vendor's links of it: 是.
void clearCategory(int box) {
    Walker::dialogs().expectMessage(ui::Answer::Yes);
    window<frmPrv>()->findChild<QCheckBox*>(QStringLiteral("ck(%1)").arg(box))->setChecked(false);
}

QList<Row> rows() {
    return {
        {QStringLiteral("廠商資料: 工班 篩選"),
         {QStringLiteral("r:商vs工")},
         [] { listAll<frmPrv>(); },
         [] { chooseSecond<frmPrv>("cbW", &frmPrv::cbW_Click); }},
        {QStringLiteral("廠商資料: 材料 篩選"),
         {QStringLiteral("r:商vs料")},
         [] { listAll<frmPrv>(); },
         [] { chooseSecond<frmPrv>("cbP", &frmPrv::cbP_Click); }},
        {QStringLiteral("廠商資料: 施工廠商 編輯 確定"),
         {QStringLiteral("商vs工")},
         [] {
             listAll<frmPrv>()->HFG_Click(0);
             window<frmPrv>()->cmdEdit_Click();
         },
         [] { editLinks("cmW"); },
         {},
         kDiscardTyped},
        {QStringLiteral("廠商資料: 材料廠商 編輯 確定"),
         {QStringLiteral("商vs料")},
         [] {
             listAll<frmPrv>()->HFG_Click(0);
             window<frmPrv>()->cmdEdit_Click();
         },
         [] { editLinks("cmP"); },
         {},
         kDiscardTyped},
        {QStringLiteral("廠商資料: 施工廠商 清除"),
         {QStringLiteral("w:商vs工")},
         [] { editVendorWith(0); },
         [] { clearCategory(0); },
         {},
         kDiscardTyped},
        {QStringLiteral("廠商資料: 材料供應 清除"),
         {QStringLiteral("w:商vs料")},
         [] { editVendorWith(1); },
         [] { clearCategory(1); },
         {},
         kDiscardTyped},
        {QStringLiteral("廠商施工: 恢復原始狀態"),
         {QStringLiteral("r:商vs工")},
         [] {
             openMainDb();
             mdPro::CurrentVendorName = QStringLiteral("大同拆除工程行");
             mdPro::WPListMode = QStringLiteral("w");
             frmWP* f = form<frmWP>();
             child<QListWidget>(f, "LsAll")->item(2)->setSelected(true);
             click<frmWP>("cmAd");
         },
         [] { click<frmWP>("Command3"); }},
    };
}

} // namespace

WALK_MAIN(rows)
