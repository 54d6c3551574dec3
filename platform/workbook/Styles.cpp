#include "Styles.h"

#include "XmlText.h"

#include <cstring>
#include <sstream>

namespace wb {
namespace {

const char* const kSheetOrder[] = {"numFmts", "fonts", "fills", "borders", "cellStyleXfs", "cellXfs",
                                   "cellStyles", "dxfs", "tableStyles", "colors", "extLst", nullptr};
const char* const kBorderOrder[] = {"left", "right", "top", "bottom", "diagonal", "vertical", "horizontal", nullptr};
const char* const kSideNames[] = {"left", "right", "top", "bottom"};

// The built-in number formats a printout may name.
struct BuiltIn {
    int id;
    const char* code;
};
const BuiltIn kBuiltIns[] = {{0, "General"}, {1, "0"},     {2, "0.00"},   {3, "#,##0"},
                             {4, "#,##0.00"}, {9, "0%"},   {10, "0.00%"}, {11, "0.00E+00"},
                             {14, "m/d/yyyy"}, {49, "@"}};

std::string serialize(pugi::xml_node n) {
    std::ostringstream out;
    n.print(out, "", pugi::format_raw);
    return out.str();
}

bool truthy(pugi::xml_node n) {
    if (!n)
        return false;
    const pugi::xml_attribute val = n.attribute("val");
    return !val || val.as_bool(true);
}

int intAttr(pugi::xml_node n, const char* name) {
    return n.attribute(name).as_int(0);
}

} // namespace

void Styles::load(const QByteArray& bytes) {
    const pugi::xml_parse_result ok = doc_.load_buffer(bytes.constData(), size_t(bytes.size()),
                                                       pugi::parse_default | pugi::parse_declaration);
    if (!ok)
        throw WorkbookError(QStringLiteral("樣式內容損壞：%1").arg(QString::fromUtf8(ok.description())));
    root_ = doc_.document_element();
    prefix_ = xml::prefixOf(root_.name());
    if (xml::localName(root_.name()) != "styleSheet")
        throw WorkbookError(QStringLiteral("樣式內容損壞"));
    fonts_ = child(root_, "fonts", true, kSheetOrder);
    borders_ = child(root_, "borders", true, kSheetOrder);
    cellXfs_ = child(root_, "cellXfs", true, kSheetOrder);
    numFmts_ = child(root_, "numFmts", false);
    // The first entry of each list is the format of every cell without one: a style sheet that
    // lacks them gets plain ones, or the first derived format would take that place. They are
    // written only when a format is derived.
    const std::string p = prefix_;
    seed(fonts_, "<" + p + "font/>");
    seed(child(root_, "fills", true, kSheetOrder),
         "<" + p + "fill><" + p + "patternFill patternType=\"none\"/></" + p + "fill><" + p + "fill><" + p +
             "patternFill patternType=\"gray125\"/></" + p + "fill>");
    seed(borders_, "<" + p + "border><" + p + "left/><" + p + "right/><" + p + "top/><" + p + "bottom/><" + p +
                       "diagonal/></" + p + "border>");
    seed(child(root_, "cellStyleXfs", true, kSheetOrder),
         "<" + p + "xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>");
    seed(cellXfs_, "<" + p + "xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>");
    changed_ = false;
}

void Styles::seed(pugi::xml_node list, const std::string& entries) {
    for (pugi::xml_node c : list.children())
        if (c.type() == pugi::node_element)
            return;
    pugi::xml_document frag;
    frag.load_buffer(entries.data(), entries.size(), pugi::parse_default | pugi::parse_fragment);
    int count = 0;
    for (pugi::xml_node c : frag.children()) {
        list.append_copy(c);
        ++count;
    }
    list.remove_attribute("count");
    list.prepend_attribute("count") = count;
}

QByteArray Styles::serialize() const {
    std::ostringstream out;
    doc_.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    const std::string s = out.str();
    return QByteArray(s.data(), qsizetype(s.size()));
}

pugi::xml_node Styles::child(pugi::xml_node parent, const char* local, bool create, const char* const* order) {
    for (pugi::xml_node c : parent.children())
        if (xml::localName(c.name()) == local)
            return c;
    if (!create)
        return {};
    const std::string name = prefix_ + local;
    if (order) {
        // Insert before the first existing child that the schema puts after this one.
        int mine = 0;
        while (order[mine] && std::strcmp(order[mine], local) != 0)
            ++mine;
        for (pugi::xml_node c : parent.children()) {
            const std::string cl = xml::localName(c.name());
            for (int k = mine + 1; order[k]; ++k)
                if (cl == order[k])
                    return parent.insert_child_before(name.c_str(), c);
        }
    }
    return parent.append_child(name.c_str());
}

pugi::xml_node Styles::xfNode(int xf) const {
    int i = 0;
    for (pugi::xml_node c : cellXfs_.children()) {
        if (xml::localName(c.name()) != "xf")
            continue;
        if (i++ == xf)
            return c;
    }
    return {};
}

int Styles::findOrAdd(pugi::xml_node list, pugi::xml_node candidate, std::unordered_map<std::string, int>& index) {
    std::vector<pugi::xml_node> items;
    for (pugi::xml_node c : list.children())
        if (c.type() == pugi::node_element)
            items.push_back(c);
    if (index.empty())
        for (size_t i = 0; i < items.size(); ++i)
            index.emplace(wb::serialize(items[i]), int(i));
    const std::string key = wb::serialize(candidate);
    if (auto it = index.find(key); it != index.end())
        return it->second;
    list.append_copy(candidate);
    const int added = int(items.size());
    index.emplace(key, added);
    list.remove_attribute("count");
    list.prepend_attribute("count") = added + 1;
    changed_ = true;
    return added;
}

template <typename F>
int Styles::derive(int op, int xf, const std::string& arg, F change) {
    if (xf < 0)
        xf = 0;
    const auto key = std::make_tuple(op, xf, arg);
    if (auto it = derived_.find(key); it != derived_.end())
        return it->second;
    pugi::xml_document scratch;
    pugi::xml_node base = xfNode(xf);
    pugi::xml_node copy = base ? scratch.append_copy(base) : scratch.append_child((prefix_ + "xf").c_str());
    if (!base)
        for (const char* a : {"numFmtId", "fontId", "fillId", "borderId", "xfId"})
            copy.append_attribute(a) = 0;
    change(copy);
    const int result = findOrAdd(cellXfs_, copy, xfIndex_);
    derived_.emplace(key, result);
    return result;
}

// ---- reading ----

HAlign Styles::alignment(int xf) const {
    const std::string h = alignmentAttr(xf, "horizontal").value();
    if (h.empty() || h == "general")
        return HAlign::General;
    if (h == "left")
        return HAlign::Left;
    if (h == "center" || h == "centerContinuous")
        return HAlign::Center;
    if (h == "right")
        return HAlign::Right;
    if (h == "fill")
        return HAlign::Fill;
    return HAlign::Justify; // justify, distributed, or one unknown here: spread over lines in the cell
}

QString Styles::numberFormat(int xf) const {
    const int id = intAttr(xfNode(xf < 0 ? 0 : xf), "numFmtId");
    if (numFmts_)
        for (pugi::xml_node f : numFmts_.children())
            if (intAttr(f, "numFmtId") == id && f.attribute("formatCode"))
                return QString::fromUtf8(f.attribute("formatCode").value());
    for (const BuiltIn& b : kBuiltIns)
        if (b.id == id)
            return QString::fromLatin1(b.code);
    return QStringLiteral("General");
}

pugi::xml_node Styles::fontOf(int xf) const {
    const int fontId = intAttr(xfNode(xf < 0 ? 0 : xf), "fontId");
    int i = 0;
    for (pugi::xml_node f : fonts_.children())
        if (f.type() == pugi::node_element && i++ == fontId)
            return f;
    return {};
}

bool Styles::bold(int xf) const {
    for (pugi::xml_node c : fontOf(xf).children())
        if (xml::localName(c.name()) == "b")
            return truthy(c);
    return false;
}

namespace {

double sizeOf(pugi::xml_node font) {
    for (pugi::xml_node c : font.children())
        if (xml::localName(c.name()) == "sz")
            return c.attribute("val").as_double(11);
    return 11;
}

QString nameOf(pugi::xml_node font) {
    for (pugi::xml_node c : font.children())
        if (xml::localName(c.name()) == "name")
            return QString::fromUtf8(c.attribute("val").value());
    return {};
}

} // namespace

double Styles::fontSize(int xf) const {
    return sizeOf(fontOf(xf));
}

QString Styles::fontName(int xf) const {
    return nameOf(fontOf(xf));
}

std::pair<QString, double> Styles::defaultFont() const {
    const pugi::xml_node first =
        fonts_.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; });
    return {nameOf(first), sizeOf(first)};
}

