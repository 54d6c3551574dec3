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
// in thousandths of the font size. It is the templates' default font too, at 11 pt: the widths
// measured here count its digits at that size.
constexpr QLatin1StringView kTemplateFont("WenQuanYi Micro Hei");
constexpr short kTemplateFontWidths[95] = {
    260, 269, 402, 646, 551, 825, 702, 226, 301, 301, 551, 551, 250, 322, 268, 373, 551, 551, 551,
    551, 551, 551, 551, 551, 551, 551, 268, 268, 551, 551, 551, 426, 866, 608, 621, 603, 684, 528,
    491, 690, 701, 339, 271, 579, 491, 870, 729, 742, 576, 741, 590, 519, 519, 698, 568, 884, 547,
    527, 539, 303, 373, 303, 532, 411, 577, 531, 586, 463, 586, 535, 329, 518, 589, 259, 259, 496,
    259, 896, 589, 577, 586, 586, 399, 451, 339, 589, 479, 746, 500, 489, 441, 354, 551, 354, 551};
constexpr double kDigitWidth = 0.551 * 11; // points

// The width of the character at `pos` in points of a `size`-point font. A wide character a whole
// font size; any other in the template font a little wider than its advance, as it is drawn (other
// characters as wide as its widest letter); in another font, whose widths are not known here,
// generously.
double charWidth(QStringView s, qsizetype pos, double size, bool templateFont) {
    const char32_t c = codePoint(s, pos);
    if (isWide(c))
        return size;
    const double w = c >= 0x20 && c < 0x7f ? kTemplateFontWidths[c - 0x20] / 1000.0 : 0.9;
    return size * (templateFont ? w * 1.02 : std::clamp(w * 1.15, 0.6, 1.0));
}

// A blank that may stand past a line's end; the ideographic space is a wide character like any other.
bool blank(char32_t c) {
    return c <= 0xFFFF && QChar(char16_t(c)).isSpace() && !isWide(c);
}

bool among(char32_t c, QStringView set) {
    return c <= 0xFFFF && set.contains(QChar(char16_t(c)));
}

// Wide punctuation that closes, or stops, what stands before it.
bool closesWide(char32_t c) {
    return among(c, u"、。，．）」』】〕》〉〗〙｝］｣〞");
}
bool stopsWide(char32_t c) {
    return among(c, u"：；！？ー～々");
}
bool opens(char32_t c) {
    return among(c, u"([{'\"（「『【〔《〈〖〘｛［｢〝");
}

// Whether the spreadsheet program may break a line between the characters `p` and `n` (`pp` the one
// before `p`, 0 at the start) when the line is full elsewhere than between two wide characters:
// after a blank; around a wide character, but not after an opening nor before wide punctuation;
// letters, digits and ASCII punctuation joined by wide closing punctuation ("、", "，", "。") are one
// word, the punctuation breaking only before an opening; within a word after "-", "/", "!", "|",
// "?" or a backslash, but never at a "/" between digits ("112/12/01"; "A991/A986" breaks), nor before
// punctuation ("%" stays with its number), nor before a digit unless after "-" or "/".
bool breaksBetween(char32_t pp, char32_t p, char32_t n) {
    const auto digit = [](char32_t c) { return c >= u'0' && c <= u'9'; };
    if (blank(p))
        return true;
    if (blank(n) || opens(p))
        return false;
    if (isWide(n)) // a letter or digit keeps a wide opening after it
        return !closesWide(n) && !stopsWide(n) && !(opens(n) && !isWide(p) && QChar::isLetterOrNumber(p));
    if ((digit(n) && !isWide(p) && !among(p, u"-/")) || among(n, u"-/!|?%.,:;)]}'\"") ||
        (p == u'/' && digit(pp) && digit(n)))
        return false;
    return isWide(p) ? !closesWide(p) || opens(n) : among(p, u"-/!|?\\");
}

// Where the character before the one at `pos` starts.
qsizetype previous(const QString& t, qsizetype pos) {
    return pos > 1 && t.at(pos - 1).isLowSurrogate() && t.at(pos - 2).isHighSurrogate() ? pos - 2 : pos - 1;
}

// Whether the letters before `colon` (the ":" of "http://") start at `start`: a web address goes
// to a line of its own before it breaks after its "//".
bool schemeStarts(const QString& t, qsizetype start, qsizetype colon) {
    while (colon > start && t.at(colon - 1).isLetter() && t.at(colon - 1).unicode() < 0x80)
        --colon;
    return colon == start;
}

// The last place in [start, end] (`end` the character that does not fit) where a line may break,
// `start` when there is none. Not right before `end` after a "/": the spreadsheet program breaks such
// a line at an earlier place ("goo.gl/|maps/x", "A991/|A986/A").
qsizetype lastBreak(const QString& t, qsizetype start, qsizetype end) {
    qsizetype best = start;
    for (qsizetype prev = start, b = start + text::characterLength(t, start); b <= end;
         prev = b, b += text::characterLength(t, b)) {
        const char32_t p = codePoint(t, prev);
        if ((b < end || p != u'/') &&
            breaksBetween(prev > 0 ? codePoint(t, previous(t, prev)) : 0, p, codePoint(t, b)) &&
            !(t.mid(start, b - start).endsWith(QLatin1String("://")) && !schemeStarts(t, start, b - 3)))
            best = b;
        if (b == end)
            break;
    }
    return best;
}

} // namespace

