// The vendor window's commands and the supply-links editor's reload walked under a failing database.
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
    const QStringList reads = {QStringLiteral("r:廠商"), QStringLiteral("r:商vs工"), QStringLiteral("r:商vs料")};
    return {
        {QStringLiteral("廠商資料: 全部"), {QStringLiteral("r:廠商")}, [] {
             openMainDb();
             form<frmPrv>();
         }, [] {
             window<frmPrv>()->Command3_Click();
         }},
        {QStringLiteral("廠商資料: 選取"), reads, [] { listAll<frmPrv>()->HFG_Click(0); }, [] {
             window<frmPrv>()->HFG_Click(1);
         }},
        {QStringLiteral("廠商資料: 新增 存檔"),
         {QStringLiteral("廠商")},
         [] {
             startNew<frmPrv>();
             window<frmPrv>()->T2_Validate();
         },
         [] { window<frmPrv>()->cmdY_Click(); },
         [] { window<frmPrv>()->cmdY_Click(); },
         kDiscardTyped},
        {QStringLiteral("廠商資料: 修改 存檔"),
         {QStringLiteral("廠商")},
         [] {
             listAll<frmPrv>()->HFG_Click(0);
             window<frmPrv>()->cmdEdit_Click();
             window<frmPrv>()->setBoxText(QStringLiteral("T5"), QStringLiteral("重新路五段1號"));
         },
         [] { window<frmPrv>()->cmdY_Click(); },
         [] { window<frmPrv>()->cmdY_Click(); },
         kDiscardTyped},
        {QStringLiteral("廠商資料: 修改 取消"),
         reads,
         [] {
             listAll<frmPrv>()->HFG_Click(0);
             window<frmPrv>()->cmdEdit_Click();
             window<frmPrv>()->setBoxText(QStringLiteral("T5"), QStringLiteral("重新路五段1號"));
         },
         [] { window<frmPrv>()->cmdN_Click(); }},
        {QStringLiteral("廠商資料: 全文搜尋"),
         {QStringLiteral("r:廠商")},
         [] { listAll<frmPrv>(); },
         [] {
             Walker::dialogs().expectInput(QStringLiteral("工程"));
             window<frmPrv>()->Command1_Click();
         }},
        {QStringLiteral("廠商資料: 編號 分組"),
         {QStringLiteral("r:廠商")},
         [] { listAll<frmPrv>(); },
         [] { chooseSecond<frmPrv>("Combo1", &frmPrv::Combo1_Click); }},
        {QStringLiteral("廠商資料: 類別"),
         {QStringLiteral("r:廠商")},
         [] { listAll<frmPrv>(); },
         [] { chooseSecond<frmPrv>("Combo2", &frmPrv::Combo2_Click); }},
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
