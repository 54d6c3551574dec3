#include "Report.h"

#include "ReportPreview.h"
#include "text/FileErrors.h"
#include "text/TextCut.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextLayout>
#include <algorithm>

namespace report {

namespace {

Report::PreviewFn& previewOverride() {
    static Report::PreviewFn fn;
    return fn;
}

// Headings (a numeral in the first column) and subtotals stand out.
bool isStrong(const QStringList& line) {
    const QString first = line.value(0).trimmed();
    if (line.value(1) == QStringLiteral("小計"))
        return true;
    if (first.isEmpty())
        return false;
    for (const QChar c : first)
        if (!c.isDigit())
            return true;
    return false;
}

// Texts are measured at a fixed resolution, with unhinted fonts (their widths then scale with the
// resolution), so that every device gets the same layout.
constexpr double kMeasureDpi = 1200;

QPaintDevice* measuringDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(kMeasureDpi / 0.0254));
        image.setDotsPerMeterY(qRound(kMeasureDpi / 0.0254));
        return image;
    }();
    return &device;
}

constexpr double kPxPerMm = kMeasureDpi / 25.4;

double heightMm(const QFont& f) {
    return QFontMetricsF(f, measuringDevice()).height() / kPxPerMm;
}

double widthMm(const QFont& f, const QString& text) {
    return QFontMetricsF(f, measuringDevice()).horizontalAdvance(text) / kPxPerMm;
}

// The lines of a text wrapped to `width` millimetres: between words, or between any two characters
// where a word is wider than the line (Chinese texts have no blanks).
QStringList wrapped(const QFont& f, const QString& text, double width) {
    QTextLayout layout(text, f, measuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width * kPxPerMm);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// A text in a box `width` millimetres wide whose height is at least `minHeight`: in the font, or
// smaller when it is wider than the box, or wrapped in the font when even 55% is too wide; with
// `shrink` false wrapped in the font at once. The box grows by a line for each line more.
TextBox fitted(const QFont& font, const QString& text, Qt::Alignment align, double x, double y, double width,
               double minHeight, bool shrink = true) {
    // Devices round a font's pixel size: at 300 dpi a text may come out 2.5% wider than measured.
    const double room = width * 0.975;
    TextBox t;
    t.align = align;
    t.font = shrink ? fitToWidth(font, text, room * kPxPerMm, measuringDevice()) : font;
    t.lines = QStringList{text};
    if ((!shrink || t.font.pointSizeF() < font.pointSizeF()) && widthMm(t.font, text) > room) {
        t.font = font;
        t.lines = wrapped(font, text, room);
    }
    t.lineStep = heightMm(t.font);
    const double n = double(t.lines.size());
    t.box = QRectF(x, y, width, std::max(minHeight + (n - 1) * t.lineStep, n * t.lineStep));
    return t;
}

// Draws a text box; `current` is the font last set on the painter (setting a font costs: a page
// has hundreds of texts, mostly in one or two fonts).
void drawBox(QPainter& p, double perMm, const TextBox& t, QFont& current) {
    if (!(t.font == current)) {
        p.setFont(t.font);
        current = t.font;
    }
    const double step = t.lineStep * perMm;
    double y = t.box.y() * perMm + (t.box.height() * perMm - step * double(t.lines.size())) / 2;
    for (const QString& line : t.lines) {
        p.drawText(QRectF(t.box.x() * perMm, y, t.box.width() * perMm, step), int(t.align | Qt::AlignVCenter),
                   line);
        y += step;
    }
}

// The share of a page (top margin to footer) the header and the information block may take: the
// rest stays the table's.
constexpr double kHeaderShare = 0.4;
// Lines a header line (company name, address, title) may wrap onto.
constexpr qsizetype kHeaderLines = 2;

// A text box kept to `height` millimetres and `most` lines: the lines beyond are left out and the
// last one kept ends in an ellipsis.
void clampLines(TextBox& t, double height, qsizetype most) {
    const qsizetype n = std::max<qsizetype>(1, std::min<qsizetype>(most, qsizetype(height / t.lineStep + 1e-6)));
    if (t.lines.size() > n) {
        t.lines.resize(n);
        QString& last = t.lines.last();
        const QString ellipsis(QChar(0x2026));
        const double room = t.box.width() * 0.975;
        while (!last.isEmpty() && widthMm(t.font, last + ellipsis) > room)
            last.chop(last.size() >= 2 && last.at(last.size() - 1).isLowSurrogate() ? 2 : 1);
        last += ellipsis;
    }
    t.box.setHeight(std::min(t.box.height(), std::max(height, double(t.lines.size()) * t.lineStep)));
}

// The most each of `heights` may take so that together they take no more than `room`: the one
// height where the taller ones are cut to it and the others stay (any height when all fit).
double equalShare(QList<double> heights, double room) {
    std::sort(heights.begin(), heights.end());
    double left = room;
    for (qsizetype i = 0; i < heights.size(); ++i) {
        const double share = left / double(heights.size() - i);
        if (heights[i] > share)
            return share;
        left -= heights[i];
    }
    return room;
}

bool isBlank(const QStringList& line) {
    for (const QString& cell : line)
        if (!cell.trimmed().isEmpty())
            return false;
    return true;
}

} // namespace

