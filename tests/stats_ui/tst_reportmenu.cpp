// The print menu: opening it fills the report database in the program folder; its items preview
// the cover-page and details reports; failures show their reason.
#include "../stats/StatsFixture.h"
#include "Report.h"
#include "ReportMenu.h"
#include "ScriptedDialogs.h"
#include "StaDb.h"
#include "TempProgramFolder.h"
#include "db/FaultInjection.h"
#include "mdM.h"

#include <QtTest>

using namespace fixture;

class TstReportMenu : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;
    QStringList m_previewed; // report name and page count of every preview

private slots:
    void init() {
        mdM::ResetState();
        m_folder = std::make_unique<TempProgramFolder>();
        QVERIFY(m_folder->isValid());
        mdM::MainDb = db::Database::open(m_folder->createMainDb(), QString::fromUtf8(mdM::kMainDbPassword));
        m_previewed.clear();
        report::Report::setPreviewOverride([this](const report::Report& r, QWidget*) {
            m_previewed << r.layout().name + u':' + QString::number(r.pageCount());
        });
    }
    void cleanup() {
        report::Report::setPreviewOverride({});
        mdM::MainDb.reset();
        mdM::ResetState();
        m_folder.reset();
    }

    void fillThenPreview() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"客廳", "木作"}), items(40));
        mdM::QuoteCustPhone = QStringLiteral("02-999");
        int mode = 0;
        QVERIFY(!QFile::exists(m_folder->file(QStringLiteral("ptdemo.mdb"))));
        QVERIFY(stats::mP_Click(doc, nullptr, mode));
        QCOMPARE(mode, 2);
        auto data = db::Database::open(m_folder->file(QStringLiteral("ptdemo.mdb")));
        QCOMPARE(data->openRecordset(QStringLiteral("phead")).text(QStringLiteral("ct")),
                 QStringLiteral("02-999"));
        // Another copy of the program empties the tables to refill them: the items show what this
        // opening filled.
        for (const char* t : {"phead", "pfp", "pbody"})
            data->execute(QStringLiteral("DELETE FROM ") + QLatin1String(t));
        stats::mPfp_Click(nullptr);
        stats::mPdt_Click(nullptr);
        // 40 items, a heading and a subtotal: 42 lines and 33 - 8 blank ones, two pages.
        QCOMPARE(m_previewed, QStringList({"fpdemo:1", "pbdemo:2"}));

        doc.WorkTypesOnly = true;
        QVERIFY(stats::mP_Click(doc, nullptr, mode));
        QCOMPARE(mode, 1);
    }

    void failuresAreShown() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"A"}), items(1));
        mdM::MainDb->execute(QStringLiteral("DELETE FROM company"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        int mode = 0;
        QVERIFY(!stats::mP_Click(doc, nullptr, mode));
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
        QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("找不到公司資料")));
        QCOMPARE(mode, 2); // the grouping is set all the same, for the spreadsheet printouts

        // A damaged report database.
        QFile::remove(m_folder->file(QStringLiteral("ptdemo.mdb")));
        {
            QFile damaged(m_folder->file(QStringLiteral("ptdemo.mdb")));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(QByteArray(4096, 'x'));
        }
        dialogs.expectMessage();
        stats::mPdt_Click(nullptr);
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QVERIFY(m_previewed.isEmpty());
    }

    // A filling that fails half-way keeps the tables of the last quotation whole, and the items
    // refuse them (without saying a held database again) until a filling succeeds.
    void failedRefillIsRefused() {
        QuoteDocument a, b;
        a.header.txtCn = QStringLiteral("林小姐");
        b.header.txtCn = QStringLiteral("王大明");
        fillLeaf(a, addPath(a, {"客廳", "木作"}), items(3));
        fillLeaf(b, addPath(b, {"主臥", "油漆"}), items(5));
        int mode = 0;
        QVERIFY(stats::mP_Click(a, nullptr, mode));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        dialogs.expectMessage();
        dialogs.expectMessage();
        db::fault::failTable(QStringLiteral("pbody"), db::fault::Error::Busy, db::fault::Access::Write);
        QVERIFY(!stats::mP_Click(b, nullptr, mode));
        db::fault::clear();
        stats::mPfp_Click(nullptr);
        stats::mPdt_Click(nullptr);
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QCOMPARE(dialogs.messages().at(1).text, dialogs.messages().at(2).text);
        QVERIFY(!dialogs.messages().at(1).text.contains(dialogs.messages().at(0).text));
        QVERIFY(m_previewed.isEmpty());
        auto data = db::Database::open(m_folder->file(QStringLiteral("ptdemo.mdb")));
        QCOMPARE(data->openRecordset(QStringLiteral("phead")).text(QStringLiteral("cn")),
                 QStringLiteral("林小姐"));
        QCOMPARE(data->openRecordset(QStringLiteral("pfp")).text(1), QStringLiteral("木作"));

        QVERIFY(stats::mP_Click(b, nullptr, mode));
        stats::mPfp_Click(nullptr);
        QCOMPARE(m_previewed, QStringList({"fpdemo:1"}));
        QCOMPARE(data->openRecordset(QStringLiteral("phead")).text(QStringLiteral("cn")),
                 QStringLiteral("王大明"));
    }
};

QTEST_MAIN(TstReportMenu)
#include "tst_reportmenu.moc"
