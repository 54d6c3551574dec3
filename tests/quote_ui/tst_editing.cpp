// The quotation window's editing commands working together: the row popup, the header handlers,
// the page-end button and frame, and a whole quotation built by hand, saved and read back.
#include "../quote/QuotePaths.h"
#include "CellEditors.h"
#include "EditingCommands.h"
#include "PageEndRules.h"
#include "QuoteUiFixture.h"
#include "ScriptedDialogs.h"
#include "frmAddw.h"
#include "frmPe.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace quote;
using namespace testpaths;

namespace {

QStringList names(const frmQ* w) {
    QStringList out;
    for (const ItemRow& r : w->document().hfgQ.dataRows())
        out << r[ColName];
    return out;
}

// A press on a cell of the grid (grid row numbers: 1 is the first data row; column 0 the row header).
void press(frmQ* w, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    QTableView* g = w->grid();
    const QPoint p = g->visualRect(g->model()->index(row - 1, col)).center();
    QTest::mousePress(g->viewport(), button, {}, p);
    QTest::mouseRelease(g->viewport(), button, {}, p);
}

// Replaces the text of the open cell editor as typing does and moves on with Enter.
void typeCell(frmQ* w, int row, int col, const QString& text) {
    press(w, row, col);
    QWidget* e = w->cellEditors()->openEditor();
    QVERIFY(e);
    auto* box = qobject_cast<QLineEdit*>(e);
    if (!box)
        box = qobject_cast<QComboBox*>(e)->lineEdit();
    box->selectAll();
    box->insert(text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class TestEditing : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rowPopupCommands();
    void catalogueAppendFromThePopup();
    void headerHandlers();
    void pageEndButton();
    void wholeQuotationSavedAndReadBack();

private:
    QAction* act(const char* name) { return w_->action(QString::fromLatin1(name)); }
    void closePopups() {
        for (QMenu* m : w_->findChildren<QMenu*>())
            m->hide();
    }
    // Adds children to `node` through the tree popup: the entries at `rows` of the list.
    void pick(const QString& node, const char* command, std::initializer_list<int> rows);
    // The leaf 客廳‧木作 shown with the named rows typed.
    void leafWithRows(const QStringList& rowNames);

    QuoteUiFixture fx_;
    frmQ* w_ = nullptr;
};

void TestEditing::init() {
    QVERIFY(fx_.setUp());
    fx_.clearCatalogue();
    auto db = fx_.openDb();
    db->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (1, '住宅')"));
    db->execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', '客廳', 1), ('住宅', '主臥', 2)"));
    db->execute(QStringLiteral("DELETE FROM 種"));
    db->execute(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES (1, '木作'), (2, '油漆')"));
    db->execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '天花板', 1, '坪', 1000, 1.2),"
                               " ('油漆', '乳膠漆', 1, '坪', 500, 1.5)"));
    db->execute(QStringLiteral("INSERT INTO sc (sort, sc) VALUES (1, 0.05), (2, 0.1)"));
    db->execute(QStringLiteral("INSERT INTO ps (sort, ps) VALUES (1, '訂金三成'), (2, '完工付清')"));
    db.reset();
    w_ = fx_.open();
}

void TestEditing::cleanup() {
    ui::Default<frmAddw>::unload();
    fx_.tearDown();
}

void TestEditing::pick(const QString& node, const char* command, std::initializer_list<int> rows) {
    QTreeWidget* tv = w_->tree();
    tv->expandAll();
    QTest::mouseClick(tv->viewport(), Qt::RightButton, {}, tv->visualItemRect(w_->treeItem(node)).center());
    closePopups();
    act(command)->trigger();
    QListWidget* l = w_->areaTypePickList();
    bool first = true;
    for (int r : rows) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, first ? Qt::NoModifier : Qt::ControlModifier,
                          l->visualItemRect(l->item(r)).center());
        first = false;
    }
    act("mADakO")->trigger();
}

