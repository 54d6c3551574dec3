#include "RecordListPrint.h"

#include "mdM.h"
#include "text/TextCut.h"

#include <QRegularExpression>
#include <algorithm>

namespace records {
namespace {

const ListSubject kSubjects[] = {
    {1, "客戶資料列印", "客戶資料.xlsx", "客戶", "客戶編號"},
    {2, "廠商資料列印", "廠商資料.xlsx", "廠商", "廠商編號"},
    {3, "員工資料列印", "員工資料.xlsx", "員工", "員工編號"},
};

bool leftOut(const ListSubject& s, const QString& column) {
    if (s.party == 3)
        return column.compare(QStringLiteral("Pass"), Qt::CaseInsensitive) == 0 ||
               column.compare(QStringLiteral("權限"), Qt::CaseInsensitive) == 0;
    return column == QStringLiteral("type");
}

// A plain name stands as it is; any other is quoted as a name.
QString quotedName(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[\\p{L}\\p{N}_]+$"));
    if (plain.match(name).hasMatch())
        return name;
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

} // namespace

const ListSubject* listSubject(int party) {
    for (const ListSubject& s : kSubjects)
        if (s.party == party)
            return &s;
    return nullptr;
}

QStringList printableColumns(db::Database& db, const ListSubject& subject) {
    QStringList out;
    for (const QString& c : db.columns(QString::fromUtf8(subject.table)))
        if (!leftOut(subject, c))
            out << c;
    return out;
}

QString listStatement(db::Database& db, const ListSubject& subject, const QStringList& columns) {
    // Column names cannot be bound: only the table's own names go into the statement.
    const QStringList offered = printableColumns(db, subject);
    QStringList names;
    for (const QString& c : columns) {
        if (!offered.contains(c))
            throw PrintError{QStringLiteral("沒有這個欄位：%1").arg(c)};
        names << quotedName(c);
    }
    return QStringLiteral("select %1 from %2 order by %3")
        .arg(names.join(QStringLiteral(", ")), QString::fromUtf8(subject.table), QString::fromUtf8(subject.key));
}

void fillList(wb::Sheet& sheet, const QStringList& columns, db::Recordset& records, QStringList& cut) {
    for (int i = 0; i < columns.size(); ++i)
        sheet.setText(2, i + 1, columns[i]);
    // A column whose format wraps (as the shipped templates' do) shows a long value in lines: its
    // row is made as high as they need. Any other shows one line, over the empty cells of the
    // record to its right: the record is written whole before its values are measured.
    const int lastCol = int(columns.size());
    int row = 3;
    for (records.moveFirst(); !records.eof(); records.moveNext(), ++row) {
        QStringList texts;
        for (int i = 0; i < columns.size(); ++i) {
            texts << records.text(i).remove(u';');
            sheet.setText(row, i + 1, text::cutToUnits(texts.last(), wb::kMaxCellText));
        }
        double height = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const QString& text = texts[i];
            if (text.isEmpty())
                continue;
            // A value taller than the highest row keeps the lines that row shows.
            const wb::TextRoom room = wb::textRoom(sheet, row, i + 1, lastCol);
            double h = 0;
            const QString kept = room.fit(text, &h);
            if (kept.size() < text.size()) {
                setCellText(sheet, row, i + 1, kept, row - 2, columns[i], cut);
                cut << cutNote(row - 2, columns[i], row, i + 1, kept.toUcs4().size());
            }
            if (room.wraps)
                height = std::max(height, h);
        }
        if (height > sheet.rowHeight(row))
            sheet.setRowHeight(row, height);
    }
    // The filled range (the header names and every record) gets the outline and the lines between
    // its columns.
    if (!columns.isEmpty())
        sheet.setThinBorders(wb::RangeRef{{2, 1}, {row - 1, int(columns.size())}},
                             wb::EdgesOutline | wb::InsideVertical);
}

PrintOutcome printList(db::Database& db, const QString& programFolder, int party, const QStringList& columns) {
    const ListSubject* subject = listSubject(party);
    if (!subject)
        throw PrintError{QStringLiteral("無法列印：不明的資料表")};
    QString sql;
    try {
        sql = listStatement(db, *subject, columns);
    } catch (const db::DbError& e) {
        throw PrintError{mdM::dbErrorText(e)};
    }
    return printRecords(
        db, programFolder, QString::fromUtf8(subject->templateName), sql,
        [&](wb::Sheet& sheet, db::Recordset& rs, QStringList& cut) { fillList(sheet, columns, rs, cut); });
}

} // namespace records
