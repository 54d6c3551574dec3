// Filling a quotation template the size of a very large quotation: 20,000 item lines of 7 cells on
// page copies of 30 lines (with their page breaks and row heights), saved; beside it libxlsxwriter
// writing the same 140,000 cells into a fresh workbook, the floor.
#include "TemplateDescription.h"
#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLines = 20000;
constexpr int kPerPage = 30;
constexpr int kStartRow = 8;
constexpr int kPageHeight = 39;

QString itemName(int i) {
    return QStringLiteral("木作天花板 %1 矽酸鈣板").arg(i);
}

double fillTemplate(const QString& templ, const QString& out) {
    QElapsedTimer t;
    t.start();
    auto book = wb::Workbook::open(templ);
    wb::Sheet& s = book->sheet(2);
    const wb::RangeRef page = wb::range(u"A1:G39");
    const int pages = (kLines + kPerPage - 1) / kPerPage;
    s.addColumnBreak(11);
    for (int i = 1; i < pages; ++i) {
        const int top = kPageHeight * i + 1;
        s.copyRange(page, wb::CellRef{top, 1});
        s.addRowBreak(top);
        for (int r = 1; r <= kPageHeight; ++r)
            s.setRowHeight(kPageHeight * i + r, s.rowHeight(r));
    }
    for (int i = 0; i < kLines; ++i) {
        const int row = kStartRow + (i / kPerPage) * kPageHeight + i % kPerPage;
        s.setNumber(row, 1, i + 1);
        s.setText(row, 2, itemName(i));
        s.setText(row, 3, QStringLiteral("坪"));
        s.setNumber(row, 4, 12.5);
        s.setNumber(row, 5, 1800);
        s.setNumber(row, 6, 22500);
        s.setText(row, 7, QStringLiteral("含施工"));
    }
    book->save(out);
    return double(t.nsecsElapsed()) / 1e9;
}

double writeFloor(const QString& out) {
    QElapsedTimer t;
    t.start();
    const QByteArray path = QFile::encodeName(out);
    lxw_workbook* book = workbook_new(path.constData());
    lxw_worksheet* ws = workbook_add_worksheet(book, "明細");
    const QByteArray unit = QStringLiteral("坪").toUtf8();
    const QByteArray remark = QStringLiteral("含施工").toUtf8();
    for (int i = 0; i < kLines; ++i) {
        const lxw_row_t row = lxw_row_t(kStartRow - 1 + (i / kPerPage) * kPageHeight + i % kPerPage);
        worksheet_write_number(ws, row, 0, i + 1, nullptr);
        worksheet_write_string(ws, row, 1, itemName(i).toUtf8().constData(), nullptr);
        worksheet_write_string(ws, row, 2, unit.constData(), nullptr);
        worksheet_write_number(ws, row, 3, 12.5, nullptr);
        worksheet_write_number(ws, row, 4, 1800, nullptr);
        worksheet_write_number(ws, row, 5, 22500, nullptr);
        worksheet_write_string(ws, row, 6, remark.constData(), nullptr);
    }
    workbook_close(book);
    return double(t.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString templ = dir.filePath(QStringLiteral("報價單.xlsx"));
    for (const tpl::TemplateSpec& spec : tpl::quotationTemplates())
        if (spec.relativePath.endsWith(QStringLiteral("/報價單.xlsx"))) {
            QString error;
            if (!tpl::writeTemplate(spec, templ, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
        }
    std::vector<double> fills, floors;
    for (int run = 0; run < 3; ++run) {
        const QString a = dir.filePath(QStringLiteral("filled-%1.xlsx").arg(run));
        const QString b = dir.filePath(QStringLiteral("floor-%1.xlsx").arg(run));
        try {
            fills.push_back(fillTemplate(templ, a));
        } catch (const wb::WorkbookError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.reason()));
            return 1;
        }
        floors.push_back(writeFloor(b));
        std::printf("run %d: template fill %.3f s (%lld bytes), libxlsxwriter %.3f s (%lld bytes)\n", run + 1,
                    fills.back(), QFileInfo(a).size(), floors.back(), QFileInfo(b).size());
    }
    const double f = median(fills), l = median(floors);
    std::printf("median: template fill %.3f s, libxlsxwriter floor %.3f s, ratio %.2f\n", f, l, f / l);
    return 0;
}
