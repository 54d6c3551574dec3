// The customer and staff windows walked under a failing database (the vendor window and its supply
// links in programs of their own, so none nears its time limit).
#include "Walk.h"
#include "WalkRecords.h"

#include <QLineEdit>

using namespace walk;

namespace {

QList<Row> rows() {
    return {
        {QStringLiteral("客戶資料: 開啟"), {QStringLiteral("r:客戶")}, openMainDb, [] { form<frmCus>(); }},
        {QStringLiteral("客戶資料: 新增 編號"),
         {QStringLiteral("r:客戶")},
         [] { startNew<frmCus>(); },
         [] { window<frmCus>()->T2_Validate(); },
         [] { window<frmCus>()->cmdY_Click(); },
         kDiscardTyped},
        {QStringLiteral("客戶資料: 新增 存檔"),
         {QStringLiteral("客戶")},
         [] {
             startNew<frmCus>();
             window<frmCus>()->T2_Validate();
         },
         [] { window<frmCus>()->cmdY_Click(); },
         [] { window<frmCus>()->cmdY_Click(); },
         kDiscardTyped},
        {QStringLiteral("客戶資料: 刪除"),
         {QStringLiteral("客戶")},
         [] { listAll<frmCus>()->HFG_Click(0); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             window<frmCus>()->cmdDel_Click();
         }},
        {QStringLiteral("客戶資料: 選取, 修改 存檔"),
         {QStringLiteral("r:客戶")},
         [] { listAll<frmCus>()->HFG_Click(0); },
         [] { window<frmCus>()->HFG_Click(1); },
         [] {
             window<frmCus>()->cmdEdit_Click();
             window<frmCus>()->cmdY_Click();
         }},
        {QStringLiteral("客戶資料: 全文搜尋"),
         {QStringLiteral("r:客戶")},
         [] { listAll<frmCus>(); },
         [] {
             Walker::dialogs().expectInput(QStringLiteral("台北"));
             window<frmCus>()->Command1_Click();
         }},
        {QStringLiteral("客戶資料: 編號 分組"),
         {QStringLiteral("r:客戶")},
         [] { listAll<frmCus>(); },
         [] { chooseSecond<frmCus>("Combo1", &frmCus::Combo1_Click); }},
        {QStringLiteral("客戶資料: 類別"),
         {QStringLiteral("r:客戶")},
         [] { listAll<frmCus>(); },
         [] { chooseSecond<frmCus>("Combo2", &frmCus::Combo2_Click); }},
        {QStringLiteral("員工資料: 開啟"), {QStringLiteral("r:員工")}, openMainDb, [] { form<frmSta>(); }},
        {QStringLiteral("員工資料: 新增 存檔"),
         {QStringLiteral("員工")},
         [] {
             startNew<frmSta>();
             window<frmSta>()->T2_Validate();
             window<frmSta>()->setBoxText(QStringLiteral("T3"),
                                          QStringLiteral("newone")); // the login name
         },
         [] { window<frmSta>()->cmdY_Click(); },
         [] { window<frmSta>()->cmdY_Click(); },
         kDiscardTyped},
        {QStringLiteral("員工資料: 修改 存檔"),
         {QStringLiteral("員工")},
         [] {
             listAll<frmSta>()->HFG_Click(0);
             window<frmSta>()->cmdEdit_Click();
             window<frmSta>()->setBoxText(QStringLiteral("T5"), QStringLiteral("改過的地址1號"));
         },
         [] { window<frmSta>()->cmdY_Click(); },
         [] { window<frmSta>()->cmdY_Click(); }},
        {QStringLiteral("員工資料: 密碼 變更"),
         {QStringLiteral("員工")},
         [] {
             frmSta* f = listAll<frmSta>();
             for (int r = 0; r < f->grid().rowCount(); ++r)
                 if (f->grid().cell(r, 2) == QStringLiteral("李美華")) // login mei, password Mei456
                     f->HFG_Click(r);
             f->cmdPaSet_Click();
             in<QLineEdit, frmSta>("txtOp")->setText(QStringLiteral("Mei456"));
             in<QLineEdit, frmSta>("txtNp")->setText(QStringLiteral("Two2"));
             in<QLineEdit, frmSta>("txtCp")->setText(QStringLiteral("Two2"));
         },
         [] { window<frmSta>()->cmdPass_Click(); },
         [] { window<frmSta>()->cmdPass_Click(); }},
    };
}

} // namespace

WALK_MAIN(rows)
