// Rules of the quotation editor that need no widgets: recent files, the window layout, pick lists,
// the template lock, the caption, the save question and the autosave count.
#include "CellRules.h"
#include "EditorLayout.h"
#include "EditorRules.h"
#include "PickLists.h"
#include "RecentFiles.h"
#include "TemplateLock.h"
#include "TempProgramFolder.h"
#include "system/System.h"

#include <QFile>
#include <QtTest>

using namespace quote;

namespace {

QStringList shownOf(const RecentFiles& r) {
    return r.lines();
}

// A layout with the body at its design places: tree 2600 wide, splitter 60.
EditorLayout bodyLayout() {
    EditorLayout L;
    L.tv = {0, 1200, 2600, 5000};
    L.fme = {2600, 1200, 60, 5000};
    L.hfgQ = {2660, 1200, 8000, 5000};
    L.cmdPe = {0, 6200, 2600, 360};
    return L;
}

db::DatabasePtr catalogue(const TempProgramFolder& folder) {
    const QString path = folder.createMainDb();
    if (path.isEmpty())
        return {};
    auto db = db::Database::open(path, QStringLiteral("plovertimska"));
    for (const char* table : {"別", "k2a", "t2w", "w2d", "u", "sc", "Qps", "ps", "案", "員工", "客戶"})
        db->execute(QStringLiteral("DELETE FROM ") + QString::fromUtf8(table));
    return db;
}

} // namespace

class TestEditorRules : public QObject {
    Q_OBJECT

private slots:
    // ---- recent files
    void recentFilesAdd_data() {
        QTest::addColumn<QStringList>("start");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("shown");
        const QStringList five{"a", "b", "c", "d", "e"};
        QTest::newRow("new path on top") << QStringList{"a", "b"} << "n" << QStringList{"n", "a", "b"};
        QTest::newRow("third moves to the top") << five << "c" << QStringList{"c", "a", "b", "d", "e"};
        QTest::newRow("sixth drops the fifth") << five << "n" << QStringList{"n", "a", "b", "c", "d"};
        QTest::newRow("first stays first") << five << "a" << five;
        QTest::newRow("letter case counts") << QStringList{"a"} << "A" << QStringList{"A", "a"};
        QTest::newRow("lower duplicate hidden") << QStringList{"a", "b", "a"} << "n" << QStringList{"n", "a", "b"};
        QTest::newRow("empty list") << QStringList{} << "n" << QStringList{"n"};
    }
    void recentFilesAdd() {
        QFETCH(QStringList, start);
        QFETCH(QString, added);
        QFETCH(QStringList, shown);
        RecentFiles r;
        r.load(start);
        r.AddRecentFile(added);
        QCOMPARE(shownOf(r), shown);
    }

    void recentFilesLoad() {
        RecentFiles r;
        r.load({"1", "2", "3", "4", "5", "6", "7"});
        QCOMPARE(shownOf(r), (QStringList{"1", "2", "3", "4", "5"}));
        r.load({"x", "x"});
        QCOMPARE(shownOf(r), (QStringList{"x", "x"})); // both shown until the next add
        QVERIFY(!r.entries()[2].visible);
        r.load({});
        QVERIFY(shownOf(r).isEmpty());
        // A file inside the program folder is kept relative to it; older absolute lines still read.
        r.load({"q/a.kav", "/p/q/b.kav", "/other/c.kav", "/p2/d.kav"}, "/p");
        QCOMPARE(shownOf(r), (QStringList{"/p/q/a.kav", "/p/q/b.kav", "/other/c.kav", "/p2/d.kav"}));
        QCOMPARE(r.storedLines("/p"), (QStringList{"q/a.kav", "q/b.kav", "/other/c.kav", "/p2/d.kav"}));
    }

