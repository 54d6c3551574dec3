// The customer, vendor and staff windows and the supply-links editor walked under a failing database.
#include "Walk.h"
#include "WalkSteps.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmSta.h"
#include "frmWP.h"

#include <QComboBox>
#include <QLineEdit>

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
// A new record with its name and address typed.
template <class T> void startNew() {
    T* f = records<T>();
    f->cmdAdd_Click();
    f->setBoxText(QStringLiteral("T2"), QStringLiteral("新名稱甲"));
    f->setBoxText(QStringLiteral("cb1"), QStringLiteral("台北市"));
    f->setBoxText(QStringLiteral("T5"), QStringLiteral("中山北路1號"));
}
// The second entry of a filter list chosen.
template <class T> void chooseSecond(const char* combo, void (T::*chosen)()) {
    in<QComboBox, T>(combo)->setCurrentIndex(1);
    (window<T>()->*chosen)();
}

// Closing a window that still holds a record being typed asks whether to drop it: the user does.
const QList<ui::Answer> kDiscardTyped = {ui::Answer::Yes};

// The supply-links editor opened from the vendor being edited, then 確定.
void editLinks(const char* button) {
    ModalCloser closer([] { return ui::Default<frmWP>::isLoaded() ? ui::Default<frmWP>::get() : nullptr; },
                       [] { in<QPushButton, frmWP>("Command1")->click(); });
    in<QPushButton, frmPrv>(button)->click();
}

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
         [] { records<frmCus>()->HFG_Click(0); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             window<frmCus>()->cmdDel_Click();
         }},
        {QStringLiteral("客戶資料: 選取, 修改 存檔"),
         {QStringLiteral("r:客戶")},
         [] { records<frmCus>()->HFG_Click(0); },
         [] { window<frmCus>()->HFG_Click(1); },
         [] {
             window<frmCus>()->cmdEdit_Click();
             window<frmCus>()->cmdY_Click();
         }},
        {QStringLiteral("客戶資料: 全文搜尋"),
         {QStringLiteral("r:客戶")},
         [] { records<frmCus>(); },
         [] {
             Walker::dialogs().expectInput(QStringLiteral("台北"));
             window<frmCus>()->Command1_Click();
         }},
        {QStringLiteral("客戶資料: 編號 分組"),
         {QStringLiteral("r:客戶")},
         [] { records<frmCus>(); },
         [] { chooseSecond<frmCus>("Combo1", &frmCus::Combo1_Click); }},
        {QStringLiteral("客戶資料: 類別"),
         {QStringLiteral("r:客戶")},
         [] { records<frmCus>(); },
         [] { chooseSecond<frmCus>("Combo2", &frmCus::Combo2_Click); }},
        {QStringLiteral("廠商資料: 工班 篩選"),
         {QStringLiteral("r:商vs工")},
         [] { records<frmPrv>(); },
         [] { chooseSecond<frmPrv>("cbW", &frmPrv::cbW_Click); }},
        {QStringLiteral("廠商資料: 材料 篩選"),
         {QStringLiteral("r:商vs料")},
         [] { records<frmPrv>(); },
         [] { chooseSecond<frmPrv>("cbP", &frmPrv::cbP_Click); }},
        {QStringLiteral("廠商資料: 開啟"), {QStringLiteral("r:廠商")}, openMainDb, [] { form<frmPrv>(); }},
        {QStringLiteral("廠商資料: 刪除"),
         {QStringLiteral("廠商"), QStringLiteral("w:商vs料")},
         [] { records<frmPrv>()->HFG_Click(0); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             window<frmPrv>()->cmdDel_Click();
         }},
        {QStringLiteral("員工資料: 開啟"), {QStringLiteral("r:員工")}, openMainDb, [] { form<frmSta>(); }},
        {QStringLiteral("員工資料: 新增 存檔"),
         {QStringLiteral("員工")},
         [] {
             startNew<frmSta>();
             window<frmSta>()->T2_Validate();
             window<frmSta>()->setBoxText(QStringLiteral("T3"), QStringLiteral("newone")); // the login name
         },
         [] { window<frmSta>()->cmdY_Click(); },
         [] { window<frmSta>()->cmdY_Click(); },
         kDiscardTyped},
        {QStringLiteral("員工資料: 修改 存檔"),
         {QStringLiteral("員工")},
         [] {
             records<frmSta>()->HFG_Click(0);
             window<frmSta>()->cmdEdit_Click();
         },
         [] { window<frmSta>()->cmdY_Click(); },
         [] { window<frmSta>()->cmdY_Click(); }},
        {QStringLiteral("員工資料: 密碼 變更"),
         {QStringLiteral("員工")},
         [] {
             frmSta* f = records<frmSta>();
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
        {QStringLiteral("廠商資料: 施工廠商 編輯 確定"),
         {QStringLiteral("商vs工")},
         [] {
             records<frmPrv>()->HFG_Click(0);
             window<frmPrv>()->cmdEdit_Click();
         },
         [] { editLinks("cmW"); },
         {},
         kDiscardTyped},
        {QStringLiteral("廠商資料: 材料廠商 編輯 確定"),
         {QStringLiteral("商vs料")},
         [] {
             records<frmPrv>()->HFG_Click(0);
             window<frmPrv>()->cmdEdit_Click();
         },
         [] { editLinks("cmP"); },
         {},
         kDiscardTyped},
    };
}

} // namespace

WALK_MAIN(rows)
