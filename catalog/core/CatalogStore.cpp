#include "CatalogStore.h"

#include "db/FieldMerge.h"

#include <algorithm>

namespace catalog {

namespace {
// Table and column names are the program's own constants; values are always bound.
QString ident(const char* name) {
    return QLatin1Char('"') + QString::fromUtf8(name) + QLatin1Char('"');
}

QStringList column(db::Recordset rs) {
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.text(0);
    return out;
}

// The number of a cell of a row to store; one no cell can show is refused naming the row (by its
// name, or its line when it has none) and the column; without a column, the list and the line.
QVariant numberOf(const QString& cell, const QString& row, int line, const char* column = nullptr) {
    try {
        return numericValue(cell);
    } catch (const NumberTooLong&) {
        const QString at = QStringLiteral("第 %1 行").arg(line + 1);
        throw NumberTooLong(cell, !column ? row + at
                                          : QStringLiteral("%1的%2").arg(
                                                row.isEmpty() ? at : QStringLiteral("【%1】").arg(row),
                                                QString::fromUtf8(column)));
    }
}

// The rows of a keyed rewrite as the merge takes them: the name first.
QVector<merge::Row> rowsOf(const QStringList& names) {
    QVector<merge::Row> rows;
    for (const QString& n : names)
        rows.append({n});
    return rows;
}
merge::Row rowOf(const WorkItem& w) {
    return {w.name, w.unit, w.cost, w.ratio};
}
QVector<merge::Row> rowsOf(const QVector<WorkItem>& items) {
    QVector<merge::Row> rows;
    for (const WorkItem& w : items)
        rows.append(rowOf(w));
    return rows;
}
QVector<merge::Row> rowsOf(const QVector<Markup>& markups) {
    QVector<merge::Row> rows;
    for (const Markup& m : markups)
        rows.append({m.detail, m.amount});
    return rows;
}
// The lines of a grid as the merge takes them, each with the row loaded it was read as: `read`
// where it gives one, else the first row loaded under `names` (none for a line added since).
QVector<merge::MineRow> asRead(const QVector<merge::Row>& lines, const QVector<merge::Row>& loaded,
                               const QVector<std::optional<QString>>& names,
                               const QVector<std::optional<int>>& read) {
    const QVector<std::optional<int>> byName = merge::readByName(loaded, names);
    QVector<merge::MineRow> mine;
    for (qsizetype i = 0; i < lines.size(); ++i)
        mine.append({lines.at(i), read.value(i) ? read.at(i) : byName.value(i)});
    return mine;
}
// The same for a grid whose `readAs` gives each line's place among the rows loaded (-1 for a line
// added since), or nothing: each line then counts as read under its own name.
template <class Rows>
QVector<merge::MineRow> asRead(const Rows& lines, const Rows& loaded, const QList<int>& readAs) {
    const QVector<merge::Row> rows = rowsOf(lines);
    QVector<std::optional<QString>> names;
    for (qsizetype i = 0; i < rows.size(); ++i)
        names << (readAs.isEmpty() || readAs.value(i, -1) >= 0 ? std::optional(rows.at(i).value(0))
                                                               : std::nullopt);
    QVector<std::optional<int>> read;
    for (const int r : readAs)
        read << (r >= 0 ? std::optional(r) : std::nullopt);
    return asRead(rows, rowsOf(loaded), names, read);
}

// The lines of a grid merged into the rows stored, each taken as the row it was read as.
template <class Rows>
QVector<merge::Row> mergedRows(const Rows& loaded, const Rows& window, const Rows& stored,
                               const QList<int>& readAs) {
    return merge::mergeRows(rowsOf(loaded), asRead(window, loaded, readAs), rowsOf(stored)).rows;
}

template <class Rows>
QStringList changesOf(const Rows& loaded, const Rows& stored) {
    QStringList names = merge::changedRows(rowsOf(loaded), rowsOf(stored));
    if (merge::reordered(rowsOf(loaded), rowsOf(stored)))
        names << QStringLiteral("順序");
    return names;
}
} // namespace

QStringList withoutEmptyLast(QStringList lines) {
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

StaleRows::StaleRows(Kind kind, const QString& parent, const QStringList& changedRows)
    : std::runtime_error(parent.toStdString()), m_kind(kind), m_parent(parent), m_changedRows(changedRows) {}

QString StaleRows::reason() const {
    return QStringLiteral("【%1】已不存在").arg(m_parent);
}

StaleLists::StaleLists(const QList<int>& lists, const QStringList& changedRows)
    : StaleRows(Kind::Changed, QString::fromUtf8(vocabularyList(lists.value(0)).caption), changedRows),
      m_lists(lists) {}

template <class Rows>
bool CatalogStore::mustMerge(const std::optional<Rows>& loaded, const Rows& stored, const QString& key,
                             bool overwrite) {
    if (!loaded || *loaded == stored)
        return false;
    if (!overwrite)
        throw StaleRows(StaleRows::Kind::Changed, key, changesOf(*loaded, stored));
    return true;
}

void CatalogStore::requireParent(bool exists, const QString& parent) const {
    if (!exists)
        throw StaleRows(StaleRows::Kind::ParentGone, parent);
}

CatalogStore::CatalogStore(db::DatabasePtr database) : m_db(std::move(database)) {}

// ---------------------------------------------------------------------------------------------
// Reads

QStringList CatalogStore::categories() const {
    return masterEntries(categoriesList());
}

QStringList CatalogStore::workKinds() const {
    return masterEntries(workKindsList());
}

QStringList CatalogStore::masterEntries(const MasterList& list) const {
    return column(m_db->query(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                  .arg(ident(list.column), ident(list.table), ident(list.idColumn))));
}

QStringList CatalogStore::areas(const QString& category) const {
    return column(m_db->query(
        QStringLiteral("SELECT a FROM k2a WHERE k = ? ORDER BY sort, rowid"),
        {category}));
}

QVector<WorkItem> CatalogStore::workItems(const QString& kind) const {
    db::Recordset rs = m_db->query(
        QStringLiteral("SELECT w, u, c, s FROM t2w WHERE t = ? ORDER BY sort, rowid"),
        {kind});
    QVector<WorkItem> out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out.append({rs.text(0), rs.text(1), rs.text(2), rs.text(3)});
    return out;
}

QVector<Markup> CatalogStore::markups(const QString& item) const {
    db::Recordset rs = m_db->query(
        QStringLiteral("SELECT d, c FROM w2d WHERE w = ? ORDER BY sort, rowid"), {item});
    QVector<Markup> out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out.append({rs.text(0), rs.text(1)});
    return out;
}

QStringList CatalogStore::vocabulary(int list) const {
    const VocabularyList& v = vocabularyList(list);
    return column(m_db->query(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                  .arg(ident(v.textColumn), ident(v.table), ident(v.orderColumn))));
}

// ---------------------------------------------------------------------------------------------
// Keyed rewrites

void CatalogStore::saveAreas(const QString& category, const QStringList& window,
                             const std::optional<QStringList>& loaded, bool overwrite,
                             const QList<int>& readAs) {
    db::Transaction t(*m_db);
    requireParent(masterContains(categoriesList(), category), category);
    const QStringList stored = this->areas(category);
    QStringList areas = window;
    if (mustMerge(loaded, stored, category, overwrite)) {
        areas.clear();
        for (const merge::Row& r : mergedRows(*loaded, window, stored, readAs))
            areas << r.value(0);
    }
    m_db->execute(QStringLiteral("DELETE FROM k2a WHERE k = ?"), {category});
    for (int i = 0; i < areas.size(); ++i)
        m_db->execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES (?, ?, ?)"),
                      {category, areas.at(i), i + 1});
    t.commit();
}

bool CatalogStore::hasWorkItem(const QString& name) const {
    return m_db->scalar(QStringLiteral("SELECT 1 FROM t2w WHERE w = ? LIMIT 1"), {name})
        .isValid();
}

void CatalogStore::deleteOrphanMarkups(const QStringList& names) {
    for (const QString& name : names) {
        if (!hasWorkItem(name))
            m_db->execute(QStringLiteral("DELETE FROM w2d WHERE w = ?"), {name});
    }
}

void CatalogStore::saveWorkItems(const QString& kind, const QVector<WorkItemLine>& window,
                                 const QStringList& deletedNames,
                                 const std::optional<QVector<WorkItem>>& loaded, bool overwrite) {
    db::Transaction t(*m_db);
    requireParent(masterContains(workKindsList(), kind), kind);
    const QVector<WorkItem> stored = workItems(kind);
    QVector<WorkItemLine> lines = window;
    QStringList gone = deletedNames;
    if (mustMerge(loaded, stored, kind, overwrite)) {
        QVector<merge::Row> rows;
        QVector<std::optional<QString>> names;
        QVector<std::optional<int>> read;
        for (const WorkItemLine& l : window) {
            rows << rowOf(l.item);
            names << l.loadedName;
            read << l.loadedRow;
        }
        const merge::MergedRows merged =
            merge::mergeRows(rowsOf(*loaded), asRead(rows, rowsOf(*loaded), names, read), rowsOf(stored));
        lines.clear();
        for (qsizetype i = 0; i < merged.rows.size(); ++i) {
            const merge::Row& r = merged.rows.at(i);
            lines.append({{r.value(0), r.value(1), r.value(2), r.value(3)}, merged.origins.at(i), {}});
        }
        // A stored item the merge dropped (removed here under the name it had when loaded, which
        // may have changed since) loses its markups as a deleted one.
        for (const WorkItem& w : stored)
            if (std::none_of(lines.cbegin(), lines.cend(),
                             [&](const WorkItemLine& l) { return l.loadedName == w.name; }))
                gone << w.name;
    }

    // The markups each renamed line takes along, by row, read before anything moves (so that two
    // items trading names trade their markups too).
    struct Carry {
        QString to;
        QVector<qint64> rows;
        QString from;
    };
    QVector<Carry> carries;
    for (const WorkItemLine& line : lines) {
        if (!line.loadedName || *line.loadedName == line.item.name)
            continue;
        if (line.item.name.isEmpty()) {
            gone << *line.loadedName;
            continue;
        }
        db::Recordset rs = m_db->query(
            QStringLiteral("SELECT rowid FROM w2d WHERE w = ? ORDER BY sort, rowid"),
            {*line.loadedName});
        Carry c{line.item.name, {}, *line.loadedName};
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            c.rows << rs.value(0).toLongLong();
        carries << c;
    }

    m_db->execute(QStringLiteral("DELETE FROM t2w WHERE t = ?"), {kind});
    for (int i = 0; i < lines.size(); ++i) {
        const WorkItem& w = lines.at(i).item;
        m_db->execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, ?, ?, ?)"),
                      {kind, w.name, i + 2, w.unit, numberOf(w.cost, w.name, i, "成本"),
                       numberOf(w.ratio, w.name, i, "比例")});
    }

    for (const Carry& c : carries) {
        // The old name is still an item's when another kind has it or a line of this kind keeps
        // it (unchanged, or typed anew); a line renamed onto it does not count.
        bool keep = m_db->scalar(QStringLiteral("SELECT 1 FROM t2w WHERE w = ? "
                                                "AND t <> ? LIMIT 1"),
                                 {c.from, kind})
                        .isValid();
        for (const WorkItemLine& line : lines)
            keep = keep || (sameName(line.item.name, c.from) && (!line.loadedName || *line.loadedName == line.item.name));
        if (sameName(c.to, c.from)) {
            // Only the letter case changed: the markups already answer to the new name; they take
            // its spelling unless another item still spells it the old way.
            if (!keep)
                for (const qint64 row : c.rows)
                    m_db->execute(QStringLiteral("UPDATE w2d SET w = ? WHERE rowid = ?"), {c.to, row});
            continue;
        }
        for (const qint64 row : c.rows) {
            if (keep)
                m_db->execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) "
                                             "SELECT ?, d, c, sort FROM w2d WHERE rowid = ?"),
                              {c.to, row});
            else
                m_db->execute(QStringLiteral("UPDATE w2d SET w = ? WHERE rowid = ?"), {c.to, row});
        }
    }
    deleteOrphanMarkups(gone);
    t.commit();
}

