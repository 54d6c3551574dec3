// Editing the quotation window's item grid: the floating editors, the Enter order, the refusals,
// the row popup, the pick lists, the column view by rights and the bulk repricing commands.
#include "CellEditors.h"
#include "QuoteUiFixture.h"
#include "ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace quote;

namespace {

const QString kLeaf = leafPath({"客廳", "木作"});

// The area 客廳 with the work type 木作, shown; `rows` rows typed (name, qty, price, cost, ratio,
// amount).
void showLeaf(frmQ* w, const QList<QStringList>& rows = {}) {
    QuoteDocument& doc = w->document();
    doc.tree.addChild(kRootKey, QStringLiteral("客廳"));
    doc.tree.addChild(leafPath({"客廳"}), QStringLiteral("木作"));
    w->rebuildTree();
    QVERIFY(w->tv_NodeClick(kLeaf));
    if (rows.isEmpty())
        return;
    doc.hfgQ.setRows(int(rows.size()) + 1);
    const int cols[] = {ColName, ColQty, ColPrice, ColCost, ColRatio, ColAmount};
    for (int r = 0; r < rows.size(); ++r)
        for (int i = 0; i < rows[r].size(); ++i)
            doc.SetCell(r + 1, cols[i], rows[r][i]);
    w->gridChanged();
    w->RefreshTotals();
}

QPoint cellCenter(frmQ* w, int row, int col) {
    QTableView* g = w->grid();
    return g->visualRect(g->model()->index(row - 1, col)).center();
}

void press(frmQ* w, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* vp = w->grid()->viewport();
    const QPoint p = cellCenter(w, row, col);
    QTest::mousePress(vp, button, {}, p);
    QTest::mouseRelease(vp, button, {}, p);
}

void enter(CellEditors* cells) {
    QWidget* e = cells->openEditor();
    QVERIFY(e);
    if (auto* b = qobject_cast<QComboBox*>(e))
        e = b->lineEdit();
    QTest::keyClick(e, Qt::Key_Return);
}

QString cell(frmQ* w, int r, int c) {
    return w->GTxM(r, c);
}

bool enabled(frmQ* w, const char* name) {
    return w->action(QString::fromLatin1(name))->isEnabled();
}

} // namespace

class TestCells : public QObject {
    Q_OBJECT
private:
    QuoteUiFixture fx;

