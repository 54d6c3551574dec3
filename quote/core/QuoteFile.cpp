#include "QuoteFile.h"

#include "CellRules.h"
#include "Pricing.h"
#include "text/Codec.h"
#include "text/Numbers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cmath>

namespace quote::QuoteFile {
namespace {

const QString kTitle = QStringLiteral("[Title]");
const QString kTree = QStringLiteral("[Tree]");
const QString kGrid = QStringLiteral("[Grid]");
const QString kPageEndPs = QStringLiteral("[PageEndPs]");
const QString kDandL = QStringLiteral("[D&L]");
const QString kEol = QStringLiteral("\r\n");
const QChar kCellSep = u'|';
const QChar kOldCellSep = u',';
const QChar kFeeSep = u',';
const QChar kTotalsSep = u':';

// ---- writing ----

// A line break inside a value becomes a space.
QString oneLine(const QString& s) {
    if (!s.contains(u'\r') && !s.contains(u'\n'))
        return s;
    QString out = s;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    return out;
}

// A value of a line whose fields are joined by `sep`: the separator as its full-width form.
QString field(const QString& s, QChar sep) {
    QString out = oneLine(s);
    out.replace(sep, QChar(sep.unicode() + 0xFEE0)); // | , : -> ｜ ， ：
    return out;
}

QString truth(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}
QString digit(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

QString feeLine(const Fee& f) {
    return QStringList{field(f.name, kFeeSep), truth(f.byTotal), field(f.base, kFeeSep),
                       field(f.rate, kFeeSep), field(f.amount, kFeeSep)}
        .join(kFeeSep);
}

// ---- reading ----

// The file's lines, and whether the last one lacks its line end (the file was cut there, or only
// its final CR LF is missing).
class Lines {
public:
    explicit Lines(const QString& content)
        : lines_(text::splitLines(content)),
          lastOpen_(!content.isEmpty() && !content.endsWith(u'\n') && !content.endsWith(u'\r')) {}
    bool atEnd() const { return at_ >= lines_.size(); }
    std::optional<QString> next() {
        if (atEnd())
            return std::nullopt;
        return lines_.at(at_++);
    }
    int lineNo() const { return int(at_); } // number of the line last read (1-based)
    // The line last read is the file's last and has no line end.
    bool lastReadOpen() const { return lastOpen_ && at_ == lines_.size(); }

private:
    QStringList lines_;
    bool lastOpen_;
    qsizetype at_ = 0;
};

// Why a file is refused, as the message's second line.
QString endsInside(const QString& section) {
    return QStringLiteral("檔案在 %1 段中提早結束").arg(section);
}
QString wrongLine(int lineNo, const QString& marker) {
    return QStringLiteral("第 %1 行應為 %2").arg(lineNo).arg(marker);
}
QString cutLine(int lineNo, const QString& section) {
    return QStringLiteral("第 %1 行欄位不全：檔案在 %2 段中提早結束").arg(lineNo).arg(section);
}

FileError structureError(const QString& reason) {
    return FileError{QStringLiteral("開啟檔案錯誤") + kEol + reason, QStringLiteral("KavoIII"), ui::Icon::Critical,
                     reason};
}

// The fields of a line split at `sep`; an empty line has none.
QStringList fields(const QString& line, QChar sep) {
    return line.isEmpty() ? QStringList() : line.split(sep);
}

// A truth value: "True"/"False" in any letter case, or a number (0 false). nullopt for anything else.
std::optional<bool> readTruth(const QString& s) {
    const QString t = s.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v != 0;
}

// A check-box value taken as an integer: 0 or 1. A greyed box (2) cannot be held and, like
// anything else, leaves the box as it was.
std::optional<bool> readCheck(const QString& s) {
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double whole = std::nearbyint(v); // half to even, as an integer conversion rounds
    if (whole == 0)
        return false;
    if (whole == 1)
        return true;
    return std::nullopt;
}

void readFeeLine(const QString& line, Fee& fee) {
    const QStringList f = fields(line, kFeeSep);
    if (f.size() > 0)
        fee.name = f[0];
    if (f.size() > 1)
        if (const auto byTotal = readTruth(f[1]))
            fee.byTotal = *byTotal;
    fee.baseUnit = feeBaseUnit(fee.byTotal);
    if (f.size() > 2)
        fee.base = f[2];
    if (f.size() > 3)
        fee.rate = f[3];
    if (f.size() > 4)
        fee.amount = f[4];
}

void readTotalsLine(const QString& line, PageEnd& pe) {
    const QStringList f = fields(line, kTotalsSep);
    QString* targets[] = {&pe.lbNtax, &pe.cbTax, &pe.lbTax, &pe.lbHtax, &pe.txtOff, &pe.lbApr};
    for (qsizetype i = 0; i < f.size() && i < 6; ++i)
        *targets[i] = f[i];
}

void readChecksLine(const QString& line, PageEnd& pe) {
    const QStringList f = fields(line, kFeeSep);
    bool* targets[] = {&pe.design.included, &pe.supervision.included, &pe.ckTax};
    for (qsizetype i = 0; i < f.size() && i < 3; ++i)
        if (const auto v = readCheck(f[i]))
            *targets[i] = *v;
}

// One [Tree] line, compared with the line before it: every node of its path that the line before
// did not name is added (a key the tree already holds is not added twice). Level 0 is the root.
void addTreeLine(QuoteTree& tree, const QString& line, QStringList& previous) {
    QStringList parts = line.split(kPathSeparator);
    if (!tree.root()) {
        tree.addRoot(parts[0]);
        previous = QStringList{parts[0]};
    }
    parts[0] = tree.root()->key;
    QString parentKey = parts[0];
    bool differs = false;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        differs = differs || i >= previous.size() || previous[i] != parts[i];
        if (differs)
            tree.addChild(parentKey, parts[i]);
        parentKey += kPathSeparator + parts[i];
    }
    previous = parts;
}

ItemRow readGridLine(const QString& line, bool older) {
    const QStringList f = older ? (line + kOldCellSep).split(kOldCellSep) : line.split(kCellSep);
    ItemRow row;
    for (qsizetype i = 0; i < f.size() && i + ColPath < ColCount; ++i)
        row[size_t(i + ColPath)] = f[i];
    return row;
}

// A line of [D&L]: how it is read, and the fields it holds when written whole. The fee lines must
// be there; the section may stop after them.
struct DandLLine {
    void (*read)(const QString&, PageEnd&);
    QChar sep;
    int fields;
    bool required;
    bool lastFieldNeeded; // an empty last field is a cut line (the check boxes are never empty)
};
const DandLLine kDandLLines[] = {
    {[](const QString& l, PageEnd& p) { readFeeLine(l, p.design); }, kFeeSep, 5, true, false},
    {[](const QString& l, PageEnd& p) { readFeeLine(l, p.supervision); }, kFeeSep, 5, true, false},
    {readTotalsLine, kTotalsSep, 6, false, false},
    {readChecksLine, kFeeSep, 3, false, true},
};

// A last line without its line end is taken when it holds every field of its kind.
bool wholeLine(const QString& line, const DandLLine& kind) {
    const QStringList f = line.split(kind.sep);
    return f.size() >= kind.fields && !(kind.lastFieldNeeded && f.at(kind.fields - 1).isEmpty());
}

// The page-end sections, read as far as they go; `inPageEnd` when "[PageEndPs]" was just read.
// The reason when the file ends inside them (the reader refuses a file of the current format for
// it); nothing when they are whole or absent.
std::optional<QString> readPageEnd(Lines& in, bool inPageEnd, PageEnd& pe) {
    if (!inPageEnd) {
        const auto marker = in.next();
        if (!marker)
            return std::nullopt; // the file ends after the grid: no page-end sections
        if (*marker != kPageEndPs) {
            // Something else: no page-end sections. The marker itself cut short is a cut file.
            if (in.lastReadOpen() && kPageEndPs.startsWith(*marker))
                return endsInside(kPageEndPs);
            return std::nullopt;
        }
    }
    for (QString& remark : pe.cbPe) {
        const auto line = in.next();
        if (!line)
            return endsInside(kPageEndPs);
        remark = *line;
    }
    for (;;) {
        const auto line = in.next();
        if (!line)
            return endsInside(kPageEndPs);
        if (*line == kDandL)
            break;
    }
    for (const DandLLine& kind : kDandLLines) {
        const auto line = in.next();
        if (!line)
            return kind.required ? std::optional(endsInside(kDandL)) : std::nullopt;
        kind.read(*line, pe);
        if (in.lastReadOpen() && !wholeLine(*line, kind))
            return cutLine(in.lineNo(), kDandL);
    }
    return std::nullopt;
}

} // namespace

QString format(const QuoteDocument& doc) {
    QString out;
    out.reserve(64 * doc.hfgB.rows() + 1024);
    auto line = [&out](const QString& s) {
        out += s;
        out += kEol;
    };
    line(doc.WorkTypesOnly ? QStringLiteral("1n") : QStringLiteral("0n"));
    line(kTitle);
    const QuoteHeader& h = doc.header;
    for (const QString* s : {&h.txtCn, &h.cbEcn, &h.cbSal, &h.cbK, &h.txtNo, &h.txtAddr, &h.txtQD})
        line(oneLine(*s));
    line({});
    line(kTree);
    if (const auto* root = doc.tree.root())
        for (const QString& leaf : doc.tree.leaves(root->key))
            line(field(leaf, kCellSep)); // as the rows' path cells are written
    line({});
    line(kGrid);
    for (const ItemRow& row : doc.hfgB.dataRows()) {
        for (int c = ColPath; c < ColCount; ++c) {
            if (c > ColPath)
                out += kCellSep;
            out += field(row[size_t(c)], kCellSep);
        }
        out += kEol;
    }
    line({});
    line(kPageEndPs);
    const PageEnd& pe = doc.pageEnd;
    for (const QString& remark : pe.cbPe)
        line(oneLine(remark));
    line({});
    line(kDandL);
    line(feeLine(pe.design));
    line(feeLine(pe.supervision));
    QStringList totals;
    for (const QString* s : {&pe.lbNtax, &pe.cbTax, &pe.lbTax, &pe.lbHtax, &pe.txtOff, &pe.lbApr})
        totals.append(field(*s, kTotalsSep));
    line(totals.join(kTotalsSep));
    line(QStringList{digit(pe.design.included), digit(pe.supervision.included), digit(pe.ckTax)}.join(
        kFeeSep));
    return out;
}

QString text(QuoteDocument& doc) {
    if (const auto* root = doc.tree.root())
        doc.tv_NodeClick(root->key);
    return format(doc);
}

QByteArray bytes(QuoteDocument& doc) {
    return text::encode(text(doc));
}

std::optional<FileError> write(QuoteDocument& doc, const QString& path, DiskState* written) {
    QString reason;
    const QString content = text(doc);
    if (text::writeTextFile(path, content, &reason)) {
        if (written)
            *written = stateOf(path, text::encode(content));
        return std::nullopt;
    }
    // The error number the message carries: 76 "path not found", else 75 "path/file access error".
    const int number = QFileInfo(path).absoluteDir().exists() ? 75 : 76;
    return FileError{QStringLiteral("存檔錯誤") + kEol + QString::number(number) + kEol + reason,
                     QStringLiteral("Kavo III"), ui::Icon::None, reason};
}

std::optional<FileError> read(const QString& content, QuoteDocument& doc) {
    Lines in(content);
    // What the file does not hold takes the values of a new quotation (the page-end fields, the tax
    // box and the fee names included), never those of the quotation in hand.
    QuoteDocument next;
    next.WorkTypesOnly = doc.WorkTypesOnly;

    // Line 1: the work-types-only flag, with the letter "n" in the current format.
    const auto first = in.next();
    if (!first)
        return structureError(QStringLiteral("檔案是空的"));
    const bool older = *first == u"0" || *first == u"1";
    const bool current = !older; // "0n", "1n" and any other first line
    if (*first == u"0" || *first == u"0n")
        next.WorkTypesOnly = false;
    else if (*first == u"1" || *first == u"1n")
        next.WorkTypesOnly = true;

    // The next line must be `marker`; `section` is the one it follows.
    auto expect = [&in](const QString& marker, const QString& section) -> std::optional<FileError> {
        const auto line = in.next();
        if (line && *line == marker)
            return std::nullopt;
        if (!line || (in.lastReadOpen() && marker.startsWith(*line)))
            return structureError(endsInside(section));
        return structureError(wrongLine(in.lineNo(), marker));
    };
    if (auto error = expect(kTitle, kTitle))
        return error;
    QuoteHeader& h = next.header;
    for (QString* s : {&h.txtCn, &h.cbEcn, &h.cbSal, &h.cbK, &h.txtNo, &h.txtAddr, &h.txtQD}) {
        const auto line = in.next();
        if (!line)
            return structureError(endsInside(kTitle));
        *s = *line;
    }
    if (!in.next()) // the line after the header, not looked at
        return structureError(endsInside(kTitle));
    if (auto error = expect(kTree, kTitle))
        return error;

    next.tree.clear();
    QStringList previous;
    for (;;) {
        const auto line = in.next();
        if (!line)
            return structureError(endsInside(kTree));
        if (line->isEmpty())
            break;
        addTreeLine(next.tree, *line, previous);
    }
    if (!next.tree.root())
        next.tree.reset(); // a tree section without lines: the root alone

    if (auto error = expect(kGrid, kTree))
        return error;
    std::vector<ItemRow> rows;
    bool ended = true; // the file ended inside [Grid]
    bool pageEndMarker = false;
    while (const auto line = in.next()) {
        if (line->isEmpty() || *line == kPageEndPs) {
            ended = false;
            pageEndMarker = !line->isEmpty();
            break;
        }
        rows.push_back(readGridLine(*line, older));
    }
    next.hfgB.setRows(1); // the fixed row and one row per line read
    next.hfgB.appendRows(rows);

    // A file of the current format that was cut short would lose what is missing at the next save:
    // it is refused, except for the shapes older writers left (no page-end sections, a [D&L] that
    // stops after a whole line from the supervision fee on).
    const std::optional<QString> cut = ended ? std::optional(endsInside(kGrid))
                                             : readPageEnd(in, pageEndMarker, next.pageEnd);
    if (current && cut)
        return structureError(*cut);
    // A fee's amount follows its rate and base, by either basis, as when they are typed: a cut amount
    // or one changed outside the program does not count.
    for (Fee* fee : {&next.pageEnd.design, &next.pageEnd.supervision})
        RecalcFee(*fee);

    doc.adopt(std::move(next));
    doc.showRootAfterRead();
    return std::nullopt;
}

QStringList unshowableNumbers(const QuoteDocument& doc, bool pricesHidden, bool costsHidden) {
    QStringList told;
    // A field hidden from the user is not named to him: whether a cell can show it tells its figure
    // (and a number he typed made it). It is named to a user with the right when he opens the file.
    const auto check = [&told](QStringView text, const auto& where, bool hidden = false) {
        if (hidden || cellCanShow(text))
            return;
        // A number read as 0 counts as 0; a longer one counts cut to what a cell holds.
        const QString counted = num::str(num::val(text)) == u"0" ? QStringLiteral("以 0 計算，") : QString();
        told << QStringLiteral("%1：數字過長，%2請更正").arg(where(), counted);
    };
    static const std::pair<int, const char*> kColumns[] = {{ColQty, "數量"},           {ColPrice, "單價"},
                                                           {ColAmount, "金額"},        {ColCost, "成本"},
                                                           {ColCostTotal, "成本複計"}, {ColRatio, "比例"}};
    // The listing names a node's path on its first row only: the rows below it belong to it.
    QString path;
    for (const ItemRow& row : doc.hfgQ.dataRows()) {
        if (!row[ColPath].isEmpty())
            path = row[ColPath];
        for (const auto& [col, name] : kColumns)
            check(row[size_t(col)], [&row, &path, name = name] {
                const QString& item = row[ColName];
                return path + (item.isEmpty() ? QStringLiteral(" ") : QStringLiteral("「%1」").arg(item)) +
                       QString::fromUtf8(name);
            }, !columnShown(col, pricesHidden, costsHidden));
    }
    const PageEnd& pe = doc.pageEnd;
    for (const auto& [fee, name] : {std::pair{&pe.design, "設計費"}, std::pair{&pe.supervision, "監工費"}}) {
        const QString feeName = fee->name.isEmpty() ? QString::fromUtf8(name) : fee->name;
        if (!fee->byTotal) // a base by total price is the quotation's total, not the file's
            check(fee->base, [&] { return feeName + QStringLiteral(" 基數"); }, pricesHidden);
        check(fee->rate, [&] { return feeName + QStringLiteral(" 費率"); }, pricesHidden);
    }
    QStringView tax(pe.cbTax);
    if (tax.endsWith(u'%'))
        tax.chop(1);
    check(tax, [] { return QStringLiteral("稅率"); });
    check(pe.txtOff, [] { return QStringLiteral("折扣"); }, pricesHidden);
    return told;
}

namespace {
// The state of the file at `path` without its digest.
DiskState statOf(const QString& path) {
    DiskState s;
    const QFileInfo info(path);
    s.path = info.absoluteFilePath();
    s.exists = info.isFile();
    if (!s.exists)
        return s;
    s.size = info.size();
    s.modified = info.lastModified();
    return s;
}
} // namespace

DiskState stateOf(const QString& path, const QByteArray& content) {
    DiskState s = statOf(path);
    if (s.exists)
        s.digest = QCryptographicHash::hash(content, QCryptographicHash::Sha256);
    return s;
}

DiskState diskState(const QString& path) {
    DiskState s = statOf(path);
    if (!s.exists)
        return s;
    QFile f(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (f.open(QIODevice::ReadOnly) && hash.addData(&f))
        s.digest = hash.result();
    return s;
}

std::optional<FileError> readBytes(const QByteArray& bytes, QuoteDocument& doc) {
    return read(text::decode(bytes), doc);
}

std::optional<FileError> readFile(const QString& path, QuoteDocument& doc, DiskState* state) {
    if (!QFile::exists(path))
        return FileError{QStringLiteral("檔案不存在"), QStringLiteral("Kavo III"), ui::Icon::Critical, path};
    // Size and time before the bytes: a save in between then differs from what was read.
    const DiskState before = statOf(path);
    QString reason;
    const std::optional<QByteArray> bytes = text::readFileBytes(path, &reason);
    if (!bytes)
        return structureError(reason);
    if (auto error = readBytes(*bytes, doc))
        return error;
    if (state) {
        *state = before;
        state->digest = QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256);
    }
    return std::nullopt;
}

} // namespace quote::QuoteFile
