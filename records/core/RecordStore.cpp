#include "RecordStore.h"

#include "GroupNavigator.h"
#include "NumberProposer.h"
#include "db/FieldMerge.h"
#include "mdM.h"

#include <QSet>
#include <algorithm>

namespace records {

QString quoteIdentifier(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString searchLine(const SearchHit& hit) {
    return QStringLiteral("在 (") + hit.column + QStringLiteral(") 有  -->    ") + hit.value;
}

QString escapeLike(const QString& text) {
    QString e;
    e.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            e += QLatin1Char('\\');
        e += c;
    }
    return e;
}

namespace {
QString foldAscii(const QString& s) {
    QString f = s;
    for (QChar& c : f) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(char16_t(c.unicode() + 32));
    }
    return f;
}
} // namespace

bool containsIgnoringAsciiCase(const QString& value, const QString& text) {
    return foldAscii(value).contains(foldAscii(text));
}

RecordStore::RecordStore(db::Database& d, const RecordKind& kind)
    : m_db(d), m_kind(kind), m_columns(d.columns(kind.table)) {}

QString RecordStore::quoted(const QString& column) const {
    return quoteIdentifier(column);
}

std::optional<QVector<QVariant>> RecordStore::load(const QString& name) const {
    db::Recordset rs = m_db.query(QStringLiteral("SELECT * FROM %1 WHERE %2 = ?")
                                      .arg(quoted(m_kind.table), quoted(m_kind.keyColumn)),
                                  {name});
    if (rs.eof())
        return std::nullopt;
    QVector<QVariant> row;
    row.reserve(rs.fieldCount());
    for (int i = 0; i < rs.fieldCount(); ++i)
        row << rs.value(i);
    return row;
}

std::optional<QString> RecordStore::insert(ColumnValues values, bool renumber) {
    const auto at = [&values](int position) {
        return std::find_if(values.begin(), values.end(),
                            [position](const auto& v) { return v.first == position; });
    };
    const auto number = at(int(m_columns.indexOf(m_kind.numberColumn)));
    const auto name = at(int(m_columns.indexOf(m_kind.keyColumn)));
    renumber = renumber && number != values.end() && name != values.end();
    QStringList names;
    QStringList marks;
    for (const auto& [position, value] : values) {
        names << quoted(m_columns.value(position));
        marks << QStringLiteral("?");
    }
    // A proposed number is stored only while no record has it, in the one statement.
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) SELECT %3")
            .arg(quoted(m_kind.table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))) +
        (renumber ? QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE %2 = ?)")
                        .arg(quoted(m_kind.table), quoted(m_kind.numberColumn))
                  : QString());
    // A vendor's row and the deletion of the links left under its name are one write.
    const bool vendor = m_kind.party == Party::Vendor && name != values.end();
    std::optional<db::Transaction> t;
    if (vendor)
        t.emplace(m_db);
    for (int proposal = 0;; ++proposal) {
        QVariantList params;
        for (const auto& [position, value] : values)
            params << value;
        if (renumber)
            params << number->second;
        if (m_db.execute(sql, params) == 1)
            break;
        if (!renumber || proposal > 0)
            return std::nullopt;
        number->second = proposeNumber(name->second.toString()); // taken meanwhile: proposed again, once
    }
    // A new vendor starts without links, whatever rows an earlier vendor of its name left.
    if (vendor) {
        deleteSupplyLinks(name->second);
        t->commit();
    }
    return number != values.end() ? number->second.toString() : QString();
}