    // ---- layout
    void splitterBounds_data() { // window width 14000: six sevenths is 12000
        QTest::addColumn<int>("splitter");
        QTest::addColumn<int>("treeWidth");
        QTest::newRow("799 snaps back") << 799 << 2600;
        QTest::newRow("800 taken") << 800 << 800;
        QTest::newRow("six sevenths taken") << 12000 << 12000;
        QTest::newRow("past six sevenths snaps back") << 12001 << 2600;
    }
    void splitterBounds() {
        QFETCH(int, splitter);
        QFETCH(int, treeWidth);
        EditorLayout L = bodyLayout();
        L.fme.left = splitter;
        L.ArrangeLayout(14000, 9000);
        QCOMPARE(L.tv.width, treeWidth);
        QCOMPARE(L.fme.left, treeWidth);
        QCOMPARE(L.hfgQ.left, treeWidth + 60);
        QCOMPARE(L.hfgQ.width, 14000 - treeWidth - 60 - 100);
        QCOMPARE(L.tv.height, 9000 - 1200 - 360 - 750);
        if (treeWidth != 2600) { // in bounds: the page-end button as wide as the tree, 50 below it
            QCOMPARE(L.cmdPe.width, treeWidth);
            QCOMPARE(L.cmdPe.top, L.tv.top + L.tv.height + 50);
        } else { // snapped back: directly under the tree, its width kept
            QCOMPARE(L.cmdPe.width, 2600);
            QCOMPARE(L.cmdPe.top, L.tv.top + L.tv.height);
        }
    }

    void headerRightAligned() {
        EditorLayout L;
        L.cbSal = {0, 0, 1500, 300};
        L.lbSal = {0, 0, 1000, 300};
        L.lbConn = {0, 0, 1300, 300};
        L.l10 = {0, 0, 750, 300};
        L.DTP = {0, 0, 330, 300};
        L.txtQD = {0, 0, 1100, 300};
        L.lbQd = {0, 0, 1000, 300};
        L.lbCtel = {0, 0, 1500, 300};
        L.l11 = {0, 0, 600, 300};
        L.cmdC = {120, 0, 1100, 300};
        L.txtCn = {1220, 0, 2400, 300};
        L.lbCN = {0, 0, 1000, 300};
        L.cbEcn = {0, 0, 4000, 300};
        L.lbScT = {0, 0, 500, 300};
        L.lbSc = {0, 0, 500, 300};
        L.Form_Resize(15000, 9000);
        QCOMPARE(L.cbSal.right(), 15000 - 150);
        QCOMPARE(L.lbSal.right(), L.cbSal.left);
        QCOMPARE(L.l10.right(), L.lbConn.left);
        QCOMPARE(L.DTP.right(), 15000 - 150);
        QCOMPARE(L.l11.right(), L.lbCtel.left);
        QCOMPARE(L.lbCN.left, 1220 + 2400 + 100);
        QCOMPARE(L.cbEcn.width, 15000 - (1100 + 2400 + 1000 + 1000 + 1500 + 1300 + 750) - 300);
        QCOMPARE(L.txtAddr.left, L.cbEcn.left);
        QCOMPARE(L.txtAddr.width, L.cbEcn.width);
        QCOMPARE(L.lbScT.left, L.lbSc.right());
        QCOMPARE(L.lbPath.width, 15000 - 1000 - 600);

        // Too narrow: the project name and the path label keep their widths.
        const int project = L.cbEcn.width;
        const int path = L.lbPath.width;
        L.Form_Resize(1500, 9000);
        QCOMPARE(L.cbEcn.width, project);
        QCOMPARE(L.lbPath.width, path);
    }

    // ---- caption, number, save question, autosave
    void captionAndNumber() {
        QCOMPARE(windowCaption({}), QStringLiteral("報價系統\t- 新報價單"));
        QCOMPARE(windowCaption(QStringLiteral("/q/a.kav")), QStringLiteral("報價系統\t- /q/a.kav"));
        QCOMPARE(defaultQuoteNo(QStringLiteral("115/03/07")), QStringLiteral("1150307_"));
        QCOMPARE(defaultQuoteNo(QStringLiteral("99/12/31")), QStringLiteral("991231_"));
    }

