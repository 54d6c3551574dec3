// What the four catalogue printouts write: rows, columns, labels and values.
#include "CatalogDb.h"
#include "CatalogPrint.h"
#include "CatalogStore.h"
#include "TemplateDescription.h"
#include "workbook/Workbook.h"

#include <QtTest>

using namespace catalog;

namespace {
QVariant at(const QVector<PrintCell>& cells, int row, int col) {
    for (const PrintCell& c : cells)
        if (c.row == row && c.column == col)
            return c.value;
    return {};
}
} // namespace

class TestCatalogPrint : public QObject {
    Q_OBJECT
private:
    CatalogDb fx;

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void categoriesInColumnPairs() {
        CatalogStore s(fx.db);
        s.saveAreas(QStringLiteral("店面"), {QStringLiteral("騎樓")});
        const QVector<PrintCell> cells = categoryCells(*fx.db);
        QCOMPARE(at(cells, 3, 1).toString(), QStringLiteral("住宅："));
        QCOMPARE(at(cells, 3, 2).toString(), QStringLiteral("玄關"));
        QCOMPARE(at(cells, 17, 2).toString(), QStringLiteral("全室"));
        QCOMPARE(at(cells, 3, 3).toString(), QStringLiteral("店面："));
        QCOMPARE(at(cells, 3, 4).toString(), QStringLiteral("騎樓"));
        QVERIFY(!at(cells, 4, 4).isValid());
        QCOMPARE(at(cells, 3, 5).toString(), QStringLiteral("辦公室："));
        QCOMPARE(cells.size(), 5 + 15 + 1 + 9 + 7 + 7);
    }

    void workKindsLabelBesideFirstItem() {
        const QVector<PrintCell> cells = workKindCells(*fx.db);
        QCOMPARE(at(cells, 1, 1).toString(), QStringLiteral("工程種類列表："));
        QCOMPARE(at(cells, 3, 1).toString(), QStringLiteral("拆除工程："));
        QCOMPARE(at(cells, 3, 2).toString(), QStringLiteral("地面保護板舖設"));
        QCOMPARE(at(cells, 3, 3).toString(), QStringLiteral("坪"));
        QCOMPARE(at(cells, 3, 4).typeId(), QMetaType::Double); // numbers stay numbers
        QCOMPARE(at(cells, 3, 4).toDouble(), 250.0);
        QCOMPARE(at(cells, 3, 5).toDouble(), 1.3);
        QVERIFY(!at(cells, 4, 1).isValid());
        QCOMPARE(at(cells, 9, 1).toString(), QStringLiteral("泥作工程：")); // right under the last item
        QCOMPARE(at(cells, 8, 2).toString(), QStringLiteral("廢棄物清運"));
    }

    void markupsGroupByItem() {
        // Two items of one name in two kinds, a kind label repeated for each item.
        const QVector<PrintCell> cells = markupCells(*fx.db);
        QCOMPARE(at(cells, 3, 1).toString(), QStringLiteral("泥作工程："));
        QCOMPARE(at(cells, 3, 2).toString(), QStringLiteral("壁面磁磚貼工："));
        QCOMPARE(at(cells, 3, 3).toString(), QStringLiteral("30x60公分 壁磚"));
        QCOMPARE(at(cells, 3, 4).toDouble(), 0.0);
        QVERIFY(!at(cells, 4, 1).isValid());
        QCOMPARE(at(cells, 6, 1).toString(), QStringLiteral("泥作工程："));
        QCOMPARE(at(cells, 6, 2).toString(), QStringLiteral("地坪磁磚貼工："));
    }

    void vocabularyColumnsAndEmptyLists() {
        fx.db->execute(QStringLiteral("DELETE FROM 地區"));
        const QVector<PrintCell> cells = vocabularyCells(*fx.db);
        CatalogStore s(fx.db);
        QCOMPARE(at(cells, 3, 1).toString(), s.vocabulary(0).first());
        QCOMPARE(at(cells, 2 + int(s.vocabulary(0).size()), 1).toString(), s.vocabulary(0).last());
        QCOMPARE(at(cells, 3, 12).toString(), s.vocabulary(11).first());
        for (const PrintCell& c : cells) {
            QVERIFY(c.column != 3);  // 地區 is empty
            QVERIFY(c.column <= 12); // the ratios are not printed
            QVERIFY(c.row >= 3);
        }

        // In the shipped template a payment term wraps in a taller row, a remark past the highest is cut.
        QTemporaryDir dir;
        QVERIFY(tpl::writeTemplate(tpl::catalogTemplates().back(), dir.filePath("v.xlsx"), nullptr));
        auto book = wb::Workbook::open(dir.filePath("v.xlsx"));
        const QString pay = QStringLiteral("付款方式：簽約付30%，進場施工付40%，完工驗收付30%。");
        const QStringList cut = writeCells(book->sheet(1), vocabularyCells({{}, {}, {}, {}, {pay}, {QString(2000, u'尾')}}));
        QVERIFY(book->sheet(1).text(3, 5) == pay && book->sheet(1).rowHeight(3) > 400);
        QCOMPARE(cut, QStringList{"頁尾備註（F3）：保留前 744 字"});
        // Saved with wrap off: one line, up to the remark beside it.
        tpl::TemplateSpec plain = tpl::catalogTemplates().back();
        for (tpl::ColumnSpec& c : plain.sheets[0].columns)
            c.style.wrap = false;
        QVERIFY(tpl::writeTemplate(plain, dir.filePath("p.xlsx"), nullptr));
        book = wb::Workbook::open(dir.filePath("p.xlsx"));
        QCOMPARE(writeCells(book->sheet(1), vocabularyCells({{}, {}, {}, {}, {pay}, {"尾"}})), QStringList{"付款方式（E3）：保留前 8 字"});
    }

    void emptySourcesWriteNothing() {
        fx.db->execute(QStringLiteral("DELETE FROM k2a"));
        fx.db->execute(QStringLiteral("DELETE FROM t2w"));
        QVERIFY(categoryCells(*fx.db).isEmpty());
        QVERIFY(workKindCells(*fx.db).isEmpty());
        QVERIFY(markupCells(*fx.db).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCatalogPrint)
#include "tst_catalogprint.moc"
