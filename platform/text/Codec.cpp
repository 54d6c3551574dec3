#include "Codec.h"
#include "FileErrors.h"

#include <QByteArrayView>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>

namespace text {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// One iconv conversion descriptor, closed on scope exit.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`, appending to `out`; on a sequence it cannot convert calls
    // onBad(out, rest, left), which returns the count of input bytes to skip (0 stops the
    // conversion with failure).
    template <typename OnBad> bool run(QByteArrayView in, QByteArray& out, OnBad onBad) {
        if (!ok())
            return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // a fresh start for every run of text
        char* src = const_cast<char*>(in.data());
        size_t left = size_t(in.size());
        char buf[4096];
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            const size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, dst - buf);
            if (rc != size_t(-1))
                continue;
            if (errno == E2BIG)
                continue;
            const size_t skip = onBad(out, src, left); // EILSEQ or EINVAL (truncated at the end)
            if (skip == 0)
                return false;
            src += skip;
            left -= skip;
        }
        return true;
    }

private:
    iconv_t cd_;
};

// A lead byte followed by a trail byte: one double-byte character by its shape.
bool isPair(quint8 lead, quint8 trail) {
    return lead >= 0x81 && lead <= 0xFE &&
           ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE));
}

// The user-defined areas of the code page, numbered in order into the private-use characters.
// Each lead byte row holds 157 characters, trail bytes 0x40-0x7E then 0xA1-0xFE; the first row of
// an area may start past its beginning (row 0xC6 starts at 0xA1).
struct UserArea {
    quint8 firstLead;
    quint8 lastLead;
    char16_t firstChar;
    int skipped; // cells of the first row before the area starts
};
constexpr int kRowCells = 157;
constexpr UserArea kUserAreas[] = {
    {0xFA, 0xFE, 0xE000, 0},
    {0x8E, 0xA0, 0xE311, 0},
    {0x81, 0x8D, 0xEEB8, 0},
    {0xC6, 0xC8, 0xF6B1, 63},
};

int cellOf(quint8 trail) {
    return trail <= 0x7E ? trail - 0x40 : 63 + (trail - 0xA1);
}

// The private-use character of a user-defined pair, if the pair lies in one of the areas.
std::optional<char16_t> udaChar(quint8 lead, quint8 trail) {
    for (const UserArea& a : kUserAreas) {
        if (lead < a.firstLead || lead > a.lastLead)
            continue;
        const int n = (lead - a.firstLead) * kRowCells + cellOf(trail) - a.skipped;
        if (n < 0)
            return std::nullopt;
        return char16_t(a.firstChar + n);
    }
    return std::nullopt;
}

// The pair (lead << 8 | trail) of a private-use character of the user-defined areas.
std::optional<int> udaBytes(char16_t c) {
    for (const UserArea& a : kUserAreas) {
        const int count = (a.lastLead - a.firstLead + 1) * kRowCells - a.skipped;
        const int n = int(c) - int(a.firstChar);
        if (n < 0 || n >= count)
            continue;
        const int cell = (n + a.skipped) % kRowCells;
        const int lead = a.firstLead + (n + a.skipped) / kRowCells;
        const int trail = cell < 63 ? 0x40 + cell : 0xA1 + cell - 63;
        return lead << 8 | trail;
    }
    return std::nullopt;
}

QString withPath(const QString& path, const QString& reason) {
    return QStringLiteral("%1: %2").arg(path, reason);
}

} // namespace

std::optional<QByteArray> toCp950(const QString& s) {
    QByteArray out;
    Iconv cv("CP950", "UTF-8");
    const auto refuse = [](QByteArray&, const char*, size_t) { return size_t(0); };
    // Runs of ordinary text go through iconv; user-defined characters are placed in between.
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) {
        if (end > runStart && !cv.run(QStringView(s).sliced(runStart, end - runStart).toUtf8(), out, refuse))
            return false;
        return true;
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const auto code = udaBytes(s.at(i).unicode());
        if (!code)
            continue;
        if (!flush(i))
            return std::nullopt;
        out.append(char(*code >> 8)).append(char(*code & 0xFF));
        runStart = i + 1;
    }
    if (!flush(s.size()))
        return std::nullopt;
    return out;
}

