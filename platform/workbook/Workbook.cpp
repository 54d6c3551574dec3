// The package of a workbook: its parts in memory, the sheets by position, saving whole.
#include "WorkbookImpl.h"
#include "XmlText.h"
#include "text/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>
#include <set>

namespace wb {
namespace {

constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_declaration;

void parsePart(pugi::xml_document& doc, const QByteArray& bytes, const QString& what, unsigned flags = kParseFlags) {
    const pugi::xml_parse_result ok = doc.load_buffer(bytes.constData(), size_t(bytes.size()), flags);
    if (!ok)
        throw WorkbookError(QStringLiteral("%1 內容損壞：%2").arg(what, QString::fromUtf8(ok.description())));
}

QByteArray serializeDoc(const pugi::xml_document& doc) {
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), qsizetype(size)); }
    } w;
    doc.save(w, "", pugi::format_raw | pugi::format_no_declaration);
    return w.out;
}

constexpr const char* kRelsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kStylesRelType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr const char* kStylesContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";

bool endsWith(const char* s, const char* suffix) {
    const size_t n = std::strlen(s), m = std::strlen(suffix);
    return n >= m && std::strcmp(s + n - m, suffix) == 0;
}

// "xl/workbook.xml" + "worksheets/sheet1.xml" -> "xl/worksheets/sheet1.xml".
std::string resolve(const std::string& fromPart, const std::string& target) {
    if (!target.empty() && target[0] == '/')
        return target.substr(1);
    std::vector<std::string> parts;
    const size_t slash = fromPart.rfind('/');
    std::string path = (slash == std::string::npos ? std::string() : fromPart.substr(0, slash + 1)) + target;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string seg = path.substr(start, end - start);
        if (seg == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!seg.empty() && seg != ".") {
            parts.push_back(seg);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& s : parts)
        out += (out.empty() ? "" : "/") + s;
    return out;
}

// The target of a relationship from `fromPart` to `part` ("xl/workbook.xml", "xl/styles.xml" ->
// "styles.xml"); outside the source's folder, the absolute part name.
std::string relativeTarget(const std::string& fromPart, const std::string& part) {
    const size_t slash = fromPart.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : fromPart.substr(0, slash + 1);
    if (part.compare(0, folder.size(), folder) == 0)
        return part.substr(folder.size());
    return "/" + part;
}

std::string relsPartOf(const std::string& part) {
    const size_t slash = part.rfind('/');
    if (slash == std::string::npos)
        return "_rels/" + part + ".rels";
    return part.substr(0, slash + 1) + "_rels/" + part.substr(slash + 1) + ".rels";
}

pugi::xml_node childNamed(pugi::xml_node parent, const char* local) {
    for (pugi::xml_node c : parent.children())
        if (c.type() == pugi::node_element && xml::localName(c.name()) == local)
            return c;
    return {};
}

const char* relId(pugi::xml_node sheet) {
    for (pugi::xml_attribute a : sheet.attributes())
        if (endsWith(a.name(), ":id"))
            return a.value();
    return "";
}

// One part of an A1 reference after position i ("$A$1", "B", "$3"); its rows >= atRow move by count.
qsizetype shiftRefPart(const QString& f, qsizetype i, QString& out, int atRow, int count, bool shift) {
    qsizetype j = i;
    if (j < f.size() && f[j] == u'$')
        ++j;
    const qsizetype letters = j;
    while (j < f.size() && j - letters < 3 && f[j].isLetter() && f[j].unicode() < 128)
        ++j;
    if (j < f.size() && f[j] == u'$')
        ++j;
    const qsizetype digits = j;
    while (j < f.size() && f[j].isDigit())
        ++j;
    if (j == digits) { // no row number: a column reference or nothing
        out += f.mid(i, j - i);
        return j;
    }
    out += f.mid(i, digits - i);
    const int row = f.mid(digits, j - digits).toInt();
    out += QString::number(shift && row >= atRow ? row + count : row);
    return j;
}

