// The code page layer: CP950 bytes, the UTF-8 fallback, whole-file writes and settings lines.
#include "FileSizeLimit.h"
#include "text/Codec.h"
#include "text/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>
#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace text;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QString kOutside = QString::fromUtf8("\xF0\x9F\x98\x80"); // an emoji: no CP950 code

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A file whose last failure Qt worded for `errorNumber` (a folder the super-user may still write
// into cannot make one real).
class FailedFile : public QFile {
public:
    explicit FailedFile(int errorNumber) { setErrorString(qt_error_string(errorNumber)); }
};

// The reason a write of `path` fails for the account nobody (a child process of root's, which may
// write anything): empty when it succeeds or cannot be tried.
QString reasonAsNobody(const QString& path) {
    const passwd* nobody = getpwnam("nobody");
    int out[2];
    if (!nobody || pipe(out) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        QString error;
        if (setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0 &&
            !writeTextFile(path, QStringLiteral("new"), &error))
            (void)!write(out[1], error.toUtf8().constData(), size_t(error.toUtf8().size()));
        _exit(0);
    }
    close(out[1]);
    QByteArray reason(4096, 0);
    const ssize_t n = child > 0 ? read(out[0], reason.data(), size_t(reason.size())) : 0;
    close(out[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return QString::fromUtf8(reason.left(qMax<ssize_t>(0, n)));
}

} // namespace

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void cp950Bytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("tree root") << QStringLiteral("Ｑ") << QByteArray::fromHex("A2DF");
        QTest::newRow("path dot") << QStringLiteral("‧") << QByteArray::fromHex("A145");
        QTest::newRow("full-width bar") << QStringLiteral("｜") << QByteArray::fromHex("A155");
        QTest::newRow("full-width comma") << QStringLiteral("，") << QByteArray::fromHex("A141");
        QTest::newRow("full-width colon") << QStringLiteral("：") << QByteArray::fromHex("A147");
        QTest::newRow("euro (Windows extension)") << QStringLiteral("€") << QByteArray::fromHex("A3E1");
        QTest::newRow("chinese") << QStringLiteral("報價單") << QByteArray::fromHex("B3F8BBF9B3E6");
        QTest::newRow("mixed") << QStringLiteral("A1|一乙") << QByteArray::fromHex("41317CA440A441");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void cp950Bytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const auto encoded = toCp950(text);
        QVERIFY(encoded.has_value());
        QCOMPARE(*encoded, bytes);
        QCOMPARE(encode(text), bytes);
        QCOMPARE(fromCp950(bytes), text);
        QCOMPARE(decode(bytes), text);
    }

    // The user-defined areas map to the private-use characters in order, both ways: each area's
    // first and last character and the rows in between.
    void userDefinedAreas_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("character");
        QTest::newRow("FA40 first") << QByteArray::fromHex("FA40") << 0xE000;
        QTest::newRow("FA7C trail byte |") << QByteArray::fromHex("FA7C") << 0xE03C;
        QTest::newRow("FA7E") << QByteArray::fromHex("FA7E") << 0xE03E;
        QTest::newRow("FAA1 second half of the row") << QByteArray::fromHex("FAA1") << 0xE03F;
        QTest::newRow("FB40 next row") << QByteArray::fromHex("FB40") << 0xE09D;
        QTest::newRow("FEFE last") << QByteArray::fromHex("FEFE") << 0xE310;
        QTest::newRow("8E40 first") << QByteArray::fromHex("8E40") << 0xE311;
        QTest::newRow("A0FE last") << QByteArray::fromHex("A0FE") << 0xEEB7;
        QTest::newRow("8140 first") << QByteArray::fromHex("8140") << 0xEEB8;
        QTest::newRow("817C trail byte |") << QByteArray::fromHex("817C") << 0xEEF4;
        QTest::newRow("8DFE last") << QByteArray::fromHex("8DFE") << 0xF6B0;
        QTest::newRow("C6A1 first") << QByteArray::fromHex("C6A1") << 0xF6B1;
        QTest::newRow("C6FE") << QByteArray::fromHex("C6FE") << 0xF70E;
        QTest::newRow("C740 next row") << QByteArray::fromHex("C740") << 0xF70F;
        QTest::newRow("C87C trail byte |") << QByteArray::fromHex("C87C") << 0xF7E8;
        QTest::newRow("C8FE last") << QByteArray::fromHex("C8FE") << 0xF848;
    }
    void userDefinedAreas() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, character);
        const QString c{QChar(char16_t(character))};
        QCOMPARE(fromCp950(bytes), c);
        QCOMPARE(toCp950(c).value_or("<none>"), bytes);
        // Amid ordinary text, with the grid's separator right after.
        const QByteArray line = QByteArray("A|\xA4\x40") + bytes + QByteArray("|\xA4\x41") + bytes;
        const QString text = QStringLiteral("A|一") + c + QStringLiteral("|乙") + c;
        QCOMPARE(fromCp950(line), text);
        QCOMPARE(decode(line), text);
        QCOMPARE(encode(text), line);
        QCOMPARE(text::cp950Code(c), (quint8(bytes[0]) << 8) | quint8(bytes[1]));
    }

    void outsideTheUserAreas() {
        // Row C6 below A1 holds ordinary characters; past U+F848 nothing is user-defined.
        QCOMPARE(fromCp950(QByteArray::fromHex("C67E")), QStringLiteral("籲"));
        QVERIFY(!toCp950(QString(QChar(0xF849))).has_value());
        QVERIFY(!toCp950(QString(QChar(0xE000)) + kOutside).has_value());
        // A pair the code page leaves undefined is one replacement: its trail byte is no character.
        QCOMPARE(fromCp950(QByteArray::fromHex("A3C07C41")), QStringLiteral("\uFFFD|A"));
        QCOMPARE(fromCp950(QByteArray::fromHex("A3C0A440")), QStringLiteral("\uFFFD一"));
    }

    void cp950Code_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("一") << QStringLiteral("一") << 0xA440;
        QTest::newRow("乙") << QStringLiteral("乙") << 0xA441;
        QTest::newRow("first character only") << QStringLiteral("乙一") << 0xA441;
        QTest::newRow("single byte") << QStringLiteral("A") << 0x41;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("outside CP950") << kOutside + QStringLiteral("一") << -1;
        QTest::newRow("Ext-B ideograph") << QString::fromUtf8("\xF0\xA0\x80\x80") << -1;
    }
    void cp950Code() {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(text::cp950Code(text), code);
    }

    void unrepresentableIsRefused() {
        QVERIFY(!toCp950(QStringLiteral("一") + kOutside).has_value());
        QVERIFY(!toCp950(QString::fromUtf8("\xF0\xA0\x80\x80")).has_value()); // U+20000
        const QString text = QStringLiteral("報價") + kOutside;
        QCOMPARE(encode(text), kBom + text.toUtf8());
    }

    void invalidBytesBecomeReplacement() {
        QCOMPARE(fromCp950(QByteArray("a\xFF"
                                      "b")),
                 QStringLiteral("a\uFFFDb"));
        QCOMPARE(fromCp950(QByteArray("a\xA4")), QStringLiteral("a\uFFFD")); // cut after a lead byte
    }

    // Texts that look like the mark themselves still come back whole.
    void textsLikeTheMark_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("starts with U+FEFF") << QStringLiteral("\uFEFF\u0018");
        QTest::newRow("two U+FEFF") << QStringLiteral("\uFEFF\uFEFFx");
        // 嚜 is EF BB in CP950, 濃 BF 40: together they begin like the mark.
        QTest::newRow("CP950 bytes EF BB BF ...") << QStringLiteral("嚜濃");
    }
    void textsLikeTheMark() {
        QFETCH(QString, text);
        QVERIFY(!text.contains(QChar(0xFFFD)));
        const QByteArray bytes = encode(text);
        QVERIFY(bytes.startsWith(kBom));
        QCOMPARE(decode(bytes), text);
    }

    void decodeChoosesByBom() {
        const QString text = QStringLiteral("一乙");
        QCOMPARE(decode(kBom + text.toUtf8()), text);
        // Without the BOM the bytes are CP950, even when they happen to be UTF-8.
        const QByteArray utf8 = text.toUtf8();
        QVERIFY(decode(utf8) != text);
        QCOMPARE(decode(utf8), fromCp950(utf8));
    }

    void fileRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("cp950") << QStringLiteral("Ｑ‧客廳｜木作，天花板：平釘\r\n") << false;
        QTest::newRow("outside cp950")
            << QStringLiteral("Ｑ‧") + kOutside + QString::fromUtf8("\xF0\xA0\x80\x80") << true;
    }
    void fileRoundTrip() {
        QFETCH(QString, text);
        QFETCH(bool, utf8);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.kav"));
        QString error;
        QVERIFY2(writeTextFile(path, text, &error), qPrintable(error));
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes, utf8 ? kBom + text.toUtf8() : *toCp950(text));
        QCOMPARE(readTextFile(path).value_or(QStringLiteral("<none>")), text);
    }

    void bomlessUtf8FileReadsAsCp950() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("u.ini"));
        const QByteArray utf8 = QStringLiteral("一").toUtf8();
        putBytes(path, utf8);
        QCOMPARE(readTextFile(path).value_or(QString()), fromCp950(utf8));
    }

    void readMissingFile() {
        QString error;
        QVERIFY(!readTextFile(QStringLiteral("/nonexistent/x.ini"), &error).has_value());
        QVERIFY(!error.isEmpty());
        QVERIFY(!readLines(QStringLiteral("/nonexistent/x.ini")).has_value());
    }

    void failedWriteKeepsOldFile() {
        QTemporaryDir dir;
        QString error;
        // Missing folder.
        const QString missing = dir.filePath(QStringLiteral("no/such/folder/a.ini"));
        QVERIFY(!writeTextFile(missing, QStringLiteral("x"), &error));
        QVERIFY2(error.endsWith(QStringLiteral("找不到檔案或資料夾")),
                 qPrintable(error)); // the reasons are Chinese
        QVERIFY(!QFile::exists(missing));
        // Read-only file: refused, whoever runs the program.
        const QString path = dir.filePath(QStringLiteral("b.ini"));
        putBytes(path, "old");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        error.clear();
        QVERIFY(!writeTextFile(path, QStringLiteral("new"), &error));
        QVERIFY2(error.endsWith(QStringLiteral("沒有存取權限（檔案或資料夾唯讀）")), qPrintable(error));
        QVERIFY(!writeLines(path, {QStringLiteral("new")}));
        QCOMPARE(fileBytes(path), QByteArray("old"));
    }

    // The reason comes from the error number, also when the program's translation has turned Qt's
    // wording of it into Chinese.
    void fileErrorReasons_data() {
        QTest::addColumn<bool>("translated");
        QTest::addColumn<int>("errorNumber"); // 0, EISDIR: a real write into a missing folder, onto a folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder, translated") << true << 0 << "找不到檔案或資料夾";
        QTest::newRow("read-only folder, translated") << true << int(EACCES) << "沒有存取權限（檔案或資料夾唯讀）";
        QTest::newRow("onto a folder") << false << int(EISDIR) << "這是資料夾，不是檔案";
        QTest::newRow("disk full, translated") << true << int(ENOSPC) << "磁碟空間不足";
        // Another account's file in a folder everyone may write to, written by an ordinary account.
        QTest::newRow("another account's file") << false << int(EPERM) << "沒有存取權限（檔案或資料夾唯讀）";
    }
    void fileErrorReasons() {
        QFETCH(bool, translated);
        QFETCH(int, errorNumber);
        QFETCH(QString, reason);
        QTranslator translator;
        if (translated) {
            QVERIFY(translator.load(QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan),
                                    QStringLiteral("qt"), QStringLiteral("_"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
            QVERIFY(QCoreApplication::installTranslator(&translator));
        }
        QString error;
        if (errorNumber == 0 || errorNumber == EISDIR) {
            QTemporaryDir dir;
            const QString target =
                errorNumber ? dir.path() : dir.filePath(QStringLiteral("no/such/folder/a.ini"));
            QVERIFY(!writeTextFile(target, QStringLiteral("x"), &error));
        } else if (errorNumber == EPERM) {
            if (geteuid() != 0)
                QSKIP("acting as another account needs the super-user");
            QTemporaryDir dir;
            QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)));
            putBytes(dir.filePath(QStringLiteral("a.ini")), "old");
            error = reasonAsNobody(dir.filePath(QStringLiteral("a.ini")));
            QCOMPARE(fileBytes(dir.filePath(QStringLiteral("a.ini"))), QByteArray("old"));
        } else {
            error = fileErrorReason(FailedFile(errorNumber));
        }
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(error.endsWith(reason), qPrintable(error));
    }

    void fullDiskKeepsOldFile() {
        QTemporaryDir dir;
        const QByteArray at = QFile::encodeName(dir.path());
        // A real small file system where one can be mounted, a file-size limit for anyone else.
        const bool mounted = ::mount("tmpfs", at.constData(), "tmpfs", 0, "size=8k") == 0;
        const QString path = dir.filePath(QStringLiteral("full.kav"));
        putBytes(path, "old");
        std::optional<FileSizeLimit> limit;
        if (mounted)
            putBytes(dir.filePath(QStringLiteral("filler")), QByteArray(65536, 'x')); // every block left
        else
            limit.emplace(2);
        const bool written = writeTextFile(path, QStringLiteral("new"));
        limit.reset();
        const QString left =
            fileBytes(path) + u'|' + QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u',');
        if (mounted)
            ::umount2(at.constData(), MNT_DETACH);
        QVERIFY(!written);
        QCOMPARE(left, mounted ? QStringLiteral("old|filler,full.kav") : QStringLiteral("old|full.kav"));
    }

    void failedWriteInReadOnlyFolder() {
        if (geteuid() == 0)
            QSKIP("the super-user may write into a read-only folder");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.ini"));
        putBytes(path, "old");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        const bool written = writeTextFile(path, QStringLiteral("new"), &error);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path), QByteArray("old"));
    }

    void splitLines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("no line end") << QStringLiteral("a") << QStringList{"a"};
        QTest::newRow("final CR LF") << QStringLiteral("a\r\n") << QStringList{"a"};
        QTest::newRow("two lines") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty last line") << QStringLiteral("a\r\n\r\n") << QStringList{"a", ""};
        QTest::newRow("only a line end") << QStringLiteral("\r\n") << QStringList{""};
        QTest::newRow("LF and CR") << QStringLiteral("a\nb\rc\n") << QStringList{"a", "b", "c"};
        QTest::newRow("blank lines kept") << QStringLiteral("\n\nx") << QStringList{"", "", "x"};
    }
    void splitLines() {
        QFETCH(QString, content);
        QFETCH(QStringList, lines);
        QCOMPARE(text::splitLines(content), lines);
    }

    void linesRoundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Mdbpath.ini"));
        const QStringList lines{QStringLiteral("/data/主檔"), QString(), QStringLiteral("1")};
        QVERIFY(writeLines(path, lines));
        QCOMPARE(fileBytes(path), *toCp950(QStringLiteral("/data/主檔\r\n\r\n1\r\n")));
        QCOMPARE(readLines(path).value_or(QStringList{"<none>"}), lines);
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
