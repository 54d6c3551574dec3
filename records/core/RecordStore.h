#pragma once
// The record tables of one kind: whole rows by position, the browse lists, numbering, the
// full-text search and the lookup lists. Every value is bound; column names come from the table
// itself and are quoted. Throws db::DbError.
#include "FieldCodec.h"
#include "RecordKind.h"
#include "db/Database.h"

#include <QPair>
#include <QStringList>
#include <QVector>
#include <optional>

namespace records {

// One line of the browse grid: column 0 empty, then the list's fields as text.
using GridRows = QVector<QStringList>;

struct SearchHit {
    QString name;
    QString column;
    QString value;
};

// The full-text search's line for a hit: "在 (<column>) 有  -->    <value>".
QString searchLine(const SearchHit& hit);
// LIKE's wildcards and the escape character escaped with "\", for "LIKE ? ESCAPE '\'".
QString escapeLike(const QString& text);
// True when `text` occurs in `value`, ASCII letters compared without regard to case.
bool containsIgnoringAsciiCase(const QString& value, const QString& text);

class RecordStore {
public:
    RecordStore(db::Database& d, const RecordKind& kind);

    const RecordKind& kind() const { return m_kind; }
    db::Database& database() const { return m_db; }
    // The table's columns in their order.
    const QStringList& columns() const { return m_columns; }

    // The row of a name, by position; none when no record has it.
    std::optional<QVector<QVariant>> load(const QString& name) const;
    // Appends a record (3022 for a name that exists); the number it is stored under. With
    // `renumber` (the number was proposed, not typed), a number another record has by now is
    // replaced by a new proposal for the record's name; none, nothing written, when that one is
    // taken too. A vendor's supply links under its name are deleted in the same transaction.
    std::optional<QString> insert(ColumnValues values, bool renumber = false);
    // Rewrites the columns of the record of `name`; the number of rows changed (0: no such record).
    // With `read` (the record as the edit began), only the columns that differ from those it
    // showed are written, and the record is left as it is when one of the columns is stored
    // otherwise by now (kChangedElsewhere, their positions in `elsewhere`), unless `overwrite`:
    // then the columns changed here are written over it (a column of two boxes only in the boxes
    // changed here) and the others stay as stored. Checked and written in one transaction.
    struct ReadRecord {
        QVector<QVariant> row; // as stored then
        ColumnValues shown;    // the columns as the window showed them
    };
    int update(const QString& name, const ColumnValues& values, const std::optional<ReadRecord>& read = std::nullopt,
               bool overwrite = false, QList<int>* elsewhere = nullptr);
    static constexpr int kChangedElsewhere = -1;
    // Deletes the record of `name`, for vendors with its supply links, in one transaction; the
    // number of records deleted.
    int remove(const QString& name);

    // Browse lists. The group list shows the group `groupToShow` picks; `shownGroup` receives it.
    GridRows listGroup(const QString& start, QString* shownGroup = nullptr) const;
    GridRows listCategory(const QString& type) const;
    // The browse line of the record of `name` as the lists show it; empty when none has it.
    QStringList listLine(const QString& name) const;
    // Vendors linked to a work crew ("w") or a material ("p"); empty for another mode.
    GridRows listSupply(const QString& mode, const QString& value) const;
    bool groupHasRecords(const QString& group) const;

    // The number proposed for a new record of that name; empty for an empty name.
    QString proposeNumber(const QString& name) const;

    // Every occurrence of `text` in the searched columns, sorted by name (a record's hits in
    // column order).
    QVector<SearchHit> search(const QString& text) const;

    // Column 0 of every row of a query, as text.
    QStringList lookup(const QString& sql, const QVariantList& params = {}) const;
    // The counties in table order with their area codes.
    QVector<QPair<QString, QString>> counties() const;
    // The category filter's entries; empty for a kind without one.
    QStringList categoryFilter() const;

private:
    QString quoted(const QString& column) const;
    // Every 商vs工 and 商vs料 row of the vendor's name.
    void deleteSupplyLinks(const QVariant& vendor);
    GridRows gridRows(const QString& sql, const QVariantList& params) const;
    QString listSelect() const;

    db::Database& m_db;
    const RecordKind& m_kind;
    QStringList m_columns;
};

// Quotes an identifier for SQL ("name", inner quotes doubled).
QString quoteIdentifier(const QString& name);

} // namespace records
