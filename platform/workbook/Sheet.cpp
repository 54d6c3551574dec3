// One worksheet: its rows and cells held as a model, written back as XML when it changed.
#include "WorkbookImpl.h"
#include "XmlText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>

namespace wb {
namespace {

const char* const kWorksheetOrder[] = {
    "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr",
    "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState", "dataConsolidate",
    "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting", "dataValidations",
    "hyperlinks", "printOptions", "pageMargins", "pageSetup", "headerFooter", "rowBreaks", "colBreaks",
    "customProperties", "cellWatches", "ignoredErrors", "smartTags", "drawing", "legacyDrawing",
    "legacyDrawingHF", "drawingHF", "picture", "oleObjects", "controls", "webPublishItems", "tableParts",
    "extLst", nullptr};

constexpr const char* kMarker = "__kworkbook_rows__";
constexpr long long kMaxCellsPerCall = 2000000;

struct StringWriter : pugi::xml_writer {
    std::string* out;
    explicit StringWriter(std::string* o) : out(o) {}
    void write(const void* data, size_t size) override { out->append(static_cast<const char*>(data), size); }
};

void appendInt(std::string& out, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, size_t(r.ptr - buf));
}

void appendColumn(std::string& out, int col) {
    char buf[4];
    int n = 0;
    while (col > 0) {
        buf[n++] = char('A' + (col - 1) % 26);
        col = (col - 1) / 26;
    }
    while (n > 0)
        out += buf[--n];
}

std::string shortest(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, size_t(r.ptr - buf));
}

// The text of the children named `local` of a cell's inner XML, joined (<t> of rich text runs
// included, phonetic runs left out).
QString innerText(const std::string& inner, const char* local, bool deep) {
    pugi::xml_document frag;
    if (!frag.load_buffer(inner.data(), inner.size(),
                          pugi::parse_default | pugi::parse_fragment | pugi::parse_ws_pcdata_single))
        return {};
    std::string text;
    std::function<void(pugi::xml_node)> walk = [&](pugi::xml_node n) {
        for (pugi::xml_node c : n.children()) {
            if (c.type() != pugi::node_element)
                continue;
            const std::string name = xml::localName(c.name());
            if (name == local)
                text += c.child_value();
            else if (deep && name != "rPh")
                walk(c);
        }
    };
    walk(frag);
    return QString::fromStdString(text);
}

// The inner XML of a cell without its formula (a copied formula keeps only its value).
std::string withoutFormula(const std::string& inner, const std::string& prefix) {
    const std::string open = "<" + prefix + "f";
    const size_t at = inner.find(open);
    if (at == std::string::npos)
        return inner;
    pugi::xml_document frag;
    if (!frag.load_buffer(inner.data(), inner.size(), pugi::parse_default | pugi::parse_fragment))
        return inner;
    for (pugi::xml_node c = frag.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (xml::localName(c.name()) == "f")
            frag.remove_child(c);
        c = next;
    }
    std::string out;
    StringWriter w(&out);
    frag.save(w, "", pugi::format_raw | pugi::format_no_declaration);
    return out;
}

pugi::xml_node childNamed(pugi::xml_node parent, const char* local) {
    for (pugi::xml_node c : parent.children())
        if (c.type() == pugi::node_element && xml::localName(c.name()) == local)
            return c;
    return {};
}

// Inserts a new child where the worksheet schema puts it.
pugi::xml_node insertOrdered(pugi::xml_node root, const char* local, const std::string& prefix) {
    int mine = 0;
    while (kWorksheetOrder[mine] && std::strcmp(kWorksheetOrder[mine], local) != 0)
        ++mine;
    const std::string name = prefix + local;
    for (pugi::xml_node c : root.children()) {
        if (c.type() != pugi::node_element)
            continue;
        const std::string cl = xml::localName(c.name());
        for (int k = mine + 1; kWorksheetOrder[k]; ++k)
            if (cl == kWorksheetOrder[k])
                return root.insert_child_before(name.c_str(), c);
    }
    return root.append_child(name.c_str());
}

bool truthy(const char* v) {
    return v && (std::strcmp(v, "1") == 0 || std::strcmp(v, "true") == 0);
}

} // namespace

// ---- RowData ----

const char* RowData::attr(const char* name) const {
    for (const auto& [k, v] : attrs)
        if (k == name)
            return v.c_str();
    return nullptr;
}