QFont fitToWidth(const QFont& f, const QString& text, double width, QPaintDevice* device) {
    // No glyph is wider than 1.1 em: most texts need no measuring (a page has hundreds of cells).
    const double em = f.pointSizeF() * device->logicalDpiX() / 72.0;
    if (double(text.size()) * em * 1.1 <= width)
        return f;
    const double advance = QFontMetricsF(f, device).horizontalAdvance(text);
    if (advance <= width || advance <= 0)
        return f;
    QFont smaller = f;
    double size = f.pointSizeF() * width / advance;
    const double least = f.pointSizeF() * 0.55;
    for (;; size *= 0.97) { // metrics do not scale exactly with the size
        smaller.setPointSizeF(std::max(size, least));
        if (size <= least || QFontMetricsF(smaller, device).horizontalAdvance(text) <= width)
            return smaller;
    }
}

Report Report::load(const QString& name, db::Database& data) {
    return load(loadLayout(name), data);
}

Report Report::load(const Layout& layout, db::Database& data) {
    Report r;
    r.m_layout = layout;
    for (QFont& f : r.m_layout.fonts)
        f.setHintingPreference(QFont::PreferNoHinting);
    db::Recordset head = data.openRecordset(QStringLiteral("phead"));
    for (int i = 0; i < head.fieldCount(); ++i)
        r.m_head.insert(head.fieldName(i).toLower(), head.eof() ? QString() : head.text(i));
    db::Recordset lines = data.openRecordset(r.m_layout.table);
    r.m_lines.reserve(lines.recordCount());
    for (; !lines.eof(); lines.moveNext()) {
        QStringList line;
        line.reserve(lines.fieldCount());
        for (int i = 0; i < lines.fieldCount(); ++i)
            line << lines.text(i);
        r.m_lines << line;
    }
    for (const QString& t : r.m_layout.remarkTables) {
        db::Recordset rs = data.openRecordset(t);
        if (!rs.eof() && !rs.text(0).isEmpty())
            r.m_remarks << rs.text(0);
    }
    r.layOut();
    return r;
}

