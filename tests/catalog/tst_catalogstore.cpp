// The catalogue store: keyed and whole-list rewrites, renames and deletes by name, renumbering, the
// markups that follow their work item, and a failure in the middle of a write leaving the old rows.
#include "CatalogDb.h"
#include "CatalogStore.h"

#include <QtTest>

using namespace catalog;

class TestCatalogStore : public QObject {
    Q_OBJECT
private:
    CatalogDb fx;
    CatalogStore store() { return CatalogStore(fx.db); }
    QStringList markupNames(const QString& item) {
        return fx.texts(QStringLiteral("SELECT d FROM w2d WHERE w = ? COLLATE BINARY ORDER BY sort"), {item});
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void areaRewriteTouchesOnlyItsCategory() {
        const QStringList before = fx.texts(QStringLiteral("SELECT k, a, sort FROM k2a WHERE k <> '住宅' ORDER BY rowid"));
        QStringList areas;
        for (int i = 1; i <= 25; ++i)
            areas << QStringLiteral("區%1").arg(i);
        store().saveAreas(QStringLiteral("住宅"), areas);
        QCOMPARE(fx.texts(QStringLiteral("SELECT k, a, sort FROM k2a WHERE k <> '住宅' ORDER BY rowid")), before);
        QCOMPARE(store().areas(QStringLiteral("住宅")), areas);
        QCOMPARE(fx.texts(QStringLiteral("SELECT sort FROM k2a WHERE k = '住宅' ORDER BY sort")).last(),
                 QStringLiteral("25"));
    }

    // Names that are also column names, or hold quotes, touch only their own rows.
    void awkwardNamesStayTheirOwn_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("column name k") << QStringLiteral("k");
        QTest::newRow("column name a") << QStringLiteral("a");
        QTest::newRow("column name sort") << QStringLiteral("sort");
        QTest::newRow("single quote") << QStringLiteral("O'Neil's");
        QTest::newRow("double quote") << QStringLiteral("3\" 管");
        QTest::newRow("both quotes") << QStringLiteral("'\"\"'");
    }
    void awkwardNamesStayTheirOwn() {
        QFETCH(QString, name);
        CatalogStore s = store();
        s.addMasterEntry(categoriesList(), QStringLiteral("ab"));
        s.saveAreas(QStringLiteral("ab"), {QStringLiteral("小寫")});
        s.addMasterEntry(categoriesList(), name);
        s.saveAreas(name, {QStringLiteral("x"), QStringLiteral("y")});
        const int total = fx.count(QStringLiteral("SELECT count(*) FROM k2a"));
        s.saveAreas(name, {QStringLiteral("z")});
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM k2a")), total - 1);
        QCOMPARE(s.areas(name), QStringList{QStringLiteral("z")});
        QCOMPARE(s.areas(QStringLiteral("住宅")).size(), 15);
        QCOMPARE(s.areas(QStringLiteral("ab")), QStringList{QStringLiteral("小寫")});

        s.renameMasterEntry(categoriesList(), name, name + QStringLiteral("2"));
        QCOMPARE(s.areas(name + QStringLiteral("2")), QStringList{QStringLiteral("z")});
        s.deleteMasterEntry(categoriesList(), name + QStringLiteral("2"));
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM k2a")), total - 2);
        QCOMPARE(s.categories().size(), 6);

        // Work items and markups of such a name.
        s.addMasterEntry(workKindsList(), name);
        s.saveWorkItems(name, {{{name, QStringLiteral("式"), QStringLiteral("10"), QStringLiteral("1.3")}, {}}}, {});
        s.saveMarkups(name, {{QStringLiteral("d"), QStringLiteral("5")}});
        QCOMPARE(s.workItems(name).size(), 1);
        QCOMPARE(s.markups(name), (QVector<Markup>{{QStringLiteral("d"), QStringLiteral("5")}}));
        QCOMPARE(s.workItems(QStringLiteral("拆除工程")).size(), 6);
    }

