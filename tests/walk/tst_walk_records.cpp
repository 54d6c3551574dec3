// The customer, vendor and staff windows and the supply-links editor walked under a failing database.
#include "Walk.h"
#include "WalkSteps.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmSta.h"
#include "frmWP.h"

using namespace walk;

namespace {

// The window listing every record.
template <class T> T* records() {
    openMainDb();
    T* f = form<T>();
    f->Command3_Click();
    return f;
}
template <class T> T* window() {
    return ui::Default<T>::get();
}

QList<Row> rows() {
    return {
        {QStringLiteral("客戶資料: 開啟"), {QStringLiteral("客戶")}, openMainDb, [] { records<frmCus>(); }},
        {QStringLiteral("客戶資料: 新增 存檔"), {QStringLiteral("客戶")},
         [] {
             records<frmCus>()->cmdAdd_Click();
             window<frmCus>()->setBoxText(QStringLiteral("T2"), QStringLiteral("新客戶甲"));
         },
         [] { window<frmCus>()->cmdY_Click(); }, [] { window<frmCus>()->cmdY_Click(); }},
        {QStringLiteral("客戶資料: 刪除"), {QStringLiteral("客戶")}, [] { records<frmCus>()->HFG_Click(0); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             window<frmCus>()->cmdDel_Click();
         }},
        {QStringLiteral("員工資料: 修改 存檔"), {QStringLiteral("員工")},
         [] {
             records<frmSta>()->HFG_Click(0);
             window<frmSta>()->cmdEdit_Click();
         },
         [] { window<frmSta>()->cmdY_Click(); }, [] { window<frmSta>()->cmdY_Click(); }},
        {QStringLiteral("廠商資料: 施工廠商 編輯 確定"), {QStringLiteral("商vs工")},
         [] {
             records<frmPrv>()->HFG_Click(0);
             window<frmPrv>()->cmdEdit_Click();
         },
         [] {
             ModalCloser closer([] { return ui::Default<frmWP>::isLoaded() ? ui::Default<frmWP>::get() : nullptr; },
                                [] { window<frmWP>()->Command1_Click(); });
             in<QPushButton, frmPrv>("cmW")->click();
         }},
    };
}

// Commands that still fail the walk, with why; skipped until their windows are made sound.
QMap<QString, QString> knownFailures() {
    return {
        {QStringLiteral("廠商資料: 施工廠商 編輯 確定"),
         QStringLiteral("the supply-links editor opened while a read fails shows empty lists, and 確定 deletes the "
                        "vendor's links")},
    };
}

} // namespace

WALK_MAIN(rows, knownFailures)