void RowData::setAttr(const char* name, const std::string& value) {
    for (auto& [k, v] : attrs)
        if (k == name) {
            v = value;
            return;
        }
    attrs.emplace_back(name, value);
}

void RowData::removeAttr(const char* name) {
    attrs.erase(std::remove_if(attrs.begin(), attrs.end(), [&](const auto& a) { return a.first == name; }),
                attrs.end());
}

CellData* RowData::find(int col) {
    auto it = std::lower_bound(cells.begin(), cells.end(), col, [](const CellData& c, int v) { return c.col < v; });
    return it != cells.end() && it->col == col ? &*it : nullptr;
}

const CellData* RowData::find(int col) const {
    return const_cast<RowData*>(this)->find(col);
}

CellData& RowData::at(int col, int newStyle) {
    auto it = std::lower_bound(cells.begin(), cells.end(), col, [](const CellData& c, int v) { return c.col < v; });
    if (it != cells.end() && it->col == col)
        return *it;
    CellData c;
    c.col = col;
    c.style = newStyle;
    return *cells.insert(it, std::move(c));
}

// ---- Sheet::Impl ----

void Sheet::Impl::load(const QByteArray& bytes) {
    const pugi::xml_parse_result ok =
        doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single);
    if (!ok)
        throw WorkbookError(QStringLiteral("工作表「%1」內容損壞：%2").arg(name, QString::fromUtf8(ok.description())));
    pugi::xml_node root = doc.document_element();
    prefix = xml::prefixOf(root.name());
    std::vector<pugi::xml_node> drop;
    for (pugi::xml_node n : root.children()) {
        if (n.type() != pugi::node_element)
            continue;
        const std::string local = xml::localName(n.name());
        if (local == "sheetFormatPr") {
            if (n.attribute("defaultRowHeight"))
                defaultHeight = n.attribute("defaultRowHeight").as_double(15.0);
            if (n.attribute("defaultColWidth"))
                defaultWidth = n.attribute("defaultColWidth").as_double(8.43);
        } else if (local == "cols") {
            for (pugi::xml_node c : n.children())
                if (const bool hidden = truthy(c.attribute("hidden").value()); hidden || c.attribute("width"))
                    columnWidths.push_back({c.attribute("min").as_int(), c.attribute("max").as_int(),
                                            c.attribute("width").as_double(-1), hidden});
            for (pugi::xml_node c : n.children())
                if (c.attribute("style"))
                    columnStyles.push_back({c.attribute("min").as_int(), c.attribute("max").as_int(),
                                            c.attribute("style").as_int()});
        } else if (local == "sheetData") {
            sheetData = n;
        } else if (local == "mergeCells") {
            for (pugi::xml_node m : n.children())
                if (auto r = parseRange(QString::fromUtf8(m.attribute("ref").value())))
                    merges.push_back(*r);
            drop.push_back(n);
        } else if (local == "rowBreaks" || local == "colBreaks") {
            auto& set = local == "rowBreaks" ? rowBreaks : colBreaks;
            for (pugi::xml_node b : n.children())
                set.insert(b.attribute("id").as_int() + 1);
            drop.push_back(n);
        }
    }
    if (!sheetData)
        throw WorkbookError(QStringLiteral("工作表「%1」內容損壞：沒有儲存格資料").arg(name));
    for (pugi::xml_node n : drop)
        root.remove_child(n);

    int lastRow = 0;
    for (pugi::xml_node rn : sheetData.children()) {
        if (rn.type() != pugi::node_element)
            continue;
        const int r = rn.attribute("r") ? rn.attribute("r").as_int() : lastRow + 1;
        if (r < 1 || r > kMaxRows)
            throw WorkbookError(QStringLiteral("工作表「%1」內容損壞：列號 %2").arg(name).arg(r));
        lastRow = r;
        RowData& rd = rows[r];
        for (pugi::xml_attribute a : rn.attributes()) {
            if (std::strcmp(a.name(), "r") == 0 || std::strcmp(a.name(), "spans") == 0)
                continue;
            rd.setAttr(a.name(), a.value());
        }
        int lastCol = 0;
        for (pugi::xml_node cn : rn.children()) {
            if (cn.type() != pugi::node_element)
                continue;
            CellData c;
            if (cn.attribute("r")) {
                const auto ref = parseCell(QString::fromUtf8(cn.attribute("r").value()));
                if (!ref)
                    throw WorkbookError(QStringLiteral("工作表「%1」內容損壞：儲存格 %2")
                                            .arg(name, QString::fromUtf8(cn.attribute("r").value())));
                c.col = ref->col;
            } else {
                c.col = lastCol + 1;
            }
            lastCol = c.col;
            for (pugi::xml_attribute a : cn.attributes()) {
                const char* an = a.name();
                if (std::strcmp(an, "r") == 0)
                    continue;
                if (std::strcmp(an, "s") == 0) {
                    c.style = a.as_int();
                } else if (std::strcmp(an, "t") == 0) {
                    c.type = a.value();
                } else {
                    c.extra += ' ';
                    c.extra += an;
                    c.extra += "=\"";
                    xml::appendAttribute(c.extra, a.value());
                    c.extra += '"';
                }
            }
            StringWriter w(&c.inner);
            for (pugi::xml_node ch : cn.children())
                ch.print(w, "", pugi::format_raw);
            // A carriage return in text survives only as a character reference.
            for (size_t at = c.inner.find('\r'); at != std::string::npos; at = c.inner.find('\r', at))
                c.inner.replace(at, 1, "&#13;");
            rd.cells.push_back(std::move(c));
        }
        std::stable_sort(rd.cells.begin(), rd.cells.end(), [](const CellData& a, const CellData& b) { return a.col < b.col; });
    }
    while (sheetData.first_child())
        sheetData.remove_child(sheetData.first_child());
}

