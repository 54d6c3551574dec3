// The quotation editor's item, 規格 and customer commands walked under a failing database.
#include "QuoteFile.h"
#include "Walk.h"
#include "WalkEditor.h"
#include "frmCus.h"

#include <QComboBox>
#include <QDir>

using namespace walk;

namespace {

QList<Row> rows() {
    return {
        {QStringLiteral("報價單: 品名 選取"),
         {QStringLiteral("r:t2w")},
         [] { editorWithQuotation()->tv_NodeClick(kLeaf); },
         [] { pickItem(); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 規格 清單"),
         {QStringLiteral("r:w2d")},
         [] {
             editorWithQuotation()->tv_NodeClick(kLeaf);
             pickItem()->CurCol = quote::ColSpec;
         },
         [] { ui::Default<frmQ>::get()->cellEditors()->BeginCellEdit(); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 規格 選取"),
         {QStringLiteral("r:w2d"), QStringLiteral("r:t2w")},
         [] {
             editorWithQuotation()->tv_NodeClick(kLeaf);
             quote::CellEditors* cells = pickItem();
             cells->CurCol = quote::ColSpec;
             cells->BeginCellEdit();
             cells->cbD->setCurrentIndex(0);
         },
         [] { ui::Default<frmQ>::get()->cellEditors()->cbD_Click(); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 客戶名稱 (客戶資料 選取)"),
         {QStringLiteral("r:客戶")},
         [] { editorWithQuotation(); },
         [] {
             ModalCloser closer(
                 [] { return ui::Default<frmCus>::isLoaded() ? ui::Default<frmCus>::get() : nullptr; },
                 [] {
                     ui::Default<frmCus>::get()->HFG_Click(0);
                     ui::Default<frmCus>::get()->cmd2Q_Click();
                 });
             ui::Default<frmQ>::get()->cmdC_Click();
         },
         {},
         kDiscard},
        {QStringLiteral("報價單: 開啟舊檔 (客戶查詢)"),
         {QStringLiteral("r:客戶")},
         [] {
             quote::QuoteDocument doc = xlfixture::standard();
             doc.header.txtCn = QStringLiteral("大安牙醫診所");
             quote::QuoteFile::write(doc, QDir(sys::programFolder()).filePath(QStringLiteral("q.kav")));
             editor();
         },
         [] {
             Walker::dialogs().expectOpenFile(QDir(sys::programFolder()).filePath(QStringLiteral("q.kav")));
             trigger("mOpen");
         },
         {},
         kDiscard},
    };
}

} // namespace

WALK_MAIN(rows)