bool Styles::wraps(int xf) const {
    return alignmentAttr(xf, "wrapText").as_bool(false);
}

bool Styles::shrinks(int xf) const {
    return alignmentAttr(xf, "shrinkToFit").as_bool(false);
}

int Styles::indent(int xf) const {
    return alignmentAttr(xf, "indent").as_int(0);
}

pugi::xml_attribute Styles::alignmentAttr(int xf, const char* name) const {
    for (pugi::xml_node c : xfNode(xf < 0 ? 0 : xf).children())
        if (xml::localName(c.name()) == "alignment")
            return c.attribute(name);
    return {};
}

CellBorders Styles::borders(int xf) const {
    const int borderId = intAttr(xfNode(xf < 0 ? 0 : xf), "borderId");
    CellBorders result;
    int i = 0;
    for (pugi::xml_node b : borders_.children()) {
        if (b.type() != pugi::node_element)
            continue;
        if (i++ != borderId)
            continue;
        for (pugi::xml_node side : b.children()) {
            const std::string name = xml::localName(side.name());
            const bool thin = std::strcmp(side.attribute("style").value(), "thin") == 0;
            if (name == "left" || name == "start")
                result.left = thin;
            else if (name == "right" || name == "end")
                result.right = thin;
            else if (name == "top")
                result.top = thin;
            else if (name == "bottom")
                result.bottom = thin;
        }
    }
    return result;
}

