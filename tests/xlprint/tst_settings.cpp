// Print settings: cell addresses, the checks of 套用, the geometry and the two files.
#include "PrintSettings.h"
#include "TempProgramFolder.h"
#include "mdM.h"

#include <QtTest>

using namespace xlprint;

Q_DECLARE_METATYPE(xlprint::SettingsField)

namespace {
PrintSettings settings(const char* row, const char* col, const char* tl, const char* br,
                       const char* rows) {
    return {QString::fromUtf8(row), QString::fromUtf8(col), QString::fromUtf8(tl),
            QString::fromUtf8(br), QString::fromUtf8(rows), false};
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void cellRefs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("A1") << "A1" << 1 << 1;
        QTest::newRow("G39") << "G39" << 39 << 7;
        QTest::newRow("AB60") << "AB60" << 60 << 28;
        QTest::newRow("AZ3") << "AZ3" << 3 << 52;
        QTest::newRow("lower") << "a1" << 0 << 0;
        QTest::newRow("no row") << "G" << 0 << 0;
        QTest::newRow("row 0") << "G0" << 0 << 0;
        QTest::newRow("no col") << "39" << 0 << 0;
        QTest::newRow("junk") << "G3x" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
    }
    void cellRefs() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, col);
        const auto ref = parseCellRef(text);
        QCOMPARE(ref.has_value(), row > 0);
        if (ref) {
            QCOMPARE(ref->row, row);
            QCOMPARE(ref->col, col);
            QCOMPARE(parseCellRef(columnLetters(col) + QString::number(row)), ref);
        }
    }

    void validation_data() {
        QTest::addColumn<PrintSettings>("s");
        QTest::addColumn<SettingsField>("bad");
        using F = SettingsField;
        QTest::newRow("shipped") << settings("8", "A", "A1", "G39", "30") << F::None;
        QTest::newRow("two-letter corner") << settings("8", "A", "A1", "AB60", "30") << F::None;
        QTest::newRow("page exactly full") << settings("10", "A", "A1", "G39", "30") << F::None;
        QTest::newRow("row 0") << settings("0", "A", "A1", "G39", "30") << F::StartRow;
        QTest::newRow("row text") << settings("x", "A", "A1", "G39", "30") << F::StartRow;
        QTest::newRow("row above range") << settings("2", "A", "A3", "G39", "30") << F::StartRow;
        QTest::newRow("col lower") << settings("8", "a", "A1", "G39", "30") << F::StartCol;
        QTest::newRow("col two") << settings("8", "AB", "A1", "G39", "30") << F::StartCol;
        QTest::newRow("tl lower") << settings("8", "A", "a1", "G39", "30") << F::TopLeft;
        QTest::newRow("tl empty") << settings("8", "A", "", "G39", "30") << F::TopLeft;
        QTest::newRow("br bad") << settings("8", "A", "A1", "9G", "30") << F::BottomRight;
        QTest::newRow("br left of tl") << settings("8", "C", "C1", "B39", "30") << F::BottomRight;
        QTest::newRow("br above tl") << settings("12", "A", "A10", "G5", "1") << F::BottomRight;
        QTest::newRow("col outside range") << settings("8", "M", "A1", "G39", "30") << F::StartCol;
        QTest::newRow("col left of range") << settings("8", "A", "B1", "G39", "30") << F::StartCol;
        QTest::newRow("no columns right of range")
            << settings("8", "A", "A1", "XFD39", "30") << F::BottomRight;
        QTest::newRow("table right of range") << settings("8", "G", "A1", "G39", "30") << F::StartCol;
        QTest::newRow("table fills range") << settings("8", "B", "B1", "H39", "30") << F::None;
        QTest::newRow("range narrower than table") << settings("8", "A", "A1", "F39", "30") << F::BottomRight;
        QTest::newRow("row below range") << settings("40", "A", "A1", "G39", "30") << F::StartRow;
        QTest::newRow("rows 0") << settings("8", "A", "A1", "G39", "0") << F::RowsPerPage;
        QTest::newRow("rows past page") << settings("11", "A", "A1", "G39", "30") << F::RowsPerPage;
        // The first bad box is named, in the window's order.
        QTest::newRow("all bad") << settings("", "", "", "", "") << F::StartRow;
        QTest::newRow("corners bad") << settings("8", "A", "1A", "1G", "30") << F::TopLeft;
    }
    void validation() {
        QFETCH(PrintSettings, s);
        QFETCH(SettingsField, bad);
        QCOMPARE(firstInvalidField(s), bad);
        QCOMPARE(geometryOf(s).has_value(), bad == SettingsField::None);
    }

    void geometry() {
        const auto g = geometryOf(settings("12", "B", "A3", "AB52", "40"));
        QVERIFY(g);
        QCOMPARE(g->S, 12);
        QCOMPARE(g->C, 2);
        QCOMPARE(g->P, 40);
        QCOMPARE(g->H(), 50);
        QCOMPARE(g->br.col, 28);
    }

    void files() {
        TempProgramFolder pf;
        mdM::ResetState();
        // Missing files: the shipped defaults.
        QCOMPARE(loadPrintSettings(), settings("8", "A", "A1", "G39", "30"));
        PrintSettings s = settings("12", "C", "A1", "H50", "25");
        s.fixedHeader = true;
        QVERIFY(writePrintSettings(s));
        QCOMPARE(pf.readSettings(QStringLiteral("Xp.ini")),
                 QStringList({"12", "C", "A1", "H50", "25"}));
        QCOMPARE(pf.readSettings(QStringLiteral("fastP.ini")), QStringList({"1"}));
        mdM::ResetState();
        QCOMPARE(loadPrintSettings(), s);
        QCOMPARE(currentPrintSettings(), s);
        // A file that cannot be written: neither file changes.
        QFile::setPermissions(pf.file(QStringLiteral("fastP.ini")), QFile::ReadOwner);
        QString error;
        QVERIFY(!writePrintSettings(settings("9", "A", "A1", "G39", "30"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(pf.readSettings(QStringLiteral("Xp.ini")).value(0), QStringLiteral("12"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