    // Names that differ only in the case of A to Z are one name, as the quotation editor's pick
    // lists and the printouts' saved queries read them.
    void letterCaseIsOneName() {
        CatalogStore s = store();
        s.addMasterEntry(categoriesList(), QStringLiteral("AB"));
        s.saveAreas(QStringLiteral("AB"), {QStringLiteral("x")});
        QVERIFY(s.masterContains(categoriesList(), QStringLiteral("ab")));
        QCOMPARE(s.areas(QStringLiteral("ab")), QStringList{QStringLiteral("x")});
        QCOMPARE(fx.texts(QStringLiteral("SELECT a FROM k2a WHERE k = ?"), {QStringLiteral("aB")}),
                 s.areas(QStringLiteral("Ab")));

        // A change of case only renames: the entry keeps its place and its areas.
        const int places = int(s.categories().size());
        s.renameMasterEntry(categoriesList(), QStringLiteral("AB"), QStringLiteral("ab"));
        QCOMPARE(s.categories().size(), places);
        QCOMPARE(s.categories().last(), QStringLiteral("ab"));
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM k2a WHERE k = 'ab' COLLATE BINARY")), 1);

        // A work item whose case changes keeps one set of markups, spelt the new way.
        const QString kind = QStringLiteral("拆除工程");
        QVector<WorkItemLine> lines;
        for (const WorkItem& w : s.workItems(kind))
            lines.append(WorkItemLine{w, w.name});
        lines.append(WorkItemLine{{QStringLiteral("Pipe"), QStringLiteral("式"), QStringLiteral("1"), QStringLiteral("1")}, {}});
        s.saveWorkItems(kind, lines, {});
        s.saveMarkups(QStringLiteral("Pipe"), {{QStringLiteral("d"), QStringLiteral("5")}});
        lines.last().loadedName = QStringLiteral("Pipe");
        lines.last().item.name = QStringLiteral("PIPE");
        s.saveWorkItems(kind, lines, {});
        QCOMPARE(s.markups(QStringLiteral("PIPE")), (QVector<Markup>{{QStringLiteral("d"), QStringLiteral("5")}}));
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM w2d WHERE w = 'PIPE' COLLATE BINARY")), 1);

        // Deleting the item under another spelling takes its markups along.
        lines.removeLast();
        s.saveWorkItems(kind, lines, {QStringLiteral("pipe")});
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM w2d WHERE w = 'pipe'")), 0);

        s.deleteMasterEntry(categoriesList(), QStringLiteral("AB"));
        QVERIFY(!s.masterContains(categoriesList(), QStringLiteral("ab")));
        QCOMPARE(s.categories().size(), places - 1);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM k2a WHERE k = 'ab'")), 0);
    }