void TestEditing::leafWithRows(const QStringList& rowNames) {
    pick(Q, "mAddA", {1});                  // 客廳
    pick(path("客廳"), "mAddT", {1});        // 木作, shown
    QCOMPARE(w_->document().lbPath, path("客廳", "木作"));
    for (int i = 0; i < rowNames.size(); ++i)
        typeCell(w_, i + 1, ColName, rowNames[i]);
}

void TestEditing::rowPopupCommands() {
    leafWithRows({"r1", "r2", "r3"});
    CellEditors* cells = w_->cellEditors();
    // The popup opens on a right press in the row-header column (at the end of the selection made
    // by a drag over the row headers) and offers what the state allows.
    auto popupAt = [&](int row, int selStart) {
        cells->SelRowStart = selStart;
        cells->SelRowEnd = row;
        press(w_, row, ColHeader, Qt::RightButton);
        QVERIFY(w_->menu(QStringLiteral("mQ"))->isVisible());
        closePopups();
    };
    typeCell(w_, 1, ColQty, QStringLiteral("2"));
    typeCell(w_, 1, ColPrice, QStringLiteral("100"));
    popupAt(2, 1);
    act("mCpq")->trigger();
    QVERIFY(w_->RowsCopied);

    popupAt(3, -1);
    act("mInsQ")->trigger();
    QCOMPARE(names(w_).mid(0, 4), (QStringList{"r1", "r2", "", "r3"}));
    QCOMPARE(w_->grid()->model()->rowCount(), w_->document().hfgQ.rows() - 1);

    popupAt(4, -1);
    act("mInsQcp")->trigger();
    QCOMPARE(names(w_).mid(0, 6), (QStringList{"r1", "r2", "", "r1", "r2", "r3"}));
    QCOMPARE(cells->CurRow, 6);
    QCOMPARE(child<QLabel>(w_, "lbSumT")->text(), QStringLiteral("400")); // every row command refreshes

    popupAt(5, 3);
    act("mDelQ")->trigger();
    QCOMPARE(names(w_).mid(0, 3), (QStringList{"r1", "r2", "r3"}));
    QCOMPARE(child<QLabel>(w_, "lbSumT")->text(), QStringLiteral("200"));

    popupAt(3, -1);
    act("mPstQ")->trigger();
    QCOMPARE(names(w_).mid(0, 4), (QStringList{"r1", "r2", "r1", "r2"}));
    QCOMPARE(child<QLabel>(w_, "lbSumT")->text(), QStringLiteral("400")); // pasted rows count at once
    QCOMPARE(w_->grid()->model()->index(2, ColName).data().toString(), QStringLiteral("r1"));

    cells->RowUndo = {QStringLiteral("2"), QStringLiteral("old")};
    popupAt(1, -1);
    act("mUndo")->trigger();
    QCOMPARE(names(w_).at(1), QStringLiteral("old"));
    QCOMPARE(w_->grid()->model()->index(1, ColName).data().toString(), QStringLiteral("old"));

    // At the root nothing moves.
    w_->showRoot();
    const ItemGrid before = w_->document().hfgQ;
    cells->CurRow = 1;
    act("mInsQ")->trigger();
    QVERIFY(w_->document().hfgQ == before);
}

void TestEditing::catalogueAppendFromThePopup() {
    leafWithRows({"天花板", "新品"});
    act("mAdd2W")->trigger();
    frmAddw* f = ui::Default<frmAddw>::get();
    QVERIFY(f->isVisible());
    QCOMPARE(f->lb2->text(), QStringLiteral("總共加入1筆"));
    QCOMPARE(fx_.openDb()->scalar(QStringLiteral("SELECT sort FROM t2w WHERE t = '木作' AND w = '新品'")).toInt(), 2);
}

