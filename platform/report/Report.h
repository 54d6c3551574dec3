#pragma once
// A report read from the report database and laid out by its layout: pages of table lines under
// the header (repeated on every page), the remarks low on the first page, and a page footer. Every
// text is measured: one wider than its box is set smaller, down to 55% of its size, and wrapped
// onto more lines when that is not enough (its row grows); the header's texts wrap at their size; a page takes the lines that fit between
// the header and the remarks or the footer, up to the layout's number of lines. A row taller than a
// page continues on the next; remarks too tall to leave the first page a table line follow the
// table on pages of their own. Nothing runs over the footer or the table. One paint routine
// serves the preview, the printer and PDF files.
#include "ReportLayout.h"
#include "db/Database.h"

#include <QHash>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QStringList>
#include <functional>

class QFont;
class QPaintDevice;
class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace report {

// The font for a text in a box `width` device units wide: `f` when the text fits, else `f` made
// smaller until it does, down to 55% of its size.
QFont fitToWidth(const QFont& f, const QString& text, double width, QPaintDevice* device);

// A text as laid out on a page: its box in millimetres from the paper's top left corner, the font
// and the lines it is drawn in (one unless it was wrapped), each `lineStep` millimetres below the
// one before, the block centred in the box's height.
struct TextBox {
    QRectF box;
    QFont font;
    Qt::Alignment align = Qt::AlignLeft; // horizontal
    QStringList lines;
    double lineStep = 0;
    bool inTable = false; // a cell of the table
};

// What one page holds: its texts and the table (column titles included), in millimetres.
struct PageBoxes {
    QList<TextBox> texts;
    QRectF table;
    double titleBottom = 0;    // the column titles' lower edge
    QList<double> rules;       // the lines between the table's rows
    QList<double> columnLines; // the lines between its columns
};

class Report {
public:
    // Reads the report `name` ("fpdemo" cover page, "pbdemo" details) from `data`: the header row of
    // phead, the lines of the layout's table and the remark tables, and lays it out. Throws
    // db::DbError when a table is missing, std::runtime_error when the layout is.
    static Report load(const QString& name, db::Database& data);
    // The same with a layout of the caller's (tests try other fonts).
    static Report load(const Layout& layout, db::Database& data);

    const Layout& layout() const { return m_layout; }
    int pageCount() const;
    // The lines of page `page` (from 0).
    QList<QStringList> pageLines(int page) const;
    // A text with {field} replaced by the header's fields, {page} and {pages} by the page numbers.
    QString expand(const QString& text, int page) const;

    // The page size with no margins: the layout places everything itself.
    QPageLayout pageLayout() const;
    // Page `page` (from 0) as it is painted.
    PageBoxes layoutPage(int page) const;
    // Paints page `page` (from 0) with the painter's origin at the paper's top left corner.
    void paintPage(QPainter& p, int page) const;
    // Paints every page, or pages from..to (from 1; 0 for all) onto the device. A sheet of another
    // size or orientation gets the page scaled down to fit, whole. False when the device failed.
    bool render(QPagedPaintDevice& device, int from = 0, int to = 0) const;
    // Writes the report as a PDF file, whole or not at all. False with the reason on failure.
    bool writePdf(const QString& path, QString* error = nullptr) const;
    // The file name a PDF of the report is offered under: title, customer and quotation date.
    QString pdfFileName() const;
    // Asks where to save the PDF (offering pdfFileName() in `folder`) and writes it; a failure is
    // shown with its reason. False when nothing was written.
    bool savePdfAs(const QString& folder) const;
    // Shows the print preview (A4 portrait, no page setup), from which the user prints or saves a
    // PDF (offered in `pdfFolder`).
    void preview(QWidget* parent, const QString& pdfFolder) const;

    // Tests replace the preview (nothing is shown then); an empty function restores it.
    using PreviewFn = std::function<void(const Report&, QWidget*)>;
    static void setPreviewOverride(PreviewFn fn);

private:
    // A table line as measured: its height and its cells, placed from the row's top at 0.
    struct Row {
        double height = 0;
        QList<TextBox> cells;
    };
    // The part of a line a page holds: from..to millimetres of its row (a row taller than the room
    // left continues on the next page, its text lines kept whole).
    struct Piece {
        int line = 0;
        double from = 0;
        double to = 0;
    };
    // Where a row may end a page at or above `limit` (below `from`) without cutting a text line.
    static double breakBefore(const Row& row, double from, double limit);
    void pageRows();
    void pageRemarks();
    void layOut();
    QList<TextBox> headerBoxes(int page, double* bottom) const;
    QList<TextBox> remarkBoxes(double bottom, double* top) const;
    double footerTop() const;
    // The lower edge of the table on a page: the layout's number of lines, or less where the
    // remarks (first page) or the footer begin.
    double tableBottom(int page) const;

    Layout m_layout;
    QHash<QString, QString> m_head; // phead by column name, lower case
    QList<QStringList> m_lines;
    QStringList m_remarks;
    QList<TextBox> m_header;             // header and information block of the first page
    bool m_headerNamesPage = false;      // the header shows the page number: laid out for each page
    QList<TextBox> m_titles;             // the column titles
    QList<Row> m_rows;                   // one per line
    QList<QList<Piece>> m_pages;         // the lines of each page
    QList<QList<TextBox>> m_remarkPages; // remarks too tall for the first page: pages of their own
    double m_linesTop = 0;               // below the column titles
    double m_titleHeight = 0;            // the column titles' row
    double m_tableTop = 0;
    double m_remarksTop = 0; // the first page's remarks (the footer's top without remarks)
    bool m_remarksOnFirstPage = false;
};

} // namespace report