// Header lines and the information block of a page, from the top margin; `bottom` gets the lower
// edge. Their texts wrap at the layout's sizes, never set smaller. Together they take at most kHeaderShare of the page, each header line at most kHeaderLines
// lines: a text too long for its room is cut, so that the table keeps its room on every page.
QList<TextBox> Report::headerBoxes(int page, double* bottom) const {
    const Layout& L = m_layout;
    const double left = L.margins.left();
    const double width = L.pageSize.size(QPageSize::Millimeter).width() - left - L.margins.right();
    const double limit = L.margins.top() + (footerTop() - L.margins.top()) * kHeaderShare;
    const QFont info = L.font(QStringLiteral("info"));
    const double infoRow = heightMm(info) * 1.3;
    // The room left above `limit` once the rows still to come have their one line each.
    const double infoRoom = 2 + infoRow * double(L.info.size()) + 2;
    QList<TextBox> out;
    double y = L.margins.top();
    for (qsizetype i = 0; i < L.header.size(); ++i) {
        const TextLine& h = L.header[i];
        const QFont f = L.font(h.font);
        double after = infoRoom; // one line for each header line below this one
        for (qsizetype k = i + 1; k < L.header.size(); ++k)
            after += heightMm(L.font(L.header[k].font)) * 1.25;
        out << fitted(f, expand(h.text, page), Qt::AlignHCenter, left, y, width, heightMm(f) * 1.25, false);
        clampLines(out.last(), limit - after - y, kHeaderLines);
        y = out.last().box.bottom();
    }
    y += 2;
    // The rows of the information block as wrapped; when they are taller than the room left, each
    // gets the same height at most (a row shorter than that leaves its rest to the others).
    QList<QList<TextBox>> rows;
    QList<double> heights;
    for (const QStringList& row : L.info) {
        const double part = width / double(std::max<qsizetype>(1, row.size()));
        QList<TextBox> boxes;
        double height = infoRow;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QString text = expand(row[i], page);
            if (text.trimmed().isEmpty())
                continue;
            boxes << fitted(info, text, Qt::AlignLeft, left + part * double(i), 0, part - 1, infoRow, false);
            height = std::max(height, boxes.last().box.height());
        }
        rows << boxes;
        heights << height;
    }
    const double cap = equalShare(heights, std::max(limit - 2 - y, infoRow * double(heights.size())));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        double rowBottom = y + infoRow;
        for (TextBox t : rows[r]) {
            clampLines(t, cap, t.lines.size());
            t.box.translate(0, y);
            rowBottom = std::max(rowBottom, t.box.bottom());
            out << t;
        }
        y = rowBottom;
    }
    *bottom = y + 2;
    return out;
}

double Report::footerTop() const {
    const Layout& L = m_layout;
    return L.pageSize.size(QPageSize::Millimeter).height() - L.margins.bottom() -
           heightMm(L.font(QStringLiteral("footer"))) * 1.3;
}

double Report::tableBottom(int page) const {
    const Layout& L = m_layout;
    const double limit = page == 0 && !L.remarksTitle.isEmpty() ? m_remarksTop - 1 : footerTop() - 1;
    return std::min(m_linesTop + L.lineHeight * L.linesPerPage, limit);
}

// The remarks, their lower edge at `bottom`: the title, then each remark (wrapped where it is
// long); room for one line per remark table at least. `top` gets the upper edge.
QList<TextBox> Report::remarkBoxes(double bottom, double* top) const {
    const Layout& L = m_layout;
    const double left = L.margins.left();
    const double width = L.pageSize.size(QPageSize::Millimeter).width() - left - L.margins.right();
    const double rh = L.remarkLineHeight;
    const QFont f = L.font(QStringLiteral("remarks"));
    QList<TextBox> out;
    out << fitted(f, L.remarksTitle, Qt::AlignLeft, left, 0, width, rh);
    double y = out.last().box.bottom();
    for (const QString& r : m_remarks) {
        out << fitted(f, r, Qt::AlignLeft, left + 4, y, width - 4, rh);
        y = out.last().box.bottom();
    }
    const double height = std::max(y, rh * double(L.remarkTables.size() + 1));
    *top = bottom - height;
    for (TextBox& t : out)
        t.box.translate(0, *top);
    return out;
}

