// The shared text and number procedures of mdM.
#include "mdM.h"

#include <QtTest/QtTest>

class TestMdmText : public QObject {
    Q_OBJECT

private slots:
    void strokeCode_data();
    void strokeCode();
    void strokeCodeEveryBlockEnd();
    void strokeCodeOfSurnames_data();
    void strokeCodeOfSurnames();
    void semicolons_data();
    void semicolons();
    void rightsToBits_data();
    void rightsToBits();
    void numberToChinese_data();
    void numberToChinese();
    void numberToChineseFormal_data();
    void numberToChineseFormal();
    void formatThousands_data();
    void formatThousands();
};

void TestMdmText::strokeCode_data() {
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << ""
                           << "01";
    QTest::newRow("first hanzi 一") << "一"
                                    << "01";
    QTest::newRow("block end 乙") << "乙"
                                  << "01";
    QTest::newRow("2 strokes 人") << "人"
                                  << "02";
    QTest::newRow("block end 王") << "王"
                                  << "04";
    QTest::newRow("just past 王: 丙") << "丙"
                                      << "05";
    QTest::newRow("only the first character counts") << "王小明"
                                                     << "04";
    QTest::newRow("陳 (11 strokes)") << "陳"
                                     << "11";
    QTest::newRow("last entry 鸞") << "鸞"
                                   << "30";
    QTest::newRow("digit") << "7"
                           << "01";
    QTest::newRow("latin") << "a"
                           << "01";
    QTest::newRow("full-width symbol ，") << "，"
                                          << "01";
    QTest::newRow("full-width letter Ｑ") << "Ｑ"
                                          << "01";
    QTest::newRow("hiragana") << "あ"
                              << "01";
    QTest::newRow("katakana") << "ア"
                              << "01";
    // Characters outside the common set count by their strokes as well.
    QTest::newRow("乂 (2)") << "乂"
                            << "02";
    QTest::newRow("瑋 (13)") << "瑋"
                             << "13";
    QTest::newRow("翊 (11)") << "翊"
                             << "11";
    QTest::newRow("婕 (11)") << "婕"
                             << "11";
    QTest::newRow("simplified 们 (5)") << "们"
                                       << "05";
    QTest::newRow("more than 30 strokes 鱻") << "鱻"
                                             << "33";
    QTest::newRow("user-defined character") << QString(QChar(0xE03C)) << "33";
    QTest::newRow("outside the code page") << "😀"
                                           << "33";
}

void TestMdmText::strokeCode() {
    QFETCH(QString, c);
    QFETCH(QString, code);
    QCOMPARE(mdM::StrokeCode(c), code);
}

void TestMdmText::strokeCodeEveryBlockEnd() {
    const QString table = QStringLiteral("乙又才王立阡阬非香鬼麻黑鼠齊齒龜齋鼬嚨齡齧龔黴齲黌驢黷鸚鸛鸞");
    for (int i = 0; i < table.size(); ++i)
        QCOMPARE(mdM::StrokeCode(table.mid(i, 1)), QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')));
}

// Common surnames by their stroke counts: every count sorts into its own block.
void TestMdmText::strokeCodeOfSurnames_data() {
    QTest::addColumn<QString>("names");
    QTest::addColumn<int>("strokes");
    QTest::newRow("2") << "丁" << 2;
    QTest::newRow("4") << "王方" << 4;
    QTest::newRow("5") << "石古" << 5;
    QTest::newRow("6") << "江朱" << 6;
    QTest::newRow("7") << "李吳呂何沈余宋杜阮" << 7;
    QTest::newRow("8") << "林周邱卓" << 8;
    QTest::newRow("9") << "洪胡施柯侯紀姚" << 9;
    QTest::newRow("10") << "徐高孫翁馬唐" << 10;
    QTest::newRow("11") << "陳張許郭梁曹" << 11;
    QTest::newRow("12") << "黃曾彭游傅" << 12;
    QTest::newRow("13") << "楊詹溫" << 13;
    QTest::newRow("14") << "廖趙" << 14;
    QTest::newRow("15") << "劉鄭潘鄧歐" << 15;
    QTest::newRow("16") << "賴盧" << 16;
    QTest::newRow("17") << "謝鍾戴" << 17;
    QTest::newRow("18") << "簡顏魏" << 18;
    QTest::newRow("19") << "羅" << 19;
    QTest::newRow("20") << "嚴" << 20;
    QTest::newRow("22") << "龔" << 22;
}

void TestMdmText::strokeCodeOfSurnames() {
    QFETCH(QString, names);
    QFETCH(int, strokes);
    for (const QChar c : names)
        QCOMPARE(mdM::StrokeCode(QString(c)), QStringLiteral("%1").arg(strokes, 2, 10, QLatin1Char('0')));
}

void TestMdmText::semicolons_data() {
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("spaces");
    QTest::newRow("area code;number") << "02;23456789"
                                      << "02"
                                      << "23456789"
                                      << "02 23456789";
    QTest::newRow("no semicolon") << "23456789"
                                  << ""
                                  << "23456789"
                                  << "23456789";
    QTest::newRow("leading semicolon") << ";23456789"
                                       << ""
                                       << "23456789"
                                       << " 23456789";
    QTest::newRow("trailing semicolon") << "02;"
                                        << "02"
                                        << ""
                                        << "02 ";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "";
    QTest::newRow("two semicolons: first splits") << "台北市;信義區;1號"
                                                  << "台北市"
                                                  << "信義區;1號"
                                                  << "台北市 信義區 1號";
}

void TestMdmText::semicolons() {
    QFETCH(QString, s);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, spaces);
    const QString original = s;
    QCOMPARE(mdM::BeforeSemicolon(s), before);
    QCOMPARE(mdM::AfterSemicolon(s), after);
    QCOMPARE(mdM::SemicolonsToSpaces(s), spaces);
    QCOMPARE(s, original);
}

