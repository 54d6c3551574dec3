#include "SheetPlan.h"

#include "StatSource.h"
#include "text/Numbers.h"
#include "text/TextCut.h"
#include "workbook/Workbook.h"

#include <QHash>
#include <algorithm>

namespace xlprint {

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

double numberOf(const QVariant& v) {
    return isNumber(v) ? v.toDouble() : num::val(v.toString());
}

namespace {

// Characters as the reader counts them: a surrogate pair with its variation selectors is one.
qsizetype characterCount(QStringView s) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); i += text::characterLength(s, i))
        ++n;
    return n;
}

// Where a cut text stood: the sheet and cell, after its fields when it showed any.
QString cutPlace(const PrintSheet& sh, int sheet, int row, int col, const QStringList& fields = {}) {
    const QString where = QStringLiteral("%1%2%3")
                              .arg(sh.name().isEmpty() ? QStringLiteral("第 %1 張工作表 ").arg(sheet)
                                                       : QStringLiteral("工作表「%1」").arg(sh.name()))
                              .arg(columnLetters(col))
                              .arg(row);
    return fields.isEmpty() ? where : QStringLiteral("%1（%2）").arg(fields.join(u'、'), where);
}

QString keptCharacters(qsizetype n) {
    return QStringLiteral("：保留前 %1 字").arg(n);
}

void writeValue(PrintSheet& sh, int sheet, int row, int col, const QVariant& v, QStringList* cut) {
    if (v.typeId() == QMetaType::QString && v.toString().size() > kMaxCellText) {
        // On a character boundary: a surrogate pair or a variation selector is never split.
        const QString kept = text::cutToUnits(v.toString(), kMaxCellText);
        sh.setValue(row, col, kept);
        if (cut)
            cut->append(cutPlace(sh, sheet, row, col) + keptCharacters(characterCount(kept)));
        return;
    }
    sh.setValue(row, col, v);
}

// The beginning of `text` that the cell prints whole: the lines a wrapping cell shows (its row made
// as high as they need), else one line of its room; never more than a cell holds.
QString printedPart(PrintSheet& sh, int row, int col, int lastCol, const QString& text) {
    QString kept = text;
    if (const std::optional<TextCell> w = sh.textCell(row, col, lastCol)) {
        const int lines =
            wb::wrappedLines(text, w->width, w->family, w->fontSize, w->wraps ? kHeaderLines : 1, &kept);
        const double height = wb::linesHeight(lines, w->fontSize);
        if (w->wraps && height > sh.rowHeight(row))
            sh.setRowHeight(row, height);
    }
    return kept.size() > kMaxCellText ? text::cutToUnits(kept, kMaxCellText) : kept;
}

// A header text with its placeholders replaced, each character marked with the placeholder whose
// value it belongs to (-1: the template's own text).
struct FilledText {
    QString text;
    QVector<int> owner;
    QList<int> shown; // the placeholders replaced, in their order

    // The characters of placeholder p's values in the first `units` units.
    qsizetype charactersOf(int p, qsizetype units) const {
        qsizetype n = 0;
        for (qsizetype i = 0; i < units; i += text::characterLength(text, i))
            n += owner[i] == p;
        return n;
    }
};

// Every occurrence replaced as the text stands after the placeholders before it (a value is not
// searched again for the same placeholder).
FilledText fill(const QString& cell, const QVector<Placeholder>& values) {
    FilledText f{cell, QVector<int>(cell.size(), -1), {}};
    for (int p = 0; p < values.size(); ++p) {
        const Placeholder& ph = values[p];
        qsizetype at = f.text.indexOf(ph.key);
        if (at < 0)
            continue;
        for (; at >= 0; at = f.text.indexOf(ph.key, at + ph.value.size())) {
            f.text.replace(at, ph.key.size(), ph.value);
            f.owner.remove(at, ph.key.size());
            f.owner.insert(at, ph.value.size(), p);
        }
        f.shown.append(p);
    }
    return f;
}

} // namespace