void Report::layOut() {
    const Layout& L = m_layout;
    const double lh = L.lineHeight;
    const double left = L.margins.left();
    double headerBottom = 0;
    m_header = headerBoxes(0, &headerBottom);
    m_headerNamesPage = false;
    for (const TextLine& h : L.header)
        m_headerNamesPage = m_headerNamesPage || h.text.contains(QLatin1String("{page"));
    for (const QStringList& row : L.info)
        m_headerNamesPage = m_headerNamesPage || row.join(QString()).contains(QLatin1String("{page"));
    m_tableTop = headerBottom;

    // The column titles, all as high as the highest.
    const QFont titleFont = L.font(QStringLiteral("columnTitle"));
    m_titles.clear();
    m_titleHeight = lh + 1;
    double x = left;
    for (const Column& c : L.columns) {
        m_titles << fitted(titleFont, c.title, Qt::AlignHCenter, x, m_tableTop, c.width, lh + 1);
        m_titles.last().inTable = true;
        m_titleHeight = std::max(m_titleHeight, m_titles.last().box.height());
        x += c.width;
    }
    for (TextBox& t : m_titles)
        t.box.setHeight(m_titleHeight);
    m_linesTop = m_tableTop + m_titleHeight;
    m_remarksTop = footerTop() - 1;
    if (!L.remarksTitle.isEmpty())
        remarkBoxes(footerTop() - 1, &m_remarksTop);
    // Remarks that leave the first page no table line follow the table on pages of their own.
    m_remarksOnFirstPage = !L.remarksTitle.isEmpty() && m_remarksTop - 1 >= m_linesTop + lh;
    if (!m_remarksOnFirstPage)
        m_remarksTop = footerTop();

    // Each line measured: a text runs on over the empty cells after it.
    const QFont normal = L.font(QStringLiteral("line"));
    const QFont strong = L.font(QStringLiteral("strong"));
    m_rows.clear();
    m_rows.reserve(m_lines.size());
    for (const QStringList& line : m_lines) {
        Row row;
        row.height = lh;
        const QFont& f = isStrong(line) ? strong : normal;
        x = left;
        for (qsizetype c = 0; c < L.columns.size(); ++c) {
            const QString text = QString(line.value(c)).replace(u'\t', QStringLiteral("    "));
            double w = L.columns[c].width;
            if (L.columns[c].align == Qt::AlignLeft)
                for (qsizetype n = c + 1; n < L.columns.size() && line.value(n).isEmpty(); ++n)
                    w += L.columns[n].width;
            if (!text.trimmed().isEmpty()) {
                TextBox t = fitted(f, text, L.columns[c].align, x + 1, 0, w - 2, lh);
                t.inTable = true;
                row.height = std::max(row.height, t.box.height());
                row.cells << t;
            }
            x += L.columns[c].width;
        }
        for (TextBox& t : row.cells)
            t.box.setHeight(row.height);
        m_rows << row;
    }

    pageRows();
    pageRemarks();
}

double Report::breakBefore(const Row& row, double from, double limit) {
    // Lines are placed from the row's top in a row that is split.
    double end = limit;
    for (bool moved = true; moved;) {
        moved = false;
        for (const TextBox& t : row.cells)
            for (qsizetype k = 0; k < t.lines.size(); ++k) {
                const double top = double(k) * t.lineStep;
                if (top > from + 1e-6 && top < end - 1e-6 && top + t.lineStep > end + 1e-6) {
                    end = top;
                    moved = true;
                }
            }
    }
    return end;
}

// Pages: the lines that fit above the remarks (first page) or the footer, up to linesPerPage of the
// layout's height; a row that fits no page whole is split where the room ends; blank lines that
// would start a page of their own are left out.
void Report::pageRows() {
    m_pages.clear();
    QList<Piece> page;
    double used = 0;
    const auto nextPage = [&] {
        m_pages << page;
        page.clear();
        used = 0;
    };
    for (int i = 0; i < m_rows.size(); ++i) {
        const double height = m_rows[i].height;
        double from = 0;
        for (;;) {
            const double room = tableBottom(int(m_pages.size())) - m_linesTop;
            if (height - from <= room - used + 1e-6) {
                page << Piece{i, from, height};
                used += height - from;
                break;
            }
            if (!page.isEmpty() && (height - from <= room + 1e-6 || room - used < m_layout.lineHeight)) {
                nextPage();
                continue;
            }
            double end = breakBefore(m_rows[i], from, from + room - used);
            if (end <= from + 1e-6)
                end = from + std::max(room - used, m_layout.lineHeight); // a text line taller than a page
            page << Piece{i, from, end};
            nextPage();
            from = end;
        }
    }
    if (!page.isEmpty() || m_pages.isEmpty())
        m_pages << page;
    while (m_pages.size() > 1) { // drop pages holding blank lines only
        bool blank = true;
        for (const Piece& piece : m_pages.last())
            blank = blank && isBlank(m_lines[piece.line]);
        if (!blank)
            break;
        m_pages.removeLast();
    }
}

// Remarks too tall for the first page: line by line below the header, down to the footer.
void Report::pageRemarks() {
    m_remarkPages.clear();
    if (m_remarksOnFirstPage || m_layout.remarksTitle.isEmpty())
        return;
    double top = 0;
    QList<TextBox> page;
    double y = m_tableTop;
    const double bottom = footerTop() - 1;
    for (const TextBox& t : remarkBoxes(bottom, &top)) {
        for (qsizetype k = 0; k < t.lines.size(); ++k) {
            TextBox line = t;
            line.lines = QStringList{t.lines.at(k)};
            const double h = t.lines.size() == 1 ? t.box.height() : t.lineStep;
            if (y + h > bottom + 1e-6 && !page.isEmpty()) {
                m_remarkPages << page;
                page.clear();
                y = m_tableTop;
            }
            line.box = QRectF(t.box.x(), y, t.box.width(), h);
            page << line;
            y += h;
        }
    }
    if (!page.isEmpty())
        m_remarkPages << page;
}

