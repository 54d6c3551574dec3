// What the construction-data window changes reaches the open quotation editor's pick lists the
// next time the editor fills them.
#include "CatalogUi.h"
#include "CellEditors.h"
#include "ScriptedDialogs.h"
#include "QuoteTree.h"
#include "frmQ.h"

#include <QListWidget>
#include <QTabWidget>

namespace {
QStringList entries(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}
QStringList entries(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}
} // namespace

class TestEditorPickLists : public QObject {
    Q_OBJECT
private:
    CatalogUi fx;

private slots:
    void init() {
        QVERIFY(fx.setUpWithRights());
        frmQ::setToday(QDate(2026, 3, 7));
    }
    void cleanup() {
        fx.tearDown();
        frmQ::setToday({});
    }

    void catalogueChangesReachTheEditor() {
        frmQ* q = showForm<frmQ>();
        fx.window();

        // A work item added and applied: the editor's item list of that kind has it next time.
        CatalogUi::get<QTabWidget>("Tab1")->setCurrentIndex(1);
        QComboBox* cbT = CatalogUi::get<QComboBox>("cbT");
        cbT->setCurrentIndex(1);
        emit cbT->activated(1);
        QVERIFY(CatalogUi::popup(CatalogUi::grid("hfgW"), 0, "mAddW"));
        CatalogUi::type(CatalogUi::editor("txtW"), QStringLiteral("打石"));
        CatalogUi::click("cmWp");
        q->document().lbPath = quote::kRootKey + quote::kPathSeparator + QStringLiteral("住宅") +
                               quote::kPathSeparator + QStringLiteral("泥作工程");
        q->FillItemNameList();
        QCOMPARE(entries(q->cellEditors()->Ls).last(), QStringLiteral("打石"));

        // An area added to the category the editor shows.
        CatalogUi::get<QTabWidget>("Tab1")->setCurrentIndex(0);
        QVERIFY(CatalogUi::popup(CatalogUi::areaGrid(0), 0, "mAddA"));
        CatalogUi::type(CatalogUi::editor("txtA"), QStringLiteral("露台"));
        CatalogUi::click("cmAp");
        q->categoryBox()->setEditText(QStringLiteral("住宅"));
        q->FillCategoryAreaList();
        QCOMPARE(entries(q->cellEditors()->LsA).last(), QStringLiteral("露台"));

        // A unit renamed and the window closed: the editor loaded next offers the new unit.
        CatalogUi::get<QTabWidget>("Tab1")->setCurrentIndex(2);
        CatalogUi::leftClick(CatalogUi::listGrid(0), 0);
        CatalogUi::type(CatalogUi::editor("txtS"), QStringLiteral("全式"));
        QVERIFY(CatalogUi::form()->unload());
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No); // 是否儲存報價單 ?
        QVERIFY(q->unload());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        q = showForm<frmQ>();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(entries(q->cellEditors()->cbU).first(), QStringLiteral("全式"));
    }
};

QTEST_MAIN(TestEditorPickLists)
#include "tst_editor_picklists.moc"