void CatalogStore::saveMarkups(const QString& item, const QVector<Markup>& window,
                               const std::optional<QVector<Markup>>& loaded, bool overwrite,
                               const QList<int>& readAs) {
    db::Transaction t(*m_db);
    requireParent(hasWorkItem(item), item);
    const QVector<Markup> stored = markups(item);
    QVector<Markup> lines = window;
    if (mustMerge(loaded, stored, item, overwrite)) {
        lines.clear();
        for (const merge::Row& r : mergedRows(*loaded, window, stored, readAs))
            lines.append({r.value(0), r.value(1)});
    }
    m_db->execute(QStringLiteral("DELETE FROM w2d WHERE w = ?"), {item});
    for (int i = 0; i < lines.size(); ++i)
        m_db->execute(
            QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES (?, ?, ?, ?)"),
            {item, lines.at(i).detail, numberOf(lines.at(i).amount, lines.at(i).detail, i, "加成金"), i + 2});
    t.commit();
}

// ---------------------------------------------------------------------------------------------
// Vocabulary lists

void CatalogStore::saveVocabularies(const QMap<int, QVector<VocabularyEntry>>& lists,
                                    const QMap<int, QStringList>& loaded, bool overwrite) {
    db::Transaction t(*m_db);
    QMap<int, QStringList> stale; // the lists changed since they were loaded, as stored now
    QStringList changed;
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        const QStringList stored = vocabulary(it.key());
        if (loaded.contains(it.key()) && loaded.value(it.key()) != stored) {
            stale.insert(it.key(), stored);
            changed << changesOf(loaded.value(it.key()), stored);
        }
    }
    if (!stale.isEmpty() && !overwrite)
        throw StaleLists(stale.keys(), changed);
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        const int i = it.key();
        const VocabularyList& v = vocabularyList(i);
        QVector<VocabularyEntry> entries = it.value();
        if (!entries.isEmpty() && entries.last().text.isEmpty())
            entries.removeLast();
        if (stale.contains(i)) {
            QVector<merge::Row> rows;
            QVector<std::optional<QString>> names;
            QVector<std::optional<int>> read;
            for (const VocabularyEntry& e : entries) {
                rows.append({e.text});
                names << e.loadedText;
                read << e.loadedRow;
            }
            const merge::MergedRows merged =
                merge::mergeRows(rowsOf(loaded.value(i)), asRead(rows, rowsOf(loaded.value(i)), names, read),
                                 rowsOf(stale.value(i)));
            entries.clear();
            for (qsizetype r = 0; r < merged.rows.size(); ++r)
                entries.append({merged.rows.at(r).value(0), merged.origins.at(r), {}});
        }

        if (v.linkTable) {
            // Links of each renamed entry, by row, read before any of them moves. While another
            // entry still holds the old text (kept, or added with it) the links stay its own and
            // the renamed entry gets a copy.
            struct Carry {
                QString text;
                QVector<qint64> rows;
                bool copy;
            };
            // Of several entries renamed from one text, every one but the last gets a copy.
            const auto renamed = [](const VocabularyEntry& e) {
                return e.loadedText && *e.loadedText != e.text && !e.text.trimmed().isEmpty();
            };
            QVector<Carry> moves;
            for (qsizetype n = 0; n < entries.size(); ++n) {
                const VocabularyEntry& e = entries.at(n);
                if (!renamed(e))
                    continue;
                bool kept = false;
                for (const VocabularyEntry& o : entries)
                    kept = kept ||
                           (sameName(o.text, *e.loadedText) && (!o.loadedText || *o.loadedText == o.text));
                if (kept && sameName(e.text, *e.loadedText))
                    continue; // only the letter case changed: the links answer to both
                for (qsizetype later = n + 1; later < entries.size() && !kept; ++later)
                    kept = renamed(entries.at(later)) && sameName(*entries.at(later).loadedText, *e.loadedText);
                db::Recordset rs = m_db->query(QStringLiteral("SELECT rowid FROM %1 WHERE %2 = ?")
                                                   .arg(ident(v.linkTable), ident(v.linkColumn)),
                                               {*e.loadedText});
                QVector<qint64> rows;
                for (rs.moveFirst(); !rs.eof(); rs.moveNext())
                    rows << rs.value(0).toLongLong();
                moves.append({e.text, rows, kept});
            }
            const QString move = QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?");
            const QString copy =
                QStringLiteral("INSERT INTO %1 (廠商名稱, %2) SELECT 廠商名稱, ? FROM %1 WHERE rowid = ?");
            for (const Carry& c : moves) {
                for (const qint64 row : c.rows)
                    m_db->execute((c.copy ? copy : move).arg(ident(v.linkTable), ident(v.linkColumn)),
                                  {c.text, row});
            }
        }

        m_db->execute(QStringLiteral("DELETE FROM %1").arg(ident(v.table)));
        const QString insert = QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                                   .arg(ident(v.table), ident(v.orderColumn), ident(v.textColumn));
        for (int r = 0; r < entries.size(); ++r) {
            const QString& text = entries.at(r).text;
            m_db->execute(insert, {r + 1, i == kRatioList ? numberOf(text, QString::fromUtf8(v.caption), r)
                                                          : QVariant(text)});
        }
    }
    t.commit();
}

