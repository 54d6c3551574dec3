// The construction-data window and the list editor walked under a failing database.
#include "Walk.h"
#include "WalkSteps.h"
#include "frmEm.h"
#include "frmEng.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace walk;

namespace {

frmEng* catalogue(int tab) {
    openMainDb();
    frmEng* f = form<frmEng>();
    child<QTabWidget>(f, "Tab1")->setCurrentIndex(tab);
    return f;
}
void choose(const char* combo, int index) {
    auto* cb = in<QComboBox, frmEng>(combo);
    cb->setCurrentIndex(index);
    emit cb->activated(index);
}
// A line of a grid moved down one place.
void moveDown(const char* grid, const char* down) {
    in<QTableWidget, frmEng>(grid)->setCurrentCell(1, 0);
    click<frmEng>(down);
}
// A left press on a line of a grid, as the user picks it.
void press(const char* grid, int row) {
    QTableWidget* g = in<QTableWidget, frmEng>(grid);
    const QPoint at = g->visualRect(g->model()->index(row, 0)).center();
    QTest::mousePress(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, at);
}
frmEm* listEditor(const char* mode) {
    openMainDb();
    mdEng::EmListMode = QString::fromLatin1(mode);
    return form<frmEm>();
}

QList<Row> rows() {
    return {
        {QStringLiteral("工程資料詞庫: 開啟"),
         {QStringLiteral("r:別"), QStringLiteral("r:k2a")},
         openMainDb,
         [] { form<frmEng>(); }},
        {QStringLiteral("工程資料詞庫: 工程種類 切換"),
         {QStringLiteral("r:t2w")},
         [] { catalogue(1); },
         [] { choose("cbT", 1); }},
        {QStringLiteral("工程資料詞庫: 施工 套用"),
         {QStringLiteral("t2w")},
         [] {
             catalogue(1);
             choose("cbT", 1);
             moveDown("hfgW", "cmdDnW");
         },
         [] { click<frmEng>("cmWp"); },
         [] { click<frmEng>("cmWp"); }},
        {QStringLiteral("工程資料詞庫: 工程類別 切換"),
         {QStringLiteral("r:k2a")},
         [] { catalogue(0); },
         [] { choose("cbK", 1); }},
        {QStringLiteral("工程資料詞庫: 區域 套用"),
         {QStringLiteral("k2a")},
         [] {
             catalogue(0);
             choose("cbK", 1);
             moveDown("hfgA(0)", "cmdDnA");
         },
         [] { click<frmEng>("cmAp"); },
         [] { click<frmEng>("cmAp"); }},
        {QStringLiteral("工程資料詞庫: 施工項目 選取 (加成)"),
         {QStringLiteral("r:w2d")},
         [] {
             catalogue(1);
             choose("cbT", 1);
             press("hfgW", 0);
         },
         [] { press("hfgW", 3); }},
        {QStringLiteral("工程資料詞庫: 細項加成 套用"),
         {QStringLiteral("w2d")},
         [] {
             catalogue(1);
             choose("cbT", 1);
             press("hfgW", 0);
             press("hfgW", 3);
             moveDown("hfgD", "cmDnD");
         },
         [] { click<frmEng>("cmdP"); },
         [] { click<frmEng>("cmdP"); }},
        {QStringLiteral("工程資料詞庫: 其他詞庫 順序, 關閉"),
         {QStringLiteral("w:u")},
         [] {
             catalogue(2);
             press("hfgS(0)", 0);
             ui::Default<frmEng>::get()->mDnS_Click();
         },
         [] { ui::Default<frmEng>::get()->unload(); },
         {},
         {ui::Answer::Yes}}, // a list that could not be stored: close without it
        {QStringLiteral("編輯 工程種類: 改名"),
         {QStringLiteral("種"), QStringLiteral("w:t2w")},
         [] {
             child<QListWidget>(listEditor("t"), "LsM")->setCurrentRow(1);
             click<frmEm>("cmdEdit");
             in<QLineEdit, frmEm>("txt")->setText(QStringLiteral("新工程"));
         },
         [] { click<frmEm>("cmdY"); },
         [] { click<frmEm>("cmdY"); }},
        {QStringLiteral("編輯 工程類別: 新增"),
         {QStringLiteral("別")},
         [] {
             listEditor("k");
             click<frmEm>("cmdNew");
             in<QLineEdit, frmEm>("txt")->setText(QStringLiteral("學校"));
         },
         [] { click<frmEm>("cmdY"); },
         [] { click<frmEm>("cmdY"); }},
        {QStringLiteral("編輯 工程類別: 刪除"),
         {QStringLiteral("別"), QStringLiteral("w:k2a")},
         [] { child<QListWidget>(listEditor("k"), "LsM")->setCurrentRow(1); },
         [] {
             Walker::dialogs().expectMessage(ui::Answer::Yes);
             click<frmEm>("cmdDel");
         }},
        {QStringLiteral("編輯 工程類別: 順序, 離開"),
         {QStringLiteral("w:別")},
         [] {
             child<QListWidget>(listEditor("k"), "LsM")->setCurrentRow(1);
             click<frmEm>("cmdDn");
         },
         [] { click<frmEm>("Command1"); }},
        {QStringLiteral("編輯 工程類別: 改名"),
         {QStringLiteral("別"), QStringLiteral("w:k2a")},
         [] {
             child<QListWidget>(listEditor("k"), "LsM")->setCurrentRow(1);
             click<frmEm>("cmdEdit");
             in<QLineEdit, frmEm>("txt")->setText(QStringLiteral("門市"));
         },
         [] { click<frmEm>("cmdY"); },
         [] { click<frmEm>("cmdY"); }},
    };
}

} // namespace

WALK_MAIN(rows)
