// The three-way merge of a writer that finds the stored data changed since it read it: the base
// (read when the window opened), mine (the window) and theirs (stored now).
#include "db/FieldMerge.h"

#include <QtTest>

class TestFieldMerge : public QObject {
    Q_OBJECT
private slots:
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