// ---------------------------------------------------------------------------------------------
// Ordered master lists

bool CatalogStore::masterContains(const MasterList& list, const QString& name) const {
    return m_db
        ->scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1")
                     .arg(ident(list.table), ident(list.column)),
                 {name})
        .isValid();
}

void CatalogStore::addMasterEntry(const MasterList& list, const QString& name) {
    db::Transaction t(*m_db);
    const int n = m_db->scalar(QStringLiteral("SELECT count(*) FROM %1").arg(ident(list.table))).toInt();
    // The id is the next place; a gap left by an older list is closed by taking the first free one
    // after the count.
    const int maxId = m_db->scalar(QStringLiteral("SELECT IFNULL(MAX(%1), 0) FROM %2")
                                       .arg(ident(list.idColumn), ident(list.table)))
                          .toInt();
    m_db->execute(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                      .arg(ident(list.table), ident(list.idColumn), ident(list.column)),
                  {std::max(n, maxId) + 1, name});
    t.commit();
}

void CatalogStore::rewriteMaster(const MasterList& list, const QStringList& names) {
    m_db->execute(QStringLiteral("DELETE FROM %1").arg(ident(list.table)));
    const QString insert = QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                               .arg(ident(list.table), ident(list.idColumn), ident(list.column));
    for (int i = 0; i < names.size(); ++i)
        m_db->execute(insert, {i + 1, names.at(i)});
}

