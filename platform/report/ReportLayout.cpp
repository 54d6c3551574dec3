#include "ReportLayout.h"

#include "system/System.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

namespace report {

namespace {

Qt::Alignment alignment(const QString& s) {
    if (s == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (s == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

QFont readFont(const QJsonObject& o) {
    QFont f;
    QStringList families;
    for (const auto& v : o.value(QLatin1String("families")).toArray())
        families << v.toString();
    f.setFamilies(sys::withRareCharacters(families));
    f.setPointSizeF(o.value(QLatin1String("size")).toDouble(10));
    f.setBold(o.value(QLatin1String("bold")).toBool());
    return f;
}

} // namespace

Layout loadLayout(const QString& name) {
    QFile file(QStringLiteral(":/report/%1.json").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("No report layout %1").arg(name).toStdString());
    QJsonParseError err;
    const QJsonObject o = QJsonDocument::fromJson(file.readAll(), &err).object();
    if (err.error != QJsonParseError::NoError)
        throw std::runtime_error(QStringLiteral("Report layout %1: %2").arg(name, err.errorString()).toStdString());

    Layout l;
    l.name = name;
    l.title = o.value(QLatin1String("title")).toString();
    l.table = o.value(QLatin1String("table")).toString();
    l.linesPerPage = o.value(QLatin1String("linesPerPage")).toInt();
    if (o.value(QLatin1String("pageSize")).toString() == QLatin1String("A4"))
        l.pageSize = QPageSize(QPageSize::A4);
    const QJsonArray m = o.value(QLatin1String("margins")).toArray();
    l.margins = QMarginsF(m.at(0).toDouble(), m.at(1).toDouble(), m.at(2).toDouble(), m.at(3).toDouble());
    l.lineHeight = o.value(QLatin1String("lineHeight")).toDouble(6);
    const QJsonObject fonts = o.value(QLatin1String("fonts")).toObject();
    for (auto it = fonts.begin(); it != fonts.end(); ++it)
        l.fonts.insert(it.key(), readFont(it.value().toObject()));
    for (const auto& v : o.value(QLatin1String("header")).toArray()) {
        const QJsonObject h = v.toObject();
        l.header.append({h.value(QLatin1String("font")).toString(), h.value(QLatin1String("text")).toString()});
    }
    for (const auto& row : o.value(QLatin1String("info")).toArray()) {
        QStringList parts;
        for (const auto& p : row.toArray())
            parts << p.toString();
        l.info << parts;
    }
    for (const auto& v : o.value(QLatin1String("columns")).toArray()) {
        const QJsonObject c = v.toObject();
        l.columns.append({c.value(QLatin1String("title")).toString(), c.value(QLatin1String("width")).toDouble(),
                          alignment(c.value(QLatin1String("align")).toString())});
    }
    const QJsonObject r = o.value(QLatin1String("remarks")).toObject();
    l.remarksTitle = r.value(QLatin1String("title")).toString();
    for (const auto& t : r.value(QLatin1String("tables")).toArray())
        l.remarkTables << t.toString();
    l.remarkLineHeight = r.value(QLatin1String("lineHeight")).toDouble(5);
    l.footer = o.value(QLatin1String("footer")).toString();
    if (l.table.isEmpty() || l.linesPerPage <= 0 || l.columns.isEmpty())
        throw std::runtime_error(QStringLiteral("Report layout %1 is incomplete").arg(name).toStdString());
    return l;
}

} // namespace report
