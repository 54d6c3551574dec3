// A1 references: column letters, cells and ranges.
#include "Workbook.h"

namespace wb {

WorkbookError::WorkbookError(const QString& reason)
    : std::runtime_error(reason.toStdString()), reason_(reason) {}

std::optional<int> columnNumber(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3)
        return std::nullopt;
    int n = 0;
    for (QChar ch : letters) {
        const char16_t c = ch.unicode();
        int v;
        if (c >= u'A' && c <= u'Z')
            v = c - u'A' + 1;
        else if (c >= u'a' && c <= u'z')
            v = c - u'a' + 1;
        else
            return std::nullopt;
        n = n * 26 + v;
    }
    if (n > kMaxColumns)
        return std::nullopt;
    return n;
}

QString columnName(int col) {
    if (col < 1 || col > kMaxColumns)
        return {};
    QString s;
    while (col > 0) {
        const int rem = (col - 1) % 26;
        s.prepend(QChar(u'A' + rem));
        col = (col - 1) / 26;
    }
    return s;
}

QString cellName(int row, int col) {
    return columnName(col) + QString::number(row);
}

QString rangeName(const RangeRef& r) {
    return cellName(r.first.row, r.first.col) + u':' + cellName(r.last.row, r.last.col);
}

std::optional<CellRef> parseCell(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == u'$')
        ++i;
    const qsizetype letters = i;
    while (i < n && text[i].isLetter() && text[i].unicode() < 128)
        ++i;
    const auto col = columnNumber(text.mid(letters, i - letters));
    if (!col)
        return std::nullopt;
    if (i < n && text[i] == u'$')
        ++i;
    const qsizetype digits = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    if (i != n || i == digits || i - digits > 7)
        return std::nullopt;
    const int row = text.mid(digits).toInt();
    if (row < 1 || row > kMaxRows)
        return std::nullopt;
    return CellRef{row, *col};
}

std::optional<RangeRef> parseRange(QStringView text) {
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        const auto c = parseCell(text);
        if (!c)
            return std::nullopt;
        return RangeRef{*c, *c};
    }
    const auto a = parseCell(text.left(colon));
    const auto b = parseCell(text.mid(colon + 1));
    if (!a || !b)
        return std::nullopt;
    return RangeRef{{std::min(a->row, b->row), std::min(a->col, b->col)},
                    {std::max(a->row, b->row), std::max(a->col, b->col)}};
}

CellRef cell(QStringView text) {
    const auto c = parseCell(text);
    if (!c)
        throw WorkbookError(QStringLiteral("儲存格位址不正確：%1").arg(text));
    return *c;
}

RangeRef range(QStringView text) {
    const auto r = parseRange(text);
    if (!r)
        throw WorkbookError(QStringLiteral("範圍位址不正確：%1").arg(text));
    return *r;
}

} // namespace wb
