#include "Labels.h"

#include "text/TextCut.h"

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

namespace {

// A label line: field values (their column in the statement) and the words between them.
struct Part {
    QString text;
    int field = -1; // -1: not a field's
};

// The beginning of `text` that its label cell prints whole: the lines its row holds when the cell
// wraps, else one line.
QString printedPart(const wb::Sheet& sheet, int row, int col, const QString& text) {
    // Within its own cell: the labels to its right are written after it.
    const wb::TextRoom room = wb::textRoom(sheet, row, col, col);
    QString kept;
    room.lines(text, wb::linesWithin(sheet.rowHeight(row), room.size), &kept);
    return kept.size() > kMaxCellText ? text::cutToUnits(kept, kMaxCellText) : kept;
}

} // namespace

void fillLabels(wb::Sheet& sheet, db::Recordset& records, QStringList& cut) {
    int k = 0;
    for (records.moveFirst(); !records.eof(); records.moveNext(), ++k) {
        const wb::CellRef at = labelCell(k);
        const QList<Part> lines[4] = {{{records.text(0), 0}},
                                      {{records.text(1).remove(u';'), 1}},
                                      {{QStringLiteral("    ")}, {records.text(2), 2}},
                                      {{records.text(3), 3},
                                       {QStringLiteral("  君 啟") + QStringLiteral("     ")},
                                       {records.text(4), 4}}};
        for (int i = 0; i < 4; ++i) {
            QString text;
            for (const Part& p : lines[i])
                text += p.text;
            const int row = at.row + i;
            const QString kept = printedPart(sheet, row, at.col, text);
            sheet.setText(row, at.col, kept);
            // Each field that lost characters, by the characters of its own that are kept.
            qsizetype from = 0;
            for (const Part& p : lines[i]) {
                const qsizetype held = qBound(qsizetype(0), kept.size() - from, p.text.size());
                if (p.field >= 0 && held < p.text.size())
                    cut << cutNote(k + 1, records.fieldName(p.field), row, at.col,
                                   p.text.left(held).toUcs4().size());
                from += p.text.size();
            }
        }
    }
}

PrintOutcome PrintLabels(db::Database& db, const QString& programFolder, int party) {
    const QString sql = labelStatement(party);
    if (sql.isEmpty())
        throw PrintError{QStringLiteral("無法列印：不明的資料表")};
    return printRecords(db, programFolder, QStringLiteral("Label.xlsx"), sql, fillLabels);
}

} // namespace records