int RecordStore::update(const QString& name, const ColumnValues& values, const std::optional<ReadRecord>& read,
                        bool overwrite, QList<int>* elsewhere) {
    db::Transaction t(m_db);
    ColumnValues written = values;
    if (read) {
        const std::optional<QVector<QVariant>> stored = load(name);
        if (!stored)
            return 0;
        QVector<QVariant> then, now, shown, mine;
        for (qsizetype i = 0; i < values.size(); ++i) {
            const int position = values.at(i).first;
            then << read->row.value(position);
            now << stored->value(position);
            shown << read->shown.value(i).second;
            mine << values.at(i).second;
        }
        if (const QList<int> changed = merge::differing(then, now); !changed.isEmpty() && !overwrite) {
            if (elsewhere)
                for (const int i : changed)
                    *elsewhere << values.at(i).first;
            return kChangedElsewhere;
        }
        // A column of two boxes is written box by box: a box changed elsewhere and not here stays.
        written.clear();
        for (const int i : merge::differing(shown, mine)) {
            const int position = values.at(i).first;
            written.append({position, mergeColumn(m_kind, position, shown.at(i), mine.at(i), now.at(i))});
        }
        if (written.isEmpty())
            return 1;
    }
    QStringList sets;
    QVariantList params;
    for (const auto& [position, value] : written) {
        sets << quoted(m_columns.value(position)) + QStringLiteral(" = ?");
        params << value;
    }
    params << name;
    const int n =
        m_db.execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                         .arg(quoted(m_kind.table), sets.join(QLatin1Char(',')), quoted(m_kind.keyColumn)),
                     params);
    t.commit();
    return n;
}

int RecordStore::remove(const QString& name) {
    db::Transaction t(m_db);
    const int n = m_db.execute(
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quoted(m_kind.table), quoted(m_kind.keyColumn)), {name});
    if (m_kind.party == Party::Vendor)
        deleteSupplyLinks(name);
    t.commit();
    return n;
}

void RecordStore::deleteSupplyLinks(const QVariant& vendor) {
    m_db.execute(QStringLiteral("DELETE FROM 商vs工 WHERE 廠商名稱 = ?"), {vendor});
    m_db.execute(QStringLiteral("DELETE FROM 商vs料 WHERE 廠商名稱 = ?"), {vendor});
}

QString RecordStore::listSelect() const {
    QStringList fields;
    for (const QString& f : m_kind.listFields)
        fields << quoted(f);
    return QStringLiteral("SELECT %1 FROM %2").arg(fields.join(QLatin1Char(',')), quoted(m_kind.table));
}

GridRows RecordStore::gridRows(const QString& sql, const QVariantList& params) const {
    db::Recordset rs = m_db.query(sql, params);
    GridRows rows;
    rows.reserve(rs.recordCount());
    const int fields = rs.fieldCount();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList row;
        row.reserve(fields + 1);
        row << QString();
        for (int i = 0; i < fields; ++i) {
            // Columns 3 to 5 of the grid hold the two-part fields.
            const QString t = rs.text(i);
            row << ((i >= 2 && i <= 4) ? mdM::SemicolonsToSpaces(t) : t);
        }
        rows << row;
    }
    return rows;
}

bool RecordStore::groupHasRecords(const QString& group) const {
    return m_db
        .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIKE ? ESCAPE '\\' LIMIT 1")
                    .arg(quoted(m_kind.table), quoted(m_kind.numberColumn)),
                {escapeLike(group) + QLatin1Char('%')})
        .isValid();
}

GridRows RecordStore::listGroup(const QString& start, QString* shownGroup) const {
    const QString sql = listSelect() + QStringLiteral(" WHERE %1 LIKE ? ESCAPE '\\' ORDER BY %1, %2")
                                           .arg(quoted(m_kind.numberColumn), quoted(m_kind.keyColumn));
    const auto list = [&](const QString& g) { return gridRows(sql, {escapeLike(g) + QLatin1Char('%')}); };
    if (shownGroup)
        *shownGroup = start;
    GridRows rows = list(start);
    if (!rows.isEmpty() || start.isEmpty())
        return rows;
    // The beginnings of every stored number, read once, tell which later group has records.
    QSet<QString> heads;
    db::Recordset rs = m_db.query(QStringLiteral("SELECT DISTINCT upper(substr(%1, 1, 2)) FROM %2 WHERE %1 IS NOT NULL")
                                      .arg(quoted(m_kind.numberColumn), quoted(m_kind.table)));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        heads.insert(rs.text(0));
    const QString group = groupToShow(start, [&heads](const QString& g) {
        const QString upper = g.toUpper();
        return std::any_of(heads.cbegin(), heads.cend(), [&upper](const QString& h) { return h.startsWith(upper); });
    });
    if (shownGroup)
        *shownGroup = group;
    return group == start ? rows : list(group);
}

