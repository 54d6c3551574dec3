// 品名加入施工資料庫 through the window side: the catalogue appended and frmAddw reporting it.
#include "CatalogAppendCommand.h"
#include "EditorRules.h"
#include "QuoteDocument.h"
#include "ScriptedDialogs.h"
#include "frmAddw.h"
#include "mdM.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quote;

namespace {

// The work type W below the root, shown, holding the item names.
void leafW(QuoteDocument& doc, const QStringList& names) {
    doc.tree.addChild(kRootKey, QStringLiteral("W"));
    doc.tv_NodeClick(kRootKey + kPathSeparator + QStringLiteral("W"));
    doc.hfgQ.setRows(int(names.size()) + 1);
    for (int i = 0; i < names.size(); ++i)
        doc.SetCell(i + 1, ColName, names[i]);
}

QStringList listed(const frmAddw* f) {
    QStringList out;
    for (int i = 0; i < f->lstW->count(); ++i)
        out << f->lstW->item(i)->text();
    return out;
}

} // namespace

class TestFrmAddw : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void existingListedNewCounted();
    void everyUseStartsAfresh();
    void databaseFailure();
    void notOnTheRoot();

private:
    QTemporaryDir dir_;
    int n_ = 0;
};

void TestFrmAddw::init() {
    mdM::MainDb = db::Database::create(dir_.filePath(QStringLiteral("m%1.db").arg(++n_)), {},
                                       QStringLiteral("CREATE TABLE t2w (t TEXT COLLATE NOCASE, w TEXT COLLATE NOCASE,"
                                                      " sort INTEGER, u TEXT, c REAL DEFAULT 0, s REAL DEFAULT 0);"
                                                      "INSERT INTO t2w VALUES ('W', 'X', 7, '', 0, 0);"));
}

void TestFrmAddw::cleanup() {
    ui::Default<frmAddw>::unload();
    mdM::MainDb.reset();
}

void TestFrmAddw::existingListedNewCounted() {
    QuoteDocument doc;
    leafW(doc, {"X", "Y", ""});
    QVERIFY(runCatalogAppend(doc, {}));
    frmAddw* f = ui::Default<frmAddw>::get();
    QVERIFY(f->isVisible());
    QCOMPARE(f->windowTitle(), QStringLiteral("品名加入"));
    QCOMPARE(listed(f), QStringList{"X"});
    QCOMPARE(f->lb2->text(), QStringLiteral("總共加入1筆"));
    QCOMPARE(mdM::MainDb->scalar(QStringLiteral("SELECT sort FROM t2w WHERE w = 'Y'")).toInt(), 8);
    f->Command1->click();
    QVERIFY(!ui::Default<frmAddw>::isLoaded());
}

void TestFrmAddw::everyUseStartsAfresh() {
    QuoteDocument doc;
    leafW(doc, {"Y", "Z"});
    QVERIFY(runCatalogAppend(doc, {}));
    QVERIFY(runCatalogAppend(doc, {})); // still open: list and count start again
    frmAddw* f = ui::Default<frmAddw>::get();
    QCOMPARE(listed(f), (QStringList{"Y", "Z"}));
    QCOMPARE(f->lb2->text(), QStringLiteral("總共加入0筆"));
}

void TestFrmAddw::databaseFailure() {
    mdM::MainDb->execute(QStringLiteral("DROP TABLE t2w"));
    QuoteDocument doc;
    leafW(doc, {"Y"});
    ScriptedDialogs dialogs;
    dialogs.expectMessage();
    QVERIFY(!runCatalogAppend(doc, {}));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
    QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Kavo III"));
    QVERIFY(!ui::Default<frmAddw>::isLoaded());
}

void TestFrmAddw::notOnTheRoot() {
    QuoteDocument doc;
    doc.SetCell(1, ColName, QStringLiteral("Y"));
    QVERIFY(!runCatalogAppend(doc, {}));
    QCOMPARE(mdM::MainDb->scalar(QStringLiteral("SELECT COUNT(*) FROM t2w")).toInt(), 1);
}

QTEST_MAIN(TestFrmAddw)
#include "tst_frmaddw.moc"
