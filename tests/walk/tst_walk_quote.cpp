// The quotation editor's commands that read the main database, walked under a failing database
// (its item and customer commands in a program of their own, so neither nears its time limit).
#include "ItemRow.h"
#include "Walk.h"
#include "WalkEditor.h"
#include "frmPe.h"
#include "system/System.h"

#include <QComboBox>

using namespace walk;

namespace {

// A box dropped down and closed again with Esc.
void dropDown(QComboBox* box) {
    QTest::mousePress(box, Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton);
    box->hidePopup();
}

QList<Row> rows() {
    return {
        {QStringLiteral("報價單: 開啟"),
         {QStringLiteral("r:別"), QStringLiteral("r:sc")},
         openMainDb,
         [] { form<frmQ>(); },
         {},
         kDiscard},
        {QStringLiteral("報價單: 開啟, 表頭與頁尾備註的清單, 另存新檔"),
         {QStringLiteral("r:案"), QStringLiteral("r:員工"), QStringLiteral("r:ps")},
         openMainDb,
         [] { form<frmQ>(); },
         [] {
             // The header of a quotation opened, its lists dropped down, saved under a new name.
             frmQ* w = ui::Default<frmQ>::get();
             w->categoryBox()->setEditText(QStringLiteral("住宅"));
             w->projectNameBox()->setEditText(QStringLiteral("信義住宅"));
             w->salespersonBox()->setEditText(QStringLiteral("陳小明"));
             dropDown(w->salespersonBox());
             w->pageEndButton()->click();
             dropDown(w->findChild<frmPe*>()->cbPe[0]);
             Walker::dialogs().expectSaveFile(sys::programFolder() + QStringLiteral("/walk.kav"));
             w->action(QStringLiteral("mSaveAs"))->trigger();
         },
         kDiscard},
        {QStringLiteral("報價單: 開啟, 頁尾備註先開, 另存新檔"), {QStringLiteral("r:ps")}, openMainDb,
         [] { form<frmQ>(); },
         [] {
             // The page-end frame opened before any header box drops down, its first remark taken
             // with Down, saved under a new name.
             frmQ* w = ui::Default<frmQ>::get();
             for (QComboBox* box : {w->categoryBox(), w->projectNameBox()})
                 box->setEditText(QStringLiteral("住宅"));
             w->pageEndButton()->click();
             QTest::keyClick(w->findChild<frmPe*>()->cbPe[0], Qt::Key_Down);
             Walker::dialogs().expectSaveFile(sys::programFolder() + QStringLiteral("/walk.kav"));
             w->action(QStringLiteral("mSaveAs"))->trigger();
         },
         kDiscard},
        {QStringLiteral("報價單: 開啟, 以鍵盤選負責業務, 另存新檔"), {QStringLiteral("r:員工")}, openMainDb,
         [] { form<frmQ>(); },
         [] {
             // 負責業務 dropped down with F4, its first entry taken with Down, saved under a new name.
             frmQ* w = ui::Default<frmQ>::get();
             for (QComboBox* box : {w->categoryBox(), w->projectNameBox()})
                 box->setEditText(QStringLiteral("住宅"));
             QTest::keyClick(w->salespersonBox(), Qt::Key_F4);
             w->salespersonBox()->hidePopup();
             QTest::keyClick(w->salespersonBox(), Qt::Key_Down);
             Walker::dialogs().expectSaveFile(sys::programFolder() + QStringLiteral("/walk.kav"));
             w->action(QStringLiteral("mSaveAs"))->trigger();
         },
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
    };
}

} // namespace

WALK_MAIN(rows)
