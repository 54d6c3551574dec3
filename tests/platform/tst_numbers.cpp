// Number and date text rules: lenient reading, plain writing, half-to-even rounding, ROC dates.
#include "text/Numbers.h"
#include "text/RocDate.h"
#include "text/TextCut.h"

#include <QtTest>
#include <cmath>

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading blanks") << "  3.5" << 3.5;
        QTest::newRow("leading tab") << "\t4" << 4.0;
        QTest::newRow("thousands separator stops") << "1,234" << 1.0;
        QTest::newRow("negative fraction") << "-.5" << -0.5;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("trailing point") << "8." << 8.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("negative exponent") << "2.5E-1" << 0.25;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("exponent sign only") << "1e+x" << 1.0;
        QTest::newRow("blank inside skipped") << "3 4" << 34.0;
        QTest::newRow("blank after sign skipped") << "- 5" << -5.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("leading zeros") << "0012" << 12.0;
        QTest::newRow("full-width digits") << "１２" << 0.0;
        QTest::newRow("beyond double") << "1e999" << 0.0;
        QTest::newRow("long fraction") << "0.1000000000000000000001" << 0.1;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(num::val(text), value);
    }

    void str_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("whole") << 100.0 << "100";
        QTest::newRow("negative") << -1234.5 << "-1234.5";
        QTest::newRow("no trailing zeros") << 2.50 << "2.5";
        QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
        QTest::newRow("15 digits") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("15 digits rounded") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("money") << 1234567.89 << "1234567.89";
        QTest::newRow("1e15 plain") << 1e15 << "1000000000000000";
        QTest::newRow("large plain") << 1.23e20 << "123000000000000000000";
        QTest::newRow("large rounded") << 123456789012345678.0 << "123456789012346000";
        QTest::newRow("small") << 0.000123 << "0.000123";
        QTest::newRow("1e-5 plain") << 1e-5 << "0.00001";
        QTest::newRow("smallest kept") << -1.5e-15 << "-0.0000000000000015";
        QTest::newRow("below 1e-15") << 1e-16 << "0";
        QTest::newRow("rounds up past 9") << 9.9999999999999999 << "10";
        QTest::newRow("infinity") << HUGE_VAL << "0";
    }
    void str() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(num::str(value), text);
    }

    void roundHalfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<double>("rounded");
        QTest::newRow("2.5") << 2.5 << 0 << 2.0;
        QTest::newRow("3.5") << 3.5 << 0 << 4.0;
        QTest::newRow("0.5") << 0.5 << 0 << 0.0;
        QTest::newRow("1.5") << 1.5 << 0 << 2.0;
        QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
        QTest::newRow("-2.6") << -2.6 << 0 << -3.0;
        QTest::newRow("above half") << 2.5000001 << 0 << 3.0;
        QTest::newRow("carry") << 99.5 << 0 << 100.0;
        QTest::newRow("carry into new digit") << 9.996 << 2 << 10.0;
        QTest::newRow("0.125 exact tie") << 0.125 << 2 << 0.12;
        QTest::newRow("0.375 exact tie") << 0.375 << 2 << 0.38;
        QTest::newRow("2.675 below tie") << 2.675 << 2 << 2.67;
        QTest::newRow("1.005 below tie") << 1.005 << 2 << 1.0;
        QTest::newRow("0.385 above tie") << 0.385 << 2 << 0.39;
        QTest::newRow("three digits") << 1.2345 << 3 << 1.234;
        QTest::newRow("already whole") << 1e20 << 2 << 1e20;
        QTest::newRow("tiny") << 1e-300 << 2 << 0.0;
        QTest::newRow("zero") << 0.0 << 0 << 0.0;
    }
    void roundHalfEven() {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(double, rounded);
        const double r = num::roundHalfEven(value, digits);
        QCOMPARE(r, rounded);
        QCOMPARE(std::signbit(r), std::signbit(rounded)); // never a negative zero
    }

    void negativeHalfRoundsToPlainZero() {
        QVERIFY(!std::signbit(num::roundHalfEven(-0.5)));
        QVERIFY(!std::signbit(num::roundHalfEven(-0.001, 2)));
    }

    void sng() {
        QCOMPARE(num::sng(0.1), 0.100000001490116119384765625);
        QCOMPARE(num::sng(1.5), 1.5);
        QCOMPARE(num::sng(16777217.0), 16777216.0);
    }

    void rocDate_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("era");
        QTest::newRow("2026") << QDate(2026, 3, 7) << "115/3/7"
                              << "115/03/07";
        QTest::newRow("two-digit year") << QDate(2010, 12, 31) << "99/12/31"
                                        << "99/12/31";
        QTest::newRow("first year") << QDate(1912, 1, 1) << "1/1/1"
                                    << "01/01/01";
        QTest::newRow("year 100") << QDate(2011, 1, 9) << "100/1/9"
                                  << "100/01/09";
        QTest::newRow("leap day") << QDate(2024, 2, 29) << "113/2/29"
                                  << "113/02/29";
    }
    void rocDate() {
        QFETCH(QDate, date);
        QFETCH(QString, plain);
        QFETCH(QString, era);
        QCOMPARE(text::rocDate(date), plain);
        QCOMPARE(text::rocDateEra(date), era);
        QCOMPARE(text::parseRocDate(plain), date);
        QCOMPARE(text::parseRocDate(era), date);
    }

    void parseRocDateRejects_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("words") << "abc";
        QTest::newRow("no such day") << "115/2/30";
        QTest::newRow("month 13") << "115/13/1";
        QTest::newRow("dashes") << "115-3-7";
        QTest::newRow("year 0") << "0/1/1";
        QTest::newRow("full-width digits") << "１１５/3/7";
        QTest::newRow("trailing text") << "115/3/7x";
    }
    void parseRocDateRejects() {
        QFETCH(QString, text);
        QVERIFY(!text::parseRocDate(text).isValid());
    }

    void invalidDateWritesNothing() {
        QCOMPARE(text::rocDate(QDate()), QString());
        QCOMPARE(text::rocDateEra(QDate()), QString());
    }
    // A cut never splits a surrogate pair nor parts a variation selector from its character.
    void cutToUnits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("kept");
        const QString ext = QString::fromUcs4(U"\U0002000B");
        const QString ivs = QString::fromUcs4(U"\u845B\U000E0100");
        QTest::newRow("fits") << "abc" << 3 << "abc";
        QTest::newRow("plain") << "abcd" << 2 << "ab";
        QTest::newRow("pair not split") << ext + ext << 3 << ext;
        QTest::newRow("ideographic selector kept") << ivs + ivs << 5 << ivs;
        QTest::newRow("selector not left alone") << ivs << 2 << "";
        // A proposed file name ending in .pdf: cut to 255 bytes of UTF-8, its extension kept.
        QTest::newRow("file name") << QString(84, u'王') + ".pdf" << 0 << QString(83, u'王') + ".pdf";
        QTest::newRow("file name, pair not split")
            << ext.repeated(63) + ".pdf" << 0 << ext.repeated(62) + ".pdf";
        QTest::newRow("standard selector kept") << QString::fromUcs4(U"\u2764\uFE0Fx") << 1 << "";
    }
    void cutToUnits() {
        QFETCH(QString, text);
        QFETCH(int, max);
        QFETCH(QString, kept);
        if (text.endsWith(QLatin1String(".pdf")))
            QCOMPARE(text::fitFileName(text.chopped(4), QStringLiteral(".pdf")), kept);
        else
            QCOMPARE(text::cutToUnits(text, max), kept);
    }
    void firstCharacterKeepsSelector() {
        const QString ivs = QString::fromUcs4(U"\u845B\U000E0100\u57CE");
        QCOMPARE(text::firstCharacters(ivs, 1), ivs.left(3));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
