#include "CatalogPrint.h"

#include "CatalogLists.h"
#include "text/TextCut.h"
#include "workbook/Workbook.h"

#include <QMap>
#include <algorithm>

namespace catalog {

namespace {
QString label(const QVariant& v) {
    return v.toString() + QStringLiteral("：");
}
} // namespace

QVector<PrintCell> vocabularyCells(db::Database& d) {
    QVector<QStringList> lists;
    for (int i = 0; i < kRatioList; ++i) {
        const VocabularyList& v = vocabularyList(i);
        db::Recordset rs = d.query(QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY \"%3\"")
                                       .arg(QString::fromUtf8(v.textColumn), QString::fromUtf8(v.table),
                                            QString::fromUtf8(v.orderColumn)));
        QStringList& list = lists.emplace_back();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            list << rs.text(0);
    }
    return vocabularyCells(lists);
}

QVector<PrintCell> vocabularyCells(const QVector<QStringList>& lists) {
    QVector<PrintCell> out;
    for (int i = 0; i < kRatioList && i < lists.size(); ++i) {
        int row = kFirstPrintRow;
        for (const QString& text : lists.at(i))
            out.append({row++, i + 1, text});
    }
    return out;
}

QVector<PrintCell> categoryCells(db::Database& d) {
    db::Recordset rs = d.openRecordset(QStringLiteral("Pk2a"));
    QVector<PrintCell> out;
    if (rs.recordCount() == 0)
        return out;
    rs.moveFirst();
    QString current = rs.value(0).toString();
    int col = 1;
    int row = kFirstPrintRow;
    out.append({row, col, label(rs.value(0))});
    for (; !rs.eof(); rs.moveNext(), ++row) {
        if (rs.value(0).toString() != current) {
            col += 2;
            row = kFirstPrintRow;
            out.append({row, col, label(rs.value(0))});
            current = rs.value(0).toString();
        }
        out.append({row, col + 1, rs.value(1)});
    }
    return out;
}

QVector<PrintCell> workKindCells(db::Database& d) {
    db::Recordset rs = d.openRecordset(QStringLiteral("Pt2w"));
    QVector<PrintCell> out;
    if (rs.recordCount() == 0)
        return out;
    out.append({1, 1, QStringLiteral("工程種類列表：")});
    rs.moveFirst();
    QString current = rs.value(0).toString();
    int row = kFirstPrintRow;
    out.append({row, 1, label(rs.value(0))});
    for (; !rs.eof(); rs.moveNext(), ++row) {
        if (rs.value(0).toString() != current) {
            out.append({row, 1, label(rs.value(0))});
            current = rs.value(0).toString();
        }
        for (int f = 1; f <= 4; ++f)
            out.append({row, f + 1, rs.value(f)});
    }
    return out;
}

QVector<PrintCell> markupCells(db::Database& d) {
    db::Recordset rs = d.openRecordset(QStringLiteral("Pt2w2d"));
    QVector<PrintCell> out;
    if (rs.recordCount() == 0)
        return out;
    rs.moveFirst();
    QString current = rs.value(1).toString();
    int row = kFirstPrintRow;
    out.append({row, 1, label(rs.value(0))});
    out.append({row, 2, label(rs.value(1))});
    for (; !rs.eof(); rs.moveNext(), ++row) {
        if (rs.value(1).toString() != current) {
            out.append({row, 1, label(rs.value(0))});
            out.append({row, 2, label(rs.value(1))});
            current = rs.value(1).toString();
        }
        out.append({row, 3, rs.value(2)});
        out.append({row, 4, rs.value(3)});
    }
    return out;
}

QStringList writeCells(wb::Sheet& sheet, const QVector<PrintCell>& cells) {
    // Every value is written before the texts are measured: a text that does not wrap shows one line
    // over the cells to its right that stay empty, up to the last column the sheet uses.
    QVector<const PrintCell*> texts;
    for (const PrintCell& c : cells) {
        switch (c.value.typeId()) {
        case QMetaType::Double:
        case QMetaType::LongLong:
        case QMetaType::Int: sheet.setNumber(c.row, c.column, c.value.toDouble()); continue;
        default:
            if (c.value.isNull())
                continue;
        }
        sheet.setText(c.row, c.column, text::cutToUnits(c.value.toString(), wb::kMaxCellText));
        texts << &c;
    }
    const int lastCol = sheet.usedRange().last.col;
    QStringList cut;
    QMap<int, double> heights; // of the rows whose lines need more than their height
    for (const PrintCell* c : texts) {
        const QString text = c->value.toString();
        const wb::TextRoom room = wb::textRoom(sheet, c->row, c->column, lastCol);
        double height = 0;
        const QString kept = text::cutToUnits(room.fit(text, &height), wb::kMaxCellText);
        if (room.wraps)
            heights[c->row] = std::max(heights.value(c->row), height);
        if (kept.size() == text.size())
            continue;
        sheet.setText(c->row, c->column, kept);
        const QString heading = sheet.text(2, c->column);
        const QString where = wb::cellName(c->row, c->column);
        cut << QStringLiteral("%1：保留前 %2 字")
                   .arg(heading.isEmpty() ? where : QStringLiteral("%1（%2）").arg(heading, where))
                   .arg(kept.toUcs4().size());
    }
    for (auto it = heights.cbegin(); it != heights.cend(); ++it)
        if (it.value() > sheet.rowHeight(it.key()))
            sheet.setRowHeight(it.key(), it.value());
    return cut;
}

} // namespace catalog
