#pragma once
// The layout of a report, read from its description (resources/report/<name>.json): page, fonts,
// header lines, information block, table columns, lines per page, remarks and footer. Texts may
// name header fields as {field}; the footer also {page} and {pages}.
#include <QFont>
#include <QHash>
#include <QList>
#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <QStringList>

namespace report {

struct TextLine {
    QString font; // a key of Layout::fonts
    QString text;
};

struct Column {
    QString title;
    double width = 0; // millimetres
    Qt::Alignment align = Qt::AlignLeft;
};

struct Layout {
    QString name;
    QString title;
    QString table;        // the table of the lines
    int linesPerPage = 0;
    QPageSize pageSize{QPageSize::A4};
    QMarginsF margins;    // millimetres: left, top, right, bottom
    double lineHeight = 6; // millimetres
    QHash<QString, QFont> fonts;
    QList<TextLine> header;
    QList<QStringList> info; // rows of the information block, each split in equal parts
    QList<Column> columns;
    QString remarksTitle;    // empty: the report has no remarks
    QStringList remarkTables;
    double remarkLineHeight = 5;
    QString footer;

    QFont font(const QString& key) const { return fonts.value(key); }
};

// The layout named `name` ("fpdemo", "pbdemo"). Throws std::runtime_error when there is none or
// it cannot be read.
Layout loadLayout(const QString& name);

} // namespace report
