// The rules of the record windows that need no database: the ";" pairs, the date text, the
// vendor's supply code, whole records between boxes and columns, number groups and numbering.
#include "FieldCodec.h"
#include "GroupNavigator.h"
#include "NumberProposer.h"
#include "mdM.h"

#include <QtTest/QtTest>

using namespace records;

class TestRecordRules : public QObject {
    Q_OBJECT

private slots:
    void pairs_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("county and street") << "台北市;中山北路" << "台北市" << "中山北路";
        QTest::newRow("only the semicolon") << ";" << "" << "";
        QTest::newRow("no semicolon: all in the second box") << "02" << "" << "02";
        QTest::newRow("later semicolons stay in the second box") << "a;b;c" << "a" << "b;c";
        QTest::newRow("empty") << "" << "" << "";
    }
    void pairs() {
        QFETCH(QString, stored);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const auto parts = splitPair(stored);
        QCOMPARE(parts.first, first);
        QCOMPARE(parts.second, second);
    }

    void pairJoinRoundTrips() {
        QCOMPARE(joinPair({}, {}), QStringLiteral(";"));
        QCOMPARE(joinPair(QStringLiteral("02"), QStringLiteral("765")), QStringLiteral("02;765"));
        // A second box holding ";" comes back whole.
        const auto parts = splitPair(joinPair(QStringLiteral("新北市"), QStringLiteral("x;y")));
        QCOMPARE(parts.second, QStringLiteral("x;y"));
    }

    void rocDates_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("8 May 2002") << QDate(2002, 5, 8) << "91/5/8";
        QTest::newRow("1 January 2011") << QDate(2011, 1, 1) << "100/1/1";
        QTest::newRow("31 December 1999") << QDate(1999, 12, 31) << "88/12/31";
    }
    void rocDates() {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(rocDateText(date), text);
    }

    void supplyCode_data() {
        QTest::addColumn<bool>("work");
        QTest::addColumn<bool>("material");
        QTest::addColumn<int>("code");
        QTest::newRow("neither") << false << false << 0;
        QTest::newRow("work crews") << true << false << 1;
        QTest::newRow("materials") << false << true << 2;
        QTest::newRow("both") << true << true << 3;
    }
    void supplyCode() {
        QFETCH(bool, work);
        QFETCH(bool, material);
        QFETCH(int, code);
        QCOMPARE(records::supplyCode(work, material), code);
        QCOMPARE(supplyBoxes(code), qMakePair(work, material));
    }

    void supplyBoxesOfOddCodes() {
        for (const QVariant& v : {QVariant(), QVariant(5), QVariant(-1), QVariant(QStringLiteral("x")),
                                  QVariant(QString())})
            QCOMPARE(supplyBoxes(v), qMakePair(false, false));
        QCOMPARE(supplyBoxes(QStringLiteral("3")), qMakePair(true, true));
    }

    void customerRecordRoundTrip() {
        const RecordKind& k = customerKind();
        QVector<QVariant> row(35);
        for (int i = 0; i < 35; ++i)
            row[i] = QStringLiteral("v%1").arg(i);
        row[4] = QStringLiteral("台北市;中山北路");
        row[9] = QStringLiteral("02;765");
        row[33] = QStringLiteral("第一行\n第二行");
        row[20] = QVariant(); // Null shows as empty text
        const BoxValues boxes = decodeRecord(k, row);
        QCOMPARE(boxes.value(QStringLiteral("cb1")), QStringLiteral("台北市"));
        QCOMPARE(boxes.value(QStringLiteral("T5")), QStringLiteral("中山北路"));
        QCOMPARE(boxes.value(QStringLiteral("T10")), QStringLiteral("02"));
        QCOMPARE(boxes.value(QStringLiteral("T11")), QStringLiteral("765"));
        QCOMPARE(boxes.value(QStringLiteral("T27")), QString());
        QCOMPARE(boxes.value(QStringLiteral("cbTp")), QStringLiteral("v34"));
        const ColumnValues columns = encodeRecord(k, boxes, false);
        QCOMPARE(columns.size(), 35);
        for (const auto& [position, value] : columns) {
            // A pair without ";" comes back with one; everything else exactly as stored.
            const QString stored = row.at(position).toString();
            const FieldSlot* s = k.slotAt(position);
            if (s->kind == FieldKind::Pair && !stored.contains(QLatin1Char(';')))
                QCOMPARE(value.toString(), QLatin1Char(';') + stored);
            else
                QCOMPARE(value.toString(), stored);
        }
    }

    void invoiceStreetTrimmedOnlyWhenEditing() {
        BoxValues boxes;
        boxes.insert(QStringLiteral("cb3"), QStringLiteral("台中市"));
        boxes.insert(QStringLiteral("T7"), QStringLiteral("  公益路 1 號  "));
        const auto column6 = [](const ColumnValues& c) {
            for (const auto& [p, v] : c)
                if (p == 6)
                    return v.toString();
            return QString();
        };
        QCOMPARE(column6(encodeRecord(customerKind(), boxes, false)), QStringLiteral("台中市;  公益路 1 號  "));
        QCOMPARE(column6(encodeRecord(customerKind(), boxes, true)), QStringLiteral("台中市;公益路 1 號"));
        QCOMPARE(column6(encodeRecord(vendorKind(), boxes, true)), QStringLiteral("台中市;公益路 1 號"));
    }

    void staffSaveLeavesRightsAndPassword() {
        BoxValues boxes;
        boxes.insert(kPasswordValue, QStringLiteral("secret"));
        boxes.insert(QStringLiteral("T20"), QStringLiteral("經理"));
        QList<int> positions;
        for (const auto& [p, v] : encodeRecord(staffKind(), boxes, true))
            positions << p;
        QVERIFY(!positions.contains(16));
        QVERIFY(!positions.contains(17));
        QCOMPARE(positions.size(), 17);
        QCOMPARE(positions.last(), 18);
        QVector<QVariant> row(19);
        row[17] = QStringLiteral("pw");
        QCOMPARE(decodeRecord(staffKind(), row).value(kPasswordValue), QStringLiteral("pw"));
    }

    void vendorCodeBoxes() {
        QVector<QVariant> row(38);
        row[35] = 2;
        BoxValues boxes = decodeRecord(vendorKind(), row);
        QCOMPARE(boxes.value(kWorkCrewBox), QStringLiteral("0"));
        QCOMPARE(boxes.value(kMaterialBox), QStringLiteral("1"));
        boxes.insert(kWorkCrewBox, QStringLiteral("1"));
        for (const auto& [p, v] : encodeRecord(vendorKind(), boxes, true))
            if (p == 35)
                QCOMPARE(v.toInt(), 3);
    }

    void successorSequence() {
        QStringList walked;
        std::optional<QString> g = QStringLiteral("01");
        while (g) {
            walked << *g;
            g = nextGroup(*g);
        }
        QCOMPARE(walked.size(), 33 + 26);
        QCOMPARE(walked.at(8), QStringLiteral("09"));
        QCOMPARE(walked.at(9), QStringLiteral("10"));
        QCOMPARE(walked.at(32), QStringLiteral("33"));
        QCOMPARE(walked.at(33), QStringLiteral("A"));
        QCOMPARE(walked.last(), QStringLiteral("Z"));
    }

    void successorEdges_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("next"); // "-" for none
        QTest::newRow("two-character letter group") << "A0" << "B";
        QTest::newRow("lower case letter") << "c" << "D";
        QTest::newRow("Z ends") << "Z" << "-";
        QTest::newRow("Z0 ends") << "Z0" << "-";
        QTest::newRow("31 and 32 are walked") << "31" << "32";
        QTest::newRow("beyond 33") << "40" << "A";
        QTest::newRow("not a number") << "0x" << "-";
        QTest::newRow("a symbol") << "#1" << "-";
        QTest::newRow("empty") << "" << "-";
    }
    void successorEdges() {
        QFETCH(QString, group);
        QFETCH(QString, next);
        QCOMPARE(nextGroup(group).value_or(QStringLiteral("-")), next);
    }

    void groupShown() {
        const QStringList have = {QStringLiteral("10"), QStringLiteral("C")};
        const auto has = [&](const QString& g) { return have.contains(g); };
        QCOMPARE(groupToShow(QStringLiteral("01"), has), QStringLiteral("10"));
        QCOMPARE(groupToShow(QStringLiteral("11"), has), QStringLiteral("C"));
        QCOMPARE(groupToShow(QStringLiteral("D"), has), QStringLiteral("Z")); // the last tried
        QCOMPARE(groupToShow(QString(), has), QString());
        QCOMPARE(groupOfNumber(QStringLiteral("05012")), QStringLiteral("05"));
        QCOMPARE(groupOfNumber(QStringLiteral("A003")), QStringLiteral("A"));
        QCOMPARE(groupOfNumber(QStringLiteral("12")), QString());
        QCOMPARE(savedGroup(QStringLiteral("A012")), QStringLiteral("A0"));
    }

    void nextNumbers_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("next");
        QTest::newRow("first of a group") << "A" << QStringList{} << "A001";
        QTest::newRow("second") << "A" << QStringList{"A001"} << "A002";
        QTest::newRow("A009") << "A" << QStringList{"A009", "A001"} << "A010";
        QTest::newRow("A099") << "A" << QStringList{"A099"} << "A100";
        QTest::newRow("after A999") << "A" << QStringList{"A999"} << "A1000";
        QTest::newRow("after A1000 (text order would say A999)") << "A" << QStringList{"A999", "A1000"} << "A1001";
        QTest::newRow("stroke group") << "05" << QStringList{"05012", "05003"} << "05013";
        QTest::newRow("05999") << "05" << QStringList{"05999"} << "051000";
        QTest::newRow("hand-typed short number") << "05" << QStringList{"0512"} << "05013";
        QTest::newRow("odd numbers ignored") << "A" << QStringList{"A01x", "A", "A-5", "AB12", "A007"} << "A008";
        QTest::newRow("lower-case stored number") << "A" << QStringList{"a020"} << "A021";
        QTest::newRow("only odd numbers") << "B" << QStringList{"Bxyz"} << "B001";
    }
    void nextNumbers() {
        QFETCH(QString, prefix);
        QFETCH(QStringList, numbers);
        QFETCH(QString, next);
        QCOMPARE(nextNumber(prefix, numbers), next);
    }

    void prefixes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("letter") << "abc" << "A";
        QTest::newRow("capital") << "Zeta" << "Z";
        QTest::newRow("full-width letter is no letter") << "Ａ公司" << mdM::StrokeCode(QStringLiteral("Ａ"));
        QTest::newRow("first block end 乙") << "乙方" << "01";
        QTest::newRow("second block end 又") << "又一" << "02";
        QTest::newRow("王") << "王小明" << "04";
        QTest::newRow("last block end 鸞") << "鸞" << "30";
        QTest::newRow("empty") << "" << "";
    }
    void prefixes() {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QCOMPARE(numberPrefix(name), prefix);
    }

    // A character of the second Big5 level stands with the characters of its stroke count.
    void levelTwoCharacterPrefix() {
        QCOMPARE(numberPrefix(QStringLiteral("乂安工程")), QStringLiteral("02"));
    }
};

QTEST_GUILESS_MAIN(TestRecordRules)
#include "tst_recordrules.moc"