    void catalogue() {
        fx.clearCatalogue();
        auto db = fx.openDb();
        db->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (1, '住宅')"));
        db->execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', '主臥室', 1)"));
        db->execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '天花板', 1, '坪', 1000, 1.2), "
                                   "('木作', '他\"的''櫃', 2, '尺', 333, 1.15), ('木作', '油漆', 3, '式', 10, 1), "
                                   "('木作', '隔間', 4, NULL, NULL, NULL)"));
        db->execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES ('天花板', '矽酸鈣板', 300, 1), "
                                   "('天花板', '夾板', 100, 2)"));
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void enterSequences_data() {
        QTest::addColumn<int>("rights");
        QTest::addColumn<QList<int>>("columns");
        QTest::newRow("prices and costs visible") << 4095 << QList<int>{2, 3, 4, 5, 6, 8, 10, 11, 11};
        QTest::newRow("prices hidden") << (4095 & ~1) << QList<int>{2, 3, 4, 5, 8, 11, 11};
        QTest::newRow("costs hidden") << (4095 & ~2) << QList<int>{2, 3, 4, 5, 6, 11, 11};
        QTest::newRow("both hidden") << (4095 & ~3) << QList<int>{2, 3, 4, 5, 11, 11};
    }
    void enterSequences() {
        QFETCH(int, rights);
        QFETCH(QList<int>, columns);
        mdM::UserRights = rights;
        frmQ* w = fx.open();
        showLeaf(w, {{"天花板", "1", "100", "80", "1.25"}});
        CellEditors* cells = w->cellEditors();
        press(w, 1, ColName);
        QList<int> seen{cells->CurCol};
        for (qsizetype i = 1; i < columns.size(); ++i) {
            enter(cells);
            seen << cells->CurCol;
        }
        QCOMPARE(seen, columns);
        QCOMPARE(cell(w, 1, ColCost), QStringLiteral("80")); // entering cells changed nothing
        QCOMPARE(cell(w, 1, ColRatio), QStringLiteral("1.25"));
    }

    void editorsOverTheCell() {
        frmQ* w = fx.open();
        showLeaf(w, {{"天花板", "2", "100"}});
        CellEditors* cells = w->cellEditors();
        press(w, 1, ColQty);
        QCOMPARE(cells->openEditor(), static_cast<QWidget*>(cells->txt));
        QCOMPARE(cells->txt->parentWidget(), w->grid()->viewport());
        const QRect r = w->grid()->visualRect(w->grid()->model()->index(0, ColQty));
        QCOMPARE(cells->txt->geometry().left(), r.left() + 2);
        QCOMPARE(cells->txt->text(), QStringLiteral("2"));
        QCOMPARE(cells->txt->selectedText(), QStringLiteral("2"));
        // Every change goes into the cell and recomputes the row and the totals.
        cells->txt->setText(QStringLiteral("3"));
        QCOMPARE(cell(w, 1, ColAmount), QStringLiteral("300"));
        QCOMPARE(child<QLabel>(w, "lbSumT")->text(), QStringLiteral("300"));
        // Only the list button beside the name editor, unless the quotation is work-types-only.
        press(w, 1, ColName);
        QVERIFY(!cells->c->isHidden());
        QVERIFY(cells->ca->isHidden());
        QCOMPARE(cells->c->x(), cells->T->x() + cells->T->width());
        w->setWorkTypesOnly(true);
        press(w, 1, ColSpec);
        press(w, 1, ColName);
        QVERIFY(!cells->ca->isHidden());
        QCOMPARE(cells->T->x(), cells->ca->x() + cells->ca->width());
        // A press on the amount column hides the editors.
        press(w, 1, ColAmount);
        QVERIFY(!cells->openEditor());
    }

    void listsDropWideEnough() {
        // A long entry in a narrow column: the dropped list shows it whole.
        frmQ* w = fx.open();
        showLeaf(w, {{"天花板", "1", "100"}});
        CellEditors* cells = w->cellEditors();
        const QString longEntry = QStringLiteral("依現場實際丈量尺寸計價");
        const std::pair<QComboBox*, int> boxes[] = {{cells->cbU, ColUnit}, {cells->cbPs, ColRemark}};
        for (const auto& [box, col] : boxes) {
            box->addItem(longEntry);
            press(w, 1, col);
            QCOMPARE(cells->openEditor(), static_cast<QWidget*>(box));
            QVERIFY(box->width() < box->view()->fontMetrics().horizontalAdvance(longEntry));
            QVERIFY(box->view()->minimumWidth() >= box->view()->fontMetrics().horizontalAdvance(longEntry));
        }
    }

    void costPrefill() {
        frmQ* w = fx.open();
        showLeaf(w, {{"天花板", "3", "120"}, {"櫃", "1", "50", "40"}});
        const QString total = child<QLabel>(w, "lbSumT")->text();
        CellEditors* cells = w->cellEditors();
        press(w, 1, ColCost);
        QCOMPARE(cells->txt->text(), QStringLiteral("120"));
        QCOMPARE(cell(w, 1, ColCost), QStringLiteral("120"));
        QCOMPARE(cell(w, 1, ColCostTotal), QStringLiteral("360"));
        QCOMPARE(child<QLabel>(w, "lbSumT")->text(), total); // totals not refreshed
        QCOMPARE(child<QLabel>(w, "lbCsumT")->text(), QStringLiteral("0"));
        press(w, 2, ColCost); // a cost already there: nothing changes
        QCOMPARE(cell(w, 2, ColCost), QStringLiteral("40"));
        QCOMPARE(cell(w, 2, ColCostTotal), QString());

        // Escape puts the row back as it was before the editor opened, the fill-in too; without the
        // price right the cost is not filled in from the hidden price.
        for (const bool pricesHidden : {false, true}) {
            w->PricesHidden = pricesHidden;
            w->document().SetCell(1, ColCost, QString());
            w->document().SetCell(1, ColCostTotal, QString());
            press(w, 1, ColCost);
            QCOMPARE(cells->txt->text(), pricesHidden ? QString() : QStringLiteral("120"));
            QCOMPARE(cell(w, 1, ColCostTotal), pricesHidden ? QString() : QStringLiteral("360"));
            QTest::keyClick(cells->txt, Qt::Key_Escape);
            QCOMPARE(cell(w, 1, ColCost) + cell(w, 1, ColCostTotal) + child<QLabel>(w, "lbCsumT")->text(),
                     QStringLiteral("0"));
        }
    }

    void numericFilter() {
        frmQ* w = fx.open();
        showLeaf(w, {{"天花板", ""}});
        CellEditors* cells = w->cellEditors();
        press(w, 1, ColQty);
        QTest::keyClicks(cells->txt, QStringLiteral("1a2-.5x"));
        QCOMPARE(cells->txt->text(), QStringLiteral("12.5"));
        QCOMPARE(cell(w, 1, ColQty), QStringLiteral("12.5"));
        QTest::keyClicks(cells->txt, QStringLiteral(".3"));
        QCOMPARE(cells->txt->text(), QStringLiteral("12.5.3")); // the form is not examined
        // Pasted and input-method text that is not digits is refused whole.
        QApplication::clipboard()->setText(QStringLiteral("7b"));
        cells->txt->paste();
        QCOMPARE(cells->txt->text(), QStringLiteral("12.5.3"));
        QInputMethodEvent im;
        im.setCommitString(QStringLiteral("四"));
        QApplication::sendEvent(cells->txt, &im);
        QCOMPARE(cells->txt->text(), QStringLiteral("12.5.3"));
        QApplication::clipboard()->setText(QStringLiteral("7"));
        cells->txt->selectAll();
        cells->txt->paste();
        QCOMPARE(cell(w, 1, ColQty), QStringLiteral("7"));
        // A number no cell can show (it would read as 0) is refused: the cell keeps its number.
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        cells->txt->selectAll();
        cells->txt->insert(QString(400, u'9'));
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(cells->txt->text() + cell(w, 1, ColQty) + dialogs.messages().at(0).text, "77請輸入數字");
        // A quantity read from a file with a sign stays editable: keys delete and add digits.
        w->document().SetCell(1, ColPrice, QStringLiteral("-2"));
        press(w, 1, ColPrice);
        cells->txt->end(false);
        QTest::keyClick(cells->txt, Qt::Key_Backspace);
        QTest::keyClicks(cells->txt, QStringLiteral("3x"));
        QCOMPARE(cell(w, 1, ColPrice), QStringLiteral("-3"));
        // So is a number the cell can show that makes its 金額 one no cell can show.
        dialogs.expectMessage();
        press(w, 1, ColQty);
        cells->txt->selectAll();
        cells->txt->insert(QString(15, u'9'));
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(cells->txt->text() + u'|' + cell(w, 1, ColQty) + u'|' + cell(w, 1, ColAmount), "7|7|-21");
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("這個數字會使單價或金額數字過長，請輸入其他數字"));

        // Escape closes the editor and leaves the row as it was when the editor opened.
        press(w, 1, ColQty);
        QTest::keyClicks(cells->txt, QStringLiteral("5"));
        QTest::keyClick(cells->txt, Qt::Key_Escape);
        QVERIFY(!cells->openEditor());
        QCOMPARE(cell(w, 1, ColQty) + u'|' + cell(w, 1, ColAmount), QStringLiteral("7|-21"));
    }

    // Escape undoes only the edit in progress: the row goes back to what it held when the editor
    // opened or when the last Enter or pick committed the edit, whichever came later.
    void escapeUndoesTheEditInProgress_data() {
        QTest::addColumn<QStringList>("steps"); // open <col>, type <text>, enter, esc, item <n>, detail <n>
        QTest::addColumn<QStringList>("cells"); // <col>=<text> after the steps
        QTest::newRow("remark typed") << QStringList{"open 11", "type R1", "esc"} << QStringList{"11="};
        QTest::newRow("remark typed, Enter") << QStringList{"open 11", "type R1", "enter", "esc"}
                                             << QStringList{"11=R1"};
        QTest::newRow("remark typed, Enter, typed on")
            << QStringList{"open 11", "type R1", "enter", "type x", "esc"} << QStringList{"11=R1"};
        QTest::newRow("quantity typed") << QStringList{"open 5", "type 3", "esc"} << QStringList{"5=1", "7=100"};
        QTest::newRow("quantity typed, Enter, price typed")
            << QStringList{"open 5", "type 3", "enter", "type 2", "esc"} << QStringList{"5=3", "6=100", "7=300"};
        QTest::newRow("detail picked") << QStringList{"item 0", "open 3", "detail 0", "esc"}
                                       << QStringList{"3=矽酸鈣板", "8=1300", "6=1560"};
        QTest::newRow("cost filled in at open") << QStringList{"open 8", "esc"} << QStringList{"8=", "9="};
    }
    void escapeUndoesTheEditInProgress() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, cells);
        catalogue();
        frmQ* w = fx.open();
        showLeaf(w, {{"天花板", "1", "100", "", "", "100"}});
        CellEditors* cells_ = w->cellEditors();
        auto editor = [cells_]() -> QWidget* {
            QWidget* e = cells_->openEditor();
            auto* b = qobject_cast<QComboBox*>(e);
            return b ? b->lineEdit() : e;
        };
        for (const QString& step : steps) {
            const QString arg = step.section(u' ', 1);
            if (step.startsWith(u"open")) {
                press(w, 1, arg.toInt());
            } else if (step.startsWith(u"type")) {
                QVERIFY(editor());
                QTest::keyClicks(editor(), arg);
            } else if (step == u"enter") {
                enter(cells_);
            } else if (step == u"esc") {
                QVERIFY(editor());
                QTest::keyClick(editor(), Qt::Key_Escape);
                QVERIFY(!cells_->openEditor());
            } else if (step.startsWith(u"item")) {
                press(w, 1, ColName);
                cells_->Ls->setCurrentRow(arg.toInt());
                cells_->Ls_Click();
            } else if (step.startsWith(u"detail")) {
                cells_->cbD->setCurrentIndex(arg.toInt());
                cells_->cbD_Click();
            }
        }
        for (const QString& c : cells)
            QCOMPARE(c.section(u'=', 0, 0) + u'=' + cell(w, 1, c.section(u'=', 0, 0).toInt()), c);
    }

    void refusals() {
        frmQ* w = fx.open();
        CellEditors* cells = w->cellEditors();
        ScriptedDialogs dialogs;
        // Only the root: any button, any column but the path.
        dialogs.expectMessage();
        dialogs.expectMessage();
        press(w, 1, ColName);
        press(w, 1, ColHeader, Qt::RightButton);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請在左方建立區域或工種"));
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Kavo3"));
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Exclamation);
        QVERIFY(!cells->openEditor());

        // An inner node: the three-line message, no menu.
        showLeaf(w, {{"天花板", "1"}});
        w->tv_NodeClick(leafPath({"客廳"}));
        dialogs.expectMessage();
        dialogs.expectMessage();
        press(w, 1, ColName);
        press(w, 1, ColHeader, Qt::RightButton);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(2).text, QStringLiteral("以下還有階層 無法修改\r\n請點取最低階層\r\n再行修改 OK "));
        QCOMPARE(dialogs.messages().at(2).title, QStringLiteral("Kavo III"));
        QVERIFY(!w->menu(QStringLiteral("mQ"))->isVisible());

        // The path column: nothing at all, the open editor stays.
        w->tv_NodeClick(kLeaf);
        press(w, 1, ColQty);
        QWidget* open = cells->openEditor();
        QVERIFY(open);
        w->SetupGrid(false); // the path column shown, as in the read-only view
        w->document().NodeIsLeaf = true;
        press(w, 1, ColPath);
        QCOMPARE(cells->openEditor(), open);
        QCOMPARE(cells->CurCol, int(ColQty));
        // The header row: no message, the editors hidden.
        QTest::mouseClick(w->grid()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(w->grid()->columnViewportPosition(ColName) + 5, 5));
        QVERIFY(!cells->openEditor());
        VERIFY_DIALOGS(dialogs);
    }

    void treePressEndsEditing() {
        frmQ* w = fx.open();
        showLeaf(w, {{"a", "1"}});
        press(w, 1, ColQty);
        QVERIFY(w->cellEditors()->openEditor());
        QString pressedKey;
        connect(w, &frmQ::treePressed, this,
                [&](Qt::MouseButton b, const QString& key, const QPoint&) { pressedKey = b == Qt::RightButton ? key : QString(); });
        QTreeWidget* tv = w->tree();
        const QRect r = tv->visualItemRect(w->treeItem(kLeaf));
        QTest::mouseClick(tv->viewport(), Qt::RightButton, {}, r.center());
        QVERIFY(!w->cellEditors()->openEditor());
        QCOMPARE(pressedKey, kLeaf);

        // The keyboard shows the node it selects.
        w->menu(QStringLiteral("mTV"))->hide();
        QTest::keyClick(tv, Qt::Key_Up);
        QCOMPARE(w->pathLabel()->text(), leafPath({"客廳"}));
    }

    void growthByTenRows() {
        frmQ* w = fx.open();
        showLeaf(w);
        QCOMPARE(w->document().hfgQ.rows(), 2);
        press(w, 1, ColName);
        QCOMPARE(w->document().hfgQ.rows(), 12);
        QCOMPARE(w->grid()->model()->rowCount(), 11);
        QCOMPARE(w->cellEditors()->CurRow, 1);
        QVERIFY(w->cellEditors()->openEditor());
        press(w, 5, ColName); // not the last row
        QCOMPARE(w->document().hfgQ.rows(), 12);
    }

    void popupEnabling() {
        frmQ* w = fx.open();
        showLeaf(w, {{"a"}, {"b"}, {"c"}, {"d"}, {"e"}});
        CellEditors* cells = w->cellEditors();
        QMenu* mQ = w->menu(QStringLiteral("mQ"));
        // A right press outside column 0 sets the undo item only; no menu.
        press(w, 2, ColName, Qt::RightButton);
        QVERIFY(!mQ->isVisible());
        QVERIFY(!enabled(w, "mUndo"));
        // Left press on the row header of row 5, then a right press on the row header.
        press(w, 5, ColHeader);
        QCOMPARE(cells->SelRowStart, 5);
        QCOMPARE(cells->SelRowEnd, 5);
        press(w, 5, ColHeader, Qt::RightButton);
        QVERIFY(mQ->isVisible());
        QVERIFY(enabled(w, "mCpq"));
        QVERIFY(enabled(w, "mDelQ"));
        QVERIFY(!enabled(w, "mPstQ"));
        QVERIFY(!enabled(w, "mInsQcp"));
        QVERIFY(enabled(w, "mInsQ"));
        QVERIFY(enabled(w, "mAdd2W"));
        mQ->hide();
        // A left press on another cell in between disables copy and delete.
        press(w, 3, ColName);
        QVERIFY(cells->openEditor());
        w->RowsCopied = true;
        cells->RowUndo[0] = QStringLiteral("3");
        press(w, 3, ColHeader, Qt::RightButton);
        QVERIFY(!cells->openEditor()); // the right press moved the current cell
        QVERIFY(!enabled(w, "mCpq"));
        QVERIFY(!enabled(w, "mDelQ"));
        QVERIFY(enabled(w, "mPstQ"));
        QVERIFY(enabled(w, "mInsQcp"));
        QVERIFY(enabled(w, "mUndo"));
        mQ->hide();
        // Dragging on the row header selects a run of rows.
        QWidget* vp = w->grid()->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, cellCenter(w, 2, ColHeader));
        QMouseEvent move(QEvent::MouseMove, cellCenter(w, 4, ColHeader), vp->mapToGlobal(cellCenter(w, 4, ColHeader)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, cellCenter(w, 4, ColHeader));
        QCOMPARE(cells->SelRowStart, 2);
        QCOMPARE(cells->SelRowEnd, 4);
        QCOMPARE(w->grid()->selectionModel()->selectedRows().size(), 3);
    }

    void tooltipDoubleClickAndScroll() {
        frmQ* w = fx.open();
        showLeaf(w, {{"天花板"}});
        w->showRoot();
        emit w->treePressed(Qt::LeftButton, kLeaf, {}); // a press elsewhere shows nothing
        QWidget* vp = w->grid()->viewport();
        QTest::mouseMove(vp, cellCenter(w, 1, ColPath));
        QCOMPARE(w->grid()->toolTip(), kLeaf);
        QTest::mouseMove(vp, cellCenter(w, 1, ColName));
        QCOMPARE(w->grid()->toolTip(), QString());
        QTest::mouseDClick(vp, Qt::LeftButton, {}, cellCenter(w, 1, ColPath));
        QCOMPARE(w->pathLabel()->text(), kLeaf);
        QCOMPARE(w->tree()->currentItem()->data(0, Qt::UserRole).toString(), kLeaf);

        // Scrolling hides every editor but the remark editor.
        w->document().hfgQ.setRows(200);
        w->gridChanged();
        CellEditors* cells = w->cellEditors();
        press(w, 1, ColQty);
        w->grid()->verticalScrollBar()->setValue(5);
        QVERIFY(!cells->openEditor());
        w->grid()->verticalScrollBar()->setValue(0);
        press(w, 1, ColRemark);
        w->grid()->verticalScrollBar()->setValue(5);
        QCOMPARE(cells->openEditor(), static_cast<QWidget*>(cells->cbPs));
    }

    void itemPick() {
        catalogue();
        frmQ* w = fx.open();
        showLeaf(w, {{""}, {""}, {""}, {"舊品", "4", "10", "", ""}});
        CellEditors* cells = w->cellEditors();
        QCOMPARE(cells->Ls->count(), 4);
        press(w, 3, ColName);
        cells->c_Click();
        QVERIFY(!cells->Ls->isHidden());
        QCOMPARE(cells->Ls->height(), ui::twipsToPixelsY(4000, w));
        QCOMPARE(cells->Ls->width(), cells->T->width() + cells->c->width());
        cells->Ls->setCurrentRow(0);
        cells->Ls_Click();
        // The picked row stands first: empty rows above it sank to the end.
        QCOMPARE(cell(w, 1, ColName), QStringLiteral("天花板"));
        QCOMPARE(cell(w, 1, ColCatalogName), QStringLiteral("天花板"));
        QCOMPARE(cell(w, 1, ColUnit), QStringLiteral("坪"));
        QCOMPARE(cell(w, 1, ColQty), QStringLiteral("1"));
        QCOMPARE(cell(w, 1, ColCost), QStringLiteral("1000"));
        QCOMPARE(cell(w, 1, ColPrice), QStringLiteral("1200"));
        QCOMPARE(cell(w, 1, ColAmount), QStringLiteral("1200"));
        QCOMPARE(cell(w, 1, ColCostTotal), QStringLiteral("1000"));
        QCOMPARE(cell(w, 2, ColName), QStringLiteral("舊品"));
        QCOMPARE(cell(w, 3, ColName), QString());
        QVERIFY(!cells->openEditor());
        QVERIFY(cells->Ls->isHidden());
        QCOMPARE(child<QLabel>(w, "lbSumT")->text(), QStringLiteral("1200")); // the old row has no amount
        QVERIFY(std::all_of(cells->RowUndo.begin(), cells->RowUndo.end(), [](const QString& s) { return s.isEmpty(); }));

        // A pick on a filled row: the snapshot holds its old texts and names where it ended.
        press(w, 2, ColName);
        cells->Ls->setCurrentRow(1); // a name with both quote characters
        cells->Ls_Click();
        QCOMPARE(cell(w, 2, ColUnit), QStringLiteral("尺"));
        QCOMPARE(cell(w, 2, ColPrice), QStringLiteral("383")); // Round(1.15 × 333)
        QCOMPARE(cells->RowUndo[0], QStringLiteral("2"));
        QCOMPARE(cells->RowUndo[1], QStringLiteral("舊品"));
        QCOMPARE(cells->RowUndo[4], QStringLiteral("4"));
        QCOMPARE(cells->RowUndo[5], QStringLiteral("10"));
        // A catalogue entry without unit, cost and ratio leaves those cells empty; so does a cost no
        // cell can show, and the pick says whose it is.
        fx.openDb()->execute(QStringLiteral("UPDATE t2w SET c = 1e20 WHERE w = '隔間'"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        press(w, 3, ColName);
        cells->Ls->setCurrentRow(3);
        cells->Ls_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("工程資料【隔間】的成本數字過長，未帶入，請於工程資料更正"));
        QCOMPARE(cell(w, 3, ColName), QStringLiteral("隔間"));
        QCOMPARE(cell(w, 3, ColQty), QStringLiteral("1"));
        QCOMPARE(cell(w, 3, ColUnit), QString());
        QCOMPARE(cell(w, 3, ColCost), QString());
        QCOMPARE(cell(w, 3, ColRatio), QString());
        QCOMPARE(cell(w, 3, ColPrice), QStringLiteral("0"));
        // Another node clears the snapshot.
        w->showRoot();
        QVERIFY(cells->RowUndo[0].isEmpty());
    }

    void listPlacement() {
        catalogue();
        frmQ* w = fx.open();
        showLeaf(w);
        CellEditors* cells = w->cellEditors();
        w->document().hfgQ.setRows(60);
        w->gridChanged();
        // Near the top the list opens under the editor.
        press(w, 1, ColName);
        cells->c_Click();
        const QPoint t = cells->T->mapTo(w->body(), QPoint(0, 0));
        QCOMPARE(cells->Ls->y(), t.y() + cells->T->height());
        // Near the bottom of the screen it opens above, ending at the editor's top.
        int row = 1;
        while (w->grid()->rowViewportPosition(row) + w->grid()->viewport()->mapToGlobal(QPoint()).y() <
               ui::screenRect(w).height() - ui::twipsToPixelsY(4900, w))
            ++row;
        press(w, row + 1, ColName);
        cells->c_Click();
        const QPoint low = cells->T->mapTo(w->body(), QPoint(0, 0));
        QCOMPARE(cells->Ls->y() + cells->Ls->height(), low.y());
        // An empty list shows nothing and hides the other list.
        cells->LsA->clear();
        cells->ca_Click();
        QVERIFY(cells->Ls->isHidden());
        QVERIFY(cells->LsA->isHidden());
    }

    void areaPickInWorkTypesOnly() {
        catalogue();
        frmQ* w = fx.open();
        showLeaf(w, {{""}});
        w->setWorkTypesOnly(true);
        CellEditors* cells = w->cellEditors();
        press(w, 1, ColName);
        cells->ca_Click();
        QVERIFY(!cells->LsA->isHidden());
        cells->LsA->setCurrentRow(0);
        cells->LsA_Click();
        QVERIFY(cells->LsA->isHidden());
        QCOMPARE(cells->T->text(), QStringLiteral("主臥室"));
        QCOMPARE(cell(w, 1, ColName), QStringLiteral("主臥室"));
        cells->c_Click();
        cells->Ls->setCurrentRow(2);
        cells->Ls_Click();
        QCOMPARE(cell(w, 1, ColName), QStringLiteral("主臥室油漆"));
        QCOMPARE(cell(w, 1, ColCatalogName), QStringLiteral("油漆"));
        QCOMPARE(cell(w, 1, ColUnit), QStringLiteral("式"));
    }

    void detailPick() {
        catalogue();
        frmQ* w = fx.open();
        showLeaf(w, {{""}});
        CellEditors* cells = w->cellEditors();
        press(w, 1, ColName);
        cells->Ls->setCurrentRow(0);
        cells->Ls_Click();
        press(w, 1, ColSpec);
        QCOMPARE(cells->cbD->count(), 2);
        QCOMPARE(cell(w, 1, ColSpec), QString()); // refilling the list left the cell alone
        cells->cbD->setCurrentIndex(0);
        cells->cbD_Click();
        QCOMPARE(cell(w, 1, ColSpec), QStringLiteral("矽酸鈣板"));
        QCOMPARE(cell(w, 1, ColCost), QStringLiteral("1300"));
        QCOMPARE(cell(w, 1, ColPrice), QStringLiteral("1560"));
        cells->cbD->setCurrentIndex(1);
        cells->cbD_Click();
        QCOMPARE(cell(w, 1, ColCost), QStringLiteral("1100")); // from the item's own cost, not 1400
        QCOMPARE(child<QLabel>(w, "lbCsumT")->text(), QStringLiteral("1100"));
        QVERIFY(!cells->cbD->isHidden()); // the editor stays open

        // A catalogue that cannot be read: a message, and the row stays as it was.
        fx.openDb()->execute(QStringLiteral("DROP TABLE w2d"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        w->SetCell(1, ColSpec, QStringLiteral("x"));
        cells->cbD_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(cell(w, 1, ColSpec), QStringLiteral("x"));
        QCOMPARE(cell(w, 1, ColCost), QStringLiteral("1100"));
    }

    void columnViewByRights_data() {
        QTest::addColumn<int>("rights");
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QString>("labels"); // lbSumT lbCsumT lbProT lbScT
        // The bulk commands on 比例 and 合計: greyed without the price right, refused without the cost.
        QTest::addColumn<bool>("bulk");
        QTest::newRow("00") << (4095 & ~3) << QList<int>{6, 7, 8, 9, 10} << "0000" << false;
        QTest::newRow("01") << (4095 & ~1) << QList<int>{6, 7, 10} << "0100" << false;
        QTest::newRow("10") << (4095 & ~2) << QList<int>{8, 9, 10} << "1000" << false;
        QTest::newRow("11") << 4095 << QList<int>{} << "1111" << true;
    }
    void columnViewByRights() {
        QFETCH(int, rights);
        QFETCH(QList<int>, hidden);
        QFETCH(QString, labels);
        QFETCH(bool, bulk);
        mdM::UserRights = rights;
        frmQ* w = fx.open();
        showLeaf(w, {{"a", "1", "10", "5"}});
        for (int c = ColName; c <= ColRemark; ++c)
            QVERIFY2(w->grid()->isColumnHidden(c) == hidden.contains(c), qPrintable(QString::number(c)));
        const char* names[] = {"lbSumT", "lbCsumT", "lbProT", "lbScT"};
        for (int i = 0; i < 4; ++i) {
            const QLabel* total = child<QLabel>(w, names[i]);
            QVERIFY2(!total->isHidden() == (labels.at(i) == u'1'), names[i]);
            QVERIFY2(!total->isHidden() || total->text().isEmpty(), names[i]); // nor held hidden
        }
        QVERIFY(!child<QLabel>(w, "lbSum")->isHidden()); // the captions stay
        QCOMPARE(child<QLabel>(w, "lbSc")->isEnabled(), bool(rights & 1));
        ScriptedDialogs dialogs;
        for (void (frmQ::*command)() : {&frmQ::lbSc_DblClick, &frmQ::lbSum_DblClick}) {
            if (bulk)
                dialogs.expectInput(QStringLiteral("3"));
            else
                dialogs.expectMessage();
            (w->*command)();
        }
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(cell(w, 1, ColRatio).isEmpty(), !bulk);
        if (!bulk)
            QVERIFY(dialogs.messages().at(1).text.contains(QStringLiteral("權限")));
    }

    void pricingSwitchesExclusive() {
        frmQ* w = fx.open();
        QVERIFY(w->switches().mEpCr && w->switches().mEcCp && w->switches().mErCp);
        w->action(QStringLiteral("mEpCc"))->trigger();
        QVERIFY(!w->action(QStringLiteral("mEpCr"))->isChecked());
        QVERIFY(!w->switches().mEpCr);
        w->action(QStringLiteral("mEpCc"))->trigger(); // checking the checked item keeps it
        QVERIFY(w->action(QStringLiteral("mEpCc"))->isChecked());
        // Under 改單價 固定比例 變成本 a price edit moves the cost.
        showLeaf(w, {{"a", "2", "100", "80", "1.25"}});
        press(w, 1, ColPrice);
        w->cellEditors()->txt->setText(QStringLiteral("150"));
        QCOMPARE(cell(w, 1, ColCost), QStringLiteral("120"));
        QCOMPARE(cell(w, 1, ColAmount), QStringLiteral("300"));
        // The ratio editor recomputes like a typed change, also from its list.
        press(w, 1, ColRatio);
        w->cellEditors()->cbS->setEditText(QStringLiteral("2"));
        QCOMPARE(cell(w, 1, ColPrice), QStringLiteral("240"));
    }

    void oneRatioForAllRows() {
        frmQ* w = fx.open();
        showLeaf(w, {{"a", "2", "100", "80", "1.25"}, {"b", "1", "10", "0", "1"}});
        w->document().hfgQ.setRows(8); // trailing empty rows go first
        w->gridChanged();
        ScriptedDialogs dialogs;
        // The second would zero the first row's price, the third make it too long to show.
        for (const char* refused : {"1,200", "0.0001", "99999999999999"}) {
            dialogs.expectInput(QString::fromLatin1(refused));
            dialogs.expectMessage();
        }
        dialogs.expectInput(QStringLiteral(" 1.20 "));
        w->lbSc_DblClick();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.inputs().at(0).prompt, QStringLiteral("請輸入比例係數"));
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請輸入數字"));
        QVERIFY(dialogs.messages().at(1).text.contains(QStringLiteral("變成 0")));
        QVERIFY(dialogs.messages().at(2).text.contains(QStringLiteral("數字過長")));
        QCOMPARE(w->document().hfgQ.rows(), 3);
        QCOMPARE(cell(w, 1, ColRatio), QStringLiteral("1.20"));
        QCOMPARE(cell(w, 1, ColPrice), QStringLiteral("96"));
        QCOMPARE(cell(w, 1, ColAmount), QStringLiteral("192"));
        QCOMPARE(cell(w, 2, ColPrice), QStringLiteral("10")); // cost 0: the price stays
        QCOMPARE(child<QLabel>(w, "lbSumT")->text(), QStringLiteral("202"));

        // At the root the store takes it too.
        w->showRoot();
        dialogs.expectInput(QStringLiteral("2"));
        w->lbSc_DblClick();
        QCOMPARE(w->document().hfgB.cell(1, ColRatio), QStringLiteral("2"));
        QCOMPARE(w->document().hfgB.cell(1, ColPrice), QStringLiteral("160"));
        // At a leaf after a press on the root, the leaf alone.
        w->tv_NodeClick(kLeaf);
        emit w->treePressed(Qt::LeftButton, kRootKey, {});
        dialogs.expectInput(QStringLiteral("3"));
        w->lbSc_DblClick();
        QCOMPARE(w->document().hfgB.cell(1, ColRatio), QStringLiteral("2"));
        // An empty answer changes nothing; an inner node is refused.
        dialogs.expectInput(QString());
        w->lbSc_DblClick();
        w->tv_NodeClick(leafPath({"客廳"}));
        dialogs.expectMessage();
        w->lbSc_DblClick();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("修改比例只能在最上層或最底層修改 OK "));
    }

    void targetTotal() {
        frmQ* w = fx.open();
        showLeaf(w,
                 {{"a", "1", "12000", "10000", "1.2", "12000"}, {"b", "1", "8000", "10000", "0.8", "8000"}});
        ScriptedDialogs dialogs;
        // 1 would zero the ratios; 20 would give both rows the ratio 0.001.
        for (const char* refused : {"abc", "1", "20"}) {
            dialogs.expectInput(QString::fromLatin1(refused));
            dialogs.expectMessage();
        }
        dialogs.expectInput(QStringLiteral("40000"));
        w->lbSum_DblClick();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.inputs().at(0).prompt, QStringLiteral("請輸入金額"));
        QVERIFY(dialogs.messages().at(1).text.contains(QStringLiteral("變成 0")));
        QCOMPARE(dialogs.messages().at(2).text,
                 QStringLiteral("這個數字會使各列的比例變成相同，請輸入其他數字"));
        QCOMPARE(cell(w, 1, ColRatio), QStringLiteral("2.4"));
        QCOMPARE(cell(w, 1, ColPrice), QStringLiteral("24000"));
        QCOMPARE(cell(w, 2, ColPrice), QStringLiteral("16000"));
        QCOMPARE(child<QLabel>(w, "lbSumT")->text(), QStringLiteral("40000"));
        // A total of 0 gives no factor: the user is told, nothing changes.
        showLeaf(w);
        w->tv_NodeClick(kLeaf);
        w->document().hfgQ.reset();
        w->gridChanged();
        w->RefreshTotals();
        dialogs.expectMessage();
        w->lbSum_DblClick();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("合計為 0，無法依合計調整比例"));
    }
};

QTEST_MAIN(TestCells)
#include "tst_cells.moc"
