#include "PrintSettings.h"

#include "mdM.h"
#include "system/System.h"
#include "text/Codec.h"
#include "workbook/Workbook.h"

#include <QStringList>

namespace xlprint {

namespace {

// A whole number from 1 written in decimal digits (blanks around it allowed); 0 otherwise.
int positiveNumber(QStringView text) {
    const QStringView t = text.trimmed();
    if (t.isEmpty() || t.size() > 9)
        return 0;
    int v = 0;
    for (QChar ch : t) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return 0;
        v = v * 10 + (ch.unicode() - '0');
    }
    return v;
}

} // namespace

PrintSettings currentPrintSettings() {
    PrintSettings s;
    s.startRow = mdM::XlStartRow;
    s.startCol = mdM::XlStartCol;
    s.topLeft = mdM::XlPageTopLeft;
    s.bottomRight = mdM::XlPageBottomRight;
    s.rowsPerPage = mdM::XlRowsPerPage;
    s.fixedHeader = mdM::XlFixedHeader;
    return s;
}

void setCurrentPrintSettings(const PrintSettings& s) {
    mdM::XlStartRow = s.startRow;
    mdM::XlStartCol = s.startCol;
    mdM::XlPageTopLeft = s.topLeft;
    mdM::XlPageBottomRight = s.bottomRight;
    mdM::XlRowsPerPage = s.rowsPerPage;
    mdM::XlFixedHeader = s.fixedHeader;
}

PrintSettings loadPrintSettings() {
    mdM::LoadPrintSettings();
    return currentPrintSettings();
}

bool writePrintSettings(const PrintSettings& s, QString* error) {
    const QString xp = sys::programFile(QStringLiteral("Xp.ini"));
    const QString fast = sys::programFile(QStringLiteral("fastP.ini"));
    const std::optional<QStringList> oldXp = text::readLines(xp);
    if (!text::writeLines(xp, {s.startRow, s.startCol, s.topLeft, s.bottomRight, s.rowsPerPage}, error))
        return false;
    if (!text::writeLines(fast, {s.fixedHeader ? QStringLiteral("1") : QStringLiteral("0")}, error)) {
        // Both files or neither: put the old Xp.ini back.
        if (oldXp)
            text::writeLines(xp, *oldXp);
        return false;
    }
    return true;
}

int columnNumber(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (QChar ch : letters) {
        if (ch < QLatin1Char('A') || ch > QLatin1Char('Z'))
            return 0;
        n = n * 26 + (ch.unicode() - 'A' + 1);
    }
    return n;
}

QString columnLetters(int col) {
    QString s;
    while (col > 0) {
        const int d = (col - 1) % 26;
        s.prepend(QChar(u'A' + d));
        col = (col - 1) / 26;
    }
    return s;
}

std::optional<CellRef> parseCellRef(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    while (i < t.size() && t.at(i) >= QLatin1Char('A') && t.at(i) <= QLatin1Char('Z'))
        ++i;
    const int col = columnNumber(t.first(i));
    const int row = positiveNumber(t.sliced(i));
    if (col == 0 || row == 0 || t.sliced(i).trimmed() != t.sliced(i))
        return std::nullopt;
    // Inside the sheet: column XFD, row 1,048,576 at most.
    if (col > wb::kMaxColumns || row > wb::kMaxRows)
        return std::nullopt;
    return CellRef{row, col};
}

