#include "mdM.h"

#include "system/System.h"
#include "text/Codec.h"
#include "ui/Dialogs.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <thread>
#include <vector>

namespace mdM {

namespace {
constexpr int kStrokeTableSize = 30;
} // namespace

QString DbFolder;
QString TemplateFolder;
QString QuoteFolder;
db::DatabasePtr MainDb;
QString SessionDbFile;

namespace {
SessionSwitch& sessionSwitch() {
    static SessionSwitch s;
    return s;
}
} // namespace

bool AutoSaveOn = false;
int AutoSaveInterval = 0;

QString QuoteCustName;
QString QuoteCustPhone;
QString QuoteCustFax;
QString QuoteProjectName;
QString QuoteSiteAddress;
QString QuoteContact;
QString QuoteDate;
QString QuoteSalesperson;
QString QuoteNo;
bool CusOpenedFromQuote = false;
bool CusPicked = false;

QString CurrentUserName;
QString CurrentUserLogin;
QString CurrentUserPassword;
int UserRights = 0;
QString SuperUserPassword;

QString XlStartRow;
QString XlStartCol;
QString XlPageTopLeft;
QString XlPageBottomRight;
QString XlRowsPerPage;
bool XlFixedHeader = false;

int ListPrintParty = 0;
QString LastSearchText;

void ResetState() {
    DbFolder.clear();
    TemplateFolder.clear();
    QuoteFolder.clear();
    MainDb.reset();
    SessionDbFile.clear();
    sessionSwitch() = {};
    AutoSaveOn = false;
    AutoSaveInterval = 0;
    QuoteCustName.clear();
    QuoteCustPhone.clear();
    QuoteCustFax.clear();
    QuoteProjectName.clear();
    QuoteSiteAddress.clear();
    QuoteContact.clear();
    QuoteDate.clear();
    QuoteSalesperson.clear();
    QuoteNo.clear();
    CusOpenedFromQuote = false;
    CusPicked = false;
    CurrentUserName.clear();
    CurrentUserLogin.clear();
    CurrentUserPassword.clear();
    UserRights = 0;
    SuperUserPassword.clear();
    XlStartRow.clear();
    XlStartCol.clear();
    XlPageTopLeft.clear();
    XlPageBottomRight.clear();
    XlRowsPerPage.clear();
    XlFixedHeader = false;
    ListPrintParty = 0;
    LastSearchText.clear();
    mdPro::WPListMode.clear();
    mdPro::CurrentVendorName.clear();
    mdEng::EmListMode.clear();
}

// ---------------------------------------------------------------------------------------------
// The main database

db::DatabasePtr openMainDb(const QString& folder) {
    const QString path = sys::findFileNoCase(folder, QString::fromUtf8(kMainDbFile));
    return db::Database::open(path, QString::fromUtf8(kMainDbPassword));
}

namespace {
bool sameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}
} // namespace

bool isCurrentDb(const db::DatabasePtr& opened) {
    const QString current = !SessionDbFile.isEmpty() ? SessionDbFile : MainDb ? MainDb->path() : QString();
    return current.isEmpty() || sameFile(current, opened->path());
}

void setSessionSwitch(SessionSwitch s) {
    sessionSwitch() = std::move(s);
}

QString dbErrorText(const db::DbError& e) {
    return QString::number(e.number()) + QStringLiteral("\r\n") + e.description();
}

QString resolveFolder(const QString& folder) {
    if (folder.isEmpty() || QDir::isAbsolutePath(folder))
        return folder;
    return QDir::cleanPath(QDir(sys::programFolder()).absoluteFilePath(folder));
}

namespace {

// A folder as Mdbpath.ini keeps it: a relative one as given, one inside the program folder relative
// to it, so that a copy of the program folder keeps to its own data; one outside as it stands.
QString storedFolder(const QString& folder) {
    if (!QDir::isAbsolutePath(folder))
        return folder;
    const QDir program(sys::programFolder());
    const QString relative = program.relativeFilePath(QDir::cleanPath(folder));
    const bool outside = relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")) ||
                         QDir::isAbsolutePath(relative);
    return outside ? folder : relative;
}

} // namespace