// The formula with the row numbers of references to `sheet` at or below atRow moved down.
QString shiftFormulaRows(const QString& f, const QString& sheet, int atRow, int count) {
    static const QString delimiters = QStringLiteral(" ,;()=+-*/&^<>:{}");
    QString out;
    bool inString = false;
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == u'"')
            inString = !inString;
        if (inString || c != u'!') {
            out += c;
            continue;
        }
        // The sheet name just before "!".
        QString name;
        if (out.endsWith(u'\'')) {
            qsizetype k = out.size() - 2;
            while (k >= 0) {
                if (out[k] == u'\'') {
                    if (k > 0 && out[k - 1] == u'\'') {
                        k -= 2;
                        continue;
                    }
                    break;
                }
                --k;
            }
            name = out.mid(k + 1, out.size() - k - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        } else {
            qsizetype k = out.size();
            while (k > 0 && !delimiters.contains(out[k - 1]))
                --k;
            name = out.mid(k);
        }
        const bool mine = name.compare(sheet, Qt::CaseInsensitive) == 0;
        out += c;
        qsizetype j = shiftRefPart(f, i + 1, out, atRow, count, mine);
        if (j < f.size() && f[j] == u':') {
            out += u':';
            j = shiftRefPart(f, j + 1, out, atRow, count, mine);
        }
        i = j - 1;
    }
    return out;
}

} // namespace

// ---- Workbook::Impl ----