    // A write that fails half-way leaves every old row.
    void failedWritesLeaveTheOldRows() {
        CatalogStore s = store();
        const QStringList areas = s.areas(QStringLiteral("住宅"));
        fx.failInsert(QStringLiteral("k2a"), QStringLiteral("a"), QStringLiteral("boom"));
        QVERIFY_THROWS_EXCEPTION(db::DbError, s.saveAreas(QStringLiteral("住宅"), {QStringLiteral("x"), QStringLiteral("boom")}));
        QCOMPARE(s.areas(QStringLiteral("住宅")), areas);

        const QVector<WorkItem> items = s.workItems(QStringLiteral("泥作工程"));
        const QStringList markups = markupNames(QStringLiteral("地坪磁磚貼工"));
        fx.failInsert(QStringLiteral("t2w"), QStringLiteral("w"), QStringLiteral("boom"));
        QVector<WorkItemLine> lines{{{QStringLiteral("新名"), {}, {}, {}}, QStringLiteral("地坪磁磚貼工")},
                                    {{QStringLiteral("boom"), {}, {}, {}}, {}}};
        QVERIFY_THROWS_EXCEPTION(db::DbError, s.saveWorkItems(QStringLiteral("泥作工程"), lines, {QStringLiteral("紅磚隔間牆")}));
        QCOMPARE(s.workItems(QStringLiteral("泥作工程")), items);
        QCOMPARE(markupNames(QStringLiteral("地坪磁磚貼工")), markups);

        fx.failInsert(QStringLiteral("w2d"), QStringLiteral("d"), QStringLiteral("boom"));
        QVERIFY_THROWS_EXCEPTION(db::DbError, s.saveMarkups(QStringLiteral("地坪磁磚貼工"), {{QStringLiteral("boom"), {}}}));
        QCOMPARE(markupNames(QStringLiteral("地坪磁磚貼工")), markups);

        // The vocabulary rewrite: list 12 fails after lists 0 to 11 were rewritten.
        const QStringList units = s.vocabulary(0);
        fx.db->executeScript(QStringLiteral("CREATE TRIGGER fail_sc BEFORE INSERT ON sc WHEN NEW.sc > 99 "
                                            "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
        QMap<int, QVector<VocabularyEntry>> lists;
        lists[0] = {{QStringLiteral("只剩一個"), {}}};
        lists[12] = {{QStringLiteral("100"), {}}};
        QVERIFY_THROWS_EXCEPTION(db::DbError, s.saveVocabularies(lists));
        QCOMPARE(s.vocabulary(0), units);
        QVERIFY(!s.vocabulary(12).isEmpty());

        // Deleting a category fails in the renumbering: its areas and the ids stay.
        fx.failInsert(QStringLiteral("別"), QStringLiteral("k"), QStringLiteral("店面"));
        const QStringList ids = fx.texts(QStringLiteral("SELECT k_id, k FROM 別 ORDER BY k_id"));
        QVERIFY_THROWS_EXCEPTION(db::DbError, s.deleteMasterEntry(categoriesList(), QStringLiteral("住宅")));
        QCOMPARE(fx.texts(QStringLiteral("SELECT k_id, k FROM 別 ORDER BY k_id")), ids);
        QCOMPARE(s.areas(QStringLiteral("住宅")), areas);

        // A read-only handle: the ordered list's delete fails whole.
        const QStringList cats = s.categories();
        auto ro = db::Database::open(fx.db->path(), QString::fromUtf8(mdM::kMainDbPassword));
        ro->executeScript(QStringLiteral("PRAGMA query_only = ON;"));
        CatalogStore readOnly(ro);
        QVERIFY_THROWS_EXCEPTION(db::DbError, readOnly.deleteMasterEntry(categoriesList(), QStringLiteral("住宅")));
        QCOMPARE(s.categories(), cats);
        QCOMPARE(s.areas(QStringLiteral("住宅")), areas);
    }

    void masterListRenumbering() {
        CatalogStore s = store();
        const MasterList& kinds = workKindsList();
        s.addMasterEntry(kinds, QStringLiteral("新工程"));
        QCOMPARE(fx.count(QStringLiteral("SELECT t_id FROM 種 WHERE t = '新工程'")), 12);
        QVERIFY(s.masterContains(kinds, QStringLiteral("新工程")));
        QVERIFY(!s.masterContains(kinds, QStringLiteral("新工程 ")));

        // Deleting a kind takes its items and renumbers the ids at once; the markups of its items
        // go unless another kind still has an item of that name.
        s.saveWorkItems(QStringLiteral("新工程"), {{{QStringLiteral("木作衣櫃"), {}, {}, {}}, {}}}, {});
        s.deleteMasterEntry(kinds, QStringLiteral("泥作工程"));
        QCOMPARE(fx.texts(QStringLiteral("SELECT t_id FROM 種 ORDER BY t_id")).join(QLatin1Char(',')),
                 QStringLiteral("1,2,3,4,5,6,7,8,9,10,11"));
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM t2w WHERE t = '泥作工程'")), 0);
        QVERIFY(markupNames(QStringLiteral("地坪磁磚貼工")).isEmpty());
        s.deleteMasterEntry(kinds, QStringLiteral("木作工程"));
        QCOMPARE(markupNames(QStringLiteral("木作衣櫃")).size(), 4); // still an item of 新工程

        // Reordering rewrites the ids in the new order; the links follow by name.
        QStringList order = s.workKinds();
        std::reverse(order.begin(), order.end());
        s.saveOrder(kinds, order);
        QCOMPARE(s.workKinds(), order);
        QCOMPARE(fx.count(QStringLiteral("SELECT t_id FROM 種 WHERE t = '新工程'")), 1);
        QCOMPARE(s.workItems(QStringLiteral("新工程")).size(), 1);
    }

    void renameMovesLinksOrMerges() {
        CatalogStore s = store();
        const MasterList& cats = categoriesList();
        s.renameMasterEntry(cats, QStringLiteral("店面"), QStringLiteral("商店"));
        QCOMPARE(s.categories().at(1), QStringLiteral("商店"));
        QCOMPARE(s.areas(QStringLiteral("商店")).size(), 8);
        QVERIFY(s.areas(QStringLiteral("店面")).isEmpty());

        // Onto an existing name: the areas follow after the target's own, one row of the name left.
        s.renameMasterEntry(cats, QStringLiteral("診所"), QStringLiteral("餐廳"));
        QCOMPARE(s.categories(), (QStringList{QStringLiteral("住宅"), QStringLiteral("商店"),
                                              QStringLiteral("辦公室"), QStringLiteral("餐廳")}));
        const QStringList merged = s.areas(QStringLiteral("餐廳"));
        QCOMPARE(merged.size(), 14);
        QCOMPARE(merged.at(6), QStringLiteral("全室"));
        QCOMPARE(merged.at(7), QStringLiteral("候診區"));
        QCOMPARE(fx.texts(QStringLiteral("SELECT k_id FROM 別 ORDER BY k_id")).join(QLatin1Char(',')),
                 QStringLiteral("1,2,3,4"));
    }

    void workItemRenameCarriesMarkups() {
        CatalogStore s = store();
        const QString kind = QStringLiteral("泥作工程");
        QVector<WorkItemLine> lines;
        for (const WorkItem& w : s.workItems(kind))
            lines.append(WorkItemLine{w, w.name});
        // Two items trade names, a third is renamed.
        lines[2].item.name = QStringLiteral("地坪磁磚貼工"); // was 壁面磁磚貼工
        lines[3].item.name = QStringLiteral("壁面磁磚貼工"); // was 地坪磁磚貼工
        lines[0].item.name = QStringLiteral("地坪粉光");
        const QStringList floor = markupNames(QStringLiteral("地坪磁磚貼工"));
        const QStringList wall = markupNames(QStringLiteral("壁面磁磚貼工"));
        s.saveWorkItems(kind, lines, {});
        QCOMPARE(markupNames(QStringLiteral("壁面磁磚貼工")), floor);
        QCOMPARE(markupNames(QStringLiteral("地坪磁磚貼工")), wall);

        // The old name still held by another kind's item: the markups are copied.
        s.saveWorkItems(QStringLiteral("拆除工程"), {{{QStringLiteral("木作衣櫃"), {}, {}, {}}, {}}}, {});
        QVector<WorkItemLine> wood;
        for (const WorkItem& w : s.workItems(QStringLiteral("木作工程")))
            wood.append({w, w.name});
        wood[1].item.name = QStringLiteral("系統衣櫃");
        s.saveWorkItems(QStringLiteral("木作工程"), wood, {});
        QCOMPARE(markupNames(QStringLiteral("系統衣櫃")).size(), 4);
        QCOMPARE(markupNames(QStringLiteral("木作衣櫃")).size(), 4);
        QCOMPARE(fx.texts(QStringLiteral("SELECT sort FROM w2d WHERE w = '系統衣櫃' ORDER BY sort")).first(),
                 QStringLiteral("2"));
    }

    void workItemDeleteRuleAndNumbers() {
        CatalogStore s = store();
        const QString kind = QStringLiteral("泥作工程");
        QVector<WorkItemLine> lines;
        for (const WorkItem& w : s.workItems(kind))
            lines.append(WorkItemLine{w, w.name});
        lines.removeAt(3); // 地坪磁磚貼工
        lines[0].item.cost = QStringLiteral("12.5");
        lines[1].item.ratio = QString();
        lines.append(WorkItemLine{{QString(), QStringLiteral("式"), QString(), QString()}, {}});
        lines.append(WorkItemLine{{QStringLiteral("新項"), QStringLiteral("式"), QStringLiteral("abc"), QStringLiteral("1.2")}, {}});
        s.saveWorkItems(kind, lines, {QStringLiteral("地坪磁磚貼工")});
        QVERIFY(markupNames(QStringLiteral("地坪磁磚貼工")).isEmpty());
        QCOMPARE(fx.texts(QStringLiteral("SELECT sort, c, s FROM t2w WHERE t = ? ORDER BY sort"), {kind}),
                 (QStringList{QStringLiteral("2|12.5|1.3"), QStringLiteral("3|2500|0"), QStringLiteral("4|3200|1.3"),
                              QStringLiteral("5|5500|1.3"), QStringLiteral("6|800|1.3"), QStringLiteral("7|0|0"),
                              QStringLiteral("8|0|1.2")}));

        // A deleted name typed again into a new line keeps its markups.
        lines.clear();
        for (const WorkItem& w : s.workItems(QStringLiteral("木作工程")))
            lines.append(WorkItemLine{w, w.name});
        lines.removeAt(1);
        lines.append(WorkItemLine{{QStringLiteral("木作衣櫃"), {}, {}, {}}, {}});
        s.saveWorkItems(QStringLiteral("木作工程"), lines, {QStringLiteral("木作衣櫃")});
        QCOMPARE(markupNames(QStringLiteral("木作衣櫃")).size(), 4);

        // A number no cell can show, stored elsewhere and merged in, is refused naming its row.
        const QVector<WorkItem> loaded = s.workItems(QStringLiteral("木作工程")); // 書櫃 fourth
        fx.db->execute(QStringLiteral("UPDATE t2w SET s = 1e20 WHERE w = '書櫃'"));
        try {
            s.saveWorkItems(QStringLiteral("木作工程"), {{loaded.at(3), loaded.at(3).name}}, {}, loaded, true);
        } catch (const NumberTooLong& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("【書櫃】的比例數字過長：100000000000000000000"));
        }
        QCOMPARE(s.workItems(QStringLiteral("木作工程")).size(), loaded.size());

        // Nothing left: the kind stores nothing.
        s.saveWorkItems(kind, {}, {});
        QVERIFY(s.workItems(kind).isEmpty());
        QCOMPARE(s.workItems(QStringLiteral("拆除工程")).size(), 6);
    }

    // Another workstation changes the rows between the load and the write: a write over the rows
    // loaded is refused and writes nothing, and only a change of the rows themselves may be
    // overwritten; a parent row that is gone refuses every write.
    void rewriteOverStaleRows_data() {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("parentGone");
        QTest::newRow("areas, an area added") << "areas" << "INSERT INTO k2a (k, a, sort) VALUES ('住宅', '新區域', 99)" << false;
        QTest::newRow("areas, the category renamed") << "areas" << "UPDATE 別 SET k = '住家' WHERE k = '住宅'" << true;
        QTest::newRow("work items, an item added")
            << "items" << "INSERT INTO t2w (t, w, sort) VALUES ('泥作工程', '新增品名', 99)" << false;
        QTest::newRow("work items, the kind deleted") << "items" << "DELETE FROM 種 WHERE t = '泥作工程'" << true;
        QTest::newRow("markups, a markup added")
            << "markups" << "INSERT INTO w2d (w, d, c, sort) VALUES ('木作衣櫃', '新加成', 5, 99)" << false;
        QTest::newRow("markups, the item deleted") << "markups" << "DELETE FROM t2w WHERE w = '木作衣櫃'" << true;
        QTest::newRow("vocabulary, an entry added") << "vocabulary" << "INSERT INTO 地區 (sort, 地) VALUES (99, '金馬')" << false;
    }
    void rewriteOverStaleRows() {
        QFETCH(QString, writer);
        QFETCH(QString, change);
        QFETCH(bool, parentGone);
        CatalogStore s = store();
        const int areaList = 2; // 地區
        const QStringList areas = s.areas(QStringLiteral("住宅"));
        const QVector<WorkItem> items = s.workItems(QStringLiteral("泥作工程"));
        const QVector<Markup> markups = s.markups(QStringLiteral("木作衣櫃"));
        const QStringList entries = s.vocabulary(areaList);
        QVERIFY(!areas.isEmpty() && !items.isEmpty() && !markups.isEmpty() && !entries.isEmpty());
        const auto write = [&](bool overLoaded) {
            if (writer == QLatin1String("areas")) {
                s.saveAreas(QStringLiteral("住宅"), QStringList(areas.mid(1)) << areas.first(),
                            overLoaded ? std::optional(areas) : std::nullopt);
            } else if (writer == QLatin1String("items")) {
                QVector<WorkItemLine> lines;
                for (const WorkItem& w : items)
                    lines.prepend({w, w.name});
                s.saveWorkItems(QStringLiteral("泥作工程"), lines, {}, overLoaded ? std::optional(items) : std::nullopt);
            } else if (writer == QLatin1String("markups")) {
                s.saveMarkups(QStringLiteral("木作衣櫃"), QVector<Markup>(markups.crbegin(), markups.crend()),
                              overLoaded ? std::optional(markups) : std::nullopt);
            } else {
                QVector<VocabularyEntry> list;
                for (const QString& e : entries)
                    list.prepend({e, e});
                s.saveVocabularies({{areaList, list}},
                                   overLoaded ? QMap<int, QStringList>{{areaList, entries}} : QMap<int, QStringList>());
            }
        };
        const auto snapshot = [&] {
            return fx.texts(QStringLiteral("SELECT * FROM k2a")) + fx.texts(QStringLiteral("SELECT * FROM t2w")) +
                   fx.texts(QStringLiteral("SELECT * FROM w2d")) + fx.texts(QStringLiteral("SELECT * FROM 地區"));
        };
        db::Database::open(fx.db->path(), QString::fromUtf8(mdM::kMainDbPassword))->execute(change);
        const QStringList changed = snapshot();
        const auto refusal = [&](bool overLoaded) -> std::optional<StaleRows::Kind> {
            try {
                write(overLoaded);
            } catch (const StaleRows& e) {
                return e.kind();
            }
            return std::nullopt;
        };
        QCOMPARE(refusal(true), std::optional(parentGone ? StaleRows::Kind::ParentGone : StaleRows::Kind::Changed));
        QCOMPARE(snapshot(), changed);
        QCOMPARE(refusal(false), parentGone ? std::optional(StaleRows::Kind::ParentGone) : std::nullopt);
        QCOMPARE(snapshot() == changed, parentGone);
    }

    void markupRewrite() {
        CatalogStore s = store();
        const QString item = QStringLiteral("say \"hi\"");
        fx.db->execute(QStringLiteral("INSERT INTO t2w (t, w, sort) VALUES ('泥作工程', ?, 9)"), {item});
        s.saveMarkups(item, {{QStringLiteral("a"), QStringLiteral("1.5")}, {QString(), QStringLiteral("x")},
                             {QStringLiteral("c"), QString()}});
        QCOMPARE(fx.texts(QStringLiteral("SELECT w, d, c, sort FROM w2d WHERE w = ? ORDER BY sort"), {item}),
                 (QStringList{item + QStringLiteral("|a|1.5|2"), item + QStringLiteral("||0|3"),
                              item + QStringLiteral("|c|0|4")}));
        QCOMPARE(markupNames(QStringLiteral("木作衣櫃")).size(), 4);
    }

    void vocabularyRewrite() {
        CatalogStore s = store();
        QMap<int, QVector<VocabularyEntry>> lists;
        for (int i = 0; i < kVocabularyCount; ++i)
            for (const QString& t : s.vocabulary(i))
                lists[i].append(VocabularyEntry{t, t});
        const QMap<int, QVector<VocabularyEntry>> unchanged = lists;
        const QStringList ratios = s.vocabulary(kRatioList);
        s.saveVocabularies(lists);
        for (int i = 0; i < kVocabularyCount; ++i) {
            QStringList texts;
            for (const VocabularyEntry& e : unchanged.value(i))
                texts << e.text;
            QCOMPARE(s.vocabulary(i), texts);
        }
        QCOMPARE(s.vocabulary(kRatioList), ratios);

        // Reordered, an empty entry in the middle kept, one empty last entry dropped (only one).
        lists[1] = {{QStringLiteral("乙"), {}}, {QString(), {}}, {QStringLiteral("甲"), {}}, {QString(), {}}, {QString(), {}}};
        lists[kRatioList] = {{QStringLiteral("1.5"), {}}, {QString(), {}}, {QStringLiteral("2"), {}}};
        // A work crew renamed carries into the vendors' links; two materials trade texts.
        lists[kCrewList][0].text = QStringLiteral("拆除工");
        lists[kMaterialList][0].text = lists[kMaterialList][1].loadedText.value();
        lists[kMaterialList][1].text = lists[kMaterialList][0].loadedText.value();
        const QString m0 = *lists[kMaterialList][0].loadedText;
        const int m0Links = fx.count(QStringLiteral("SELECT count(*) FROM 商vs料 WHERE 料 = ?"), {m0});
        const int m1Links = fx.count(QStringLiteral("SELECT count(*) FROM 商vs料 WHERE 料 = ?"),
                                     {*lists[kMaterialList][1].loadedText});
        const int crewLinks = fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除'"));
        // An emptied crew is no rename: its links stay.
        lists[kCrewList][1].text.clear();
        s.saveVocabularies(lists);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '泥作'")), 1);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = ''")), 0);
        QCOMPARE(fx.texts(QStringLiteral("SELECT sort, 行 FROM 行業 ORDER BY sort")),
                 (QStringList{QStringLiteral("1|乙"), QStringLiteral("2|"), QStringLiteral("3|甲"), QStringLiteral("4|")}));
        QCOMPARE(fx.texts(QStringLiteral("SELECT sc FROM sc ORDER BY sort")),
                 (QStringList{QStringLiteral("1.5"), QStringLiteral("0"), QStringLiteral("2")}));
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除工'")), crewLinks);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除'")), 0);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs料 WHERE 料 = ?"), {m0}), m1Links);
        QVERIFY(crewLinks > 0 && m0Links > 0);

        // Of two equal crews one is renamed: the other keeps its links, the renamed one gets a copy.
        QVector<VocabularyEntry> crews;
        QStringList texts = s.vocabulary(kCrewList);
        texts << QStringLiteral("拆除工");
        for (const QString& t : texts)
            crews.append({t, t});
        crews.last().text = QStringLiteral("拆除二");
        s.saveVocabularies({{kCrewList, crews}});
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除工'")), crewLinks);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除二'")), crewLinks);

        // Both of two equal crews renamed: each takes the links.
        crews.clear();
        texts = s.vocabulary(kCrewList);
        texts << QStringLiteral("拆除工");
        for (const QString& t : texts)
            crews.append({t, t});
        crews.first().text = QStringLiteral("拆除甲");
        crews.last().text = QStringLiteral("拆除乙");
        s.saveVocabularies({{kCrewList, crews}});
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除甲'")), crewLinks);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除乙'")), crewLinks);
        QCOMPARE(fx.count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 工 = '拆除工'")), 0);
    }

    void numericCells_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << QString() << true << 0.0;
        QTest::newRow("whole") << QStringLiteral("1200") << true << 1200.0;
        QTest::newRow("point") << QStringLiteral("1.25") << true << 1.25;
        QTest::newRow("leading point") << QStringLiteral(".5") << true << 0.5;
        QTest::newRow("trailing point") << QStringLiteral("5.") << true << 5.0;
        QTest::newRow("point alone") << QStringLiteral(".") << false << 0.0;
        QTest::newRow("two points") << QStringLiteral("1.2.3") << false << 0.0;
        QTest::newRow("sign") << QStringLiteral("-5") << false << -5.0; // not typed, yet stored elsewhere
        QTest::newRow("blank") << QStringLiteral(" 5") << false << 0.0;
        QTest::newRow("letters") << QStringLiteral("12a") << false << 0.0;
        QTest::newRow("full-width digits") << QStringLiteral("１２") << false << 0.0;
        QTest::newRow("15 digits") << QString(15, u'9') << true << 999999999999999.0;
        // No cell can show these: never read as another number (1e20, or 0 for 400 nines).
        QTest::newRow("20 digits") << QString(20, u'9') << false << qQNaN();
        QTest::newRow("400 digits") << QString(400, u'9') << false << qQNaN();
    }
    void numericCells() {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        QCOMPARE(isNumericCell(text), numeric);
        if (qIsNaN(value))
            QVERIFY_THROWS_EXCEPTION(NumberTooLong, numericValue(text));
        else
            QCOMPARE(numericValue(text), value);
    }
};

QTEST_GUILESS_MAIN(TestCatalogStore)
#include "tst_catalogstore.moc"
