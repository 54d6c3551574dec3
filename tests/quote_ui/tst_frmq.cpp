// The quotation window: load, New, open, save, recent files, autosave and close.
#include "CellEditors.h"
#include "LoginService.h"
#include "PageEndRules.h"
#include "QuoteFile.h"
#include "QuoteUiFixture.h"
#include "StaDb.h"
#include "ScriptedDialogs.h"
#include "TreeCommands.h"
#include "db/FaultInjection.h"
#include "text/Codec.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace quote;

namespace {

// Gives the quotation one area with one typed row.
void fillQuotation(frmQ* w, const QString& name = QStringLiteral("天花板")) {
    QuoteDocument& doc = w->document();
    doc.tree.addChild(kRootKey, QStringLiteral("客廳"));
    w->rebuildTree();
    QVERIFY(w->tv_NodeClick(leafPath({"客廳"})));
    doc.SetCell(1, ColName, name);
    doc.SetCell(1, ColQty, QStringLiteral("2"));
    w->gridChanged();
    w->showRoot();
}

// A dialog backend that records, at every message, whether the autosave timer ran. It answers Yes
// and types the next of `typed`, and runs `during` while each box is open.
class TimerWatchingDialogs final : public ui::DialogBackend {
public:
    explicit TimerWatchingDialogs(QTimer* t) : timer(t) { ui::setDialogBackend(this); }
    ~TimerWatchingDialogs() override { ui::setDialogBackend(nullptr); }
    ui::Answer message(const ui::MessageRequest& r) override {
        during();
        texts << r.text;
        runningAtMessage << timer->isActive();
        return ui::Answer::Yes;
    }
    std::optional<QString> input(const ui::InputRequest&) override {
        during();
        return typed.isEmpty() ? std::nullopt : std::optional(typed.takeFirst());
    }
    QString openFile(const ui::FileRequest&) override { return {}; }
    QString saveFile(const ui::FileRequest&) override { return {}; }
    QString folder(const ui::FileRequest&) override { return {}; }
    QTimer* timer;
    QStringList texts;
    QList<bool> runningAtMessage;
    QStringList typed;
    std::function<void()> during = [] {};
};

} // namespace

class TestFrmQ : public QObject {
    Q_OBJECT
private:
    QuoteUiFixture fx;

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void loadSteps() {
        fx.clearCatalogue();
        auto db = fx.openDb();
        db->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (2, '商業'), (1, '住宅')"));
        db->execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', '廚房', 2), ('住宅', '客廳', 1)"));
        db->execute(QStringLiteral("INSERT INTO 案 (sort, 案) VALUES (2, '店面'), (1, '新屋')"));
        db->execute(QStringLiteral("INSERT INTO sc (sort, sc) VALUES (1, 1.2), (2, 0.05)"));
        db->execute(QStringLiteral("INSERT INTO u (sort, u) VALUES (1, '坪'), (2, '式')"));
        db.reset();
        mdM::CurrentUserName = QStringLiteral("陳小明");
        ScriptedDialogs dialogs;
        frmQ* w = fx.open();
        VERIFY_DIALOGS(dialogs);

        QCOMPARE(w->caption(), QStringLiteral("報價系統\t- 新報價單"));
        QCOMPARE(w->windowTitle(), QStringLiteral("報價系統    - 新報價單"));
        QCOMPARE(w->dateBox()->text(), QStringLiteral("115/03/07"));
        QCOMPARE(w->quoteNoBox()->text(), QStringLiteral("1150307_"));
        QCOMPARE(w->customerBox()->text(), QStringLiteral("新客戶"));
        QCOMPARE(w->salespersonBox()->currentText(), QStringLiteral("陳小明"));
        QCOMPARE(w->categoryBox()->currentText(), QStringLiteral("住宅"));
        QCOMPARE(w->categoryBox()->count(), 2);
        QCOMPARE(w->projectNameBox()->currentText(), QStringLiteral("新屋"));
        QCOMPARE(w->TaxRates, (QStringList{"120%", "5%"}));
        auto* areas = child<QListWidget>(w, "LsA");
        QCOMPARE(areas->count(), 2);
        QCOMPARE(areas->item(0)->text(), QStringLiteral("客廳"));
        QCOMPARE(child<QComboBox>(w, "cbU")->itemText(1), QStringLiteral("式"));
        QCOMPARE(child<QComboBox>(w, "cbS")->itemText(0), QStringLiteral("1.2"));
        // The header's document side follows the controls.
        QCOMPARE(w->document().header.txtNo, QStringLiteral("1150307_"));
        QCOMPARE(w->document().header.cbK, QStringLiteral("住宅"));
        // The root shown, editable, selected in the tree.
        QCOMPARE(w->pathLabel()->text(), kRootKey);
        QVERIFY(w->document().NodeIsLeaf);
        QCOMPARE(w->tree()->topLevelItemCount(), 1);
        QCOMPARE(w->tree()->currentItem()->text(0), kRootKey);
        QVERIFY(w->grid()->isColumnHidden(ColPath));
        QVERIFY(w->grid()->isColumnHidden(ColCatalogName));
        QVERIFY(!w->autoSaveTimer()->isActive());
        QVERIFY(w->StaDb);
        QCOMPARE(w->size(), w->screen()->availableGeometry().size()); // as large as the screen

        // Changing the category refills the area list.
        w->categoryBox()->setEditText(QStringLiteral("商業"));
        QCOMPARE(areas->count(), 0);

        // Tab goes through the header line by line; the date box is one stop.
        QApplication::setActiveWindow(w);
        w->customerButton()->setFocus();
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget* f = QApplication::focusWidget(); // a box's line edit stands for the box
            order << (f->objectName().isEmpty() ? f->parentWidget() : f)->objectName();
        }
        QCOMPARE(order, (QStringList{"txtCn", "cbEcn", "cbSal", "cbK", "txtNo", "txtAddr", "txtQD", "tv"}));