RangeRef Sheet::Impl::used() const {
    int r1 = 0, r2 = 0, c1 = 0, c2 = 0;
    for (const auto& [r, rd] : rows) {
        if (rd.cells.empty())
            continue;
        if (!r1)
            r1 = r;
        r2 = r;
        c1 = c1 ? std::min(c1, rd.cells.front().col) : rd.cells.front().col;
        c2 = std::max(c2, rd.cells.back().col);
    }
    if (!r1)
        return RangeRef{{1, 1}, {1, 1}};
    return RangeRef{{r1, c1}, {r2, c2}};
}

QByteArray Sheet::Impl::serialize() {
    pugi::xml_node root = doc.document_element();
    std::vector<pugi::xml_node> added;

    pugi::xml_node dim = childNamed(root, "dimension");
    if (!dim)
        added.push_back(dim = insertOrdered(root, "dimension", prefix));
    const RangeRef u = used();
    const std::string dimRef = (u.first == u.last ? cellName(u.first.row, u.first.col) : rangeName(u)).toStdString();
    std::string oldDim = dim.attribute("ref").value();
    if (!dim.attribute("ref"))
        dim.append_attribute("ref");
    dim.attribute("ref") = dimRef.c_str();

    if (!merges.empty()) {
        pugi::xml_node m = insertOrdered(root, "mergeCells", prefix);
        added.push_back(m);
        m.append_attribute("count") = unsigned(merges.size());
        const std::string child = prefix + "mergeCell";
        for (const RangeRef& r : merges)
            m.append_child(child.c_str()).append_attribute("ref") = rangeName(r).toStdString().c_str();
    }
    auto writeBreaks = [&](const char* local, const std::set<int>& set, int max) {
        if (set.empty())
            return;
        pugi::xml_node b = insertOrdered(root, local, prefix);
        added.push_back(b);
        b.append_attribute("count") = unsigned(set.size());
        b.append_attribute("manualBreakCount") = unsigned(set.size());
        const std::string child = prefix + "brk";
        for (int v : set) {
            pugi::xml_node k = b.append_child(child.c_str());
            k.append_attribute("id") = v - 1;
            k.append_attribute("max") = max;
            k.append_attribute("man") = 1;
        }
    };
    writeBreaks("rowBreaks", rowBreaks, kMaxColumns - 1);
    writeBreaks("colBreaks", colBreaks, kMaxRows - 1);

    pugi::xml_node marker = sheetData.append_child(pugi::node_pcdata);
    marker.set_value(kMarker);

    std::string xmlText;
    StringWriter w(&xmlText);
    doc.save(w, "", pugi::format_raw | pugi::format_no_declaration);

    sheetData.remove_child(marker);
    for (pugi::xml_node n : added)
        root.remove_child(n);
    if (!oldDim.empty())
        dim.attribute("ref") = oldDim.c_str();

    // The rows go where the marker, the only text of the emptied sheetData element, stands; they are
    // added in slices, so that a big sheet is not held twice as text.
    const size_t at = xmlText.find(std::string(">") + kMarker + "</") + 1;
    QByteArray out;
    out.append(xmlText.data(), qsizetype(at));
    constexpr size_t kSlice = 1 << 20;
    std::string data;
    data.reserve(kSlice + 4096);
    const std::string& p = prefix;
    for (const auto& [r, rd] : rows) {
        if (rd.attrs.empty() && rd.cells.empty())
            continue;
        if (data.size() >= kSlice) {
            out.append(data.data(), qsizetype(data.size()));
            data.clear();
        }
        data += '<';
        data += p;
        data += "row r=\"";
        appendInt(data, r);
        data += '"';
        for (const auto& [k, v] : rd.attrs) {
            data += ' ';
            data += k;
            data += "=\"";
            xml::appendAttribute(data, v.c_str());
            data += '"';
        }
        if (rd.cells.empty()) {
            data += "/>";
            continue;
        }
        data += '>';
        for (const CellData& c : rd.cells) {
            data += '<';
            data += p;
            data += "c r=\"";
            appendColumn(data, c.col);
            appendInt(data, r);
            data += '"';
            if (c.style >= 0) {
                data += " s=\"";
                appendInt(data, c.style);
                data += '"';
            }
            if (!c.type.empty()) {
                data += " t=\"";
                data += c.type;
                data += '"';
            }
            data += c.extra;
            if (c.inner.empty()) {
                data += "/>";
            } else {
                data += '>';
                data += c.inner;
                data += "</";
                data += p;
                data += "c>";
            }
        }
        data += "</";
        data += p;
        data += "row>";
    }

    out.append(data.data(), qsizetype(data.size()));
    const size_t after = at + std::strlen(kMarker);
    out.append(xmlText.data() + after, qsizetype(xmlText.size() - after));
    return out;
}