// ---- deriving ----

int Styles::withAlignment(int xf, HAlign align) {
    static const char* const names[] = {"general", "left", "center", "right", "justify", "fill"};
    const char* value = names[int(align)];
    return derive(1, xf, value, [&](pugi::xml_node x) {
        pugi::xml_node a = child(x, "alignment", false);
        if (!a)
            a = x.prepend_child((prefix_ + "alignment").c_str());
        a.remove_attribute("horizontal");
        if (align != HAlign::General)
            a.prepend_attribute("horizontal") = value;
        x.remove_attribute("applyAlignment");
        x.append_attribute("applyAlignment") = 1;
    });
}

int Styles::numberFormatId(const QString& code) {
    for (const BuiltIn& b : kBuiltIns)
        if (code == QLatin1String(b.code))
            return b.id;
    const std::string utf8 = code.toStdString();
    int next = 164;
    if (numFmts_)
        for (pugi::xml_node f : numFmts_.children()) {
            const int id = intAttr(f, "numFmtId");
            if (utf8 == f.attribute("formatCode").value())
                return id;
            next = std::max(next, id + 1);
        }
    if (!numFmts_)
        numFmts_ = child(root_, "numFmts", true, kSheetOrder);
    pugi::xml_node f = numFmts_.append_child((prefix_ + "numFmt").c_str());
    f.append_attribute("numFmtId") = next;
    f.append_attribute("formatCode") = utf8.c_str();
    int count = 0;
    for (pugi::xml_node c : numFmts_.children())
        count += c.type() == pugi::node_element;
    numFmts_.remove_attribute("count");
    numFmts_.prepend_attribute("count") = count;
    changed_ = true;
    return next;
}

int Styles::withNumberFormat(int xf, const QString& code) {
    if (code.isEmpty())
        throw WorkbookError(QStringLiteral("數值格式不可空白"));
    return derive(2, xf, code.toStdString(), [&](pugi::xml_node x) {
        const int id = numberFormatId(code);
        x.attribute("numFmtId") ? void(x.attribute("numFmtId") = id) : void(x.append_attribute("numFmtId") = id);
        x.remove_attribute("applyNumberFormat");
        x.append_attribute("applyNumberFormat") = 1;
    });
}

int Styles::withBold(int xf, bool bold) {
    return derive(3, xf, bold ? "1" : "0", [&](pugi::xml_node x) {
        const int fontId = intAttr(x, "fontId");
        pugi::xml_document scratch;
        pugi::xml_node font;
        int i = 0;
        for (pugi::xml_node f : fonts_.children())
            if (f.type() == pugi::node_element && i++ == fontId)
                font = scratch.append_copy(f);
        if (!font)
            font = scratch.append_child((prefix_ + "font").c_str());
        while (pugi::xml_node b = child(font, "b", false))
            font.remove_child(b);
        if (bold)
            font.prepend_child((prefix_ + "b").c_str());
        const int id = findOrAdd(fonts_, font, fontIndex_);
        x.attribute("fontId") ? void(x.attribute("fontId") = id) : void(x.append_attribute("fontId") = id);
        x.remove_attribute("applyFont");
        x.append_attribute("applyFont") = 1;
    });
}

int Styles::withThinSides(int xf, unsigned sides) {
    return derive(4, xf, std::to_string(sides), [&](pugi::xml_node x) {
        const int borderId = intAttr(x, "borderId");
        pugi::xml_document scratch;
        pugi::xml_node border;
        int i = 0;
        for (pugi::xml_node b : borders_.children())
            if (b.type() == pugi::node_element && i++ == borderId)
                border = scratch.append_copy(b);
        if (!border)
            border = scratch.append_child((prefix_ + "border").c_str());
        for (int s = 0; s < 4; ++s) {
            if (!(sides & (1u << s)))
                continue;
            pugi::xml_node side = child(border, kSideNames[s], true, kBorderOrder);
            side.remove_attribute("style");
            side.prepend_attribute("style") = "thin";
            while (side.first_child())
                side.remove_child(side.first_child());
            side.append_child((prefix_ + "color").c_str()).append_attribute("auto") = 1;
        }
        const int id = findOrAdd(borders_, border, borderIndex_);
        x.attribute("borderId") ? void(x.attribute("borderId") = id) : void(x.append_attribute("borderId") = id);
        x.remove_attribute("applyBorder");
        x.append_attribute("applyBorder") = 1;
    });
}

} // namespace wb