int wrappedLines(const QString& t, double width, const QString& family, double size, int most, QString* kept) {
    const bool known = family.compare(kTemplateFont, Qt::CaseInsensitive) == 0;
    // The cell's inner margins taken off.
    const double room = width * kDigitWidth - 4;
    size = std::max(1.0, size);
    int n = 1;
    double used = 0;
    qsizetype start = 0, i = 0, end = t.size();
    while (i < t.size()) {
        const double w = charWidth(t, i, size, known);
        // A character that fits, the first of a line, or a blank (it may stand past the line's end).
        if (t.at(i) != u'\n' && (used + w <= room || i == start || blank(codePoint(t, i)))) {
            used += w;
            i += text::characterLength(t, i);
            continue;
        }
        // The line is full: between two wide characters it breaks right there; else where the word
        // before the character that does not fit may be broken (when it is wider than a line, right
        // there).
        qsizetype b = i;
        if (t.at(i) == u'\n')
            ++b;
        else if (const qsizetype at = lastBreak(t, start, i);
                 at > start && (!isWide(codePoint(t, i)) || !isWide(codePoint(t, previous(t, i)))))
            b = at;
        if (++n > most) {
            end = t.at(i) == u'\n' ? i : b;
            break;
        }
        start = i = b;
        used = 0;
    }
    if (kept)
        *kept = t.left(end);
    return std::min(n, most);
}

// Each line about 1.3 times the font size high, and a little room; no row is higher than 409 pt.
double linesHeight(int lines, double size) {
    return std::min(kMaxRowHeight, lines * size * 1.3 + 2);
}

int linesWithin(double height, double size) {
    return std::max(1, int((std::min(height, kMaxRowHeight) - 2) / (std::max(1.0, size) * 1.3) + 1e-9));
}

QString cutMessage(const QStringList& cut, const QString& newline) {
    constexpr int kListed = 10;
    QString cells = cut.mid(0, kListed).join(newline);
    if (cut.size() > kListed)
        cells += newline + QStringLiteral("……共 %1 格").arg(cut.size());
    return QString::fromUtf8(kCutHeadline) + newline + cells;
}

int TextRoom::lines(const QString& text, int most, QString* kept) const {
    return wrappedLines(text, width, family, size, wraps ? most : 1, kept);
}

QString TextRoom::fit(const QString& text, double* height) const {
    QString kept;
    *height = linesHeight(lines(text, linesWithin(kMaxRowHeight, size), &kept), size);
    return kept;
}

namespace {

// The width in characters (digits) of one level of a cell's indent, as the spreadsheet program
// draws it: three blanks of the default font.
constexpr double kIndentDigits = 3 * kTemplateFontWidths[0] / (kDigitWidth / 11 * 1000);

// A width in digits of the workbook's default font, in digits of the template font at 11 pt: a
// digit as wide as its size makes it (the spreadsheet program draws one at that or a little wider),
// of a face not known here as wide as the template font's.
double inTemplateDigits(const Sheet& sheet, double digits) {
    return digits * std::max(1.0, sheet.defaultFont().second) / 11;
}

// The width of columns `first` to `last` in digits of the default font, hidden ones none.
double widthOf(const Sheet& sheet, int first, int last) {
    double w = 0;
    for (int c = first; c <= last; ++c)
        w += sheet.columnWidth(c);
    return w;
}

} // namespace

TextRoom textRoom(const Sheet& sheet, int row, int col, int lastCol) {
    TextRoom room{0, sheet.fontSize(row, col), sheet.fontName(row, col), sheet.wrapsText(row, col)};
    const HAlign a = sheet.horizontalAlignment(row, col);
    room.wraps = room.wraps || a == HAlign::Justify;
    int first = col, last = col, firstCol = 1;
    bool merged = false;
    for (const RangeRef& m : sheet.mergedRanges()) {
        if (m.first.row > row || m.last.row < row)
            continue;
        if (m.first.col <= col && m.last.col >= col) {
            first = m.first.col;
            last = m.last.col;
            merged = true;
        } else if (m.first.col > col) {
            lastCol = std::min(lastCol, m.first.col - 1); // a text runs on up to a merged block
        } else {
            firstCol = std::max(firstCol, m.last.col + 1);
        }
    }
    room.width = widthOf(sheet, first, last);
    // A merged, wrapping, shrinking or filled text stays within its own cells; any other runs on over
    // the empty cells on the side its alignment spreads it to, a centred one as far on both sides.
    if (!merged && !room.wraps && !sheet.shrinksToFit(row, col) && a != HAlign::Fill) {
        while (a != HAlign::Right && last < lastCol && sheet.type(row, last + 1) == CellType::Empty)
            ++last;
        while ((a == HAlign::Right || a == HAlign::Center) && first > firstCol &&
               sheet.type(row, first - 1) == CellType::Empty)
            --first;
        const double left = widthOf(sheet, first, col - 1), right = widthOf(sheet, col + 1, last);
        room.width += a == HAlign::Center ? 2 * std::min(left, right) : left + right;
    }
    room.width = inTemplateDigits(sheet, std::max(0.0, room.width - kIndentDigits * sheet.indent(row, col)));
    return room;
}

} // namespace wb