void Sheet::Impl::check(int row, int col) const {
    if (row < 1 || row > kMaxRows || col < 1 || col > kMaxColumns)
        throw WorkbookError(QStringLiteral("儲存格位址超出工作表範圍：第 %1 列第 %2 欄").arg(row).arg(col));
}

const CellData* Sheet::Impl::findCell(int row, int col) const {
    check(row, col);
    auto it = rows.find(row);
    return it == rows.end() ? nullptr : it->second.find(col);
}

RowData& Sheet::Impl::rowAt(int row) {
    return rows[row];
}

int Sheet::Impl::styleOf(int row, int col) const {
    auto it = rows.find(row);
    if (it != rows.end()) {
        if (const CellData* c = it->second.find(col))
            return c->style;
        if (truthy(it->second.attr("customFormat")) && it->second.attr("s"))
            return std::atoi(it->second.attr("s"));
    }
    for (const ColumnStyle& cs : columnStyles)
        if (col >= cs.min && col <= cs.max)
            return cs.style;
    return -1;
}

CellData& Sheet::Impl::cellAt(int row, int col) {
    check(row, col);
    dirty = true;
    RowData& rd = rows[row];
    if (CellData* c = rd.find(col))
        return *c;
    return rd.at(col, styleOf(row, col));
}

template <typename F>
void Sheet::Impl::restyle(int row, int col, F change) {
    Styles& st = book->stylesRef();
    CellData& c = cellAt(row, col);
    c.style = change(st, c.style);
}

// ---- Sheet ----

