#include "Walk.h"

namespace walk {

// Commands that still fail the walk, with why: their windows are being made sound. The walk skips
// them (KAVO_WALK_KNOWN=1 walks them too); each goes from this list when its window passes.
QMap<QString, QString> knownFailures() {
    const QString catalogueLoads = QStringLiteral(
        "a list whose load failed is still shown and written: the construction-data window's loads");
    const QString listEditor = QStringLiteral(
        "a failed read in the list editor leaves its handler, or its list is written back empty (at close)");
    const QString supplyLinks = QStringLiteral("the supply-links editor opened while a read fails shows "
                                               "empty lists, and 確定 deletes the vendor's links");
    return {
        {QStringLiteral("工程資料詞庫: 開啟"), catalogueLoads},
        {QStringLiteral("工程資料詞庫: 工程種類 切換, 套用"), catalogueLoads},
        {QStringLiteral("工程資料詞庫: 工程類別 切換, 套用"), catalogueLoads},
        {QStringLiteral("編輯 工程類別: 改名"), listEditor},
        {QStringLiteral("編輯 工程種類: 改名"), listEditor},
        {QStringLiteral("編輯 工程類別: 新增"), listEditor},
        {QStringLiteral("編輯 工程類別: 刪除"), listEditor},
        {QStringLiteral("客戶資料: 選取, 修改 存檔"),
         QStringLiteral(
             "a record that could not be shown leaves the previous record's values in the boxes, and "
             "saving writes them over the chosen record")},
        {QStringLiteral("廠商資料: 施工廠商 編輯 確定"), supplyLinks},
        {QStringLiteral("廠商資料: 材料廠商 編輯 確定"), supplyLinks},
        {QStringLiteral("報價單: 列印 (報表資料)"),
         QStringLiteral(
             "the statistics refill for the reports is not one transaction: a failure half-way leaves "
             "統計 half filled")},
    };
}

} // namespace walk