    void holdsAnythingAsksForRowsAndNodes() {
        QuoteDocument doc;
        QVERIFY(!holdsAnything(doc));
        doc.hfgQ.setCell(1, ColRemark, QStringLiteral("x")); // any column 2 to 12, not only the name
        QVERIFY(holdsAnything(doc));
        QuoteDocument withNode;
        withNode.tree.addChild(kRootKey, QStringLiteral("A"));
        QVERIFY(holdsAnything(withNode));
    }

    void autoSaveCount_data() {
        QTest::addColumn<int>("interval"); // minutes
        QTest::addColumn<QString>("saves"); // one letter per tick of 40 s: s = saved
        QTest::newRow("0: every tick") << 0 << "ssss";
        QTest::newRow("1: at 80, 120, 200 and 240 s") << 1 << ".ss.ss";
        QTest::newRow("3: at 200 and 360 s") << 3 << "....s...s";
        QTest::newRow("negative: every tick") << -2 << "ss";
    }
    void autoSaveCount() {
        QFETCH(int, interval);
        QFETCH(QString, saves);
        int ticks = 0;
        QString got;
        for (qsizetype i = 0; i < saves.size(); ++i) {
            got += autoSaveTick(ticks, interval) ? u's' : u'.';
        }
        QCOMPARE(got, saves);
    }