QString writeMdbPathIni(const QString& dbFolder, const QString& templateFolder, const QString& quoteFolder) {
    const QString path = sys::programFile(QString::fromUtf8(kMdbPathIni));
    const QStringList old = text::readLines(path).value_or(QStringList());
    QStringList lines = {dbFolder, templateFolder, quoteFolder};
    for (int i = 0; i < lines.size(); ++i) {
        const QString was = old.value(i);
        if (!was.isEmpty() && !QDir::isAbsolutePath(was) &&
            resolveFolder(was) == QDir::cleanPath(resolveFolder(lines.at(i))))
            lines[i] = was;
        else
            lines[i] = storedFolder(lines.at(i));
    }
    QString error;
    if (text::writeLines(path, lines, &error))
        return {};
    return QStringLiteral("無法寫入 Mdbpath.ini\r\n") + error;
}

namespace {

// A folder as typed: blanks and trailing separators removed (the root stays "/").
QString cleanFolder(const QString& typed) {
    QString f = typed.trimmed();
    while (f.size() > 1 && (f.endsWith(QLatin1Char('/')) || f.endsWith(QLatin1Char('\\'))))
        f.chop(1);
    return f;
}

bool isMissingDatabase(int number) {
    return number == db::ErrFileNotFound || number == db::ErrDiskError || number == db::ErrInvalidPath;
}

// Unreadable: a disk or network error, the file may well be there.
enum class Opening { Opened, Missing, Unreadable, Failed };

// Opens the main database file `path` (of a folder: openMainDb) into `opened`. When it cannot be
// found or read, why goes into `reason`; any other error is shown.
Opening tryOpen(const std::function<db::DatabasePtr()>& open, db::DatabasePtr& opened, QString& reason) {
    try {
        opened = open();
        return Opening::Opened;
    } catch (const db::DbError& e) {
        if (!isMissingDatabase(e.number())) {
            if (db::LoadSession::sayOnce(e)) // a held database is said once per load
                ui::msgBox(dbErrorText(e));
            return Opening::Failed;
        }
        reason = e.description();
        return e.number() == db::ErrDiskError ? Opening::Unreadable : Opening::Missing;
    }
}

QString folderPrompt(const QString& error) {
    // The example is a folder of this machine: the user's home folder.
    return error + QStringLiteral("\r\n\r\n請輸入〔Kavo3.Mdb〕的路徑\r\n例如: ") +
           QDir::toNativeSeparators(QDir::home().filePath(QStringLiteral("kavo3demo")));
}

// Line 1 takes the new database folder as typed; lines 2 and 3 stay as read, an empty one takes the
// folder.
void rememberNewFolder(const QString& typed, const QStringList& oldLines) {
    DbFolder = resolveFolder(typed);
    QStringList lines = {typed, oldLines.value(1), oldLines.value(2)};
    for (QString& line : lines)
        line = line.isEmpty() ? typed : line;
    TemplateFolder = resolveFolder(lines.at(1));
    QuoteFolder = resolveFolder(lines.at(2));
    const QString error = writeMdbPathIni(lines.at(0), lines.at(1), lines.at(2));
    if (!error.isEmpty())
        ui::msgBox(error, ui::Buttons::OK, ui::Icon::Exclamation);
}

// The database cannot be found: asks for its folder until it opens, showing each time why the last
// try failed, and hands the database opened and the folder as typed to `use`, whose answer comes
// back. Cancel at the first prompt asks once more; Cancel after that ends the program. While a
// database is open already (a window reopening it), no folder keeps that one. A folder whose file
// could not be read is offered again, so that OK tries it once more.
bool askForFolder(QString error, Opening opening, QString tried,
                  const std::function<bool(const db::DatabasePtr&, const QString&)>& use) {
    for (bool first = true;; first = false) {
        const std::optional<QString> answer =
            ui::inputBox(folderPrompt(error), {}, opening == Opening::Unreadable ? tried : QString());
        if (MainDb && (!answer || cleanFolder(*answer).isEmpty()))
            return false;
        if (!answer && !first) {
            ui::msgBox(QStringLiteral("找不到資料庫 Kavo3.mdb，系統結束"), ui::Buttons::OK,
                       ui::Icon::Critical);
            sys::exitProgram(1);
            return false;
        }
        const QString typed = answer ? cleanFolder(*answer) : QString();
        const QString folder = resolveFolder(typed);
        if (folder.isEmpty()) {
            error = QStringLiteral("未輸入資料庫的路徑");
            opening = Opening::Missing;
            continue;
        }
        tried = folder;
        db::DatabasePtr opened;
        opening = tryOpen([&folder] { return openMainDb(folder); }, opened, error);
        if (opening == Opening::Failed)
            return false;
        if (opening == Opening::Opened)
            return use(opened, typed);
    }
}

// Lost: the session's file could not be found and the folder prompt did not give it back (取消, or
// another file, whose new session began or did not).
enum class Reopen { Opened, Failed, Lost };

// A reopen during a session: the session's own file. Another file given at the folder prompt starts
// a new session, or changes nothing.
Reopen reopenSessionDb() {
    db::DatabasePtr opened;
    QString error;
    const QString file = SessionDbFile;
    const Opening opening = tryOpen(
        [&file] { return db::Database::open(file, QString::fromUtf8(kMainDbPassword)); }, opened, error);
    if (opening == Opening::Opened)
        MainDb = opened;
    if (opening == Opening::Opened || opening == Opening::Failed)
        return opening == Opening::Opened ? Reopen::Opened : Reopen::Failed;
    const bool found = askForFolder(error, opening, QFileInfo(file).absolutePath(),
                                    [file](const db::DatabasePtr& other, const QString& typed) {
                                        if (sameFile(file, other->path())) {
                                            MainDb = other;
                                            return true;
                                        }
                                        if (sessionSwitch())
                                            sessionSwitch()(other, [typed] {
                                                const QString failure =
                                                    writeMdbPathIni(typed, TemplateFolder, QuoteFolder);
                                                if (failure.isEmpty())
                                                    DbFolder = resolveFolder(typed);
                                                return failure;
                                            });
                                        return false;
                                    });
    return found ? Reopen::Opened : Reopen::Lost;
}

} // namespace