GridRows RecordStore::listCategory(const QString& type) const {
    return gridRows(listSelect() + QStringLiteral(" WHERE type = ? ORDER BY %1, %2")
                                       .arg(quoted(m_kind.numberColumn), quoted(m_kind.keyColumn)),
                    {type});
}

QStringList RecordStore::listLine(const QString& name) const {
    return gridRows(listSelect() + QStringLiteral(" WHERE %1 = ?").arg(quoted(m_kind.keyColumn)), {name}).value(0);
}

GridRows RecordStore::listSupply(const QString& mode, const QString& value) const {
    QString table;
    QString column;
    if (mode.compare(QLatin1String("w"), Qt::CaseInsensitive) == 0) {
        table = QStringLiteral("商vs工");
        column = QStringLiteral("工");
    } else if (mode.compare(QLatin1String("p"), Qt::CaseInsensitive) == 0) {
        table = QStringLiteral("商vs料");
        column = QStringLiteral("料");
    } else {
        return {};
    }
    QStringList fields;
    for (const QString& f : m_kind.listFields)
        fields << QStringLiteral("廠商.") + quoted(f);
    return gridRows(QStringLiteral("SELECT %1 FROM 廠商 INNER JOIN %2 ON 廠商.廠商名稱 = %2.廠商名稱 "
                                   "WHERE %2.%3 = ? ORDER BY 廠商.廠商編號")
                        .arg(fields.join(QLatin1Char(',')), table, column),
                    {value});
}

QString RecordStore::proposeNumber(const QString& name) const {
    const QString prefix = numberPrefix(name);
    if (prefix.isEmpty())
        return {};
    const QStringList numbers = lookup(QStringLiteral("SELECT %1 FROM %2 WHERE %1 LIKE ? ESCAPE '\\'")
                                           .arg(quoted(m_kind.numberColumn), quoted(m_kind.table)),
                                       {escapeLike(prefix) + QLatin1Char('%')});
    return nextNumber(prefix, numbers);
}

QVector<SearchHit> RecordStore::search(const QString& text) const {
    QStringList searched;
    for (const QString& c : m_columns) {
        const bool skipped = std::any_of(m_kind.searchSkipped.cbegin(), m_kind.searchSkipped.cend(),
                                         [&c](const QString& s) { return s.compare(c, Qt::CaseInsensitive) == 0; });
        if (!skipped)
            searched << c;
    }
    QVector<SearchHit> hits;
    if (searched.isEmpty())
        return hits;
    // One pass over the table: the rows with a hit in any column, each column checked here.
    QStringList selected{quoted(m_kind.keyColumn)};
    QStringList tests;
    for (const QString& c : searched) {
        selected << quoted(c);
        tests << quoted(c) + QStringLiteral(" LIKE ?1 ESCAPE '\\'");
    }
    db::Recordset rs = m_db.query(QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                      .arg(selected.join(QLatin1Char(',')), quoted(m_kind.table),
                                           tests.join(QStringLiteral(" OR "))),
                                  {QLatin1Char('%') + escapeLike(text) + QLatin1Char('%')});
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QString name = rs.text(0);
        for (int i = 0; i < searched.size(); ++i) {
            if (rs.isNull(i + 1))
                continue;
            const QString value = rs.text(i + 1);
            if (containsIgnoringAsciiCase(value, text))
                hits.append({name, searched.at(i), value});
        }
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const SearchHit& a, const SearchHit& b) { return a.name < b.name; });
    return hits;
}

QStringList RecordStore::lookup(const QString& sql, const QVariantList& params) const {
    QStringList values;
    db::Recordset rs = m_db.query(sql, params);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        values << rs.text(0);
    return values;
}

QVector<QPair<QString, QString>> RecordStore::counties() const {
    QVector<QPair<QString, QString>> list;
    db::Recordset rs = m_db.query(QStringLiteral("SELECT * FROM 縣市 ORDER BY rowid"));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        list.append({rs.text(1), rs.text(2)});
    return list;
}

QStringList RecordStore::categoryFilter() const {
    if (m_kind.categoryFilterView.isEmpty())
        return {};
    return lookup(QStringLiteral("SELECT * FROM %1").arg(quoted(m_kind.categoryFilterView)));
}

} // namespace records
