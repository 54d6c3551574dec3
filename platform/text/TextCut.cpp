#include "TextCut.h"

namespace text {
namespace {

bool isPair(QStringView s, qsizetype pos) {
    return pos + 1 < s.size() && s.at(pos).isHighSurrogate() && s.at(pos + 1).isLowSurrogate();
}

// Length of the variation selector at `pos`, 0 when none stands there.
qsizetype selectorLength(QStringView s, qsizetype pos) {
    if (pos >= s.size())
        return 0;
    const char16_t u = s.at(pos).unicode();
    if (u >= 0xFE00 && u <= 0xFE0F)
        return 1;
    if (isPair(s, pos)) {
        const char32_t c = QChar::surrogateToUcs4(s.at(pos), s.at(pos + 1));
        if (c >= 0xE0100 && c <= 0xE01EF)
            return 2;
    }
    return 0;
}

} // namespace

qsizetype characterLength(QStringView s, qsizetype pos) {
    if (pos >= s.size())
        return 0;
    qsizetype end = pos + (isPair(s, pos) ? 2 : 1);
    while (const qsizetype sel = selectorLength(s, end))
        end += sel;
    return end - pos;
}

QString cutToUnits(const QString& s, qsizetype maxUnits) {
    if (s.size() <= maxUnits)
        return s;
    qsizetype end = 0;
    while (end < s.size()) {
        const qsizetype next = end + characterLength(s, end);
        if (next > maxUnits)
            break;
        end = next;
    }
    return s.left(end);
}

QString firstCharacters(const QString& s, int n) {
    qsizetype end = 0;
    for (int i = 0; i < n && end < s.size(); ++i)
        end += characterLength(s, end);
    return s.left(end);
}

QString fitFileName(const QString& stem, const QString& tail) {
    qsizetype room = kMaxFileNameBytes - tail.toUtf8().size();
    qsizetype end = 0;
    while (end < stem.size()) {
        const qsizetype len = characterLength(stem, end);
        room -= QStringView(stem).sliced(end, len).toUtf8().size();
        if (room < 0)
            break;
        end += len;
    }
    return stem.left(end) + tail;
}

} // namespace text
