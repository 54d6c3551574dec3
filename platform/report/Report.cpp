#include "Report.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>

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

// Draws a text in the painter's font, or smaller when it is wider than its box, so that it prints
// whole. The font is changed only for such a text (each change is recorded in the preview).
void drawFitted(QPainter& p, const QRectF& box, int flags, const QString& text) {
    const QFont font = p.font();
    const QFont fitted = fitToWidth(font, text, box.width(), p.device());
    if (fitted.pointSizeF() == font.pointSizeF()) {
        p.drawText(box, flags, text);
        return;
    }
    p.setFont(fitted);
    p.drawText(box, flags, text);
    p.setFont(font);
}

// Millimetres to device units and back.
struct Scale {
    double perMm;
    double operator()(double mm) const { return mm * perMm; }
    QRectF rect(double x, double y, double w, double h) const {
        return QRectF((*this)(x), (*this)(y), (*this)(w), (*this)(h));
    }
};

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
    Report r;
    r.m_layout = loadLayout(name);
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
    return r;
}

int Report::pageCount() const {
    const int n = int(m_lines.size());
    return std::max(1, (n + m_layout.linesPerPage - 1) / m_layout.linesPerPage);
}

QList<QStringList> Report::pageLines(int page) const {
    return m_lines.mid(qsizetype(page) * m_layout.linesPerPage, m_layout.linesPerPage);
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
    return QPageLayout(m_layout.pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void Report::paintPage(QPainter& p, int page) const {
    const Layout& L = m_layout;
    const Scale mm{p.device()->logicalDpiY() / 25.4};
    const QSizeF paper = L.pageSize.size(QPageSize::Millimeter);
    const double left = L.margins.left();
    const double width = paper.width() - L.margins.left() - L.margins.right();
    const auto heightOf = [&](const QFont& f) { return QFontMetricsF(f, p.device()).height() / mm.perMm; };
    p.save();
    p.setPen(QPen(Qt::black, mm(0.2)));

    // Header, repeated on every page.
    double y = L.margins.top();
    for (const TextLine& h : L.header) {
        const QFont f = L.font(h.font);
        const double lh = heightOf(f) * 1.25;
        p.setFont(f);
        drawFitted(p, mm.rect(left, y, width, lh), Qt::AlignCenter, expand(h.text, page));
        y += lh;
    }
    y += 2;
    const QFont info = L.font(QStringLiteral("info"));
    const double infoHeight = heightOf(info) * 1.3;
    p.setFont(info);
    for (const QStringList& row : L.info) {
        const double part = width / std::max<qsizetype>(1, row.size());
        for (qsizetype i = 0; i < row.size(); ++i)
            drawFitted(p, mm.rect(left + part * double(i), y, part - 1, infoHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       expand(row[i], page));
        y += infoHeight;
    }
    y += 2;

    // Column titles and the table box.
    const double lh = L.lineHeight;
    const double tableTop = y;
    p.setFont(L.font(QStringLiteral("columnTitle")));
    p.fillRect(mm.rect(left, y, width, lh + 1), QColor(230, 230, 230));
    double x = left;
    for (const Column& c : L.columns) {
        p.drawText(mm.rect(x, y, c.width, lh + 1), Qt::AlignCenter, c.title);
        x += c.width;
    }
    y += lh + 1;
    const double linesTop = y;
    const double tableBottom = linesTop + lh * L.linesPerPage;
    p.setPen(QPen(QColor(170, 170, 170), mm(0.1)));
    for (int i = 1; i < L.linesPerPage; ++i)
        p.drawLine(QPointF(mm(left), mm(linesTop + lh * i)), QPointF(mm(left + width), mm(linesTop + lh * i)));
    p.setPen(QPen(Qt::black, mm(0.25)));
    p.drawRect(mm.rect(left, tableTop, width, tableBottom - tableTop));
    p.drawLine(QPointF(mm(left), mm(linesTop)), QPointF(mm(left + width), mm(linesTop)));
    x = left;
    for (qsizetype c = 0; c + 1 < L.columns.size(); ++c) {
        x += L.columns[c].width;
        p.drawLine(QPointF(mm(x), mm(tableTop)), QPointF(mm(x), mm(tableBottom)));
    }

    // The lines: a text runs on over the empty cells after it.
    const QFont normal = L.font(QStringLiteral("line"));
    const QFont strong = L.font(QStringLiteral("strong"));
    const QList<QStringList> lines = pageLines(page);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList& line = lines[i];
        p.setFont(isStrong(line) ? strong : normal);
        const double ly = linesTop + lh * double(i);
        x = left;
        for (qsizetype c = 0; c < L.columns.size(); ++c) {
            const QString text = QString(line.value(c)).replace(u'\t', QStringLiteral("    "));
            double w = L.columns[c].width;
            if (L.columns[c].align == Qt::AlignLeft)
                for (qsizetype n = c + 1; n < L.columns.size() && line.value(n).isEmpty(); ++n)
                    w += L.columns[n].width;
            if (!text.trimmed().isEmpty())
                drawFitted(p, mm.rect(x + 1, ly, w - 2, lh), L.columns[c].align | Qt::AlignVCenter, text);
            x += L.columns[c].width;
        }
    }

    // Footer, and the remarks low on the first page.
    const QFont footer = L.font(QStringLiteral("footer"));
    const double footerHeight = heightOf(footer) * 1.3;
    const double footerTop = paper.height() - L.margins.bottom() - footerHeight;
    p.setFont(footer);
    p.drawText(mm.rect(left, footerTop, width, footerHeight), Qt::AlignCenter, expand(L.footer, page));
    if (page == 0 && !L.remarksTitle.isEmpty()) {
        const double rh = L.remarkLineHeight;
        double ry = footerTop - rh * double(L.remarkTables.size() + 1) - 1;
        p.setFont(L.font(QStringLiteral("remarks")));
        p.drawText(mm.rect(left, ry, width, rh), Qt::AlignLeft | Qt::AlignVCenter, L.remarksTitle);
        for (const QString& r : m_remarks) {
            ry += rh;
            drawFitted(p, mm.rect(left + 4, ry, width - 4, rh), Qt::AlignLeft | Qt::AlignVCenter, r);
        }
    }
    p.restore();
}

void Report::render(QPagedPaintDevice& device, int from, int to) const {
    const int first = from > 0 ? from - 1 : 0;
    const int last = to > 0 ? std::min(to, pageCount()) - 1 : pageCount() - 1;
    QPainter p(&device);
    for (int i = first; i <= last; ++i) {
        if (i > first)
            device.newPage();
        paintPage(p, i);
    }
}

bool Report::writePdf(const QString& path, QString* error) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(pageLayout());
        pdf.setResolution(300);
        pdf.setTitle(m_layout.title);
        render(pdf);
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void Report::preview(QWidget* parent) const {
    if (previewOverride()) {
        previewOverride()(*this, parent);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout());
    printer.setDocName(m_layout.title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(m_layout.title);
    // Large enough to read a page without zooming.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size() * 0.85);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* pr) {
        render(*pr, pr->fromPage(), pr->toPage());
    });
    dialog.exec();
}

void Report::setPreviewOverride(PreviewFn fn) {
    previewOverride() = std::move(fn);
}

} // namespace report
