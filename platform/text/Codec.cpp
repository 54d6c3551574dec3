#include "Codec.h"

#include "system/System.h"

#include <QFile>
#include <QSaveFile>
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

    // Converts `in`; on a sequence it cannot convert calls onBad(in, left) which returns the
    // count of input bytes to skip (0 stops the conversion with failure).
    template <typename OnBad> bool run(const QByteArray& in, QByteArray& out, OnBad onBad) {
        if (!ok())
            return false;
        char* src = const_cast<char*>(in.constData());
        size_t left = size_t(in.size());
        out.clear();
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
            const size_t skip = onBad(out, left); // EILSEQ or EINVAL (truncated at the end)
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

QString withPath(const QString& path, const QString& reason) {
    return QStringLiteral("%1: %2").arg(path, reason);
}

} // namespace

std::optional<QByteArray> toCp950(const QString& s) {
    QByteArray out;
    Iconv cv("CP950", "UTF-8");
    if (!cv.run(s.toUtf8(), out, [](QByteArray&, size_t) { return size_t(0); }))
        return std::nullopt;
    return out;
}

QString fromCp950(const QByteArray& bytes) {
    QByteArray out;
    Iconv cv("UTF-8", "CP950");
    if (!cv.ok())
        return QString::fromLatin1(bytes);
    cv.run(bytes, out, [](QByteArray& o, size_t) {
        o.append("\xEF\xBF\xBD"); // U+FFFD for the byte that starts no valid character
        return size_t(1);
    });
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
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    return fromCp950(bytes);
}

QByteArray encode(const QString& s) {
    if (auto cp = toCp950(s))
        return *cp;
    return kUtf8Bom + s.toUtf8();
}

std::optional<QString> readTextFile(const QString& path, QString* error) {
    QFile f(path);
    const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = withPath(path, f.errorString());
        return std::nullopt;
    }
    return decode(bytes);
}

bool writeTextFile(const QString& path, const QString& content, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = withPath(path, reason);
        return false;
    };
    // A read-only file stays as it is, also for a user the file system would let through.
    if (sys::isReadOnly(path))
        return fail(QStringLiteral("the file is read-only"));
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return fail(f.errorString());
    const QByteArray bytes = encode(content);
    if (f.write(bytes) != bytes.size()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return fail(reason);
    }
    if (!f.commit())
        return fail(f.errorString());
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
