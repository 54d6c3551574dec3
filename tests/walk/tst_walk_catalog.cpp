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
// A line of a grid moved down one place, then the group applied.
void moveDownAndApply(const char* grid, const char* down, const char* apply) {
    in<QTableWidget, frmEng>(grid)->setCurrentCell(1, 1);
    click<frmEng>(down);
    click<frmEng>(apply);
}
frmEm* listEditor(const char* mode) {
    openMainDb();
    mdEng::EmListMode = QString::fromLatin1(mode);
    return form<frmEm>();
}

QList<Row> rows() {
    return {
        {QStringLiteral("工程資料詞庫: 開啟"), {QStringLiteral("別"), QStringLiteral("k2a")}, openMainDb,
         [] { form<frmEng>(); }},
        {QStringLiteral("工程資料詞庫: 工程種類 切換, 套用"), {QStringLiteral("t2w")}, [] { catalogue(1); },
         [] { choose("cbT", 1); }, [] { moveDownAndApply("hfgW", "cmdDnW", "cmWp"); }},
        {QStringLiteral("工程資料詞庫: 工程類別 切換, 套用"), {QStringLiteral("k2a")}, [] { catalogue(0); },
         [] { choose("cbK", 1); }, [] { moveDownAndApply("hfgA(0)", "cmdDnA", "cmAp"); }},
        {QStringLiteral("編輯 工程類別: 改名"), {QStringLiteral("別"), QStringLiteral("k2a")},
         [] {
             child<QListWidget>(listEditor("k"), "LsM")->setCurrentRow(1);
             click<frmEm>("cmdEdit");
             in<QLineEdit, frmEm>("txt")->setText(QStringLiteral("門市"));
         },
         [] { click<frmEm>("cmdY"); }, [] { click<frmEm>("cmdY"); }},
    };
}

// Commands that still fail the walk, with why; skipped until their windows are made sound.
QMap<QString, QString> knownFailures() {
    const QString failedLoad =
        QStringLiteral("a list whose load failed is still shown and written: the construction-data window's loads");
    return {
        {QStringLiteral("工程資料詞庫: 開啟"), failedLoad},
        {QStringLiteral("工程資料詞庫: 工程種類 切換, 套用"), failedLoad},
        {QStringLiteral("工程資料詞庫: 工程類別 切換, 套用"), failedLoad},
        {QStringLiteral("編輯 工程類別: 改名"),
         QStringLiteral("a failed read during the rename leaves its handler, or writes the list back empty")},
    };
}

} // namespace

WALK_MAIN(rows, knownFailures)