zip::Entry* Workbook::Impl::entry(const std::string& name) {
    for (zip::Entry& e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

const std::vector<QString>& Workbook::Impl::sharedStrings() {
    if (sharedLoaded)
        return shared;
    sharedLoaded = true;
    const zip::Entry* e = sharedStringsPart.empty() ? nullptr : entry(sharedStringsPart);
    if (!e)
        return shared;
    pugi::xml_document doc;
    // A text of blanks only is a text: it keeps its blanks.
    parsePart(doc, e->data, QStringLiteral("共用字串"), kParseFlags | pugi::parse_ws_pcdata_single);
    for (pugi::xml_node si : doc.document_element().children()) {
        if (si.type() != pugi::node_element)
            continue;
        std::string text;
        for (pugi::xml_node c : si.children()) {
            const std::string local = xml::localName(c.name());
            if (local == "t")
                text += c.child_value();
            else if (local == "r")
                if (pugi::xml_node t = childNamed(c, "t"))
                    text += t.child_value();
        }
        shared.push_back(xml::decodeEscapes(QString::fromStdString(text)));
    }
    return shared;
}

Styles& Workbook::Impl::stylesRef() {
    if (!stylesLoaded) {
        const zip::Entry* e = stylesPart.empty() ? nullptr : entry(stylesPart);
        if (e) {
            styles.load(e->data);
        } else {
            // A workbook without a styles part (other spreadsheet programs open such files) gets
            // the minimal one, added to the package when it is saved.
            styles.load(QByteArrayLiteral(
                "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>"));
            // A relationship that names a missing part keeps its name.
            if (stylesPart.empty()) {
                stylesPart = resolve(workbookPart, "styles.xml");
                for (int n = 2; entry(stylesPart); ++n)
                    stylesPart = resolve(workbookPart, "styles" + std::to_string(n) + ".xml");
                stylesRelAdded = true;
            }
            stylesAdded = true;
        }
        stylesLoaded = true;
    }
    return styles;
}

void Workbook::Impl::shiftDefinedNames(const QString& sheetName, int atRow, int count) {
    pugi::xml_node names = childNamed(workbookXml.document_element(), "definedNames");
    for (pugi::xml_node n : names.children()) {
        if (n.type() != pugi::node_element)
            continue;
        const QString f = QString::fromUtf8(n.child_value());
        const QString shifted = shiftFormulaRows(f, sheetName, atRow, count);
        if (shifted != f)
            n.text().set(shifted.toUtf8().constData());
    }
}

// ---- Workbook ----

Workbook::Workbook() : d(std::make_unique<Impl>()) {}
Workbook::~Workbook() = default;

std::unique_ptr<Workbook> Workbook::open(const QString& path) {
    const QString display = QFileInfo(path).fileName();
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw WorkbookError(QStringLiteral("找不到檔案：%1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw WorkbookError(QStringLiteral("無法開啟 %1：%2").arg(path, text::fileErrorReason(file)));
    const QByteArray bytes = file.readAll();

    std::unique_ptr<Workbook> book(new Workbook());
    Impl& d = *book->d;
    d.path = path;
    d.entries = zip::read(bytes, display);

    const zip::Entry* rootRels = d.entry("_rels/.rels");
    if (!rootRels)
        throw WorkbookError(QStringLiteral("%1 不是 Excel 活頁簿").arg(display));
    pugi::xml_document rels;
    parsePart(rels, rootRels->data, display);
    for (pugi::xml_node r : rels.document_element().children())
        if (endsWith(r.attribute("Type").value(), "/officeDocument"))
            d.workbookPart = resolve("", r.attribute("Target").value());
    const zip::Entry* wbEntry = d.workbookPart.empty() ? nullptr : d.entry(d.workbookPart);
    if (!wbEntry)
        throw WorkbookError(QStringLiteral("%1 不是 Excel 活頁簿").arg(display));
    parsePart(d.workbookXml, wbEntry->data, display);

    d.workbookRelsPart = relsPartOf(d.workbookPart);
    if (const zip::Entry* e = d.entry(d.workbookRelsPart))
        parsePart(d.relsXml, e->data, display);
    std::map<std::string, std::pair<std::string, std::string>> targets; // id -> (type, part)
    for (pugi::xml_node r : d.relsXml.document_element().children()) {
        const char* type = r.attribute("Type").value();
        const std::string part = resolve(d.workbookPart, r.attribute("Target").value());
        targets[r.attribute("Id").value()] = {type, part};
        if (endsWith(type, "/sharedStrings"))
            d.sharedStringsPart = part;
        else if (endsWith(type, "/styles"))
            d.stylesPart = part;
        else if (endsWith(type, "/calcChain"))
            d.calcChainPart = part;
    }
    for (pugi::xml_node s : childNamed(d.workbookXml.document_element(), "sheets").children()) {
        if (s.type() != pugi::node_element)
            continue;
        Impl::SheetEntry se;
        se.name = QString::fromUtf8(s.attribute("name").value());
        auto it = targets.find(relId(s));
        if (it != targets.end() && endsWith(it->second.first.c_str(), "/worksheet"))
            se.part = it->second.second;
        d.sheets.push_back(std::move(se));
    }
    return book;
}

QString Workbook::path() const {
    return d->path;
}

int Workbook::sheetCount() const {
    return int(d->sheets.size());
}

Sheet& Workbook::sheet(int position) {
    if (position < 1 || position > sheetCount())
        throw WorkbookError(QStringLiteral("%1 沒有第 %2 張工作表").arg(QFileInfo(d->path).fileName()).arg(position));
    Impl::SheetEntry& se = d->sheets[size_t(position - 1)];
    if (!se.sheet) {
        const zip::Entry* e = se.part.empty() ? nullptr : d->entry(se.part);
        if (!e)
            throw WorkbookError(QStringLiteral("%1 的第 %2 張「%3」不是工作表")
                                    .arg(QFileInfo(d->path).fileName())
                                    .arg(position)
                                    .arg(se.name));
        auto impl = std::make_unique<Sheet::Impl>();
        impl->book = d.get();
        impl->position = position;
        impl->name = se.name;
        impl->part = se.part;
        impl->load(e->data);
        se.sheet.reset(new Sheet(std::move(impl)));
    }
    return *se.sheet;
}

std::optional<QString> Workbook::definedName(const QString& name, int sheetPosition) const {
    pugi::xml_node names = childNamed(d->workbookXml.document_element(), "definedNames");
    for (pugi::xml_node n : names.children()) {
        if (n.type() != pugi::node_element)
            continue;
        if (QString::fromUtf8(n.attribute("name").value()).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const pugi::xml_attribute local = n.attribute("localSheetId");
        if (sheetPosition == 0 ? !local : (local && local.as_int(-1) == sheetPosition - 1))
            return QString::fromUtf8(n.child_value());
    }
    return std::nullopt;
}

void Workbook::showFirstWindow() {
    pugi::xml_node view = childNamed(childNamed(d->workbookXml.document_element(), "bookViews"), "workbookView");
    view.remove_attribute("visibility");
}

void Workbook::save(const QString& path, bool overwrite) {
    if (!overwrite && QFileInfo::exists(path))
        throw WorkbookError(QStringLiteral("檔案已存在：%1").arg(path));

    std::vector<zip::Entry> out;
    out.reserve(d->entries.size());
    for (const zip::Entry& e : d->entries) {
        if (!d->calcChainPart.empty() && e.name == d->calcChainPart)
            continue; // dropped: the workbook is recalculated on load
        out.push_back(e);
    }
    auto replace = [&](const std::string& name, const QByteArray& data) {
        for (zip::Entry& e : out)
            if (e.name == name)
                e.data = data;
    };
    for (const Impl::SheetEntry& se : d->sheets)
        if (se.sheet && se.sheet->d->dirty)
            replace(se.part, se.sheet->d->serialize());
    const bool addStyles = d->stylesAdded && d->styles.changed();
    const bool addStylesRel = addStyles && d->stylesRelAdded;
    if (addStyles)
        out.push_back(zip::Entry{d->stylesPart, d->styles.serialize()});
    else if (d->stylesLoaded && d->styles.changed())
        replace(d->stylesPart, d->styles.serialize());

    // Full recalculation when the spreadsheet opens it.
    pugi::xml_node root = d->workbookXml.document_element();
    pugi::xml_node calcPr = childNamed(root, "calcPr");
    if (!calcPr) {
        const std::string prefix = xml::prefixOf(root.name());
        pugi::xml_node after;
        for (const char* local : {"definedNames", "externalReferences", "functionGroups", "sheets"})
            if ((after = childNamed(root, local)))
                break;
        calcPr = after ? root.insert_child_after((prefix + "calcPr").c_str(), after)
                       : root.append_child((prefix + "calcPr").c_str());
    }
    if (!calcPr.attribute("fullCalcOnLoad"))
        calcPr.append_attribute("fullCalcOnLoad");
    calcPr.attribute("fullCalcOnLoad") = "1";
    replace(d->workbookPart, serializeDoc(d->workbookXml));

    if (!d->calcChainPart.empty() || addStylesRel) {
        pugi::xml_document rels;
        rels.reset(d->relsXml);
        pugi::xml_node relsRoot = rels.document_element();
        std::set<std::string> ids;
        for (pugi::xml_node r = relsRoot.first_child(); r;) {
            pugi::xml_node next = r.next_sibling();
            if (!d->calcChainPart.empty() && endsWith(r.attribute("Type").value(), "/calcChain"))
                relsRoot.remove_child(r);
            else
                ids.insert(r.attribute("Id").value());
            r = next;
        }
        if (addStylesRel) {
            if (!relsRoot) {
                relsRoot = rels.append_child("Relationships");
                relsRoot.append_attribute("xmlns") = kRelsNamespace;
            }
            std::string id = "rIdStyles";
            for (int n = 2; ids.count(id); ++n)
                id = "rIdStyles" + std::to_string(n);
            pugi::xml_node r = relsRoot.append_child((xml::prefixOf(relsRoot.name()) + "Relationship").c_str());
            r.append_attribute("Id") = id.c_str();
            r.append_attribute("Type") = kStylesRelType;
            r.append_attribute("Target") = relativeTarget(d->workbookPart, d->stylesPart).c_str();
        }
        const QByteArray relsBytes = serializeDoc(rels);
        if (d->entry(d->workbookRelsPart))
            replace(d->workbookRelsPart, relsBytes);
        else
            out.push_back(zip::Entry{d->workbookRelsPart, relsBytes});
    }
    // The content types: the calculation chain's dropped, an added styles part's named.
    const zip::Entry* ct = d->entry("[Content_Types].xml");
    if (ct && (!d->calcChainPart.empty() || addStyles)) {
        pugi::xml_document types;
        parsePart(types, ct->data, QStringLiteral("[Content_Types].xml"));
        pugi::xml_node typesRoot = types.document_element();
        const std::string calcName = "/" + d->calcChainPart;
        const std::string stylesName = "/" + d->stylesPart;
        bool stylesNamed = false;
        for (pugi::xml_node o = typesRoot.first_child(); o;) {
            pugi::xml_node next = o.next_sibling();
            if (!d->calcChainPart.empty() && calcName == o.attribute("PartName").value())
                typesRoot.remove_child(o);
            else if (stylesName == o.attribute("PartName").value())
                stylesNamed = true;
            o = next;
        }
        if (addStyles && !stylesNamed) {
            pugi::xml_node o = typesRoot.append_child((xml::prefixOf(typesRoot.name()) + "Override").c_str());
            o.append_attribute("PartName") = stylesName.c_str();
            o.append_attribute("ContentType") = kStylesContentType;
        }
        replace("[Content_Types].xml", serializeDoc(types));
    }

    if (const QString blocked = text::writeBlocker(path); !blocked.isEmpty())
        throw WorkbookError(QStringLiteral("無法儲存 %1：%2").arg(path, blocked));
    const QByteArray bytes = zip::write(out);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw WorkbookError(QStringLiteral("無法儲存 %1：%2").arg(path, text::fileErrorReason(file)));
    // The flush is checked before the commit: a write that only fails there (a full disk) would
    // otherwise still replace the target with a short file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = text::fileErrorReason(file);
        file.cancelWriting();
        throw WorkbookError(QStringLiteral("無法儲存 %1：%2").arg(path, reason));
    }
    if (!overwrite && QFileInfo::exists(path)) {
        file.cancelWriting();
        throw WorkbookError(QStringLiteral("檔案已存在：%1").arg(path));
    }
    if (!file.commit())
        throw WorkbookError(QStringLiteral("無法儲存 %1：%2").arg(path, text::fileErrorReason(file)));
}

} // namespace wb
