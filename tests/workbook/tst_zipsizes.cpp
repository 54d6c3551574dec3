// A template whose parts claim sizes they cannot have is refused before memory is set aside.
#include "SmallTemplates.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Writes `size` as the uncompressed size of every part, in its local header and in the central
// directory (the little-endian 32-bit fields at offsets 22 and 24).
QByteArray withClaimedSize(QByteArray zip, quint32 size) {
    const auto put = [&](qsizetype at) {
        for (int b = 0; b < 4; ++b)
            zip[at + b] = char((size >> (8 * b)) & 0xFF);
    };
    for (qsizetype i = zip.indexOf("PK\x03\x04"); i >= 0; i = zip.indexOf("PK\x03\x04", i + 4))
        put(i + 22);
    for (qsizetype i = zip.indexOf("PK\x01\x02"); i >= 0; i = zip.indexOf("PK\x01\x02", i + 4))
        put(i + 24);
    return zip;
}

} // namespace

class TestZipSizes : public QObject {
    Q_OBJECT
private slots:
    void implausibleSizesRefused_data() {
        QTest::addColumn<quint32>("size");
        QTest::newRow("4 GB") << quint32(0xFFFFFFF0);
        QTest::newRow("600 MB") << quint32(600u << 20);
        QTest::newRow("far beyond its compressed size") << quint32(64u << 20);
    }
    void implausibleSizesRefused() {
        QFETCH(quint32, size);
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.xlsx"));
        QVERIFY(testwb::makePageTemplate(good));
        QFile f(good);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(wb::Workbook::open(good)->sheetCount() > 0);

        const QString bad = dir.filePath(QStringLiteral("bad.xlsx"));
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(withClaimedSize(bytes, size));
        out.close();
        try {
            wb::Workbook::open(bad);
            QFAIL("opened");
        } catch (const wb::WorkbookError& e) {
            QVERIFY2(e.reason().contains(QStringLiteral("的大小不合理")), qPrintable(e.reason()));
        }
    }
};

QTEST_GUILESS_MAIN(TestZipSizes)
#include "tst_zipsizes.moc"
