// The twenty-per-column layout of a category's areas: adding, deleting and moving across columns;
// how the window's columns share a width.
#include "AreaColumns.h"
#include "ColumnWidths.h"

#include <QtTest>

using namespace catalog;

namespace {
QStringList areas(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QString::number(i);
    return out;
}
} // namespace

class TestAreaColumns : public QObject {
    Q_OBJECT
private slots:
    void layoutTwentyPerColumn_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("none") << 0 << QList<int>{0};
        QTest::newRow("one") << 1 << QList<int>{1};
        QTest::newRow("twenty") << 20 << QList<int>{20};
        QTest::newRow("twenty-one") << 21 << QList<int>{20, 1};
        QTest::newRow("forty-five") << 45 << QList<int>{20, 20, 5};
    }
    void layoutTwentyPerColumn() {
        QFETCH(int, n);
        QFETCH(QList<int>, rows);
        AreaColumns a(areas(n));
        QCOMPARE(a.columnCount(), rows.size());
        for (int c = 0; c < rows.size(); ++c)
            QCOMPARE(a.column(c).size(), rows.at(c));
        QCOMPARE(a.toStoredList(), areas(n));
    }

    void deleteMovesLaterAreasUpAcrossColumns() {
        AreaColumns a(areas(45));
        a.remove({0, 4}); // area 5
        QCOMPARE(a.column(0).at(4), QStringLiteral("6"));
        QCOMPARE(a.column(0).at(19), QStringLiteral("21"));
        QCOMPARE(a.column(1).at(19), QStringLiteral("41"));
        QCOMPARE(a.column(2).size(), 4);

        AreaColumns b(areas(21));
        b.remove({1, 0});
        QCOMPARE(b.columnCount(), 1);

        AreaColumns c(areas(1));
        c.remove({0, 0});
        QCOMPARE(c.columnCount(), 1);
        QCOMPARE(c.column(0).size(), 0);
        QCOMPARE(c.add(), (AreaCell{0, 0}));
        QVERIFY(c.toStoredList().isEmpty());
        // A cell out of range changes nothing.
        c.remove({3, 7});
        QCOMPARE(c.column(0).size(), 1);
    }

    void addReusesEmptyLastRowOrOpensAColumn() {
        AreaColumns a(areas(20));
        const AreaCell cell = a.add();
        QCOMPARE(cell, (AreaCell{1, 0}));
        QCOMPARE(a.columnCount(), 2);
        QCOMPARE(a.add(), cell); // still empty: reused
        a.setText(cell, QStringLiteral("新"));
        QCOMPARE(a.add(), (AreaCell{1, 1}));
        // An emptied cell in the middle is stored as an empty name; only the last empty one drops.
        a.setText({0, 3}, QString());
        const QStringList stored = a.toStoredList();
        QCOMPARE(stored.size(), 21);
        QVERIFY(stored.at(3).isEmpty());
    }

    void movesAcrossColumns() {
        AreaColumns a(areas(25));
        AreaCell at{0, 19};
        QCOMPARE(a.moveDown(at), AreaColumns::Move::Moved);
        QCOMPARE(at, (AreaCell{1, 0}));
        QCOMPARE(a.text({1, 0}), QStringLiteral("20"));
        QCOMPARE(a.text({0, 19}), QStringLiteral("21"));
        QCOMPARE(a.moveUp(at), AreaColumns::Move::Moved);
        QCOMPARE(at, (AreaCell{0, 19}));
        QCOMPARE(a.toStoredList(), areas(25));

        AreaCell first{0, 0};
        QCOMPARE(a.moveUp(first), AreaColumns::Move::AtEnd);
        AreaCell last{1, 4};
        QCOMPARE(a.moveDown(last), AreaColumns::Move::AtEnd);
        QCOMPARE(a.toStoredList(), areas(25));

        a.setText({0, 2}, QString());
        AreaCell empty{0, 2};
        QCOMPARE(a.moveDown(empty), AreaColumns::Move::NothingSelected);
        AreaCell outside{5, 0};
        QCOMPARE(a.moveUp(outside), AreaColumns::Move::NothingSelected);
    }

    void columnsShareAWidth_data() {
        QTest::addColumn<QList<int>>("wanted");
        QTest::addColumn<int>("room");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("all fit") << QList<int>{50, 80, 60} << 300 << QList<int>{50, 80, 60};
        // One long entry: the others show whole, the long one takes what is left.
        QTest::newRow("one long") << QList<int>{60, 900, 80} << 300 << QList<int>{60, 160, 80};
        QTest::newRow("no room") << QList<int>{60, 80} << 70 << QList<int>{60, 10};
    }
    void columnsShareAWidth() {
        QFETCH(QList<int>, wanted);
        QFETCH(int, room);
        QFETCH(QList<int>, widths);
        QCOMPARE(shareWidths(wanted, room), widths);
    }
};

QTEST_GUILESS_MAIN(TestAreaColumns)
#include "tst_areacolumns.moc"
