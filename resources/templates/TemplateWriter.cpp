// Writes a described template with libxlsxwriter.
#include "TemplateDescription.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <xlsxwriter.h>

#include "system/System.h"
#include "workbook/Workbook.h"
#include "workbook/Zip.h"

#include <algorithm>
#include <utility>

namespace tpl {
namespace {

class Formats {
public:
    explicit Formats(lxw_workbook* book) : book_(book) {}

    lxw_format* get(const Style& s) {
        for (auto& [style, format] : cache_)
            if (style == s)
                return format;
        lxw_format* f = workbook_add_format(book_);
        format_set_font_name(f, kFont);
        format_set_font_size(f, s.size);
        if (s.bold)
            format_set_bold(f);
        switch (s.align) {
        case Align::Left: format_set_align(f, LXW_ALIGN_LEFT); break;
        case Align::Center: format_set_align(f, LXW_ALIGN_CENTER); break;
        case Align::Right: format_set_align(f, LXW_ALIGN_RIGHT); break;
        case Align::General: break;
        }
        if (s.vcenter)
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        if (s.border & Left)
            format_set_left(f, LXW_BORDER_THIN);
        if (s.border & Right)
            format_set_right(f, LXW_BORDER_THIN);
        if (s.border & Top)
            format_set_top(f, LXW_BORDER_THIN);
        if (s.border & Bottom)
            format_set_bottom(f, LXW_BORDER_THIN);
        if (!s.numFormat.empty())
            format_set_num_format(f, s.numFormat.c_str());
        if (s.shrink)
            format_set_shrink(f);
        if (s.wrap)
            format_set_text_wrap(f);
        if (s.indent)
            format_set_indent(f, uint8_t(s.indent));
        cache_.emplace_back(s, f);
        return f;
    }

private:
    lxw_workbook* book_;
    std::vector<std::pair<Style, lxw_format*>> cache_;
};

void writeSheet(lxw_workbook* book, Formats& formats, const SheetSpec& spec) {
    lxw_worksheet* ws = workbook_add_worksheet(book, spec.name.c_str());
    worksheet_set_paper(ws, 9); // A4
    if (spec.landscape)
        worksheet_set_landscape(ws);
    else
        worksheet_set_portrait(ws);
    worksheet_set_margins(ws, spec.marginLeft, spec.marginRight, spec.marginTop, spec.marginBottom);
    lxw_header_footer_options header = {};
    header.margin = spec.headerMargin;
    lxw_header_footer_options footer = {};
    footer.margin = spec.footerMargin;
    worksheet_set_header_opt(ws, "", &header);
    worksheet_set_footer_opt(ws, "", &footer);
    if (spec.fitWidth > 0)
        worksheet_fit_to_pages(ws, uint16_t(spec.fitWidth), 0);
    if (spec.centerHorizontally)
        worksheet_center_horizontally(ws);
    if (spec.repeatFirstRow > 0)
        worksheet_repeat_rows(ws, lxw_row_t(spec.repeatFirstRow - 1), lxw_row_t(spec.repeatLastRow - 1));

    for (const ColumnSpec& c : spec.columns)
        worksheet_set_column(ws, lxw_col_t(c.first - 1), lxw_col_t(c.last - 1), c.width, formats.get(c.style));
    for (const RowSpec& r : spec.rows)
        for (int row = r.first; row <= r.last; ++row)
            worksheet_set_row(ws, lxw_row_t(row - 1), r.height, r.styled ? formats.get(r.style) : nullptr);
    for (const CellSpec& c : spec.cells) {
        lxw_format* f = formats.get(c.style);
        const auto row = lxw_row_t(c.row - 1);
        const auto col = lxw_col_t(c.col - 1);
        if (c.mergeLastCol > c.col)
            worksheet_merge_range(ws, row, col, row, lxw_col_t(c.mergeLastCol - 1), c.text.c_str(), f);
        else if (c.blank || c.text.empty())
            worksheet_write_blank(ws, row, col, f);
        else
            worksheet_write_string(ws, row, col, c.text.c_str(), f);
    }
    if (!spec.rowBreaks.empty()) {
        // libxlsxwriter keeps the array: it must outlive the workbook's closing.
        static std::vector<std::vector<lxw_row_t>> keep;
        std::vector<lxw_row_t> breaks;
        for (int r : spec.rowBreaks)
            breaks.push_back(lxw_row_t(r - 1));
        breaks.push_back(0);
        keep.push_back(std::move(breaks));
        worksheet_set_h_pagebreaks(ws, keep.back().data());
    }
}

// The workbook's own font (the "Normal" style) becomes the template font: column widths are
// measured in its digits, so they come out the same wherever that font is installed. The package
// with it, empty with the reason on failure.
QByteArray withDefaultFont(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return {};
    }
    try {
        auto entries = wb::zip::read(f.readAll(), path);
        for (wb::zip::Entry& e : entries) {
            if (e.name != "xl/styles.xml")
                continue;
            const qsizetype from = e.data.indexOf("<font>", e.data.indexOf("<fonts"));
            const qsizetype to = e.data.indexOf("</font>", from);
            if (from < 0 || to < 0) {
                *error = QStringLiteral("no default font");
                return {};
            }
            e.data.replace(from, to + 7 - from,
                           QByteArray("<font><sz val=\"11\"/><name val=\"") + kFont +
                               "\"/><family val=\"2\"/><charset val=\"136\"/></font>");
        }
        return wb::zip::write(entries);
    } catch (const wb::WorkbookError& e) {
        *error = e.reason();
        return {};
    }
}

} // namespace

