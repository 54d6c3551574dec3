#include "Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace num {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

double parse(const std::string& s) {
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() ? v + 0.0 : 0.0; // + 0.0 turns -0 into 0
}

} // namespace

qsizetype numberLength(QStringView s) {
    const qsizetype n = s.size();
    qsizetype i = 0;
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    bool digits = false, point = false;
    for (; i < n; ++i) {
        if (isDigit(s[i]))
            digits = true;
        else if (s[i] == u'.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        const qsizetype first = j;
        while (j < n && isDigit(s[j]))
            ++j;
        if (j > first)
            i = j;
    }
    return i;
}

double val(QStringView text) {
    // Blanks, tabs and line feeds are skipped anywhere in the text ("1 2" reads 12).
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    QString packed;
    QStringView s = text;
    if (std::any_of(text.begin(), text.end(), isBlank)) {
        packed.reserve(text.size());
        for (QChar c : text)
            if (!isBlank(c))
                packed += c;
        s = packed;
    }
    QStringView number = s.first(numberLength(s));
    if (number.startsWith(u'+'))
        number = number.sliced(1); // from_chars takes no "+"
    std::string ascii;
    for (QChar c : number)
        ascii += char(c.unicode()); // a number is ASCII throughout
    return parse(ascii);
}

QString str(double v) {
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");
    // 15 significant digits, correctly rounded: "d.dddddddddddddde[+-]x".
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    const auto e = sci.find('e');
    const int exp = std::stoi(sci.substr(e + 1));
    if (exp < -15)
        return QStringLiteral("0");
    const bool negative = sci[0] == '-';
    std::string digits;
    for (char c : sci.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exp < 0) {
        out += "0." + std::string(size_t(-exp - 1), '0') + digits;
    } else if (size_t(exp) + 1 >= digits.size()) {
        out += digits + std::string(size_t(exp) + 1 - digits.size(), '0');
    } else {
        out += digits.substr(0, size_t(exp) + 1) + "." + digits.substr(size_t(exp) + 1);
    }
    return QString::fromLatin1(out);
}

double roundHalfEven(double v, int digits) {
    // Every double has a finite decimal expansion with at most 1074 places after the point.
    constexpr int kExact = 1100;
    if (!std::isfinite(v) || digits >= kExact)
        return v;
    if (digits < 0)
        digits = 0;
    static thread_local char buf[kExact + 400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, kExact);
    std::string exact(buf, res.ptr);
    const size_t dot = exact.find('.');
    const size_t cut = dot + 1 + size_t(digits); // index of the first dropped digit
    std::string kept = exact.substr(0, cut);     // "123." or "123.45"
    const char first = exact[cut];
    const bool restZero = exact.find_first_not_of('0', cut + 1) == std::string::npos;
    const char lastKept = kept.back() == '.' ? kept[kept.size() - 2] : kept.back();
    const bool up = first > '5' || (first == '5' && (!restZero || (lastKept - '0') % 2 == 1));
    if (up) {
        int i = int(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[size_t(i)] == '.')
                continue;
            if (kept[size_t(i)] != '9') {
                ++kept[size_t(i)];
                break;
            }
            kept[size_t(i)] = '0';
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
    }
    if (kept.back() == '.')
        kept.pop_back();
    const double r = parse(kept);
    return (v < 0 ? -r : r) + 0.0; // + 0.0 turns -0 into 0
}

double sng(double v) {
    return static_cast<double>(static_cast<float>(v));
}

bool cellCanShow(QStringView typed) {
    // Up to 15 characters without an exponent: at most 15 digits, and nothing smaller than 1e-13.
    if (typed.size() <= 15 && !typed.contains(u'e') && !typed.contains(u'E'))
        return true;
    QString packed; // blanks anywhere are skipped, as the lenient reading skips them
    for (const QChar c : typed)
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            packed += c;
    const QStringView number = QStringView(packed).first(numberLength(packed));
    bool zero = true;
    for (const QChar c : number) {
        if (c == u'e' || c == u'E')
            break;
        zero = zero && !(c >= u'1' && c <= u'9');
    }
    const double v = val(number);
    return zero || (std::abs(v) < 1e15 && str(v) != u"0");
}

} // namespace num
