// The vendor window's record commands walked under a failing database.
#include "Walk.h"
#include "WalkRecords.h"

using namespace walk;

namespace {

QList<Row> rows() {
    // The first vendors supply work crews only.
    const QStringList reads = {QStringLiteral("r:廠商"), QStringLiteral("r:商vs工")};
    return {
        {QStringLiteral("廠商資料: 開啟"), {QStringLiteral("r:廠商")}, openMainDb, [] { form<frmPrv>(); }},
        {QStringLiteral("廠商資料: 刪除"),
         {QStringLiteral("廠商"), QStringLiteral("w:商vs料")},
         [] { listAll<frmPrv>()->HFG_Click(0); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             window<frmPrv>()->cmdDel_Click();
         }},
        {QStringLiteral("廠商資料: 全部"),
         {QStringLiteral("r:廠商")},
         [] {
             openMainDb();
             form<frmPrv>();
         },
         [] { window<frmPrv>()->Command3_Click(); }},
        {QStringLiteral("廠商資料: 選取"), reads, [] { listAll<frmPrv>()->HFG_Click(0); },
         [] { window<frmPrv>()->HFG_Click(1); }},
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
        {QStringLiteral("廠商資料: 修改 取消"), reads,
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
    };
}

} // namespace

WALK_MAIN(rows)
