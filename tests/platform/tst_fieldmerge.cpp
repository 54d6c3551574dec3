// The three-way merge of a writer that finds the stored data changed since it read it: the base
// (read when the window opened), mine (the window) and theirs (stored now).
#include "db/FieldMerge.h"

#include <QtTest>

namespace {
// "a|1, b|2": rows of fields, the name first. A row of mine written "1:b|2" was read as the base
// row 1; one without was added.
QVector<merge::MineRow> parseMine(const QString& text) {
    QVector<merge::MineRow> out;
    for (const QString& r : text.split(QStringLiteral(", "), Qt::SkipEmptyParts))
        out.append({r.section(u':', -1).split(u'|'), r.contains(u':') ? std::optional(r.section(u':', 0, 0).toInt()) : std::nullopt});
    return out;
}
QVector<merge::Row> parse(const QString& text) {
    QVector<merge::Row> out;
    for (const merge::MineRow& r : parseMine(text))
        out << r.fields;
    return out;
}
} // namespace

class TestFieldMerge : public QObject {
    Q_OBJECT
private slots:
    // Rows merge by the row each was read as, never by a name a rename changes; `said` is what
    // the question names (changedRows, then 順序 when reordered).
    void rows_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("mine");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<QString>("said");
        QTest::newRow("renamed elsewhere, changed here") << "磁磚|坪|2800, 斜貼|式|600" << "0:磁磚|坪|2900, 1:斜貼|式|600"
            << "磁磚B|坪|2800, 斜貼|式|600" << "磁磚B|坪|2900, 斜貼|式|600" << "磁磚 → 磁磚B";
        QTest::newRow("renamed on both sides") << "客廳, 臥室" << "0:客廳A, 1:臥室" << "客廳B, 臥室" << "客廳A, 臥室" << "客廳 → 客廳B";
        QTest::newRow("two renamed in one place elsewhere, one changed here") << "a|1, b|1, c|1" << "0:a|1, 1:b|1, 2:c|5"
            << "a|1, b2|1, c2|1" << "a|1, b2|1, c2|5" << "b → b2、c → c2";
        QTest::newRow("duplicate names, one moved and renamed here, the other changed elsewhere") << "斜貼|650, 斜貼|600"
            << "1:斜貼|600, 0:斜貼X|650" << "斜貼|650, 斜貼|700" << "斜貼|700, 斜貼X|650" << "斜貼";
        QTest::newRow("reorders on both sides") << "泥作, 水電, 木作, 油漆, 清潔" << "0:泥作, 1:水電, 2:木作, 4:清潔, 3:油漆"
            << "水電, 泥作, 木作, 油漆, 清潔" << "水電, 泥作, 木作, 清潔, 油漆" << "順序";
    }
    void rows() {
        QFETCH(QString, base);
        QFETCH(QString, mine);
        QFETCH(QString, theirs);
        QFETCH(QString, merged);
        QFETCH(QString, said);
        QStringList changes = merge::changedRows(parse(base), parse(theirs));
        if (merge::reordered(parse(base), parse(theirs)))
            changes << QStringLiteral("順序");
        QCOMPARE(changes.join(u'、'), said);
        QCOMPARE(merge::mergeRows(parse(base), parseMine(mine), parse(theirs)).rows, parse(merged));
    }
    // A field merged by what the user edits: a two-box text box by box, a rights word (bits 3+4 and
    // 5+6 a 編輯/查詢 pair each) pair by pair.
    void fields_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("mine");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QString>("merged");
        QTest::newRow("two boxes, one changed each side") << "新北市;中正路5號" << "新北市;中正路5號A"
                                                         << "台北市;中正路5號" << "台北市;中正路5號A";
        QTest::newRow("two boxes, the other way round") << "02;2911" << "03;2911" << "02;2911-1" << "03;2911-1";
        QTest::newRow("rights pair ticked here, half taken there") << "68" << "100" << "4" << "100";
    }
    void fields() {
        QFETCH(QString, base);
        QFETCH(QString, mine);
        QFETCH(QString, theirs);
        QFETCH(QString, merged);
        const QList<int> pairs{0x18, 0x60};
        QCOMPARE(base.contains(u';') ? merge::byBox(base, mine, theirs)
                                     : QString::number(merge::byBitUnits(base.toInt(), mine.toInt(), theirs.toInt(), pairs)),
                 merged);
    }
};

QTEST_APPLESS_MAIN(TestFieldMerge)
#include "tst_fieldmerge.moc"