bool reopenForWindow() {
    if (SessionDbFile.isEmpty()) {
        OpenDatabase();
        return true;
    }
    return reopenSessionDb() != Reopen::Lost;
}

bool OpenDatabase() {
    if (!SessionDbFile.isEmpty())
        return reopenSessionDb() == Reopen::Opened;
    const auto lines = text::readLines(sys::programFile(QString::fromUtf8(kMdbPathIni)));
    QString error;
    Opening opening = Opening::Missing;
    if (!lines) {
        error = QStringLiteral("找不到設定檔 Mdbpath.ini");
    } else if (lines->size() < 3) {
        error = QStringLiteral("設定檔 Mdbpath.ini 不完整");
    } else {
        DbFolder = resolveFolder(lines->at(0));
        TemplateFolder = resolveFolder(lines->at(1));
        QuoteFolder = resolveFolder(lines->at(2));
        db::DatabasePtr opened;
        opening = tryOpen([] { return openMainDb(DbFolder); }, opened, error);
        if (opening == Opening::Opened)
            MainDb = opened;
        if (opening == Opening::Opened || opening == Opening::Failed)
            return opening == Opening::Opened;
    }
    const QStringList oldLines = lines.value_or(QStringList());
    return askForFolder(error, opening, DbFolder, [&oldLines](const db::DatabasePtr& opened, const QString& typed) {
        MainDb = opened;
        rememberNewFolder(typed, oldLines);
        return true;
    });
}

// ---------------------------------------------------------------------------------------------
// Print settings and waiting

void LoadPrintSettings() {
    static const std::array<const char*, 5> defaults = {"8", "A", "A1", "G39", "30"};
    const QStringList xp =
        text::readLines(sys::programFile(QStringLiteral("Xp.ini"))).value_or(QStringList());
    const auto line = [&](qsizetype i) {
        return i < xp.size() ? xp.at(i) : QString::fromLatin1(defaults[size_t(i)]);
    };
    XlStartRow = line(0);
    XlStartCol = line(1);
    XlPageTopLeft = line(2);
    XlPageBottomRight = line(3);
    XlRowsPerPage = line(4);

    const QStringList fast =
        text::readLines(sys::programFile(QStringLiteral("fastP.ini"))).value_or(QStringList());
    XlFixedHeader = !fast.isEmpty() && fast.first().startsWith(QLatin1Char('1'));
}

void Delay(double seconds) {
    QElapsedTimer clock;
    clock.start();
    const auto ms = qint64(seconds * 1000.0);
    if (!QCoreApplication::instance()) {
        if (ms >= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms + 1));
        return;
    }
    // A local loop with its own timer: nothing here belongs to a window that may close meanwhile.
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    while (clock.elapsed() <= ms) {
        timer.start(int(std::max<qint64>(1, ms - clock.elapsed() + 1)));
        loop.exec();
    }
    QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------------------------
// Text procedures

