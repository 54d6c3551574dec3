// The staff window's commands and the customer window's 全部, 取消 and 修改 存檔 walked under a
// failing database.
#include "Walk.h"
#include "WalkRecords.h"

#include <QLineEdit>

using namespace walk;

namespace {

// The staff window listing everyone, 李美華 (login mei, password Mei456) chosen.
frmSta* mei() {
    frmSta* f = listAll<frmSta>();
    for (int r = 0; r < f->grid().rowCount(); ++r)
        if (f->grid().cell(r, 2) == QStringLiteral("李美華"))
            f->HFG_Click(r);
    return f;
}
// A record of the window being edited, its address retyped.
template <class T> void editAddress() {
    listAll<T>()->HFG_Click(0);
    window<T>()->cmdEdit_Click();
    window<T>()->setBoxText(QStringLiteral("T5"), QStringLiteral("改過的地址1號"));
}

QList<Row> rows() {
    return {
        {QStringLiteral("員工資料: 全部"),
         {QStringLiteral("r:員工")},
         [] {
             openMainDb();
             form<frmSta>();
         },
         [] { window<frmSta>()->Command3_Click(); }},
        {QStringLiteral("員工資料: 選取"),
         {QStringLiteral("r:員工")},
         [] { listAll<frmSta>()->HFG_Click(0); },
         [] { window<frmSta>()->HFG_Click(1); }},
        {QStringLiteral("員工資料: 刪除"),
         {QStringLiteral("員工")},
         [] { mei(); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             window<frmSta>()->cmdDel_Click();
         }},
        {QStringLiteral("員工資料: 修改 取消"),
         {QStringLiteral("r:員工")},
         [] { editAddress<frmSta>(); },
         [] { window<frmSta>()->cmdN_Click(); }},
        {QStringLiteral("員工資料: 修改 密碼 設定"),
         {QStringLiteral("員工")},
         [] {
             mei()->cmdEdit_Click();
             window<frmSta>()->setBoxText(QStringLiteral("T5"), QStringLiteral("改過的地址1號"));
         },
         [] { window<frmSta>()->cmdPaSet_Click(); },
         {},
         kDiscardTyped},
        {QStringLiteral("客戶資料: 全部"),
         {QStringLiteral("r:客戶")},
         [] {
             openMainDb();
             form<frmCus>();
         },
         [] { window<frmCus>()->Command3_Click(); }},
        {QStringLiteral("客戶資料: 修改 取消"),
         {QStringLiteral("r:客戶")},
         [] { editAddress<frmCus>(); },
         [] { window<frmCus>()->cmdN_Click(); }},
        {QStringLiteral("客戶資料: 修改 存檔"),
         {QStringLiteral("客戶")},
         [] { editAddress<frmCus>(); },
         [] { window<frmCus>()->cmdY_Click(); },
         [] { window<frmCus>()->cmdY_Click(); },
         kDiscardTyped},
    };
}

} // namespace

WALK_MAIN(rows)