QByteArray templateBytes(const TemplateSpec& spec, QString* error) {
    // libxlsxwriter writes a file by its name: a private temporary one, read back with the template
    // font put in.
    QTemporaryFile temp(QDir::temp().filePath(QStringLiteral("kavo3-template-XXXXXX.xlsx")));
    if (!temp.open()) {
        *error = temp.errorString();
        return {};
    }
    temp.close();
    const QByteArray tempName = QFile::encodeName(temp.fileName());
    lxw_workbook* book = workbook_new(tempName.constData());
    if (!book) {
        *error = QStringLiteral("cannot start the workbook");
        return {};
    }
    Formats formats(book);
    for (const SheetSpec& sheet : spec.sheets)
        writeSheet(book, formats, sheet);
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(result));
        return {};
    }
    return withDefaultFont(temp.fileName(), error);
}

bool writeTemplate(const TemplateSpec& spec, const QString& path, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("%1: cannot create the folder").arg(path);
        return false;
    }
    QString reason;
    const QByteArray bytes = templateBytes(spec, &reason);
    if (bytes.isEmpty()) {
        *error = QStringLiteral("%1: %2").arg(path, reason);
        return false;
    }
    const bool existed = QFileInfo::exists(path);
    // A template the quotation editor locked is replaced all the same, and stays locked.
    const bool locked = sys::isReadOnly(path);
    if (locked)
        sys::setReadOnly(path, false);
    // Never half a template: a replaced one stays as it was when the write fails.
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (locked)
        sys::setReadOnly(path);
    if (!saved) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    // A template is readable by everyone like the program; a replaced one keeps its permissions.
    if (!existed)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                                        QFile::ReadGroup | QFile::ReadOther);
    return true;
}

QByteArray stableDigest(const QByteArray& package) {
    std::vector<wb::zip::Entry> entries;
    try {
        entries = wb::zip::read(package, QString());
    } catch (const wb::WorkbookError&) {
        return {};
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const wb::zip::Entry& e : entries) {
        if (e.name == "docProps/core.xml") // the time it was written
            continue;
        const quint64 size = quint64(e.data.size());
        char length[8];
        for (int i = 0; i < 8; ++i)
            length[i] = char((size >> (8 * i)) & 0xff);
        hash.addData(QByteArrayView(e.name.data(), qsizetype(e.name.size())));
        hash.addData(QByteArrayView("\0", 1));
        hash.addData(QByteArrayView(length, 8));
        hash.addData(e.data);
    }
    return hash.result().left(16).toHex();
}

namespace {

// An existing template that is replaced: one left as an earlier build wrote it, locked by the
// quotation editor or not. A template the user edited stays as it is.
bool outdated(const QString& relativePath, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray digest = stableDigest(f.readAll());
    return shippedBefore(relativePath, digest) && digest != currentDigest(relativePath);
}

bool writeTemplates(const QString& folder, bool missingToo, QStringList* written, QString* error) {
    bool ok = true;
    for (const TemplateSpec& spec : allTemplates()) {
        const QString path = QDir(folder).filePath(spec.relativePath);
        if (QFileInfo::exists(path) ? !outdated(spec.relativePath, path) : !missingToo)
            continue;
        QString reason;
        if (writeTemplate(spec, path, &reason)) {
            if (written)
                written->append(path);
            continue;
        }
        ok = false;
        if (error)
            *error += reason + u'\n';
    }
    return ok;
}

} // namespace

bool writeMissing(const QString& programFolder, QStringList* written, QString* error) {
    return writeTemplates(programFolder, true, written, error);
}

bool upgradeOutdated(const QString& folder, QStringList* written, QString* error) {
    if (folder.isEmpty())
        return true;
    return writeTemplates(folder, false, written, error);
}

} // namespace tpl
