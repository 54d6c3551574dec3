// How many lines a wrapping cell's text takes, measured as the spreadsheet program draws it.
#include "Workbook.h"

#include "text/TextCut.h"

#include <algorithm>

namespace wb {
namespace {

char32_t codePoint(QStringView s, qsizetype pos) {
    return s.at(pos).isHighSurrogate() && pos + 1 < s.size() ? QChar::surrogateToUcs4(s.at(pos), s.at(pos + 1))
                                                             : s.at(pos).unicode();
}

// The wide characters of East Asian scripts, a whole font size wide.
bool isWide(char32_t c) {
    return c >= 0x1100 && !(c >= 0xA4D0 && c < 0xAC00) && !(c >= 0xD7A4 && c < 0xF900) &&
           !(c >= 0xFF61 && c < 0xFFE0);
}

// The shipped templates' font and the advances of its printable ASCII characters (blank to tilde),
// in thousandths of the font size. It is the templates' default font too: a column's width counts
// its digits at 11 pt.
constexpr QLatin1StringView kTemplateFont("WenQuanYi Micro Hei");
constexpr short kTemplateFontWidths[95] = {
    260, 269, 402, 646, 551, 825, 702, 226, 301, 301, 551, 551, 250, 322, 268, 373, 551, 551, 551,
    551, 551, 551, 551, 551, 551, 551, 268, 268, 551, 551, 551, 426, 866, 608, 621, 603, 684, 528,
    491, 690, 701, 339, 271, 579, 491, 870, 729, 742, 576, 741, 590, 519, 519, 698, 568, 884, 547,
    527, 539, 303, 373, 303, 532, 411, 577, 531, 586, 463, 586, 535, 329, 518, 589, 259, 259, 496,
    259, 896, 589, 577, 586, 586, 399, 451, 339, 589, 479, 746, 500, 489, 441, 354, 551, 354, 551};
constexpr double kDigitWidth = 0.551 * 11; // points

// The width of the character at `pos` in points of a `size`-point font. In the template font as
// it draws it (other characters as wide as its widest letter); in another font, whose widths are
// not known here, generously.
double charWidth(QStringView s, qsizetype pos, double size, bool templateFont) {
    const char32_t c = codePoint(s, pos);
    if (isWide(c))
        return size;
    const double w = c >= 0x20 && c < 0x7f ? kTemplateFontWidths[c - 0x20] / 1000.0 : 0.9;
    return size * (templateFont ? w : std::clamp(w * 1.15, 0.6, 1.0));
}

} // namespace

int wrappedLines(const QString& t, double width, const QString& family, double size, int most, QString* kept) {
    const bool known = family.compare(kTemplateFont, Qt::CaseInsensitive) == 0;
    // The cell's inner margins taken off, and its text drawn a little wider than measured.
    const double room = (width * kDigitWidth - 4) / 1.02;
    size = std::max(1.0, size);
    const auto widthAt = [&](qsizetype i) { return charWidth(t, i, size, known); };
    int n = 1;
    double used = 0;
    qsizetype i = 0;
    const auto newLine = [&] {
        used = 0;
        return ++n <= most;
    };
    while (i < t.size()) {
        if (t.at(i) == u'\n') {
            if (!newLine())
                break;
            ++i;
            continue;
        }
        if (t.at(i).isSpace()) { // a blank may stand past the line's end
            used += widthAt(i);
            ++i;
            continue;
        }
        // A wide character, or a word up to where the spreadsheet program may break it: before a
        // blank, a wide character or "%", after "-", "/", "!", "|", "?" or a backslash.
        qsizetype end = i;
        double unit = 0;
        do {
            unit += widthAt(end);
            const bool breaksAfter = isWide(codePoint(t, end)) || QStringView(u"-/!|?\\").contains(t.at(end));
            end += text::characterLength(t, end);
            if (breaksAfter)
                break;
        } while (end < t.size() && !t.at(end).isSpace() && !isWide(codePoint(t, end)) && t.at(end) != u'%');
        if (used + unit <= room) {
            used += unit;
            i = end;
        } else if (used > 0) { // to the next line, a word wider than a line too
            if (!newLine())
                break;
        } else { // a word wider than a line, broken wherever a line is full
            for (; i < end; i += text::characterLength(t, i)) {
                if (used > 0 && used + widthAt(i) > room && !newLine())
                    break;
                used += widthAt(i);
            }
            if (n > most)
                break;
        }
    }
    if (kept)
        *kept = t.left(i);
    return std::min(n, most);
}

// Each line about 1.3 times the font size high, and a little room; no row is higher than 409 pt.
double linesHeight(int lines, double size) {
    return std::min(kMaxRowHeight, lines * size * 1.3 + 2);
}

int linesWithin(double height, double size) {
    return std::max(1, int((std::min(height, kMaxRowHeight) - 2) / (std::max(1.0, size) * 1.3) + 1e-9));
}

} // namespace wb
