// The list editor of work kinds and categories, and the construction-data window's buttons that
// open it and read their lists again after it, walked under a failing database.
#include "Walk.h"
#include "WalkSteps.h"
#include "frmEm.h"
#include "frmEng.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

using namespace walk;

namespace {

frmEm* listEditor(const char* mode) {
    openMainDb();
    mdEng::EmListMode = QString::fromLatin1(mode);
    return form<frmEm>();
}
frmEm* chosen(const char* mode, int row) {
    frmEm* f = listEditor(mode);
    child<QListWidget>(f, "LsM")->setCurrentRow(row);
    return f;
}
// The construction-data window on one tab; the list editor it opens is left with 離開.
void catalogue(int tab) {
    openMainDb();
    child<QTabWidget>(form<frmEng>(), "Tab1")->setCurrentIndex(tab);
}
void throughListEditor(void (frmEng::*button)()) {
    ModalCloser closer([] { return ui::Default<frmEm>::isLoaded() ? ui::Default<frmEm>::get() : nullptr; },
                       [] { click<frmEm>("Command1"); });
    (ui::Default<frmEng>::get()->*button)();
}

QList<Row> rows() {
    return {
        {QStringLiteral("編輯 工程種類: 新增"),
         {QStringLiteral("種")},
         [] {
             listEditor("t");
             click<frmEm>("cmdNew");
             in<QLineEdit, frmEm>("txt")->setText(QStringLiteral("景觀工程"));
         },
         [] { click<frmEm>("cmdY"); },
         [] { click<frmEm>("cmdY"); }},
        {QStringLiteral("編輯 工程種類: 刪除"),
         {QStringLiteral("種"), QStringLiteral("w:t2w")},
         [] { chosen("t", 1); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             click<frmEm>("cmdDel");
         }},
        {QStringLiteral("編輯 工程種類: 順序, 離開"),
         {QStringLiteral("w:種")},
         [] {
             chosen("t", 1);
             click<frmEm>("cmdDn");
         },
         [] { click<frmEm>("Command1"); }},
        {QStringLiteral("工程資料詞庫: 工程類別： (編輯, 重新載入)"),
         {QStringLiteral("r:別"), QStringLiteral("r:k2a")},
         [] { catalogue(0); },
         [] { throughListEditor(&frmEng::cmEdK_Click); }},
        {QStringLiteral("工程資料詞庫: 工程種類： (編輯, 重新載入)"),
         {QStringLiteral("r:種"), QStringLiteral("r:t2w")},
         [] { catalogue(1); },
         [] { throughListEditor(&frmEng::Command2_Click); }},
    };
}

} // namespace

WALK_MAIN(rows)