void TestEditing::headerHandlers() {
    QComboBox* cbEcn = w_->projectNameBox();
    cbEcn->clear();
    cbEcn->addItems({QStringLiteral("B"), QStringLiteral("C")});
    w_->customerBox()->setText(QStringLiteral("A"));
    cbEcn->setCurrentIndex(0);
    emit cbEcn->activated(0);
    QCOMPARE(cbEcn->currentText(), QStringLiteral("AB"));
    QCOMPARE(w_->document().header.cbEcn, QStringLiteral("AB"));
    cbEcn->setCurrentIndex(1);
    emit cbEcn->activated(1);
    QCOMPARE(cbEcn->currentText(), QStringLiteral("AC"));

    QCalendarWidget* cal = w_->datePicker()->calendarWidget();
    cal->setSelectedDate(QDate(2002, 5, 8));
    emit cal->clicked(QDate(2002, 5, 8));
    QCOMPARE(w_->dateBox()->text(), QStringLiteral("91/05/08"));
    QCOMPARE(w_->document().header.txtQD, QStringLiteral("91/05/08"));
}

void TestEditing::pageEndButton() {
    leafWithRows({"天花板"});
    typeCell(w_, 1, ColQty, QStringLiteral("2"));
    typeCell(w_, 1, ColPrice, QStringLiteral("505"));
    QPushButton* cmdPe = w_->pageEndButton();
    frmPe* pe = pageEndFrame(w_);
    QVERIFY(pe && !pe->isVisible());
    cmdPe->click();
    QVERIFY(pe->isVisible());
    QCOMPARE(cmdPe->text(), QStringLiteral("頁尾備註 <<"));
    QCOMPARE(w_->document().lbPath, Q);
    QCOMPARE(w_->tree()->currentItem(), w_->treeItem(Q));
    QCOMPARE(child<QLabel>(pe, "lbNtax")->text(), QStringLiteral("1010"));
    QCOMPARE(child<QLabel>(pe, "lbApr")->text(), QStringLiteral("1060"));
    QCOMPARE(pe->cbTax->count(), 2);
    QCOMPARE(pe->cbTax->currentText(), QStringLiteral("5%"));
    QCOMPARE(pe->cbPe[0]->count(), 2);
    QVERIFY(pe->geometry().bottom() < w_->body()->height());
    QCOMPARE(pe->x(), w_->grid()->x());
    // The reports recompute the grand total on the document as they show the root: the frame follows.
    w_->document().pageEnd.txtOff = QStringLiteral("-60");
    quote::RecalcGrandTotal(w_->document());
    w_->showRoot();
    QCOMPARE(child<QLabel>(pe, "lbApr")->text(), QStringLiteral("1000"));
    QCOMPARE(child<QLineEdit>(pe, "txtOff")->text(), QStringLiteral("-60"));
    cmdPe->click();
    QVERIFY(!pe->isVisible());
    QCOMPARE(cmdPe->text(), QStringLiteral("頁尾備註 >>"));
    w_->PricesHidden = true; // no price right: no amounts
    cmdPe->click();
    QCOMPARE(child<QLabel>(pe, "lbApr")->text(), QString());
}

