// The links editor's three lists and what 確定 writes: moves, duplicates in the vocabulary, an
// empty vocabulary keeping the links, and a failed write leaving the links as they were.
#include "SupplyLinks.h"
#include "MainDbFixture.h"
#include "mdM.h"

#include <QtTest/QtTest>

using namespace records;

class TestSupplyLinks : public QObject {
    Q_OBJECT
    MainDbFixture m_fx;
    db::DatabasePtr& m_db = m_fx.db;
    const QString kVendor = QStringLiteral("大同拆除工程行");

    LinkKind work() const { return *linkKind(QStringLiteral("w")); }

private slots:
    void init() { QVERIFY(m_fx.setUp()); }
    void cleanup() { m_fx.tearDown(); }

    void modes() {
        QVERIFY(linkKind(QStringLiteral("w")));
        QCOMPARE(linkKind(QStringLiteral("p"))->table, QStringLiteral("商vs料"));
        QVERIFY(!linkKind(QStringLiteral("W"))); // compared exactly
        QVERIFY(!linkKind(QString()));
    }

    void loadOffersOnlyUnlinkedNames() {
        SupplyLinkLists l;
        l.load(*m_db, work(), kVendor);
        QCOMPARE(l.owned, (QStringList{QStringLiteral("拆除"), QStringLiteral("清潔")}));
        QVERIFY(l.added.isEmpty());
        QVERIFY(!l.all.contains(QStringLiteral("拆除")));
        QVERIFY(l.all.contains(QStringLiteral("泥作")));
        QCOMPARE(l.all.first(), QStringLiteral("泥作")); // vocabulary order without 拆除
    }

    void addRemoveAndConfirm() {
        SupplyLinkLists l;
        l.load(*m_db, work(), kVendor);
        const int allBefore = int(l.all.size());
        l.add({});
        l.remove({});
        QCOMPARE(l.all.size(), allBefore);
        l.add({1, 0, 1}); // picked top to bottom, once each
        QCOMPARE(l.added, (QStringList{QStringLiteral("泥作"), QStringLiteral("水電")}));
        QCOMPARE(l.all.size(), allBefore - 2);
        l.remove({0});
        QCOMPARE(l.owned, QStringList{QStringLiteral("清潔")});
        QCOMPARE(l.all.last(), QStringLiteral("拆除"));
        l.write(*m_db, work(), kVendor);
        QCOMPARE(readLinks(*m_db, work(), kVendor),
                 (QStringList{QStringLiteral("清潔"), QStringLiteral("泥作"), QStringLiteral("水電")}));
        // Removing every link and confirming leaves none.
        l.load(*m_db, work(), kVendor);
        l.remove({0, 1, 2});
        l.write(*m_db, work(), kVendor);
        QVERIFY(readLinks(*m_db, work(), kVendor).isEmpty());
    }

    void linkedNameMissingFromTheVocabularyStays() {
        m_db->execute(QStringLiteral("INSERT INTO 商vs工 VALUES (?, '古蹟修復')"), {kVendor});
        SupplyLinkLists l;
        l.load(*m_db, work(), kVendor);
        QVERIFY(l.owned.contains(QStringLiteral("古蹟修復")));
        l.remove({int(l.owned.indexOf(QStringLiteral("古蹟修復")))});
        QCOMPARE(l.all.last(), QStringLiteral("古蹟修復"));
    }

    void vocabularyDuplicates() {
        m_db->execute(QStringLiteral("INSERT INTO 工班 (工班) VALUES ('泥作')"));
        SupplyLinkLists l;
        l.load(*m_db, work(), kVendor);
        QCOMPARE(l.all.count(QStringLiteral("泥作")), 2);
        l.add({int(l.all.indexOf(QStringLiteral("泥作"))), int(l.all.lastIndexOf(QStringLiteral("泥作")))});
        QCOMPARE(l.all.count(QStringLiteral("泥作")), 0);
        l.write(*m_db, work(), kVendor);
        QCOMPARE(readLinks(*m_db, work(), kVendor).count(QStringLiteral("泥作")), 2);
    }

    void emptyVocabularyKeepsTheLinks() {
        m_db->execute(QStringLiteral("DELETE FROM 工班"));
        SupplyLinkLists l;
        l.load(*m_db, work(), kVendor);
        QVERIFY(l.all.isEmpty());
        QCOMPARE(l.owned.size(), 2);
        l.write(*m_db, work(), kVendor);
        QCOMPARE(readLinks(*m_db, work(), kVendor).size(), 2);
    }

    void failedWriteRollsBack() {
        SupplyLinkLists l;
        l.load(*m_db, work(), kVendor);
        l.add({0});
        // A trigger refuses the added name after the old links were deleted.
        m_db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 商vs工 WHEN NEW.工 = '泥作' "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QVERIFY_THROWS_EXCEPTION(db::DbError, l.write(*m_db, work(), kVendor));
        QCOMPARE(readLinks(*m_db, work(), kVendor), (QStringList{QStringLiteral("拆除"), QStringLiteral("清潔")}));
        QVERIFY(!m_db->inTransaction());
        // Nor are links written for a vendor another workstation deleted meanwhile.
        m_db->execute(QStringLiteral("DROP TRIGGER refuse"));
        db::Database::open(m_db->path(), QString::fromUtf8(mdM::kMainDbPassword))
            ->execute(QStringLiteral("DELETE FROM 廠商 WHERE 廠商名稱 = ?"), {kVendor});
        QVERIFY(!l.write(*m_db, work(), kVendor));
        QCOMPARE(readLinks(*m_db, work(), kVendor).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSupplyLinks)
#include "tst_supplylinks.moc"