void fillPlaceholders(PrintBook& book, int lastRow, int lastCol, const QVector<Placeholder>& values,
                      QStringList* cut) {
    const int sheets = qMin(2, book.sheetCount());
    for (int s = 1; s <= sheets; ++s) {
        PrintSheet* sh = book.sheet(s);
        if (!sh)
            continue;
        for (int r = 1; r <= lastRow; ++r) {
            for (int c = 1; c <= lastCol; ++c) {
                const QVariant v = sh->value(r, c);
                if (v.typeId() != QMetaType::QString)
                    continue;
                const FilledText f = fill(v.toString(), values);
                if (f.shown.isEmpty())
                    continue;
                const QString kept = printedPart(*sh, r, c, lastCol, f.text);
                sh->setValue(r, c, kept);
                if (kept.size() == f.text.size() || !cut)
                    continue;
                // Each field by the characters of its own that are kept, the template's words not
                // counted; when every field is whole, the template's words after them are named.
                QStringList fields;
                bool named = false;
                for (int p : f.shown) {
                    const qsizetype held = f.charactersOf(p, kept.size());
                    if (held < f.charactersOf(p, f.text.size())) {
                        cut->append(cutPlace(*sh, s, r, c, {values[p].field}) + keptCharacters(held));
                        named = true;
                    }
                    if (!fields.contains(values[p].field))
                        fields.append(values[p].field);
                }
                if (!named)
                    cut->append(cutPlace(*sh, s, r, c, fields) + QStringLiteral("：之後的範本文字未印出"));
            }
        }
    }
}

QString applyPlan(const JobPlan& plan, const Geometry& g, PrintBook& book, QStringList* cut) {
    for (const SheetPlan& sp : plan.sheets) {
        PrintSheet* sh = book.sheet(sp.sheet);
        if (!sh)
            return QStringLiteral("範本缺少第 %1 張工作表").arg(sp.sheet);
        if (sp.columnBreak > 0)
            sh->addColumnBreak(sp.columnBreak);
        if (sp.insertRows > 0)
            sh->insertRows(sp.insertAt, sp.insertRows);
        const int h = g.H();
        for (int i = 1; i <= sp.pageCopies; ++i) {
            const int dest = g.tl.row + h * i;
            sh->copyRange(g.tl.row, g.tl.col, g.br.row, sp.copyLastCol, dest, g.tl.col);
            sh->addRowBreak(dest);
            for (int r = g.tl.row; r <= g.br.row; ++r)
                sh->setRowHeight(dest + r - g.tl.row, sh->rowHeight(r));
        }
        // A cell in a merged block would hide under it (or wipe the block's own text): the job stops
        // before any cell of the sheet is written.
        QHash<int, QVector<Block>> mergedRows;
        for (const Block& m : sh->merges())
            for (int r = m.top; r <= m.bottom; ++r)
                mergedRows[r].append(m);
        for (const CellOut& c : sp.cells)
            for (const Block& m : mergedRows.value(c.row))
                if (m.holds(c.row, c.col))
                    return QStringLiteral(
                               "第 %1 張工作表的 %2%3 格在合併儲存格 %4%5:%6%7 之內，範本的這個區域不能填寫")
                        .arg(sp.sheet)
                        .arg(columnLetters(c.col))
                        .arg(c.row)
                        .arg(columnLetters(m.left))
                        .arg(m.top)
                        .arg(columnLetters(m.right))
                        .arg(m.bottom);
        for (const CellOut& c : sp.cells) {
            // Aligned first: a text that runs on is measured as it will be drawn.
            if (c.align != Align::None)
                sh->setAlign(c.row, c.col, c.align);
            if (c.runsTo > 0 && c.value.typeId() == QMetaType::QString) {
                const QString text = c.value.toString();
                const QString kept = printedPart(*sh, c.row, c.col, c.runsTo, text);
                sh->setValue(c.row, c.col, kept);
                if (cut && kept.size() < text.size())
                    cut->append(cutPlace(*sh, sp.sheet, c.row, c.col, {c.field}) +
                                keptCharacters(characterCount(kept)));
            } else {
                writeValue(*sh, sp.sheet, c.row, c.col, c.value, cut);
            }
            if (!c.numberFormat.isEmpty())
                sh->setNumberFormat(c.row, c.col, c.numberFormat);
            if (c.bold)
                sh->setBold(c.row, c.col);
        }
    }
    return {};
}