SettingsProblem checkSettings(const PrintSettings& s) {
    using F = SettingsField;
    const int startRow = positiveNumber(s.startRow);
    const std::optional<CellRef> tl = parseCellRef(s.topLeft);
    const std::optional<CellRef> br = parseCellRef(s.bottomRight);
    const int rows = positiveNumber(s.rowsPerPage);
    if (startRow == 0)
        return {F::StartRow, QStringLiteral("起始列必須是 1 以上的整數")};
    // The first data row stands inside the page range's rows.
    if (tl && br && br->row >= tl->row && (startRow < tl->row || startRow > br->row))
        return {F::StartRow,
                QStringLiteral("起始列必須在列印範圍之內（第 %1 到 %2 列）").arg(tl->row).arg(br->row)};
    if (tl && tl->row > startRow)
        return {F::StartRow,
                QStringLiteral("起始列必須在列印範圍之內（不可在左上 %1 之上）").arg(s.topLeft.trimmed())};
    const QStringView col = QStringView(s.startCol).trimmed();
    if (col.size() != 1 || columnNumber(col) == 0)
        return {F::StartCol, QStringLiteral("起始行必須是 A 到 Z 的一個大寫字母")};
    if (!tl)
        return {F::TopLeft, QStringLiteral("左上必須是工作表內的儲存格位址，例如 A1")};
    if (!br)
        return {F::BottomRight, QStringLiteral("右下必須是工作表內的儲存格位址，例如 G39")};
    if (br->row < tl->row || br->col < tl->col)
        return {F::BottomRight, QStringLiteral("右下不可在左上的上方或左方")};
    if (br->col > wb::kMaxColumns - kColumnsBeyondRange)
        return {F::BottomRight,
                QStringLiteral("右下的行太靠右：列印要用到頁面範圍右方 %1 行，右下最遠到 %2 行")
                    .arg(kColumnsBeyondRange)
                    .arg(columnLetters(wb::kMaxColumns - kColumnsBeyondRange))};
    // The table's columns from the start column lie inside the page range (the cost template's
    // columns beyond them may stand right of it).
    const int c = columnNumber(col);
    const bool narrow = br->col - tl->col + 1 < kTableColumns;
    const int lastStart = br->col - kTableColumns + 1;
    const QString startColumns = lastStart == tl->col ? columnLetters(tl->col)
                                                      : columnLetters(tl->col) + QStringLiteral(" 到 ") +
                                                            columnLetters(lastStart);
    if (c < tl->col || (!narrow && c + kTableColumns - 1 > br->col))
        return {F::StartCol,
                QStringLiteral("起始行必須在列印範圍之內，表格的 %1 行都要在 %2 到 %3 行裡%4")
                    .arg(kTableColumns)
                    .arg(columnLetters(tl->col), columnLetters(br->col),
                         narrow ? QString() : QStringLiteral("（起始行只能是 %1）").arg(startColumns))};
    if (narrow)
        return {F::BottomRight, QStringLiteral("右下太靠左：表格有 %1 行，列印範圍（%2 到 %3 行）容納不下")
                                    .arg(kTableColumns)
                                    .arg(columnLetters(tl->col), columnLetters(br->col))};
    // The first page's data rows end inside the page range.
    if (rows == 0)
        return {F::RowsPerPage, QStringLiteral("每一頁列數必須是 1 以上的整數")};
    if (qint64(startRow) + rows - 1 > br->row)
        return {F::RowsPerPage,
                QStringLiteral("每一頁列數太多：第一頁的資料列（第 %1 列起 %2 列）超出右下的第 %3 列")
                    .arg(startRow)
                    .arg(rows)
                    .arg(br->row)};
    return {};
}

SettingsField firstInvalidField(const PrintSettings& s) {
    return checkSettings(s).field;
}

QString settingsFailure(const SettingsProblem& p) {
    return QStringLiteral("列印設定不能使用：%1。\n請在「列印設定」修改後再列印。").arg(p.reason);
}

std::optional<Geometry> geometryOf(const PrintSettings& s) {
    if (firstInvalidField(s) != SettingsField::None)
        return std::nullopt;
    Geometry g;
    g.S = positiveNumber(s.startRow);
    g.C = columnNumber(QStringView(s.startCol).trimmed());
    g.P = positiveNumber(s.rowsPerPage);
    g.tl = *parseCellRef(s.topLeft);
    g.br = *parseCellRef(s.bottomRight);
    return g;
}

} // namespace xlprint
