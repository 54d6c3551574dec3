// The statistics copy to the workbook: the grid into a fresh copy of 統計.xlsx, numbers as numbers,
// the template untouched; a missing template or no spreadsheet application gives a message.
#include "StatisticsCopy.h"
#include "TemplateDescription.h"
#include "system/System.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QStringList g_opened;
bool fakeOpener(const QString& path) {
    g_opened << path;
    return true;
}
} // namespace

class TstStatCopy : public QObject {
    Q_OBJECT

    QTemporaryDir m_program, m_out;
    QString m_template;

private slots:
    void initTestCase() {
        QVERIFY(m_program.isValid() && m_out.isValid());
        QVERIFY(QDir(m_program.path()).mkpath(QStringLiteral("Pother")));
        m_template = m_program.filePath(QString::fromUtf8(stats::kStatisticsTemplate));
        QString error;
        QVERIFY2(tpl::writeTemplate(tpl::statisticsTemplate(), m_template, &error), qPrintable(error));
        wb::setOutputFolder(m_out.path());
        wb::setSpreadsheetOpener(&fakeOpener);
    }
    void cleanupTestCase() {
        wb::setOutputFolder({});
        wb::setSpreadsheetOpener(nullptr);
        sys::setSpreadsheetAppOverride(std::nullopt);
    }

    void copiedAndOpened() {
        sys::setSpreadsheetAppOverride(true);
        g_opened.clear();
        const QByteArray before = [&] {
            QFile f(m_template);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const QList<QStringList> cells = {
            {"       區    域", "小 計", "成本複計", "毛 利", "平均比例", "佔總價比"},
            {"客廳", "380", "300", "80", "1.27", "38%"},
            {"0201", "0", "0", "0", "", ""},
            {" 合 計 ", "1000", "800", "200", "", "100%"}};
        QCOMPARE(stats::copyStatisticsToWorkbook(cells, true, m_program.path()), QString());
        QCOMPARE(g_opened.size(), 1);
        QVERIFY(g_opened.at(0).startsWith(m_out.path()));
        auto book = wb::Workbook::open(g_opened.at(0));
        wb::Sheet& s = book->sheet(1);
        QCOMPARE(s.text(1, 1), cells[0][0]);
        QCOMPARE(s.text(1, 6), QStringLiteral("佔總價比"));
        QCOMPARE(s.type(2, 2), wb::CellType::Number);
        QCOMPARE(s.number(2, 5).value_or(0), 1.27);
        QCOMPARE(s.text(2, 6), QStringLiteral("38%"));
        // A name that looks like a number stays text.
        QCOMPARE(s.type(3, 1), wb::CellType::Text);
        QCOMPARE(s.text(3, 1), QStringLiteral("0201"));
        QCOMPARE(s.text(4, 1), QStringLiteral(" 合 計 "));
        QCOMPARE(s.type(4, 5), wb::CellType::Empty);
        // Ruled, amounts with thousands separators, the total line bold.
        QCOMPARE(s.numberFormat(2, 2), QStringLiteral("#,##0"));
        QCOMPARE(s.borders(4, 6), (wb::CellBorders{true, true, true, true}));
        QVERIFY(s.isBold(4, 1) && s.isBold(4, 4) && !s.isBold(2, 1));
        QFile f(m_template);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void failuresGiveAMessage() {
        sys::setSpreadsheetAppOverride(false);
        g_opened.clear();
        const QString saved = stats::copyStatisticsToWorkbook({{"x"}}, false, m_program.path());
        QVERIFY(saved.contains(QDir::toNativeSeparators(m_out.path())));
        QVERIFY(g_opened.isEmpty());

        QTemporaryDir empty;
        QVERIFY(!stats::copyStatisticsToWorkbook({{"x"}}, false, empty.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstStatCopy)
#include "tst_statcopy.moc"