namespace {

// Stroke count of a Chinese character in the Traditional Chinese stroke collation. The collation
// opens the block of n strokes with a marker (U+FDD0 followed by U+2800 + n) that sorts before
// every character of that block; the count is the number of markers that sort at or before the
// character. Markers are kept up to one past the table, so any count beyond it shows as such.
int strokeCount(const QString& c) {
    static const QCollator collator(QLocale(QLocale::Chinese, QLocale::Taiwan));
    static const std::vector<QString> blockStarts = [] {
        std::vector<QString> v;
        for (int n = 1; n <= kStrokeTableSize + 1; ++n)
            v.push_back(QString(QChar(0xFDD0)) + QChar(char16_t(0x2800 + n)));
        return v;
    }();
    const auto past = std::partition_point(blockStarts.begin(), blockStarts.end(), [&](const QString& start) {
        return collator.compare(start, c) <= 0;
    });
    return int(past - blockStarts.begin());
}

} // namespace

QString StrokeCode(const QString& c) {
    // The last character of each stroke-count block, 1 to 30 strokes.
    static const QString kTable =
        QStringLiteral("乙又才王立阡阬非香鬼麻黑鼠齊齒龜齋鼬嚨齡齧龔黴齲黌驢黷鸚鸛鸞");
    static const std::array<int, kStrokeTableSize> tableStrokes = [] {
        std::array<int, kStrokeTableSize> a{};
        for (int i = 0; i < kStrokeTableSize; ++i)
            a[size_t(i)] = strokeCount(kTable.mid(i, 1));
        return a;
    }();
    const auto code = [](int index) { return QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0')); };
    if (c.isEmpty())
        return code(0);

    const char32_t first = c.at(0).isHighSurrogate() && c.size() > 1 && c.at(1).isLowSurrogate()
                               ? QChar::surrogateToUcs4(c.at(0), c.at(1))
                               : c.at(0).unicode();
    if (QChar::script(first) == QChar::Script_Han) {
        // Compared with the table by stroke count: a character of n strokes goes with entry n.
        const int strokes = strokeCount(QString::fromUcs4(&first, 1));
        for (int i = 0; i < kStrokeTableSize; ++i) {
            if (strokes <= tableStrokes[size_t(i)])
                return code(i);
        }
        return QStringLiteral("33");
    }
    // Rare characters of the user-defined areas have no known stroke count: they go last.
    if (first >= 0xE000 && first <= 0xF8FF)
        return QStringLiteral("33");
    // Kana, digits, letters and symbols sort before every Chinese character; a character the code
    // page cannot hold at all goes last.
    if (first >= 0x3040 && first <= 0x30FF)
        return code(0);
    return text::cp950Code(c) < 0 ? QStringLiteral("33") : code(0);
}

QString BeforeSemicolon(const QString& s) {
    const qsizetype i = s.indexOf(QLatin1Char(';'));
    return i < 0 ? QString() : s.left(i);
}

QString AfterSemicolon(const QString& s) {
    const qsizetype i = s.indexOf(QLatin1Char(';'));
    return i < 0 ? s : s.mid(i + 1);
}

QString SemicolonsToSpaces(const QString& s) {
    QString r = s;
    r.replace(QLatin1Char(';'), QLatin1Char(' '));
    return r;
}

QString RightsToBits(int v) {
    // The rights word is 16 bits: a negative value stands for its bit pattern.
    unsigned u = v < 0 ? unsigned(quint16(v)) : unsigned(v);
    QString r;
    while (u >= 2) {
        r += (u & 1u) ? QLatin1Char('1') : QLatin1Char('0');
        u >>= 1;
    }
    r += u ? QLatin1Char('1') : QLatin1Char('0');
    while (r.size() < 12)
        r += QLatin1Char('0');
    return r;
}

namespace {

struct NumeralTables {
    std::array<QString, 10> digits; // by digit value
    std::array<QString, 8> units;   // 十 佰 仟 萬 十萬 佰萬 仟萬 億
};

const NumeralTables& plainTables() {
    static const NumeralTables t = {
        {QStringLiteral("零"), QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"),
         QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六"), QStringLiteral("七"),
         QStringLiteral("八"), QStringLiteral("九")},
        {QStringLiteral("十"), QStringLiteral("佰"), QStringLiteral("仟"), QStringLiteral("萬"),
         QStringLiteral("十萬"), QStringLiteral("佰萬"), QStringLiteral("仟萬"), QStringLiteral("億")}};
    return t;
}

const NumeralTables& formalTables() {
    static const NumeralTables t = {
        {QStringLiteral("零"), QStringLiteral("壹"), QStringLiteral("貳"), QStringLiteral("參"),
         QStringLiteral("肆"), QStringLiteral("伍"), QStringLiteral("陸"), QStringLiteral("柒"),
         QStringLiteral("捌"), QStringLiteral("玖")},
        {QStringLiteral("拾"), QStringLiteral("佰"), QStringLiteral("仟"), QStringLiteral("萬"),
         QStringLiteral("十萬"), QStringLiteral("佰萬"), QStringLiteral("仟萬"), QStringLiteral("億")}};
    return t;
}

// One group of at most nine digits (callers give at most five): units before every non-zero
// numeral, one 零 for a run of zeros, no trailing 零.
QString convertGroup(QStringView g, const NumeralTables& t) {
    const QString zero = t.digits[0];
    QString r;
    const qsizetype len = g.size();
    for (qsizetype k = 1; k < len && k <= qsizetype(t.units.size()); ++k) {
        const int d = g.at(len - 1 - k).digitValue();
        if (d != 0)
            r.prepend(t.digits[size_t(d)] + t.units[size_t(k - 1)]);
        else if (!r.startsWith(zero))
            r.prepend(zero);
    }
    const int units = g.at(len - 1).digitValue();
    if (units != 0)
        r += t.digits[size_t(units)];
    while (r.endsWith(zero))
        r.chop(zero.size());
    return r;
}

// Digits without leading zeros: 萬 and 億 groups.
QString convertDigits(QStringView d, const NumeralTables& t) {
    const qsizetype len = d.size();
    if (len <= 5)
        return convertGroup(d, t);
    const QString wan = t.units[3];
    const QString yi = t.units[7];
    const auto withWan = [&](QStringView group) {
        const QString g = convertGroup(group, t);
        return g.isEmpty() ? g : g + wan;
    };
    if (len <= 8)
        return withWan(d.first(len - 4)) + convertGroup(d.last(4), t);
    // A ten-thousands group of zeros between two others is read as 零, as amounts are written:
    // 100,001,234 is 一億零一仟二佰三十四.
    const QString wanGroup = withWan(d.sliced(len - 8, 4));
    const QString last = convertGroup(d.last(4), t);
    const QString zero = t.digits[0];
    const QString gap = wanGroup.isEmpty() && !last.isEmpty() && !last.startsWith(zero) ? zero : QString();
    return convertDigits(d.first(len - 8), t) + yi + wanGroup + gap + last;
}

QString toChinese(const QString& n, const NumeralTables& t) {
    // The whole number at the start of the text: blanks, a sign, digits ("," separators skipped).
    const QString s = n.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s.at(i) == QLatin1Char('-') || s.at(i) == QLatin1Char('+'))) {
        negative = s.at(i) == QLatin1Char('-');
        ++i;
    }
    QString digits;
    for (; i < s.size(); ++i) {
        const QChar ch = s.at(i);
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            digits += ch;
        else if (ch != QLatin1Char(','))
            break;
    }
    qsizetype lead = 0;
    while (lead < digits.size() && digits.at(lead) == QLatin1Char('0'))
        ++lead;
    digits.remove(0, lead);
    if (digits.isEmpty())
        return {};
    const QString words = convertDigits(digits, t);
    return negative ? QStringLiteral("負") + words : words;
}

} // namespace

QString NumberToChinese(const QString& n) {
    return toChinese(n, plainTables());
}

QString NumberToChineseFormal(const QString& n) {
    return toChinese(n, formalTables());
}

QString FormatThousands(const QString& v) {
    qsizetype start = 0;
    if (start < v.size() && (v.at(start) == QLatin1Char('-') || v.at(start) == QLatin1Char('+')))
        ++start;
    qsizetype end = start;
    while (end < v.size() && v.at(end) >= QLatin1Char('0') && v.at(end) <= QLatin1Char('9'))
        ++end;
    if (end == start)
        return v;
    QString t = v.mid(start, end - start);
    QString r;
    while (t.size() > 3) {
        r.prepend(QLatin1Char(',') + t.right(3));
        t.chop(3);
    }
    return v.left(start) + t + r + v.mid(end);
}

} // namespace mdM

namespace mdPro {
QString WPListMode;
QString CurrentVendorName;
} // namespace mdPro

namespace mdEng {
QString EmListMode;
} // namespace mdEng