bool CatalogStore::renameMasterEntry(const MasterList& list, const QString& from, const QString& to) {
    if (from == to)
        return true;
    db::Transaction t(*m_db);
    const QString link = ident(list.linkTable);
    const QString key = ident(list.linkKey);
    if (!sameName(from, to) && masterContains(list, to)) {
        // Merge: the links of `from` go after those of `to`, the row of `from` goes.
        if (!masterContains(list, from))
            return false;
        const int offset = m_db->scalar(QStringLiteral("SELECT IFNULL(MAX(sort), 0) FROM %1 "
                                                       "WHERE %2 = ?")
                                            .arg(link, key),
                                        {to})
                               .toInt();
        m_db->execute(QStringLiteral("UPDATE %1 SET %2 = ?, sort = sort + ? WHERE %2 = ?")
                          .arg(link, key),
                      {to, offset, from});
        QStringList names = masterEntries(list);
        names.removeIf([&](const QString& n) { return sameName(n, from); });
        rewriteMaster(list, names);
    } else {
        if (m_db->execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?")
                              .arg(ident(list.table), ident(list.column)),
                          {to, from}) == 0)
            return false;
        m_db->execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?").arg(link, key), {to, from});
    }
    t.commit();
    return true;
}

bool CatalogStore::deleteMasterEntry(const MasterList& list, const QString& name) {
    db::Transaction t(*m_db);
    if (!masterContains(list, name))
        return false;
    QStringList items;
    if (QLatin1String(list.mode) == QLatin1String("t")) {
        db::Recordset rs =
            m_db->query(QStringLiteral("SELECT DISTINCT w FROM t2w WHERE t = ?"), {name});
        items = column(rs);
    }
    m_db->execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                      .arg(ident(list.linkTable), ident(list.linkKey)),
                  {name});
    QStringList names = masterEntries(list);
    names.removeIf([&](const QString& n) { return sameName(n, name); });
    rewriteMaster(list, names);
    deleteOrphanMarkups(items);
    t.commit();
    return true;
}

QStringList CatalogStore::saveOrder(const MasterList& list, const QStringList& window,
                             const std::optional<QStringList>& loaded, const QList<int>& readAs) {
    db::Transaction t(*m_db);
    QStringList stored = masterEntries(list);
    QStringList names = window;
    if (loaded && *loaded != stored) {
        names.clear();
        for (const merge::Row& r : mergedRows(*loaded, window, stored, readAs))
            names << r.value(0);
    }
    QStringList ordered;
    for (const QString& name : names) {
        const qsizetype i = stored.indexOf(name);
        if (i >= 0)
            ordered << stored.takeAt(i);
    }
    rewriteMaster(list, ordered + stored);
    t.commit();
    return ordered + stored;
}

} // namespace catalog
