// The record tables through the store: rows by position, names that hold quotes, the browse
// lists, numbering from the stored numbers, the full-text search and vendor deletion.
#include "FieldCodec.h"
#include "RecordStore.h"
#include "MainDbFixture.h"

#include <QtTest/QtTest>

using namespace records;

class TestRecordStore : public QObject {
    Q_OBJECT
    MainDbFixture m_fx;
    db::DatabasePtr& m_db = m_fx.db;

    // A customer row with the given number and name and every other box filled from `fill`.
    void addCustomer(const QString& number, const QString& name, const QString& remarks = {}) {
        BoxValues boxes;
        boxes.insert(QStringLiteral("T1"), number);
        boxes.insert(QStringLiteral("T2"), name);
        boxes.insert(QStringLiteral("T3"), name.left(4));
        boxes.insert(QStringLiteral("T35"), remarks);
        RecordStore(*m_db, customerKind()).insert(encodeRecord(customerKind(), boxes, false));
    }
    int count(const QString& sql, const QVariantList& params = {}) {
        return m_db->scalar(sql, params).toInt();
    }

private slots:
    void init() { QVERIFY(m_fx.setUp()); }
    void cleanup() { m_fx.tearDown(); }

    void quotedNamesSaveShowEditDelete() {
        RecordStore s(*m_db, customerKind());
        const int before = count(QStringLiteral("SELECT count(*) FROM 客戶"));
        const QString name = QStringLiteral("O'Brien's 室內");
        addCustomer(QStringLiteral("O001"), name);
        auto row = s.load(name);
        QVERIFY(row);
        QCOMPARE(row->at(1).toString(), name);
        BoxValues boxes = decodeRecord(customerKind(), *row);
        boxes.insert(QStringLiteral("T9"), QStringLiteral("a@b.tw"));
        QCOMPARE(s.update(name, encodeRecord(customerKind(), boxes, true)), 1);
        QCOMPARE(s.load(name)->at(8).toString(), QStringLiteral("a@b.tw"));
        // A crafted name reaches no other row.
        QCOMPARE(s.remove(QStringLiteral("x' or '1'='1")), 0);
        QCOMPARE(s.update(QStringLiteral("' or 1=1 --"), encodeRecord(customerKind(), boxes, true)), 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM 客戶")), before + 1);
        QCOMPARE(s.remove(name), 1);
        QVERIFY(!s.load(name));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM 客戶")), before);
    }

    void duplicateNameIsRefused() {
        addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"));
        try {
            addCustomer(QStringLiteral("A002"), QStringLiteral("ACME"));
            QFAIL("a second Acme was stored");
        } catch (const db::DbError& e) {
            QCOMPARE(e.number(), int(db::ErrDuplicateKey));
        }
    }

    void groupListsAndSuccessors() {
        m_db->execute(QStringLiteral("DELETE FROM 客戶"));
        RecordStore s(*m_db, customerKind());
        QString shown;
        QVERIFY(s.listGroup(QStringLiteral("01"), &shown).isEmpty());
        QCOMPARE(shown, QStringLiteral("Z"));
        addCustomer(QStringLiteral("10002"), QStringLiteral("乙"));
        addCustomer(QStringLiteral("10001"), QStringLiteral("丙"));
        addCustomer(QStringLiteral("A003"), QStringLiteral("Apex"));
        addCustomer(QStringLiteral("B101"), QStringLiteral("Bee"));
        m_db->execute(QStringLiteral("UPDATE 客戶 SET 公司地址 = ?, 電話1 = ? WHERE 客戶名稱 = ?"),
                      {QStringLiteral("台北市;中山北路"), QStringLiteral("02;765"), QStringLiteral("Apex")});
        GridRows rows = s.listGroup(QStringLiteral("01"), &shown);
        QCOMPARE(shown, QStringLiteral("10"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).at(1), QStringLiteral("10001")); // by number
        QCOMPARE(rows.at(0).size(), 7);
        rows = s.listGroup(QStringLiteral("A0"), &shown);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).at(3), QStringLiteral("台北市 中山北路"));
        QCOMPARE(rows.at(0).at(4), QStringLiteral("02 765"));
        s.listGroup(QStringLiteral("A1"), &shown);
        QCOMPARE(shown, QStringLiteral("B"));
        QCOMPARE(s.listGroup(QString(), &shown).size(), 4);
        // LIKE's wildcards in a group are plain characters.
        QVERIFY(s.listGroup(QStringLiteral("Z_"), &shown).isEmpty());
    }

    void numbersProposedFromTheStore() {
        RecordStore s(*m_db, customerKind());
        m_db->execute(QStringLiteral("DELETE FROM 客戶"));
        QCOMPARE(s.proposeNumber(QStringLiteral("apple")), QStringLiteral("A001"));
        addCustomer(QStringLiteral("A999"), QStringLiteral("Apple"));
        QCOMPARE(s.proposeNumber(QStringLiteral("Avocado")), QStringLiteral("A1000"));
        addCustomer(QStringLiteral("A1000"), QStringLiteral("Avocado"));
        QCOMPARE(s.proposeNumber(QStringLiteral("Apricot")), QStringLiteral("A1001"));
        addCustomer(QStringLiteral("04007"), QStringLiteral("王一"));
        QCOMPARE(s.proposeNumber(QStringLiteral("王二")), QStringLiteral("04008"));
        QCOMPARE(s.proposeNumber(QString()), QString());
    }

    void searchIsLiteral_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names"); // hits' names in order
        QTest::newRow("quote (name and short name)") << "O'B" << QStringList{"O'Brien", "O'Brien"};
        QTest::newRow("percent") << "100%" << QStringList{"Pct"};
        QTest::newRow("underscore") << "a_b" << QStringList{"Under"};
        QTest::newRow("star and question mark") << "*?" << QStringList{"Star"};
        QTest::newRow("ASCII case ignored") << "o'b" << QStringList{"O'Brien", "O'Brien"};
        QTest::newRow("backslash") << "c:\\x" << QStringList{"Slash"};
    }
    void searchIsLiteral() {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        m_db->execute(QStringLiteral("DELETE FROM 客戶"));
        addCustomer(QStringLiteral("O001"), QStringLiteral("O'Brien"));
        addCustomer(QStringLiteral("P001"), QStringLiteral("Pct"), QStringLiteral("打折 100% 現金"));
        addCustomer(QStringLiteral("U001"), QStringLiteral("Under"), QStringLiteral("a_b"));
        addCustomer(QStringLiteral("U002"), QStringLiteral("Other"), QStringLiteral("axb 100 percent"));
        addCustomer(QStringLiteral("S001"), QStringLiteral("Star"), QStringLiteral("*?"));
        addCustomer(QStringLiteral("S002"), QStringLiteral("Slash"), QStringLiteral("c:\\x"));
        QStringList found;
        for (const SearchHit& h : RecordStore(*m_db, customerKind()).search(text))
            found << h.name;
        QCOMPARE(found, names);
    }

    void searchHitsPerColumnSortedByName() {
        m_db->execute(QStringLiteral("DELETE FROM 客戶"));
        addCustomer(QStringLiteral("B001"), QStringLiteral("Beta 林"), QStringLiteral("林口"));
        addCustomer(QStringLiteral("A001"), QStringLiteral("Alpha"), QStringLiteral("林"));
        const QVector<SearchHit> hits = RecordStore(*m_db, customerKind()).search(QStringLiteral("林"));
        QCOMPARE(hits.size(), 3);
        QCOMPARE(hits.at(0).name, QStringLiteral("Alpha"));
        QCOMPARE(hits.at(1).column, QStringLiteral("客戶名稱")); // a record's hits in column order
        QCOMPARE(hits.at(2).column, QStringLiteral("備註"));
        QCOMPARE(searchLine(hits.at(2)), QStringLiteral("在 (備註) 有  -->    林口"));
    }

    void staffSearchSkipsPasswordAndRights() {
        RecordStore s(*m_db, staffKind());
        const QString pass = m_db->scalar(QStringLiteral("SELECT pass FROM 員工 WHERE pass <> '' LIMIT 1")).toString();
        QVERIFY(!pass.isEmpty());
        for (const SearchHit& h : s.search(pass))
            QVERIFY(h.column != QStringLiteral("pass"));
        for (const SearchHit& h : s.search(QStringLiteral("4095")))
            QVERIFY(h.column != QStringLiteral("權限"));
    }

    // A vendor deleted, then added again under its name, starts without links, also when an
    // earlier build left links without their vendor.
    void vendorDeleteTakesItsLinks_data() {
        QTest::addColumn<bool>("linksLeftBehind");
        QTest::newRow("deleted here") << false;
        QTest::newRow("links left by an earlier build") << true;
    }
    void vendorDeleteTakesItsLinks() {
        QFETCH(bool, linksLeftBehind);
        RecordStore s(*m_db, vendorKind());
        const QString vendor = m_db->scalar(QStringLiteral("SELECT 廠商名稱 FROM 廠商 LIMIT 1")).toString();
        m_db->execute(QStringLiteral("INSERT INTO 商vs工 VALUES (?, ?)"), {vendor, QStringLiteral("木工")});
        m_db->execute(QStringLiteral("INSERT INTO 商vs料 VALUES (?, ?)"), {vendor, QStringLiteral("磁磚")});
        const int otherLinks = count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 廠商名稱 <> ?"), {vendor});
        QCOMPARE(s.remove(vendor), 1);
        if (linksLeftBehind)
            m_db->execute(QStringLiteral("INSERT INTO 商vs料 VALUES (?, ?)"), {vendor, QStringLiteral("磁磚")});
        s.insert({{0, QStringLiteral("V001")}, {1, vendor}, {2, vendor.left(4)}});
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 廠商名稱 = ?"), {vendor}), 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM 商vs料 WHERE 廠商名稱 = ?"), {vendor}), 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 廠商名稱 <> ?"), {vendor}), otherLinks);
    }

    void vendorSupplyAndCategoryLists() {
        RecordStore s(*m_db, vendorKind());
        const QString vendor = m_db->scalar(QStringLiteral("SELECT 廠商名稱 FROM 廠商 LIMIT 1")).toString();
        m_db->execute(QStringLiteral("INSERT INTO 商vs工 VALUES (?, ?)"), {vendor, QStringLiteral("特殊工班'")});
        const GridRows rows = s.listSupply(QStringLiteral("W"), QStringLiteral("特殊工班'"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).at(2), vendor);
        QVERIFY(s.listSupply(QStringLiteral("x"), QStringLiteral("特殊工班'")).isEmpty());
        const QStringList categories = s.categoryFilter();
        QVERIFY(!categories.isEmpty());
        QVERIFY(!s.listCategory(categories.first()).isEmpty());
        QVERIFY(s.listCategory(QStringLiteral("' or '1'='1")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
