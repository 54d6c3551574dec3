#include "Labels.h"

namespace records {

QString labelStatement(int party) {
    if (party == 1)
        return QStringLiteral("select 郵遞區號, 公司地址, 客戶名稱, 連絡人, 客戶編號 from 客戶 order by 客戶編號");
    if (party == 2)
        return QStringLiteral("select 郵遞區號, 公司地址, 廠商名稱, 連絡人, 廠商編號 from 廠商 order by 廠商編號");
    return {};
}

wb::CellRef labelCell(int k) {
    return wb::CellRef{2 + 5 * (k / 3), 1 + k % 3};
}

void fillLabels(wb::Sheet& sheet, db::Recordset& records, QStringList& cut) {
    int k = 0;
    for (records.moveFirst(); !records.eof(); records.moveNext(), ++k) {
        const wb::CellRef at = labelCell(k);
        const QString lines[4] = {
            records.text(0), records.text(1).remove(u';'), QStringLiteral("    ") + records.text(2),
            records.text(3) + QStringLiteral("  君 啟") + QStringLiteral("     ") + records.text(4)};
        for (int i = 0; i < 4; ++i)
            setCellText(sheet, at.row + i, at.col, lines[i], k + 1, records.fieldName(i), cut);
    }
}

PrintOutcome PrintLabels(db::Database& db, const QString& programFolder, int party) {
    const QString sql = labelStatement(party);
    if (sql.isEmpty())
        throw PrintError{QStringLiteral("無法列印：不明的資料表")};
    return printRecords(db, programFolder, QStringLiteral("Label.xlsx"), sql, fillLabels);
}

} // namespace records
