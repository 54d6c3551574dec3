#include "CatalogPrint.h"

#include "CatalogLists.h"

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

} // namespace catalog