SettingsProblem judgeDataRows(const Geometry& g, const PrintSheet& sheet) {
    // The columns a layout writes: the page range's and the cost template's three beyond it.
    const int lastCol = g.br.col + kColumnsBeyondRange - 1;
    int foot = g.br.row + 1;
    QString what;
    const auto named = [](const QString& text, const QString& otherwise) {
        return text.contains(u'簽') ? QStringLiteral("簽名列") : otherwise;
    };
    for (const Block& m : sheet.merges()) {
        const int row = qMax(m.top, g.S);
        if (m.bottom < g.S || row >= foot || m.right < g.tl.col || m.left > lastCol)
            continue;
        foot = row;
        what = named(sheet.value(m.top, m.left).toString(), QStringLiteral("合併儲存格 %1%2:%3%4")
                                                                .arg(columnLetters(m.left))
                                                                .arg(m.top)
                                                                .arg(columnLetters(m.right))
                                                                .arg(m.bottom));
    }
    for (int r = g.S; r < foot; ++r)
        for (int c = g.tl.col; c <= lastCol; ++c) {
            const QString text = sheet.value(r, c).toString();
            if (text.trimmed().isEmpty())
                continue;
            foot = r;
            what = named(text, QStringLiteral("已有文字的列（%1%2「%3」）")
                                   .arg(columnLetters(c))
                                   .arg(r)
                                   .arg(text::firstCharacters(text, 20)));
            break;
        }
    if (foot <= g.S)
        return {SettingsField::StartRow,
                QStringLiteral("起始列不能是第 %1 列：第 %2 列是範本的%3").arg(g.S).arg(foot).arg(what)};
    if (g.S + g.P - 1 >= foot)
        return {SettingsField::RowsPerPage,
                QStringLiteral("每一頁列數太多：第 %1 列是範本的%2（起始列 %3 時每一頁最多 %4 列）")
                    .arg(foot)
                    .arg(what)
                    .arg(g.S)
                    .arg(foot - g.S)};
    return {};
}

QString planBeyondSheet(const JobPlan& plan, const Geometry& g) {
    qint64 lastRow = 0;
    int lastCol = 0;
    for (const SheetPlan& sp : plan.sheets) {
        // The copies below the page range; rows inserted push the template's rows down.
        lastRow = std::max({lastRow, qint64(g.tl.row) + qint64(g.H()) * (sp.pageCopies + 1) - 1,
                            qint64(g.br.row) + sp.insertRows});
        lastCol = std::max({lastCol, sp.columnBreak, sp.copyLastCol});
        for (const CellOut& c : sp.cells) {
            lastRow = qMax(lastRow, qint64(c.row));
            lastCol = qMax(lastCol, c.col);
        }
    }
    if (lastRow > wb::kMaxRows)
        return QStringLiteral(
                   "頁面範圍 %1%2 到 %3%4 每頁 %5 列，這份報價單要印到第 %6 列，超出工作表的最後一列 %7；"
                   "請縮小頁面範圍")
            .arg(columnLetters(g.tl.col))
            .arg(g.tl.row)
            .arg(columnLetters(g.br.col))
            .arg(g.br.row)
            .arg(g.H())
            .arg(lastRow)
            .arg(wb::kMaxRows);
    if (lastCol > wb::kMaxColumns)
        return QStringLiteral("右下 %1%2 太靠右，列印超出工作表的最後一行 %3")
            .arg(columnLetters(g.br.col))
            .arg(g.br.row)
            .arg(columnLetters(wb::kMaxColumns));
    return {};
}

bool PageCursor::advance() {
    ++m_n;
    if (m_single || m_n % m_g.P != 0) {
        ++m_r;
        return false;
    }
    m_r += 1 + m_g.H() - m_g.P;
    return true;
}

void PageCursor::jumpToNextPage() {
    m_n = (m_n / m_g.P + 1) * m_g.P;
    m_r = (m_n / m_g.P) * m_g.H();
}

void PageCursor::jumpToPage(int page) {
    m_r = m_g.H() * page;
    m_n = 0;
}

int copiesFor(const Geometry& g, int lastRow) {
    if (lastRow < g.tl.row)
        return 0;
    return (lastRow - g.tl.row) / g.H();
}

} // namespace xlprint
