#pragma once
// Small templates made by the tests with libxlsxwriter, and a look inside saved packages.
#include "workbook/Workbook.h"
#include "workbook/Zip.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <xlsxwriter.h>

#include <functional>
#include <map>
#include <string>

namespace testwb {

// Writes a workbook at `path`; `fill` gets the workbook to add sheets and cells to.
inline bool makeWorkbook(const QString& path, const std::function<void(lxw_workbook*)>& fill) {
    const QByteArray p = path.toUtf8();
    lxw_workbook* book = workbook_new(p.constData());
    if (!book)
        return false;
    fill(book);
    return workbook_close(book) == LXW_NO_ERROR;
}

// A one-page template: header texts, a styled and merged title, heights, a print area.
inline bool makePageTemplate(const QString& path) {
    return makeWorkbook(path, [](lxw_workbook* book) {
        lxw_worksheet* cover = workbook_add_worksheet(book, "封面");
        lxw_worksheet* detail = workbook_add_worksheet(book, "明細");
        lxw_format* title = workbook_add_format(book);
        format_set_bold(title);
        format_set_align(title, LXW_ALIGN_CENTER);
        lxw_format* line = workbook_add_format(book);
        format_set_bottom(line, LXW_BORDER_THIN);
        for (lxw_worksheet* ws : {cover, detail}) {
            worksheet_merge_range(ws, 0, 0, 0, 6, "#公司名稱# 報價單", title);
            worksheet_write_string(ws, 1, 0, "客戶：#客戶名稱#  電話：#客戶電話#", nullptr);
            worksheet_write_string(ws, 2, 0, "日期：#年#/#月#/#日#", nullptr);
            worksheet_write_number(ws, 2, 6, 42, nullptr);
            for (int r = 7; r < 37; ++r)
                worksheet_write_blank(ws, lxw_row_t(r), 1, line);
            for (int r = 0; r < 39; ++r)
                worksheet_set_row(ws, lxw_row_t(r), 10 + r % 7, nullptr);
            worksheet_merge_range(ws, 37, 0, 37, 2, "頁尾", nullptr);
            worksheet_print_area(ws, 0, 0, 38, 6);
        }
    });
}

// Adds parts to a saved package: a calculation chain (with its relationship and content type) and a
// part no one knows.
inline bool addCalcChainAndUnknownPart(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    auto entries = wb::zip::read(f.readAll(), path);
    f.close();
    for (auto& e : entries) {
        if (e.name == "xl/_rels/workbook.xml.rels")
            e.data.replace("</Relationships>",
                           "<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                           "2006/relationships/calcChain\" Target=\"calcChain.xml\"/></Relationships>");
        if (e.name == "[Content_Types].xml")
            e.data.replace("</Types>", "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
                                       "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/></Types>");
    }
    entries.push_back({"xl/calcChain.xml", "<?xml version=\"1.0\"?><calcChain xmlns=\"http://schemas."
                                           "openxmlformats.org/spreadsheetml/2006/main\"><c r=\"A1\" i=\"1\"/></calcChain>"});
    static const char unknown[] = "\x00\x01 kept as it is \xff";
    entries.push_back({"customXml/unknown.bin", QByteArray(unknown, sizeof unknown - 1)});
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(wb::zip::write(entries)) > 0;
}

inline std::map<std::string, QByteArray> parts(const QString& path) {
    QFile f(path);
    std::map<std::string, QByteArray> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (auto& e : wb::zip::read(f.readAll(), path))
        out[e.name] = e.data;
    return out;
}

} // namespace testwb