    // ---- the answer of the bulk commands
    void plainDecimal_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("whole") << "12" << true;
        QTest::newRow("decimal with its zero") << "1.20" << true;
        QTest::newRow("blanks around") << " 1.5 " << true;
        QTest::newRow("signed") << "-3" << true;
        QTest::newRow("leading point") << ".5" << true;
        QTest::newRow("thousands separator") << "1,200" << false;
        QTest::newRow("exponent") << "1e3" << false;
        QTest::newRow("beyond a cell: 400 nines read as 0") << QString(400, u'9') << false;
        QTest::newRow("two points") << "1.2.3" << false;
        QTest::newRow("point alone") << "." << false;
        QTest::newRow("word") << "abc" << false;
        QTest::newRow("empty") << "" << false;
    }
    void plainDecimal() {
        QFETCH(QString, answer);
        QFETCH(bool, accepted);
        QCOMPARE(isPlainDecimal(answer), accepted);
    }

    // ---- template lock
    void lockTemplates() {
        TempProgramFolder program;
        TempProgramFolder templates;
        QStringList locked, open;
        auto file = [](const QString& dir, const QString& name) {
            QFile f(dir + u'/' + name);
            f.open(QIODevice::WriteOnly);
            f.write("x");
            return f.fileName();
        };
        for (const QString& d : kTemplateFolders) {
            locked << file(program.mkdir(d), QStringLiteral("a.xlsx"));
            locked << file(templates.mkdir(d), QStringLiteral("報價單.xlsx"));
        }
        open << file(program.mkdir(QStringLiteral("Other")), QStringLiteral("b.xlsx"));
        open << file(program.path(), QStringLiteral("c.xlsx"));
        LockTemplateFiles(program.path(), templates.path());
        for (const QString& f : locked)
            QVERIFY2(sys::isReadOnly(f), qPrintable(f));
        for (const QString& f : open)
            QVERIFY2(!sys::isReadOnly(f), qPrintable(f));
        // Missing folders and a missing template folder are skipped.
        LockTemplateFiles(program.path(), program.path() + QStringLiteral("/none"));
    }

    // ---- pick lists
    void pickListsInOrder() {
        TempProgramFolder folder;
        auto db = catalogue(folder);
        QVERIFY(db);
        db->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (2, '商業'), (1, '住宅')"));
        db->execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', '廚房', 3), ('住宅', '客廳', 1), "
                                   "('商業', '大廳', 1), ('O''Hara', '門廳', 1)"));
        db->execute(QStringLiteral("INSERT INTO sc (sort, sc) VALUES (2, 1.5), (1, 1.2)"));
        db->execute(QStringLiteral("INSERT INTO u (sort, u) VALUES (2, '坪'), (1, '尺')"));
        db->execute(QStringLiteral("INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名) VALUES ('2', '乙', 'b'), ('1', '甲', 'a')"));
        db->execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '天花板', 3, '坪', 1000, 1.2), "
                                   "('木作', '隔間', 2, '尺', NULL, NULL), ('A', '油漆', 1, '式', 10, 1)"));
        db->execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES ('天花板', '矽酸鈣板', 300, 2)"));
        db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱, 電話1, 公司傳真, 連絡人) VALUES ('王\"先生''s', '02;1234', '02;5678', '王太太')"));

        QCOMPARE(PickLists::FillCategoryList(*db), (QStringList{"住宅", "商業"}));
        QCOMPARE(PickLists::FillCategoryAreaList(*db, QStringLiteral("住宅")), (QStringList{"客廳", "廚房"}));
        QCOMPARE(PickLists::FillCategoryAreaList(*db, QStringLiteral("O'Hara")), (QStringList{"門廳"}));
        QCOMPARE(PickLists::FillUnitList(*db), (QStringList{"尺", "坪"}));
        QCOMPARE(PickLists::FillSalespersonList(*db), (QStringList{"乙", "甲"})); // table order
        const PickLists::Ratios r = PickLists::FillRatioAndTaxLists(*db);
        QCOMPARE(r.ratios, (QStringList{"1.2", "1.5"}));
        QCOMPARE(r.taxRates, (QStringList{"120%", "150%"}));
        QVERIFY(PickLists::FillProjectNameList(*db).isEmpty()); // an empty table
        QVERIFY(PickLists::FillPageEndNoteLists(*db).isEmpty());

        // The deepest part of the path that has items.
        const QString s = kPathSeparator;
        QCOMPARE(PickLists::FillItemNameList(*db, "Ｑ" + s + "A" + s + "木作"), (QStringList{"隔間", "天花板"}));
        QCOMPARE(PickLists::FillItemNameList(*db, "Ｑ" + s + "A" + s + "泥作"), (QStringList{"油漆"}));
        QVERIFY(PickLists::FillItemNameList(*db, "Ｑ" + s + "B").isEmpty());

        const auto item = PickLists::catalogueItem(*db, QStringLiteral("天花板"));
        QVERIFY(item);
        QCOMPARE(item->unit, QStringLiteral("坪"));
        QCOMPARE(item->cost, std::optional<double>(1000.0));
        const auto nulls = PickLists::catalogueItem(*db, QStringLiteral("隔間")); // NULL cost and ratio
        QVERIFY(nulls);
        QVERIFY(!nulls->cost);
        QVERIFY(!nulls->ratio);
        QVERIFY(!PickLists::catalogueItem(*db, QStringLiteral("none")));
        QCOMPARE(PickLists::detailMarkup(*db, QStringLiteral("矽酸鈣板"), QStringLiteral("天花板")), 300.0);
        QVERIFY(!PickLists::detailMarkup(*db, QStringLiteral("矽酸鈣板"), QStringLiteral("隔間")));

        const auto cus = PickLists::customerDetails(*db, QStringLiteral("王\"先生's"));
        QVERIFY(cus);
        QCOMPARE(cus->phone, QStringLiteral("02;1234"));
        QCOMPARE(cus->contact, QStringLiteral("王太太"));
        QVERIFY(!PickLists::customerDetails(*db, QStringLiteral("nobody")));
    }
};

QTEST_GUILESS_MAIN(TestEditorRules)
#include "tst_editorrules.moc"
