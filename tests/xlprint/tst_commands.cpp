// The print commands' switches for every user right and quotation kind, and the menu's shape.
#include "PrintCommands.h"

#include <QtTest>

using namespace xlprint;

Q_DECLARE_METATYPE(xlprint::Switches)

namespace {

// "AGcbsTf": by area, group mode digit, cost cols, blank, single sheet, cost template, flat.
Switches sw(const char* s) {
    Switches w;
    w.byArea = s[0] == '1';
    w.groupMode = s[1] - '0';
    w.costCols = s[2] == '1';
    w.blank = s[3] == '1';
    w.singleSheet = s[4] == '1';
    w.costTemplate = s[5] == '1';
    w.flat = s[6] == '1';
    return w;
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void switches_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("rights"); // position 1 prices visible, 2 costs visible
        QTest::addColumn<bool>("workTypesOnly");
        QTest::addColumn<Switches>("expected");
        struct R { const char* item; const char* r11; const char* r00; const char* wto11; };
        // Full rights, no rights (prices and costs hidden), work types only with full rights.
        const R rows[] = {
            {"mPs", "0200100", "0201100", "0100100"},
            {"mPss", "0200101", "0201101", "0100101"},
            {"mPa", "1100000", "1101000", "1100000"},
            {"mPnw", "1100000", "1101000", "1100000"},
            {"mAs", "0200000", "0201000", "0200000"},
            {"mPw", "0200000", "0201000", "0100000"},
            {"mPwa", "0300000", "0301000", "0300000"},
            {"mWs", "0200000", "0201000", "0100000"},
            {"mPas", "1101000", "1101000", "1101000"},
            {"mPws", "0201000", "0201000", "0101000"},
            {"mPwaS", "0301000", "0301000", "0301000"},
            {"mPwsb", "0201000", "0201000", "0101000"},
            {"mPac", "1110010", "1101010", "1110010"},
            {"mPwc", "0210010", "0201010", "0110010"},
            {"mPwac", "0310010", "0301010", "0310010"},
        };
        for (const R& r : rows) {
            QTest::addRow("%s 11", r.item) << r.item << "11" << false << sw(r.r11);
            QTest::addRow("%s 00", r.item) << r.item << "00" << false << sw(r.r00);
            QTest::addRow("%s wto", r.item) << r.item << "11" << true << sw(r.wto11);
        }
        // Mixed rights: prices hidden only blanks; costs hidden only drops the cost columns.
        QTest::newRow("mPac 01") << "mPac" << "01" << false << sw("1111010");
        QTest::newRow("mPac 10") << "mPac" << "10" << false << sw("1100010");
        QTest::newRow("mPw 01") << "mPw" << "01" << false << sw("0201000");
        QTest::newRow("mPw 10") << "mPw" << "10" << false << sw("0200000");
    }
    void switches() {
        QFETCH(QString, item);
        QFETCH(QString, rights);
        QFETCH(bool, workTypesOnly);
        QFETCH(Switches, expected);
        const PrintCommand* cmd = findPrintCommand(item);
        QVERIFY(cmd);
        const UserRights ur{rights[0] == u'0', rights[1] == u'0'};
        QCOMPARE(switchesFor(*cmd, workTypesOnly, ur), expected);
    }

    // Every command assigns every switch: the result never depends on an earlier print.
    void noSwitchLeftOver() {
        for (const PrintCommand& c : printCommands()) {
            const Switches s = switchesFor(c, false, {});
            QVERIFY2(s.groupMode >= 1 && s.groupMode <= 3, c.item);
            QVERIFY2(!s.flat || s.singleSheet, c.item);
        }
    }

    void menu() {
        const auto cmds = printCommands();
        QCOMPARE(cmds.size(), size_t(15));
        QStringList order, areaItems, separators;
        for (const PrintCommand& c : cmds) {
            order << QLatin1String(c.item);
            if (c.needsAreas)
                areaItems << QLatin1String(c.item);
            if (c.separatorBefore)
                separators << QLatin1String(c.item);
        }
        QCOMPARE(order.join(u' '), QStringLiteral("mPs mPss mPa mPnw mAs mPw mPwa mWs mPas mPws mPwaS "
                                                  "mPwsb mPac mPwc mPwac"));
        areaItems.sort();
        QCOMPARE(areaItems.join(u' '), QStringLiteral("mAs mPa mPac mPas mPnw mPwa mPwaS mPwac"));
        QCOMPARE(separators.join(u' '), QStringLiteral("mPa mPas mPac"));
        QCOMPARE(QString::fromUtf8(findPrintCommand(u"mPwsb")->templateFile), QStringLiteral("報價單.xlsx"));
        QCOMPARE(templateFolderOf(*findPrintCommand(u"mPas"), QStringLiteral("/t")),
                 QStringLiteral("/t/PrintS"));
        QCOMPARE(findPrintCommand(u"mPnw")->routine, Routine::AreasOnly);
        QVERIFY(!findPrintCommand(u"mPx"));
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