QString fromCp950(const QByteArray& bytes) {
    Iconv cv("UTF-8", "CP950");
    if (!cv.ok())
        return QString::fromLatin1(bytes);
    QByteArray out;
    const auto replace = [](QByteArray& o, const char* rest, size_t left) {
        o.append("\xEF\xBF\xBD"); // U+FFFD
        // A lead byte with a trail byte is one character the code page does not define: both
        // bytes go, so a trail byte such as "|" never turns up as a character of its own.
        return left >= 2 && isPair(quint8(rest[0]), quint8(rest[1])) ? size_t(2) : size_t(1);
    };
    qsizetype runStart = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        if (i + 1 >= n || !isPair(quint8(bytes[i]), quint8(bytes[i + 1]))) {
            ++i;
            continue;
        }
        if (const auto pua = udaChar(quint8(bytes[i]), quint8(bytes[i + 1]))) {
            cv.run(QByteArrayView(bytes).sliced(runStart, i - runStart), out, replace);
            out.append(QString(QChar(*pua)).toUtf8());
            runStart = i + 2;
        }
        i += 2;
    }
    cv.run(QByteArrayView(bytes).sliced(runStart), out, replace);
    return QString::fromUtf8(out);
}

int cp950Code(const QString& s) {
    if (s.isEmpty())
        return 0;
    const int len = s.size() > 1 && s.at(0).isHighSurrogate() && s.at(1).isLowSurrogate() ? 2 : 1;
    const auto bytes = toCp950(s.left(len));
    if (!bytes || bytes->isEmpty())
        return -1;
    int code = 0;
    for (char c : *bytes)
        code = (code << 8) | quint8(c);
    return code;
}

QString decode(const QByteArray& bytes) {
    if (!bytes.startsWith(kUtf8Bom))
        return fromCp950(bytes);
    // Only the file's own mark goes: a U+FEFF after it is a character of the text.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8(QByteArrayView(bytes).sliced(kUtf8Bom.size()));
}

QByteArray encode(const QString& s) {
    // CP950 bytes that happen to begin like the mark would read back as UTF-8.
    if (auto cp = toCp950(s); cp && !cp->startsWith(kUtf8Bom))
        return *cp;
    return kUtf8Bom + s.toUtf8();
}

std::optional<QByteArray> readFileBytes(const QString& path, QString* error) {
    QFile f(path);
    QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = withPath(path, fileErrorReason(f));
        return std::nullopt;
    }
    return bytes;
}

std::optional<QString> readTextFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = readFileBytes(path, error);
    return bytes ? std::optional(decode(*bytes)) : std::nullopt;
}

bool writeTextFile(const QString& path, const QString& content, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = withPath(path, reason);
        return false;
    };
    if (const QString blocked = writeBlocker(path); !blocked.isEmpty())
        return fail(blocked);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return fail(fileErrorReason(f));
    const QByteArray bytes = encode(content);
    // The write only fills the device's buffer: a full disk shows at the flush, and commit()
    // would put the short temporary file in place all the same. Leaving without commit()
    // removes the temporary file and keeps the old one.
    if (f.write(bytes) != bytes.size() || !f.flush())
        return fail(fileErrorReason(f));
    if (!f.commit())
        return fail(fileErrorReason(f));
    return true;
}

QStringList splitLines(const QString& content) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const QChar c = content.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == u'\r' && i + 1 < content.size() && content.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.append(content.mid(start));
    return lines;
}

std::optional<QStringList> readLines(const QString& path, QString* error) {
    const auto content = readTextFile(path, error);
    if (!content)
        return std::nullopt;
    return splitLines(*content);
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    QString content;
    for (const QString& line : lines)
        content += line + QStringLiteral("\r\n");
    return writeTextFile(path, content, error);
}

} // namespace text
