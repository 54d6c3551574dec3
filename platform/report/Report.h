#pragma once
// A report read from the report database and laid out by its layout: pages of a fixed number of
// table lines under the header (repeated on every page), the remarks low on the first page, and a
// page footer. One paint routine serves the preview, the printer and PDF files.
#include "ReportLayout.h"
#include "db/Database.h"

#include <QHash>
#include <QList>
#include <QPageLayout>
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

class Report {
public:
    // Reads the report `name` ("fpdemo" cover page, "pbdemo" details) from `data`: the header row of
    // phead, the lines of the layout's table and the remark tables. Throws db::DbError when a table
    // is missing, std::runtime_error when the layout is.
    static Report load(const QString& name, db::Database& data);

    const Layout& layout() const { return m_layout; }
    int pageCount() const;
    // The lines of page `page` (from 0).
    QList<QStringList> pageLines(int page) const;
    // A text with {field} replaced by the header's fields, {page} and {pages} by the page numbers.
    QString expand(const QString& text, int page) const;

    // The page size with no margins: the layout places everything itself.
    QPageLayout pageLayout() const;
    // Paints page `page` (from 0) with the painter's origin at the paper's top left corner.
    void paintPage(QPainter& p, int page) const;
    // Paints every page, or pages from..to (from 1; 0 for all) onto the device.
    void render(QPagedPaintDevice& device, int from = 0, int to = 0) const;
    // Writes the report as a PDF file, whole or not at all. False with the reason on failure.
    bool writePdf(const QString& path, QString* error = nullptr) const;
    // Shows the print preview, from which the user prints or saves a PDF.
    void preview(QWidget* parent) const;

    // Tests replace the preview (nothing is shown then); an empty function restores it.
    using PreviewFn = std::function<void(const Report&, QWidget*)>;
    static void setPreviewOverride(PreviewFn fn);

private:
    Layout m_layout;
    QHash<QString, QString> m_head; // phead by column name, lower case
    QList<QStringList> m_lines;
    QStringList m_remarks;
};

} // namespace report
