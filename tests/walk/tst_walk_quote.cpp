// The quotation editor's commands that read the main database and its customers,
// walked under a failing database.
#include "CellEditors.h"
#include "ItemRow.h"
#include "QuoteFile.h"
#include "Walk.h"
#include "WalkEditor.h"
#include "frmCus.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>

using namespace walk;

namespace {

// An empty work type of the catalogue.
const QString kLeaf = kArea + quote::kPathSeparator + QStringLiteral("泥作工程");

// An item with details picked from the shown work type's item list into its first row.
quote::CellEditors* pickItem() {
    quote::CellEditors* cells = ui::Default<frmQ>::get()->cellEditors();
    cells->CurRow = 1;
    cells->CurCol = quote::ColName;
    const QList<QListWidgetItem*> found =
        cells->Ls->findItems(QStringLiteral("地坪磁磚貼工"), Qt::MatchExactly);
    if (!found.isEmpty())
        cells->Ls->setCurrentItem(found.first());
    cells->Ls_Click();
    return cells;
}
QList<Row> rows() {
    return {
        {QStringLiteral("報價單: 開啟"),
         {QStringLiteral("r:別"), QStringLiteral("r:sc")},
         openMainDb,
         [] { form<frmQ>(); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 工程類別 切換"),
         {QStringLiteral("r:k2a")},
         [] { editor(); },
         [] { ui::Default<frmQ>::get()->categoryBox()->setCurrentIndex(1); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 新增區域 (區域清單)"),
         {QStringLiteral("r:k2a")},
         [] { editorWithQuotation(); },
         [] { trigger("mAddA"); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 新增工種 (工種清單)"),
         {QStringLiteral("r:種")},
         [] { editorWithQuotation(); },
         [] { trigger("mAddT"); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 工程種類 顯示 (品名清單)"),
         {QStringLiteral("r:t2w")},
         [] { editorWithQuotation(); },
         [] { ui::Default<frmQ>::get()->tv_NodeClick(kLeaf); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 品名加入"),
         {QStringLiteral("t2w")},
         [] {
             // Two items the catalogue does not hold yet, in the shown work type.
             frmQ* w = editorWithQuotation();
             std::vector<quote::ItemRow> items(2);
             for (int i = 0; i < 2; ++i) {
                 items[i][quote::ColPath] = kLeaf;
                 items[i][quote::ColName] = QStringLiteral("新品%1").arg(i + 1);
             }
             w->document().hfgB.appendRows(items);
             w->tv_NodeClick(kLeaf);
         },
         [] { trigger("mAdd2W"); },
         [] { trigger("mAdd2W"); },
         kDiscard},
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