void TestEditing::wholeQuotationSavedAndReadBack() {
    CellEditors* cells = w_->cellEditors();
    pick(Q, "mAddA", {1, 2});            // 客廳, 主臥; 客廳 shown
    pick(path("客廳"), "mAddT", {1, 2}); // 木作, 油漆; 客廳‧木作 shown
    // A picked row and a typed row.
    press(w_, 1, ColName);
    cells->c_Click();
    cells->Ls->setCurrentRow(0);
    cells->Ls_Click();
    typeCell(w_, 1, ColQty, QStringLiteral("3"));
    typeCell(w_, 2, ColName, QStringLiteral("拆除舊櫃"));
    typeCell(w_, 2, ColQty, QStringLiteral("1"));
    typeCell(w_, 2, ColPrice, QStringLiteral("5000"));
    QVERIFY(w_->tv_NodeClick(path("客廳", "油漆")));
    press(w_, 1, ColName);
    cells->c_Click();
    cells->Ls->setCurrentRow(0);
    cells->Ls_Click();
    typeCell(w_, 1, ColQty, QStringLiteral("10"));
    pick(path("主臥"), "mAddT", {2}); // 油漆 below 主臥, shown
    QCOMPARE(w_->document().lbPath, path("主臥", "油漆"));
    typeCell(w_, 1, ColName, QStringLiteral("補土"));
    typeCell(w_, 1, ColQty, QStringLiteral("2"));
    typeCell(w_, 1, ColPrice, QStringLiteral("800"));

    // Fees, tax and discount in the page-end frame.
    w_->pageEndButton()->click();
    frmPe* pe = pageEndFrame(w_);
    // 3 × 1200 + 5000 + 10 × 750 + 2 × 800
    QCOMPARE(w_->document().totals.lbSumT, QStringLiteral("17700"));
    child<QCheckBox>(pe, "ckD")->click();
    QTest::keyClicks(child<QLineEdit>(pe, "txtdx"), QStringLiteral("0.1"));
    child<QCheckBox>(pe, "ckL")->click();
    child<QRadioButton>(pe, "Lop2")->click();
    child<QLineEdit>(pe, "txtLp")->selectAll(); // the base taken from the total is typed over
    QTest::keyClicks(child<QLineEdit>(pe, "txtLp"), QStringLiteral("12"));
    QTest::keyClicks(child<QLineEdit>(pe, "txtlx"), QStringLiteral("50"));
    QTest::keyClicks(child<QLineEdit>(pe, "txtOff"), QStringLiteral("-100"));
    pe->cbPe[0]->setCurrentIndex(1);
    // 17700 + 1770 + 600 = 20070; tax 1004 (1003.5 to even); with tax 21074; less 100.
    QCOMPARE(child<QLabel>(pe, "lbNtax")->text(), QStringLiteral("20070"));
    QCOMPARE(child<QLabel>(pe, "lbTax")->text(), QStringLiteral("1004"));
    QCOMPARE(child<QLabel>(pe, "lbApr")->text(), QStringLiteral("20974"));

    const QString file = fx_.quotes + QStringLiteral("/whole.kav");
    {
        ScriptedDialogs dialogs;
        dialogs.expectSaveFile(file);
        QVERIFY(w_->mSaveAs_Click());
        VERIFY_DIALOGS(dialogs);
    }
    const QuoteDocument saved = w_->document();
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No); // 是否儲存報價單 ?
        QVERIFY(w_->unload());
        VERIFY_DIALOGS(dialogs);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    frmQ* fresh = fx_.open();
    {
        ScriptedDialogs dialogs;
        dialogs.expectOpenFile(file);
        fresh->mOpen_Click();
        VERIFY_DIALOGS(dialogs);
    }
    const QuoteDocument& read = fresh->document();
    QVERIFY(read.tree == saved.tree);
    QVERIFY(read.hfgB == saved.hfgB);
    QVERIFY(read.header == saved.header);
    QVERIFY(read.pageEnd == saved.pageEnd);
    QCOMPARE(read.WorkTypesOnly, false);
    QCOMPARE(read.totals.lbSumT, QStringLiteral("17700"));
    QVERIFY(fresh->treeItem(path("主臥", "油漆")));
    frmPe* freshPe = pageEndFrame(fresh);
    QCOMPARE(child<QLabel>(freshPe, "lbApr")->text(), QStringLiteral("20974"));
    QCOMPARE(child<QLabel>(freshPe, "txtLt")->text(), QStringLiteral("600"));
    QVERIFY(child<QRadioButton>(freshPe, "Lop2")->isChecked());
    QVERIFY(child<QCheckBox>(freshPe, "ckD")->isChecked());
    QCOMPARE(child<QLineEdit>(freshPe, "txtOff")->text(), QStringLiteral("-100"));
    QCOMPARE(freshPe->cbPe[0]->currentText(), QStringLiteral("完工付清"));
    QVERIFY(fresh->tv_NodeClick(path("客廳", "木作")));
    QCOMPARE(names(fresh), (QStringList{"天花板", "拆除舊櫃"}));
    QCOMPARE(fresh->GTxM(1, ColAmount), QStringLiteral("3600"));
    QCOMPARE(fresh->GTxM(1, ColCatalogName), QStringLiteral("天花板"));
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
