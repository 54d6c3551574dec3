#pragma once
// Appends many rows to a table with few statements: rows go in groups, each group one INSERT with
// bound values. The caller runs it inside its transaction and calls flush() before committing.
#include "db/Database.h"

#include <QString>
#include <QVariantList>

namespace stats {

class BulkInsert {
public:
    // `columns`: the table's column names in the order the values come.
    BulkInsert(db::Database& d, const QString& table, const QStringList& columns);
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // One row: exactly one value per column.
    void add(const QVariantList& row);
    // Writes the rows held so far. Throws db::DbError.
    void flush();

private:
    QString statement(int rows) const;
    db::Database& m_db;
    QString m_head; // INSERT INTO t (c1, c2, ...) VALUES
    QString m_group; // (?, ?, ...)
    int m_columns;
    int m_perStatement;
    QString m_full; // the statement for a whole group
    QVariantList m_values;
};

} // namespace stats