int Report::pageCount() const {
    return int(m_pages.size() + m_remarkPages.size());
}

QList<QStringList> Report::pageLines(int page) const {
    QList<QStringList> out;
    for (const Piece& piece : m_pages.value(page))
        out << m_lines[piece.line];
    return out;
}

QString Report::expand(const QString& text, int page) const {
    static const QRegularExpression field(QStringLiteral("\\{(\\w+)\\}"));
    QString out;
    qsizetype last = 0;
    for (auto it = field.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString key = m.captured(1);
        if (key == QLatin1String("page"))
            out += QString::number(page + 1);
        else if (key == QLatin1String("pages"))
            out += QString::number(pageCount());
        else
            out += m_head.value(key.toLower());
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

QPageLayout Report::pageLayout() const {
    return QPageLayout(m_layout.pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

PageBoxes Report::layoutPage(int page) const {
    const Layout& L = m_layout;
    const double left = L.margins.left();
    const double width = L.pageSize.size(QPageSize::Millimeter).width() - left - L.margins.right();
    const double lh = L.lineHeight;
    PageBoxes out;
    // The header as laid out for the first page, unless it names the page.
    double headerBottom = 0;
    out.texts = m_headerNamesPage ? headerBoxes(page, &headerBottom) : m_header;
    const QFont footer = L.font(QStringLiteral("footer"));
    const TextBox footerBox = fitted(footer, expand(L.footer, page), Qt::AlignHCenter, left, footerTop(),
                                     width, heightMm(footer) * 1.3);
    if (page >= m_pages.size()) { // remarks on a page of their own: no table
        out.texts << m_remarkPages.value(page - m_pages.size()) << footerBox;
        return out;
    }

    // Column titles, the lines, and the table's box down to the page's room.
    out.texts << m_titles;
    double x = left;
    for (qsizetype c = 0; c + 1 < L.columns.size(); ++c) {
        x += L.columns[c].width;
        out.columnLines << x;
    }
    out.titleBottom = m_linesTop;
    double y = m_linesTop;
    for (const Piece& piece : m_pages.value(page)) {
        const Row& row = m_rows[piece.line];
        const bool whole = piece.from <= 1e-6 && piece.to >= row.height - 1e-6;
        for (TextBox t : row.cells) {
            if (!whole) { // the text lines of this part, from its top
                QStringList lines;
                double top = -1;
                for (qsizetype k = 0; k < t.lines.size(); ++k) {
                    const double lineTop = double(k) * t.lineStep;
                    if (lineTop >= piece.from - 1e-6 && lineTop + t.lineStep <= piece.to + 1e-6) {
                        top = top < 0 ? lineTop : top;
                        lines << t.lines.at(k);
                    }
                }
                if (lines.isEmpty())
                    continue;
                t.lines = lines;
                t.box = QRectF(t.box.x(), top - piece.from, t.box.width(), double(lines.size()) * t.lineStep);
            }
            t.box.translate(0, y);
            out.texts << t;
        }
        y += piece.to - piece.from;
        out.rules << y;
    }
    const double bottom = std::max(y, tableBottom(page));
    for (double r = y + lh; r < bottom - 0.5; r += lh)
        out.rules << r;
    while (!out.rules.isEmpty() && out.rules.last() > bottom - 0.5)
        out.rules.removeLast();
    out.table = QRectF(left, m_tableTop, width, bottom - m_tableTop);

    // The remarks low on the first page, and the footer.
    if (page == 0 && m_remarksOnFirstPage) {
        double top = 0;
        out.texts << remarkBoxes(footerTop() - 1, &top);
    }
    out.texts << footerBox;
    return out;
}

void Report::paintPage(QPainter& p, int page) const {
    const PageBoxes boxes = layoutPage(page);
    const double perMm = p.device()->logicalDpiY() / 25.4;
    const auto at = [perMm](double mm) { return mm * perMm; };
    const QRectF table(at(boxes.table.x()), at(boxes.table.y()), at(boxes.table.width()),
                       at(boxes.table.height()));
    p.save();
    if (!table.isEmpty()) {
        p.fillRect(QRectF(table.x(), table.y(), table.width(), at(boxes.titleBottom) - table.y()),
                   QColor(230, 230, 230));
        p.setPen(QPen(QColor(170, 170, 170), at(0.1)));
        for (double r : boxes.rules)
            p.drawLine(QPointF(table.left(), at(r)), QPointF(table.right(), at(r)));
        p.setPen(QPen(Qt::black, at(0.25)));
        p.drawRect(table);
        p.drawLine(QPointF(table.left(), at(boxes.titleBottom)),
                   QPointF(table.right(), at(boxes.titleBottom)));
        for (double c : boxes.columnLines)
            p.drawLine(QPointF(at(c), table.top()), QPointF(at(c), table.bottom()));
    }
    p.setPen(Qt::black);
    QFont current;
    p.setFont(current);
    for (const TextBox& t : boxes.texts)
        drawBox(p, perMm, t, current);
    p.restore();
}

bool Report::render(QPagedPaintDevice& device, int from, int to) const {
    const int first = from > 0 ? from - 1 : 0;
    const int last = to > 0 ? std::min(to, pageCount()) - 1 : pageCount() - 1;
    QPainter p(&device);
    if (!p.isActive())
        return false;
    // A sheet smaller than the page, or turned, gets the whole page scaled down and centred.
    const QSizeF paper = m_layout.pageSize.size(QPageSize::Millimeter);
    const double w = paper.width() * device.logicalDpiX() / 25.4,
                 h = paper.height() * device.logicalDpiY() / 25.4;
    const double scale = std::min({1.0, device.width() / w, device.height() / h});
    p.translate((device.width() - w * scale) / 2, (device.height() - h * scale) / 2);
    p.scale(scale, scale);
    for (int i = first; i <= last; ++i) {
        if (i > first && !device.newPage())
            return false;
        paintPage(p, i);
    }
    return p.end();
}

bool Report::writePdf(const QString& path, QString* error) const {
    if (const QString blocked = text::writeBlocker(path); !blocked.isEmpty()) {
        if (error)
            *error = blocked;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = text::fileErrorReason(file);
        return false;
    }
    bool painted = false;
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(pageLayout());
        pdf.setResolution(300);
        pdf.setTitle(m_layout.title);
        painted = render(pdf);
    }
    // A failed write is remembered by the file: commit() then leaves no file behind.
    if (!painted || !file.commit()) {
        if (error)
            *error = file.error() != QFileDevice::NoError ? text::fileErrorReason(file)
                                                          : QStringLiteral("無法產生 PDF");
        file.cancelWriting();
        return false;
    }
    return true;
}

QString Report::pdfFileName() const {
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    const auto part = [this](const char* field) {
        const QString v = m_head.value(QString::fromLatin1(field)).trimmed();
        return v.isEmpty() ? v : u'_' + QString(v).replace(unsafe, QStringLiteral("-"));
    };
    // A name too long for the file system loses the end of the customer's name, not the date.
    return text::fitFileName(QString(m_layout.title).replace(unsafe, QStringLiteral("-")) + part("cn"),
                             part("dy") + QStringLiteral(".pdf"));
}

bool Report::savePdfAs(const QString& folder) const {
    QDir().mkpath(folder);
    ui::FileRequest request;
    request.title = QStringLiteral("另存 PDF");
    request.folder = folder;
    request.fileName = QDir(folder).filePath(pdfFileName());
    request.filter = QStringLiteral("PDF 檔 (*.pdf)|*.pdf");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString path = ui::saveFileDialog(request);
    if (path.isEmpty())
        return false;
    QString error;
    if (writePdf(path, &error))
        return true;
    ui::msgBox(QStringLiteral("無法寫入 %1\r\n%2").arg(QDir::toNativeSeparators(path), error),
               ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
    return false;
}

void Report::preview(QWidget* parent, const QString& pdfFolder) const {
    if (previewOverride()) {
        previewOverride()(*this, parent);
        return;
    }
    showPreview(*this, parent, pdfFolder);
}

void Report::setPreviewOverride(PreviewFn fn) {
    previewOverride() = std::move(fn);
}

} // namespace report