void TestMdmText::rightsToBits_data() {
    QTest::addColumn<int>("v");
    QTest::addColumn<QString>("bits");
    QTest::newRow("0") << 0 << "000000000000";
    QTest::newRow("1") << 1 << "100000000000";
    QTest::newRow("5") << 5 << "101000000000";
    QTest::newRow("bit 11 alone") << 2048 << "000000000001";
    QTest::newRow("4095") << 4095 << "111111111111";
    QTest::newRow("above 12 bits grows") << 8192 << "00000000000001";
    QTest::newRow("negative word: its 16 bits") << -1 << "1111111111111111";
}

void TestMdmText::rightsToBits() {
    QFETCH(int, v);
    QFETCH(QString, bits);
    QCOMPARE(mdM::RightsToBits(v), bits);
}

void TestMdmText::numberToChinese_data() {
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("words");
    QTest::newRow("0") << "0"
                       << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("5") << "5"
                       << "五";
    QTest::newRow("10") << "10"
                        << "一十";
    QTest::newRow("20") << "20"
                        << "二十";
    QTest::newRow("100") << "100"
                         << "一佰";
    QTest::newRow("105") << "105"
                         << "一佰零五";
    QTest::newRow("120") << "120"
                         << "一佰二十";
    QTest::newRow("1005") << "1005"
                          << "一仟零五";
    QTest::newRow("1000") << "1000"
                          << "一仟";
    QTest::newRow("10005") << "10005"
                           << "一萬零五";
    QTest::newRow("12345") << "12345"
                           << "一萬二仟三佰四十五";
    QTest::newRow("100000") << "100000"
                            << "一十萬";
    QTest::newRow("1000000") << "1000000"
                             << "一佰萬";
    QTest::newRow("10000234") << "10000234"
                              << "一仟萬零二佰三十四";
    QTest::newRow("123456789") << "123456789"
                               << "一億二仟三佰四十五萬六仟七佰八十九";
    QTest::newRow("100000000") << "100000000"
                               << "一億";
    QTest::newRow("100000005") << "100000005"
                               << "一億零五";
    QTest::newRow("1000050000") << "1000050000"
                                << "一十億零五萬";
    // A group of zeros between two others reads as 零.
    QTest::newRow("100001234") << "100001234"
                               << "一億零一仟二佰三十四";
    QTest::newRow("100000234") << "100000234"
                               << "一億零二佰三十四";
    QTest::newRow("1000001000") << "1000001000"
                                << "一十億零一仟";
    QTest::newRow("100010000") << "100010000"
                               << "一億零一萬";
    QTest::newRow("300000000") << "300000000"
                               << "三億";
    QTest::newRow("negative") << "-105"
                              << "負一佰零五";
    QTest::newRow("negative zero") << "-0"
                                   << "";
    QTest::newRow("leading zeros") << "007"
                                   << "七";
    QTest::newRow("decimals dropped") << "12.7"
                                      << "一十二";
    QTest::newRow("separators skipped") << "1,234"
                                        << "一仟二佰三十四";
}

void TestMdmText::numberToChinese() {
    QFETCH(QString, n);
    QFETCH(QString, words);
    QCOMPARE(mdM::NumberToChinese(n), words);
}

void TestMdmText::numberToChineseFormal_data() {
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("words");
    QTest::newRow("10") << "10"
                        << "壹拾";
    QTest::newRow("30500") << "30500"
                           << "參萬零伍佰";
    QTest::newRow("every digit") << "1234567890"
                                 << "壹拾貳億參仟肆佰伍拾陸萬柒仟捌佰玖拾";
    QTest::newRow("105") << "105"
                         << "壹佰零伍";
    QTest::newRow("100001234") << "100001234"
                               << "壹億零壹仟貳佰參拾肆";
    QTest::newRow("negative") << "-60"
                              << "負陸拾";
    QTest::newRow("0") << "0"
                       << "";
}

void TestMdmText::numberToChineseFormal() {
    QFETCH(QString, n);
    QFETCH(QString, words);
    QCOMPARE(mdM::NumberToChineseFormal(n), words);
}

void TestMdmText::formatThousands_data() {
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("text");
    QTest::newRow("1000") << "1000"
                          << "1,000";
    QTest::newRow("1234567") << "1234567"
                             << "1,234,567";
    QTest::newRow("six digits") << "123456"
                                << "123,456";
    QTest::newRow("three digits") << "999"
                                  << "999";
    QTest::newRow("0") << "0"
                       << "0";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("negative") << "-100000"
                              << "-100,000";
    QTest::newRow("negative three digits") << "-100"
                                           << "-100";
    QTest::newRow("decimals kept") << "12.5"
                                   << "12.5";
    QTest::newRow("decimals not grouped") << "1234.5678"
                                          << "1,234.5678";
    QTest::newRow("not a number") << "abc"
                                  << "abc";
}

void TestMdmText::formatThousands() {
    QFETCH(QString, v);
    QFETCH(QString, text);
    QCOMPARE(mdM::FormatThousands(v), text);
}

QTEST_GUILESS_MAIN(TestMdmText)
#include "tst_mdm_text.moc"