        // The session's database moved: the folder prompt comes before the editor counts as open, so
        // another database's login asks nothing of it; cancelled, the editor does not open.
        dialogs.expectMessage(ui::Answer::No); // 是否儲存報價單 ?
        QVERIFY(w->unload());
        shell::beginSession(fx.openDb(), shell::checkLogin(*fx.openDb(), "ming", "ming123", QString()), {});
        mdM::setSessionSwitch(&frmLogin::startNewSession);
        QVERIFY(QFile::rename(fx.folder->file(mdM::kMainDbFile), fx.folder->file(QStringLiteral("moved"))));
        dialogs.expectInput(QFileInfo(fx.folder->createMainDb(fx.folder->mkdir(QStringLiteral("b")))).path());
        whenLoginShows(QString(), QString());
        QVERIFY(ui::Default<frmQ>::get()->isUnloaded());
        VERIFY_DIALOGS(dialogs);
    }

    void rightsAndPathColumn_data() {
        QTest::addColumn<int>("rights");
        QTest::addColumn<bool>("pricesHidden");
        QTest::addColumn<bool>("costsHidden");
        QTest::addColumn<int>("pathTwips");
        QTest::newRow("11") << 4095 << false << false << 1000;
        QTest::newRow("01") << (4095 & ~1) << true << false << 2200;
        QTest::newRow("10") << (4095 & ~2) << false << true << 2200;
        QTest::newRow("00") << (4095 & ~3) << true << true << 2200;
    }
    void rightsAndPathColumn() {
        QFETCH(int, rights);
        QFETCH(bool, pricesHidden);
        QFETCH(bool, costsHidden);
        QFETCH(int, pathTwips);
        mdM::UserRights = rights;
        frmQ* w = fx.open();
        QCOMPARE(w->PricesHidden, pricesHidden);
        QCOMPARE(w->CostsHidden, costsHidden);
        fillQuotation(w);
        QVERIFY(!w->document().NodeIsLeaf); // the root with a child: read-only view
        QVERIFY(!w->grid()->isColumnHidden(ColPath));
        QCOMPARE(w->grid()->columnWidth(ColPath), ui::twipsToPixelsX(pathTwips, w));

        // A price no cell can show, opened: its row told by 階層 and 品名, without the price right
        // not at all (whether a cell can show it tells the figure).
        QuoteDocument src;
        src.tree.addChild(kRootKey, QStringLiteral("客廳"));
        src.tv_NodeClick(leafPath({"客廳"}));
        src.SetCell(1, ColName, QStringLiteral("天花板"));
        src.SetCell(1, ColPrice, QString(20, u'9'));
        const QString path = fx.quotes + QStringLiteral("/long.kav");
        QVERIFY(!QuoteFile::write(src, path));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        dialogs.expectOpenFile(path);
        if (!pricesHidden)
            dialogs.expectMessage();
        w->mOpen_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, pricesHidden ? dialogs.messages().first().text
                                                              : leafPath({"客廳"}) + QStringLiteral("「天花板」單價：數字過長，請更正"));
    }

    void newAnswers_data() {
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("answer"); // Yes, No, Cancel, YesCancelled
        QTest::addColumn<bool>("reset");
        QTest::newRow("empty quotation asks nothing") << false << "" << true;
        QTest::newRow("Yes saves, then resets") << true << "Yes" << true;
        QTest::newRow("No resets") << true << "No" << true;
        QTest::newRow("Cancel keeps all") << true << "Cancel" << false;
        QTest::newRow("Yes, Save As cancelled: keeps all") << true << "YesCancelled" << false;
    }
    void newAnswers() {
        QFETCH(bool, filled);
        QFETCH(QString, answer);
        QFETCH(bool, reset);
        frmQ* w = fx.open();
        if (filled)
            fillQuotation(w);
        w->customerBox()->setText(QStringLiteral("王先生"));
        w->addressBox()->setText(QStringLiteral("台北"));
        w->document().pageEnd.cbTax = QStringLiteral("8%");
        w->document().pageEnd.ckTax = false;
        w->document().pageEnd.txtOff = QStringLiteral("-10");
        w->setWorkTypesOnly(true);
        const QString category = w->categoryBox()->currentText();
        const QString saved = fx.quotes + QStringLiteral("/new.kav");

        ScriptedDialogs dialogs;
        if (answer == u"Yes") {
            dialogs.expectMessage(ui::Answer::Yes);
            dialogs.expectSaveFile(saved);
        } else if (answer == u"YesCancelled") {
            dialogs.expectMessage(ui::Answer::Yes);
            dialogs.expectSaveFile(QString());
            dialogs.expectMessage(); // 取消另存檔案
        } else if (answer == u"No") {
            dialogs.expectMessage(ui::Answer::No);
        } else if (answer == u"Cancel") {
            dialogs.expectMessage(ui::Answer::Cancel);
        }
        w->mNew_Click();
        VERIFY_DIALOGS(dialogs);
        if (filled)
            QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("是否存檔?"));
        QCOMPARE(QFile::exists(saved), answer == u"Yes");

        const QuoteDocument& doc = w->document();
        QCOMPARE(w->categoryBox()->currentText(), category); // kept in every case
        if (reset) {
            QCOMPARE(doc.tree.count(), 1);
            QVERIFY(doc.hfgB.isEmptyGrid());
            QCOMPARE(w->customerBox()->text(), QStringLiteral("新客戶"));
            QCOMPARE(w->addressBox()->text(), QString());
            QCOMPARE(w->salespersonBox()->currentText(), QString());
            QCOMPARE(w->quoteNoBox()->text(), QStringLiteral("1150307_"));
            QCOMPARE(doc.pageEnd.cbTax, QStringLiteral("5%"));
            QCOMPARE(doc.pageEnd.txtOff, QString());
            QVERIFY(!doc.pageEnd.ckTax); // the tax check box as the user left it
            QVERIFY(!doc.WorkTypesOnly);
            QVERIFY(w->action(QStringLiteral("mPa"))->isEnabled());
            QVERIFY(w->CurrentFile.isEmpty());
            QCOMPARE(w->caption(), QStringLiteral("報價系統\t- 新報價單"));
            QCOMPARE(w->tree()->topLevelItem(0)->childCount(), 0);
        } else {
            QCOMPARE(doc.tree.count(), 2);
            QCOMPARE(doc.hfgB.cell(1, ColName), QStringLiteral("天花板"));
            QCOMPARE(w->customerBox()->text(), QStringLiteral("王先生"));
            QVERIFY(doc.WorkTypesOnly);
            QCOMPARE(w->pathLabel()->text(), kRootKey); // the root is shown
        }
    }

    void saveWritesTheCoreFile() {
        frmQ* w = fx.open();
        fillQuotation(w);
        QVERIFY(w->tv_NodeClick(leafPath({"客廳"}))); // a leaf shown: saving stores it first
        // The rows changed since the page-end figures were last recomputed: the file has them afresh.
        w->document().SetCell(1, ColAmount, QStringLiteral("1000"));
        w->document().pageEnd.lbNtax = QStringLiteral("282290");
        w->document().pageEnd.lbApr = QStringLiteral("357000");
        // A header text longer than a text box's usual limit is saved whole.
        const QString address = QString::fromUcs4(U"\U0002000B").repeated(20000);
        w->addressBox()->setText(address);
        const QString path = fx.quotes + QStringLiteral("/a&b.kav");
        ScriptedDialogs dialogs;
        dialogs.expectSaveFile(path);
        QVERIFY(w->mSaveAs_Click());
        VERIFY_DIALOGS(dialogs);
        const ui::FileRequest r = dialogs.files().at(0);
        QCOMPARE(r.folder, fx.quotes);
        QCOMPARE(r.fileName, QString());
        QCOMPARE(r.filterIndex, 2);
        QCOMPARE(r.filter, QStringLiteral("All Files (*.*)|*.*|澄築工房 檔案(*.kav)|*.kav|Text Files(*.txt)|*.txt"));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QuoteFile::bytes(w->document()));
        QVERIFY(QuoteFile::bytes(w->document()).endsWith("\r\n1000:5%:50:1050::1050\r\n0,0,1\r\n"));
        QuoteDocument back;
        QVERIFY(!QuoteFile::readFile(path, back));
        QCOMPARE(back.header.txtAddr, address);
        QCOMPARE(w->pathLabel()->text(), kRootKey);
        QCOMPARE(w->CurrentFile, path);
        QCOMPARE(w->caption(), QStringLiteral("報價系統\t- ") + path);
        QCOMPARE(w->recentFiles().lines(), QStringList{path});
        QCOMPARE(w->action(QStringLiteral("mRF0"))->text(), QString(path).replace(u'&', QStringLiteral("&&")));

        // 儲存檔案 presets the file and its folder; the file there is replaced when the user says so.
        dialogs.expectSaveFile(path);
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(w->mSaveF_Click());
        QCOMPARE(dialogs.files().at(1).fileName, path);
        QCOMPARE(dialogs.files().at(1).folder, fx.quotes);

        // A failed write: message, and the file name, caption and list stay.
        dialogs.expectSaveFile(fx.folder->path() + QStringLiteral("/missing/b.kav"));
        dialogs.expectMessage();
        QVERIFY(!w->mSaveAs_Click());
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().last().text.startsWith(QStringLiteral("存檔錯誤\r\n")));
        QCOMPARE(w->CurrentFile, path);
        QCOMPARE(w->recentFiles().lines(), QStringList{path});

        // A name without an extension gets ".kav"; a missing quotation folder is made.
        QVERIFY(QDir(fx.quotes).removeRecursively());
        dialogs.expectSaveFile(fx.quotes + QStringLiteral("/plain"));
        QVERIFY(w->mSaveAs_Click());
        QCOMPARE(dialogs.files().last().folder, fx.quotes);
        QCOMPARE(w->CurrentFile, fx.quotes + QStringLiteral("/plain.kav"));

        // Another quotation typed without ".kav" is asked about; No shows the dialog again at that
        // name and leaves both files as they were.
        const QString other = fx.quotes + QStringLiteral("/林宅.kav");
        QVERIFY(text::writeTextFile(other, QStringLiteral("0n\r\n林宅")));
        auto bytesOf = [](const QString& file) {
            QFile in(file);
            return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
        };
        const QByteArray otherBefore = bytesOf(other), ownBefore = bytesOf(w->CurrentFile);
        dialogs.expectSaveFile(fx.quotes + QStringLiteral("/林宅"));
        dialogs.expectMessage(ui::Answer::No);
        dialogs.expectSaveFile(QString());
        dialogs.expectMessage(); // 取消另存檔案
        QVERIFY(!w->mSaveAs_Click());
        VERIFY_DIALOGS(dialogs);
        QVERIFY(
            dialogs.messages().at(dialogs.messages().size() - 2).text.contains(QStringLiteral("林宅.kav")));
        QCOMPARE(dialogs.files().last().fileName, other);
        QCOMPARE(bytesOf(other), otherBefore);
        QCOMPARE(bytesOf(w->CurrentFile), ownBefore);

        // Cancelled dialogs.
        dialogs.expectSaveFile(QString());
        dialogs.expectMessage();
        QVERIFY(!w->mSaveF_Click());
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("取消存檔"));
        VERIFY_DIALOGS(dialogs);
    }

    // Two windows on one file: a save over a file saved elsewhere since this window read it asks
    // first, and No leaves the file and the window as they were.
    void twoSavesOfOneFile() {
        frmQ* a = fx.open();
        fillQuotation(a);
        const QString path = fx.quotes + QStringLiteral("/林宅.kav");
        ScriptedDialogs dialogs;
        dialogs.expectSaveFile(path);
        QVERIFY(a->mSaveAs_Click());
        auto b = std::make_unique<frmQ>();
        b->load();
        dialogs.expectOpenFile(path);
        b->mOpen_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(b->CurrentFile, path);

        // A adds a remark and saves: the file is as A last left it, so only the usual question.
        a->document().pageEnd.cbPe[0] = QStringLiteral("訂金三成");
        dialogs.expectSaveFile(path);
        dialogs.expectMessage(ui::Answer::Yes); // 已經存在。要取代它嗎?
        QVERIFY(a->mSaveF_Click());
        VERIFY_DIALOGS(dialogs);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray savedByA = f.readAll();
        f.close();

        // B changes a quantity and saves: asked, No keeps the file byte for byte and B as it was.
        QVERIFY(b->tv_NodeClick(leafPath({"客廳"})));
        b->SetCell(1, ColQty, QStringLiteral("5"));
        const QuoteDocument before = b->document();
        dialogs.expectSaveFile(path);
        dialogs.expectMessage(ui::Answer::Yes);
        dialogs.expectMessage(ui::Answer::No);
        QVERIFY(!b->mSaveF_Click());
        VERIFY_DIALOGS(dialogs);
        const ui::MessageRequest asked = dialogs.messages().last();
        QCOMPARE(asked.text, QStringLiteral("林宅.kav 已在別處變更（開啟後有人存檔）。要取代它嗎?"));
        QCOMPARE(asked.buttons, ui::Buttons::YesNo);
        QCOMPARE(asked.defaultButton, 2);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), savedByA);
        f.close();
        QVERIFY(b->document() == before);

        // Yes replaces it; B's next save asks only the usual question.
        dialogs.expectSaveFile(path);
        dialogs.expectMessage(ui::Answer::Yes);
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(b->mSaveF_Click());
        dialogs.expectSaveFile(path);
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(b->mSaveF_Click());
        VERIFY_DIALOGS(dialogs);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("|5|"));

        // A save made elsewhere while A reads the file: A's save asks.
        auto& hide = a->document().hooks.hideCellEditors;
        hide = [hide, a, path] {
            hide();
            if (QFile other(path); a->document().lbPath == u"OpenFile" && other.open(QIODevice::Append))
                other.write("\r\n");
        };
        dialogs.expectMessage(ui::Answer::No); // 是否存檔?
        dialogs.expectOpenFile(path);
        a->mOpen_Click();
        dialogs.expectSaveFile(path);
        dialogs.expectMessage(ui::Answer::Yes);
        dialogs.expectMessage(ui::Answer::No);
        QVERIFY(!a->mSaveF_Click());
        // The window's own autosave of the file it has open is no save made elsewhere.
        dialogs.expectSaveFile(sys::autosavePath());
        QVERIFY(b->mSaveAs_Click());
        b->document().pageEnd.cbPe[1] = QStringLiteral("自動");
        b->AutoSaveFile();
        dialogs.expectSaveFile(sys::autosavePath());
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(b->mSaveF_Click());
    }

    void openReplacesOnlyWhenReadWhole() {
        auto db = fx.openDb();
        db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱, 電話1, 公司傳真, 連絡人) VALUES ('林''s 公司', '02;1234', "
                                   "'02;9999', '林太太')"));
        db.reset();
        // A quotation written by the core: two areas, work-types-only, a customer in the table.
        QuoteDocument src;
        src.WorkTypesOnly = true;
        src.header.txtCn = QStringLiteral("林's 公司");
        src.header.cbK = QStringLiteral("商業");
        src.tree.addChild(kRootKey, QStringLiteral("木作"));
        src.tree.addChild(kRootKey, QStringLiteral("油漆"));
        src.tv_NodeClick(leafPath({"木作"}));
        src.SetCell(1, ColName, QStringLiteral("天花板"));
        src.pageEnd.txtOff = QStringLiteral("-5");
        src.pageEnd.lbApr = QStringLiteral("357000"); // a figure the rows no longer give
        const QString good = fx.quotes + QStringLiteral("/good.kav");
        QVERIFY(!QuoteFile::write(src, good));
        const QString broken = fx.quotes + QStringLiteral("/broken.kav");
        QVERIFY(text::writeTextFile(broken, QStringLiteral("0n\r\n[Title]\r\na\r\n")));

        frmQ* w = fx.open();
        ScriptedDialogs dialogs;
        // The broken file: "開啟檔案錯誤" and why, and the quotation in hand stays.
        w->customerBox()->setText(QStringLiteral("留下"));
        dialogs.expectOpenFile(broken);
        dialogs.expectMessage();
        w->mOpen_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("開啟檔案錯誤\r\n檔案在 [Title] 段中提早結束"));
        QCOMPARE(dialogs.messages().last().title, QStringLiteral("KavoIII"));
        QCOMPARE(w->customerBox()->text(), QStringLiteral("留下"));
        QVERIFY(w->CurrentFile.isEmpty());
        QVERIFY(w->recentFiles().lines().isEmpty());
        QVERIFY(!w->Loading);

        // Cancelled dialog.
        dialogs.expectOpenFile(QString());
        dialogs.expectMessage();
        w->mOpen_Click();
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("取消開啟檔案"));
        VERIFY_DIALOGS(dialogs);

        // The good file.
        int replaced = 0;
        bool loadingWhenReplaced = false;
        connect(w, &frmQ::documentReplaced, this, [&] {
            ++replaced;
            loadingWhenReplaced = w->Loading;
        });
        dialogs.expectOpenFile(good);
        w->mOpen_Click();
        VERIFY_DIALOGS(dialogs);
        const ui::FileRequest r = dialogs.files().last();
        QCOMPARE(r.folder, fx.quotes);
        QCOMPARE(r.filterIndex, 2);
        QCOMPARE(replaced, 1);
        QVERIFY(loadingWhenReplaced);
        QVERIFY(!w->Loading);
        QCOMPARE(w->CurrentFile, good);
        QCOMPARE(w->caption(), QStringLiteral("報價系統\t- ") + good);
        QCOMPARE(w->customerBox()->text(), QStringLiteral("林's 公司"));
        QCOMPARE(w->categoryBox()->currentText(), QStringLiteral("商業"));
        QCOMPARE(w->phoneLabel()->text(), QStringLiteral("02 1234"));
        QCOMPARE(w->contactLabel()->text(), QStringLiteral("林太太"));
        QCOMPARE(mdM::QuoteCustFax, QStringLiteral("02 9999"));
        QVERIFY(w->document().WorkTypesOnly);
        QVERIFY(!w->action(QStringLiteral("mPa"))->isEnabled());
        QVERIFY(w->action(QStringLiteral("mPw"))->isEnabled());
        QCOMPARE(w->document().pageEnd.txtOff, QStringLiteral("-5"));
        QCOMPARE(w->document().pageEnd.lbApr, QStringLiteral("-5"));
        QCOMPARE(w->tree()->topLevelItem(0)->childCount(), 2);
        QVERIFY(w->tree()->topLevelItem(0)->isExpanded());
        QCOMPARE(w->grid()->model()->rowCount(), 1);
        QCOMPARE(w->grid()->model()->index(0, ColName).data().toString(), QStringLiteral("天花板"));
        QCOMPARE(w->recentFiles().lines(), QStringList{good});

        // From the recent list, with the quotation in hand answered No; then a missing file.
        dialogs.expectMessage(ui::Answer::No);
        w->mRF_Click(0);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(w->CurrentFile, good);
        QVERIFY(QFile::remove(good));
        dialogs.expectMessage(ui::Answer::No);
        dialogs.expectMessage();
        w->mRF_Click(0);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("檔案不存在"));
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::Critical);
        QCOMPARE(w->recentFiles().lines(), QStringList{good}); // the entry stays
        QCOMPARE(w->customerBox()->text(), QStringLiteral("林's 公司"));
        QVERIFY(!w->OpenGivenPath);

        // Yes with a cancelled Save As stops the open.
        dialogs.expectMessage(ui::Answer::Yes);
        dialogs.expectSaveFile(QString());
        dialogs.expectMessage();
        w->mOpen_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(w->customerBox()->text(), QStringLiteral("林's 公司"));
    }

    void recentFilesThroughOfIni() {
        QStringList lines;
        for (int i = 1; i <= 7; ++i)
            lines << fx.quotes + QStringLiteral("/%1.kav").arg(i);
        lines[1] = QStringLiteral("/q/R&D.kav");
        QVERIFY(fx.folder->writeSettings(QStringLiteral("Of.ini"), lines));
        frmQ* w = fx.open();
        for (int i = 0; i < 5; ++i)
            QVERIFY(w->action(QStringLiteral("mRF%1").arg(i))->isVisible());
        QCOMPARE(w->action(QStringLiteral("mRF1"))->text(), QStringLiteral("/q/R&&D.kav"));
        QCOMPARE(w->recentFiles().lines(), lines.mid(0, 5));

        // Closing writes the list, also when the close is cancelled.
        QVERIFY(QFile::remove(fx.folder->file(QStringLiteral("Of.ini"))));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Cancel);
        QVERIFY(!w->unload());
        // Files in the program folder are written relative to it.
        QStringList stored = lines;
        stored.replaceInStrings(fx.quotes, QStringLiteral("quotes"));
        QCOMPARE(fx.folder->readSettings(QStringLiteral("Of.ini")), stored.mid(0, 5));
        const QString saved = fx.quotes + QStringLiteral("/saved.kav");
        dialogs.expectMessage(ui::Answer::Yes);
        dialogs.expectSaveFile(saved);
        QVERIFY(w->unload());
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.folder->readSettings(QStringLiteral("Of.ini")),
                 QStringList{QStringLiteral("quotes/saved.kav")} + stored.mid(0, 4));
    }

    void missingOfIniIsAnEmptyList() {
        frmQ* w = fx.open();
        QVERIFY(w->recentFiles().lines().isEmpty());
        QVERIFY(!w->action(QStringLiteral("mRF0"))->isVisible());
    }

    void closeAnswers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes") << "Yes" << true << true;
        QTest::newRow("No") << "No" << true << false;
        QTest::newRow("Cancel") << "Cancel" << false << false;
        QTest::newRow("Yes, Save As cancelled") << "YesCancelled" << false << false;
    }
    void closeAnswers() {
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        mdM::AutoSaveOn = true;
        frmQ* w = fx.open();
        QVERIFY(w->autoSaveTimer()->isActive());
        w->setWorkTypesOnly(true);
        std::weak_ptr<db::Database> sta = w->StaDb;
        const QString path = fx.quotes + QStringLiteral("/closing.kav");
        ScriptedDialogs dialogs;
        dialogs.expectMessage(answer == u"No" ? ui::Answer::No
                              : answer == u"Cancel" ? ui::Answer::Cancel
                                                    : ui::Answer::Yes);
        if (answer == u"Yes")
            dialogs.expectSaveFile(path);
        if (answer == u"YesCancelled") {
            dialogs.expectSaveFile(QString());
            dialogs.expectMessage();
        }
        QCOMPARE(w->unload(), closes);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("是否儲存報價單 ?"));
        QCOMPARE(dialogs.messages().at(0).buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(QFile::exists(path), saved);
        QVERIFY(QFile::exists(fx.folder->file(QStringLiteral("Of.ini"))));
        QCOMPARE(ui::Default<frmQ>::isLoaded(), !closes);
        if (closes) {
            QVERIFY(!w->autoSaveTimer()->isActive());
            QVERIFY(!w->document().WorkTypesOnly);
            QVERIFY(!w->StaDb);
            QVERIFY(sta.expired()); // sta.mdb closed
        } else {
            QVERIFY(w->autoSaveTimer()->isActive());
            QVERIFY(w->document().WorkTypesOnly);
        }
    }

    void autosave_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("ticksBeforeSave");
        QTest::newRow("interval 0") << 0 << 1;
        QTest::newRow("2 minutes") << 2 << 3;
    }
    void autosave() {
        QFETCH(int, interval);
        QFETCH(int, ticksBeforeSave);
        mdM::AutoSaveOn = true;
        mdM::AutoSaveInterval = interval;
        frmQ* w = fx.open();
        fillQuotation(w);
        QVERIFY(w->tv_NodeClick(leafPath({"客廳"})));
        const QString file = sys::autosavePath();
        for (int i = 1; i < ticksBeforeSave; ++i)
            w->TimeSv_Timer();
        QVERIFY(!QFile::exists(file));
        w->TimeSv_Timer();
        QVERIFY(QFile::exists(file));
        QCOMPARE(w->AutoSaveTicks, 0);
        QCOMPARE(w->pathLabel()->text(), leafPath({"客廳"})); // the window stays on the leaf
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QuoteDocument saved = w->document(); // with the page-end figures brought up to date
        RecalcGrandTotal(saved);
        QCOMPARE(f.readAll(), QuoteFile::bytes(saved));
        QVERIFY(w->CurrentFile.isEmpty());
        QVERIFY(w->recentFiles().lines().isEmpty());
        QVERIFY(w->autoSaveTimer()->isActive());
    }

    void autosaveLeavesTheWindowAlone() {
        mdM::AutoSaveOn = true;
        mdM::AutoSaveInterval = 0;
        frmQ* w = fx.open();
        fillQuotation(w);
        const QString leaf = leafPath({"客廳"});
        QVERIFY(w->tv_NodeClick(leaf));
        // Ticks inside the input boxes of 比例 and 合計 and the question of a work type added below.
        TimerWatchingDialogs dialogs(w->autoSaveTimer());
        dialogs.typed = QStringList{"3", "500"};
        bool unchanged = true;
        dialogs.during = [&] {
            const QuoteDocument before = w->document();
            w->TimeSv_Timer();
            unchanged = unchanged && w->document() == before && w->pathLabel()->text() == before.lbPath;
        };
        w->lbSc_DblClick();
        w->lbSum_DblClick();
        QVERIFY(AddChildNodesFromList(w->document(), leaf, {QStringLiteral("五金")}, true));
        QVERIFY(unchanged);
        // A key typed after a tick lands in the cell being edited.
        QTableView* g = w->grid();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, ColQty)).center());
        QWidget* editor = w->cellEditors()->openEditor();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("1"));
        w->TimeSv_Timer();
        QTest::keyClicks(editor, QStringLiteral("7"));
        QCOMPARE(w->GTxM(1, ColQty), QStringLiteral("17"));
        // A tick while a box of the program is open saves once it has closed.
        QVERIFY(QFile::remove(sys::autosavePath()));
        QDialog box(w);
        box.open();
        w->TimeSv_Timer();
        QTest::qWait(400); // the save waits while the box is open
        QVERIFY(!QFile::exists(sys::autosavePath()));
        box.hide();
        QTRY_VERIFY(QFile::exists(sys::autosavePath()));
    }

    void autosaveFailureHoldsTheTimer() {
        mdM::AutoSaveOn = true;
        mdM::AutoSaveInterval = 0;
        frmQ* w = fx.open();
        QVERIFY(QDir(fx.folder->path()).mkdir(QStringLiteral("autosave.kav"))); // cannot be written
        TimerWatchingDialogs dialogs(w->autoSaveTimer());
        w->TimeSv_Timer();
        QCOMPARE(dialogs.texts.size(), 1);
        QVERIFY(dialogs.texts.at(0).startsWith(QStringLiteral("存檔錯誤\r\n")));
        QCOMPARE(dialogs.runningAtMessage, QList<bool>{false}); // no tick while the message is open
        QVERIFY(w->autoSaveTimer()->isActive());
        QCOMPARE(w->AutoSaveTicks, 0);
    }

    // A statistics database that cannot be read is said once; the main database's lists are read
    // all the same, even while another workstation holds sta.mdb alone; a printout once it is free
    // opens it itself, an empty quotation refused first.
    void statisticsDatabaseFailureStillOpens_data() {
        QTest::addColumn<bool>("held");
        QTest::addColumn<bool>("printAfter");
        QTest::newRow("damaged sta.mdb") << false << false;
        QTest::newRow("sta.mdb held by another workstation") << true << false;
        QTest::newRow("sta.mdb held at the opening, printouts after") << true << true;
    }
    void statisticsDatabaseFailureStillOpens() {
        QFETCH(bool, held);
        QFETCH(bool, printAfter);
        const QString staFile = fx.folder->file(QString::fromUtf8(stats::kStaDbFile));
        db::DatabasePtr holder;
        if (held) {
            stats::openStaDb(fx.folder->path());
            holder = db::Database::open(staFile, QString::fromLatin1(stats::kStaDbPassword));
            holder->executeScript(QStringLiteral("BEGIN EXCLUSIVE; DELETE FROM 統計;"));
        } else {
            QFile junk(staFile);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write(QByteArray(4096, 'x'));
            junk.close();
        }
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        frmQ* w = fx.open();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("統計資料庫 sta.mdb 無法開啟\r\n")));
        QCOMPARE(dialogs.messages().at(0).icon, held ? ui::Icon::Exclamation : ui::Icon::Critical);
        QVERIFY(!w->StaDb);
        QVERIFY(w->isVisible());
        const int categories = fx.openDb()->scalar(QStringLiteral("SELECT count(*) FROM 別")).toInt();
        QVERIFY(categories > 0);
        QCOMPARE(w->categoryBox()->count(), categories);
        QVERIFY(w->salespersonBox()->count() > 0);
        if (holder)
            holder->executeScript(QStringLiteral("ROLLBACK"));
        if (printAfter) {
            dialogs.expectMessage();
            dialogs.expectOpenFile(QString()); // the template asked for: the printout is under way
            dialogs.expectMessage();           // 取消列印
            w->action(QStringLiteral("mPs"))->trigger();
            fillQuotation(w);
            w->action(QStringLiteral("mPs"))->trigger();
            VERIFY_DIALOGS(dialogs);
            QCOMPARE(dialogs.messages().at(1).text, QStringLiteral("空白表單無法列印"));
        }
    }

    // Pick lists that failed at the load are marked with the reason and read again when a header
    // box is next opened; the header keeps what it shows.
    void pickListsReadAgainAfterAFailure() {
        db::fault::failTable(QStringLiteral("u"), db::fault::Error::IoError, db::fault::Access::Read);
        const auto disarm = qScopeGuard([] { db::fault::clear(); });
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        frmQ* w = fx.open();
        VERIFY_DIALOGS(dialogs);
        QComboBox* units = w->cellEditors()->cbU;
        QCOMPARE(units->count(), 0);
        QVERIFY2(units->toolTip().startsWith(QStringLiteral("未能載入：")), qPrintable(units->toolTip()));
        QVERIFY(w->categoryBox()->toolTip().isEmpty() && w->categoryBox()->count() > 0);
        db::fault::clear();
        w->categoryBox()->setEditText(QStringLiteral("自訂類別"));
        QTest::mousePress(w->categoryBox(), Qt::LeftButton);
        QTest::mouseRelease(w->categoryBox(), Qt::LeftButton);
        w->categoryBox()->hidePopup();
        QVERIFY(units->count() > 0);
        QVERIFY(units->toolTip().isEmpty());
        QCOMPARE(w->categoryBox()->currentText(), QStringLiteral("自訂類別"));
    }

    void splitterDrag() {
        frmQ* w = fx.open();
        const int treeBefore = w->tree()->width();
        w->dragSplitterTo(5000);
        QCOMPARE(w->layoutTwips().tv.width, 5000);
        QCOMPARE(w->tree()->width(), ui::twipsToPixelsX(5000, w));
        QCOMPARE(w->grid()->x(), w->tree()->width() + child<QFrame>(w, "fme")->width());
        QCOMPARE(w->pageEndButton()->width(), w->tree()->width());
        w->dragSplitterTo(700); // left of 800: the splitter snaps back
        QCOMPARE(w->layoutTwips().tv.width, 5000);
        QVERIFY(w->tree()->width() != treeBefore);
    }

    void templatesLockedAtLoad() {
        const QString dir = fx.folder->mkdir(QStringLiteral("PrintQ"));
        QFile f(dir + QStringLiteral("/報價單.xlsx"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        fx.open();
        QVERIFY(sys::isReadOnly(f.fileName()));
    }
};

QTEST_MAIN(TestFrmQ)
#include "tst_frmq.moc"