Sheet::Sheet(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
Sheet::~Sheet() = default;

QString Sheet::name() const {
    return d->name;
}

QString Sheet::text(int row, int col) const {
    const CellData* c = d->findCell(row, col);
    if (!c || c->inner.empty())
        return {};
    if (c->type == "s") {
        bool ok = false;
        const qsizetype idx = innerText(c->inner, "v", false).trimmed().toLongLong(&ok);
        const auto& sst = d->book->sharedStrings();
        if (!ok || idx < 0 || size_t(idx) >= sst.size())
            throw WorkbookError(QStringLiteral("工作表「%1」的 %2 指向不存在的字串").arg(d->name, cellName(row, col)));
        return sst[size_t(idx)];
    }
    if (c->type == "inlineStr")
        return xml::decodeEscapes(innerText(c->inner, "t", true));
    const QString v = innerText(c->inner, "v", false);
    if (c->type == "b")
        return v.trimmed() == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (c->type.empty() || c->type == "n") {
        bool ok = false;
        const double n = v.toDouble(&ok);
        return ok ? QString::fromStdString(shortest(n)) : v;
    }
    return xml::decodeEscapes(v);
}

CellType Sheet::type(int row, int col) const {
    const CellData* c = d->findCell(row, col);
    if (!c || c->inner.empty())
        return CellType::Empty;
    if (c->type == "s" || c->type == "inlineStr" || c->type == "str")
        return CellType::Text;
    if (c->type == "b")
        return CellType::Boolean;
    if (c->type == "e")
        return CellType::Error;
    return c->inner.find("v>") == std::string::npos ? CellType::Empty : CellType::Number;
}

std::optional<double> Sheet::number(int row, int col) const {
    if (type(row, col) != CellType::Number)
        return std::nullopt;
    bool ok = false;
    const double v = innerText(d->findCell(row, col)->inner, "v", false).toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

void Sheet::setText(int row, int col, const QString& text) {
    d->check(row, col);
    if (text.size() > kMaxCellText)
        throw WorkbookError(QStringLiteral("%1 的文字超過 %2 字").arg(cellName(row, col)).arg(kMaxCellText));
    if (text.isEmpty()) {
        if (d->findCell(row, col))
            clear(RangeRef{{row, col}, {row, col}});
        return;
    }
    CellData& c = d->cellAt(row, col);
    c.type = "inlineStr";
    c.extra.clear();
    const std::string& p = d->prefix;
    c.inner.clear();
    c.inner += '<' + p + "is><" + p + "t xml:space=\"preserve\">";
    xml::appendEscaped(c.inner, text);
    c.inner += "</" + p + "t></" + p + "is>";
}

void Sheet::setNumber(int row, int col, double value) {
    d->check(row, col);
    if (!std::isfinite(value))
        throw WorkbookError(QStringLiteral("%1 的數值不正確").arg(cellName(row, col)));
    CellData& c = d->cellAt(row, col);
    c.type.clear();
    c.extra.clear();
    c.inner = "<" + d->prefix + "v>" + shortest(value) + "</" + d->prefix + "v>";
}

void Sheet::clear(const RangeRef& r) {
    d->check(r.first.row, r.first.col);
    d->check(r.last.row, r.last.col);
    for (auto it = d->rows.lower_bound(r.first.row); it != d->rows.end() && it->first <= r.last.row; ++it)
        for (CellData& c : it->second.cells)
            if (c.col >= r.first.col && c.col <= r.last.col) {
                c.type.clear();
                c.extra.clear();
                c.inner.clear();
                d->dirty = true;
            }
}

void Sheet::addRowBreak(int row) {
    d->check(row, 1);
    if (row < 2)
        throw WorkbookError(QStringLiteral("第 1 列之前不能分頁"));
    d->dirty |= d->rowBreaks.insert(row).second;
}

void Sheet::addColumnBreak(int col) {
    d->check(1, col);
    if (col < 2)
        throw WorkbookError(QStringLiteral("A 欄之前不能分頁"));
    d->dirty |= d->colBreaks.insert(col).second;
}

QList<int> Sheet::rowBreaks() const {
    return QList<int>(d->rowBreaks.begin(), d->rowBreaks.end());
}

QList<int> Sheet::columnBreaks() const {
    return QList<int>(d->colBreaks.begin(), d->colBreaks.end());
}

void Sheet::copyRange(const RangeRef& src, CellRef dest) {
    d->check(src.first.row, src.first.col);
    d->check(src.last.row, src.last.col);
    const RangeRef to{dest, {dest.row + src.rows() - 1, dest.col + src.columns() - 1}};
    d->check(dest.row, dest.col);
    d->check(to.last.row, to.last.col);
    const int dr = dest.row - src.first.row;
    const int dc = dest.col - src.first.col;

    // Take the source first: the blocks may overlap.
    std::vector<std::pair<int, std::vector<CellData>>> block;
    for (auto it = d->rows.lower_bound(src.first.row); it != d->rows.end() && it->first <= src.last.row; ++it) {
        const auto& cells = it->second.cells;
        auto lo = std::lower_bound(cells.begin(), cells.end(), src.first.col,
                                   [](const CellData& c, int v) { return c.col < v; });
        std::vector<CellData> part;
        for (; lo != cells.end() && lo->col <= src.last.col; ++lo) {
            CellData c = *lo;
            c.col += dc;
            if (c.type == "str" || c.inner.find('f') != std::string::npos)
                c.inner = withoutFormula(c.inner, d->prefix);
            part.push_back(std::move(c));
        }
        if (!part.empty())
            block.emplace_back(it->first + dr, std::move(part));
    }
    std::vector<RangeRef> inner;
    for (const RangeRef& m : d->merges)
        if (m.first.row >= src.first.row && m.last.row <= src.last.row && m.first.col >= src.first.col &&
            m.last.col <= src.last.col)
            inner.push_back(RangeRef{{m.first.row + dr, m.first.col + dc}, {m.last.row + dr, m.last.col + dc}});

    // Empty the destination block, then put the source in.
    for (auto it = d->rows.lower_bound(to.first.row); it != d->rows.end() && it->first <= to.last.row; ++it) {
        auto& cells = it->second.cells;
        auto lo = std::lower_bound(cells.begin(), cells.end(), to.first.col,
                                   [](const CellData& c, int v) { return c.col < v; });
        auto hi = std::upper_bound(cells.begin(), cells.end(), to.last.col,
                                   [](int v, const CellData& c) { return v < c.col; });
        cells.erase(lo, hi);
    }
    for (auto& [row, part] : block) {
        auto& cells = d->rows[row].cells;
        auto pos = std::lower_bound(cells.begin(), cells.end(), to.first.col,
                                    [](const CellData& c, int v) { return c.col < v; });
        cells.insert(pos, std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
    }
    auto overlaps = [&](const RangeRef& m) {
        return !(m.last.row < to.first.row || m.first.row > to.last.row || m.last.col < to.first.col ||
                 m.first.col > to.last.col);
    };
    d->merges.erase(std::remove_if(d->merges.begin(), d->merges.end(), overlaps), d->merges.end());
    d->merges.insert(d->merges.end(), inner.begin(), inner.end());
    d->dirty = true;
}

void Sheet::insertRows(int row, int count) {
    d->check(row, 1);
    if (count < 1)
        throw WorkbookError(QStringLiteral("插入列數不正確：%1").arg(count));
    int last = d->rows.empty() ? 0 : d->rows.rbegin()->first;
    for (const RangeRef& m : d->merges)
        last = std::max(last, m.last.row);
    if (!d->rowBreaks.empty())
        last = std::max(last, *d->rowBreaks.rbegin());
    if (count > kMaxRows || (last >= row && last + count > kMaxRows))
        throw WorkbookError(QStringLiteral("插入 %1 列會超出工作表範圍").arg(count));

    // Move the rows at and below `row`, last first.
    std::vector<decltype(d->rows)::node_type> moved;
    while (!d->rows.empty() && d->rows.rbegin()->first >= row)
        moved.push_back(d->rows.extract(std::prev(d->rows.end())));
    for (auto& node : moved) {
        node.key() += count;
        d->rows.insert(std::move(node));
    }
    // The new rows take the format of the row above.
    if (auto above = d->rows.find(row - 1); above != d->rows.end()) {
        RowData model;
        for (const char* a : {"ht", "customHeight", "s", "customFormat"})
            if (const char* v = above->second.attr(a))
                model.setAttr(a, v);
        for (const CellData& c : above->second.cells)
            if (c.style >= 0) {
                CellData e;
                e.col = c.col;
                e.style = c.style;
                model.cells.push_back(std::move(e));
            }
        if (!model.attrs.empty() || !model.cells.empty())
            for (int r = row; r < row + count; ++r)
                d->rows.emplace(r, model);
    }
    for (RangeRef& m : d->merges) {
        if (m.first.row >= row)
            m.first.row += count;
        if (m.last.row >= row)
            m.last.row += count;
    }
    std::set<int> breaks;
    for (int b : d->rowBreaks)
        breaks.insert(b >= row ? b + count : b);
    d->rowBreaks = std::move(breaks);
    d->book->shiftDefinedNames(d->name, row, count);
    d->dirty = true;
}

double Sheet::rowHeight(int row) const {
    d->check(row, 1);
    auto it = d->rows.find(row);
    if (it != d->rows.end())
        if (const char* ht = it->second.attr("ht"))
            return std::atof(ht);
    return d->defaultHeight;
}

void Sheet::setRowHeight(int row, double points) {
    d->check(row, 1);
    if (!(points >= 0 && points <= 409))
        throw WorkbookError(QStringLiteral("第 %1 列的列高不正確：%2").arg(row).arg(points));
    RowData& rd = d->rowAt(row);
    rd.setAttr("ht", shortest(points));
    rd.setAttr("customHeight", "1");
    d->dirty = true;
}

bool Sheet::rowHidden(int row) const {
    d->check(row, 1);
    auto it = d->rows.find(row);
    return it != d->rows.end() && truthy(it->second.attr("hidden"));
}

void Sheet::setRowHidden(int row, bool hidden) {
    d->check(row, 1);
    RowData& rd = d->rowAt(row);
    if (hidden)
        rd.setAttr("hidden", "1");
    else
        rd.removeAttr("hidden");
    d->dirty = true;
}

void Sheet::setHorizontalAlignment(int row, int col, HAlign align) {
    d->restyle(row, col, [&](Styles& st, int xf) { return st.withAlignment(xf, align); });
}

HAlign Sheet::horizontalAlignment(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().alignment(d->styleOf(row, col));
}

void Sheet::setNumberFormat(int row, int col, const QString& code) {
    d->restyle(row, col, [&](Styles& st, int xf) { return st.withNumberFormat(xf, code); });
}

QString Sheet::numberFormat(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().numberFormat(d->styleOf(row, col));
}

void Sheet::setBold(int row, int col, bool bold) {
    d->restyle(row, col, [&](Styles& st, int xf) { return st.withBold(xf, bold); });
}

double Sheet::columnWidth(int col) const {
    d->check(1, col);
    for (const ColumnWidth& c : d->columnWidths)
        if (col >= c.min && col <= c.max)
            return c.hidden ? 0 : c.width < 0 ? d->defaultWidth : c.width;
    return d->defaultWidth;
}

std::pair<QString, double> Sheet::defaultFont() const {
    return d->book->stylesRef().defaultFont();
}

bool Sheet::wrapsText(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().wraps(d->styleOf(row, col));
}

bool Sheet::shrinksToFit(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().shrinks(d->styleOf(row, col));
}

int Sheet::indent(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().indent(d->styleOf(row, col));
}

double Sheet::fontSize(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().fontSize(d->styleOf(row, col));
}

QString Sheet::fontName(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().fontName(d->styleOf(row, col));
}

bool Sheet::isBold(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().bold(d->styleOf(row, col));
}

void Sheet::setThinBorders(const RangeRef& r, unsigned edges) {
    d->check(r.first.row, r.first.col);
    d->check(r.last.row, r.last.col);
    if (static_cast<long long>(r.rows()) * r.columns() > kMaxCellsPerCall)
        throw WorkbookError(QStringLiteral("範圍 %1 太大").arg(rangeName(r)));
    for (int row = r.first.row; row <= r.last.row; ++row)
        for (int col = r.first.col; col <= r.last.col; ++col) {
            unsigned sides = 0;
            if (col == r.first.col ? (edges & EdgeLeft) : (edges & InsideVertical))
                sides |= 1;
            if (col == r.last.col ? (edges & EdgeRight) : (edges & InsideVertical))
                sides |= 2;
            if (row == r.first.row ? (edges & EdgeTop) : (edges & InsideHorizontal))
                sides |= 4;
            if (row == r.last.row ? (edges & EdgeBottom) : (edges & InsideHorizontal))
                sides |= 8;
            if (sides)
                d->restyle(row, col, [&](Styles& st, int xf) { return st.withThinSides(xf, sides); });
        }
}

CellBorders Sheet::borders(int row, int col) const {
    d->check(row, col);
    return d->book->stylesRef().borders(d->styleOf(row, col));
}

QList<RangeRef> Sheet::mergedRanges() const {
    return QList<RangeRef>(d->merges.begin(), d->merges.end());
}

RangeRef Sheet::usedRange() const {
    return d->used();
}

} // namespace wb
