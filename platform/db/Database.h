#pragma once
// Our database layer over SQLCipher: DAO-like snapshots, positional record writes and errors that
// carry the numbers the windows test (3024 missing file, 3044 invalid path, 3022 duplicate key).
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <stdexcept>

struct sqlite3;

namespace db {

enum ErrorNumber : int {
    ErrDuplicateKey = 3022,
    ErrFileNotFound = 3024,
    ErrDiskError = 3043,
    ErrInvalidPath = 3044,
    ErrNotValidPassword = 3031,
    ErrNotADatabase = 3343,
    ErrObjectNotFound = 3078, // no table or query by that name
    ErrNoCurrentRecord = 3021,
    ErrGeneral = 3000,
};

class DbError : public std::runtime_error {
public:
    DbError(int number, const QString& description);
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

class Database;

// A snapshot of rows: a query's, a view's or a table's (read in insertion order). A snapshot of a
// table can also write records by field position: AddNew/Edit, setField, Update.
class Recordset {
public:
    Recordset() = default;

    int recordCount() const { return int(m_rows.size()); }
    bool eof() const { return m_pos >= recordCount() || recordCount() == 0; }
    bool bof() const { return m_pos < 0 || recordCount() == 0; }
    void moveFirst() { m_pos = 0; }
    void moveLast() { m_pos = recordCount() - 1; }
    void moveNext() { ++m_pos; }
    void movePrevious() { --m_pos; }
    int absolutePosition() const { return m_pos; }

    int fieldCount() const { return int(m_names.size()); }
    QString fieldName(int i) const { return m_names.value(i); }
    int fieldIndex(const QString& name) const; // case-insensitive; -1 if none

    // Value of the current record; throws ErrNoCurrentRecord at EOF/BOF, ErrObjectNotFound for an
    // unknown name.
    QVariant value(int i) const;
    QVariant value(const QString& name) const;
    // The same, NULL read as empty text, numbers in plain text.
    QString text(int i) const;
    QString text(const QString& name) const;
    bool isNull(int i) const { return value(i).isNull(); }

    // Positional writes; only on a snapshot of a table.
    void addNew();
    void edit();
    void setField(int i, const QVariant& v);
    void setField(const QString& name, const QVariant& v);
    void update();     // writes the pending new or edited record; throws DbError
    void cancelUpdate();
    void deleteRecord();

private:
    friend class Database;
    enum class Mode { None, Add, Edit };
    Database* m_db = nullptr;
    QString m_table; // set when the snapshot is of a table
    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
    QVector<qint64> m_rowids;
    int m_pos = 0;
    Mode m_mode = Mode::None;
    QVector<QVariant> m_pending;
};

class Database {
public:
    // Opens an existing database file read-write; never creates one. An empty password opens a
    // plain (unencrypted) file. Throws DbError: 3024 no such file, 3044 no such folder or an
    // invalid path, 3031 wrong password, 3343 damaged or not a database.
    static std::shared_ptr<Database> open(const QString& path, const QString& password = {});
    // Creates a new database file (fails if it exists) and runs the SQL script in it.
    static std::shared_ptr<Database> create(const QString& path, const QString& password,
                                            const QString& script);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    QString path() const { return m_path; }

    // Runs one statement with bound values; returns the number of rows changed.
    int execute(const QString& sql, const QVariantList& params = {});
    // Runs a script of several statements without parameters (schema and seed files).
    void executeScript(const QString& script);

    // A snapshot of a SELECT with bound values.
    Recordset query(const QString& sql, const QVariantList& params = {});
    // A snapshot of a table (rows in insertion order, writable) or a view, by name.
    Recordset openRecordset(const QString& name);
    // A single value of a query, or an invalid QVariant when it returns no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    bool tableExists(const QString& name) const;
    // Column names of a table or view in declared order.
    QStringList columns(const QString& name) const;

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const;

    sqlite3* handle() const { return m_db; }

private:
    Database() = default;
    [[noreturn]] void fail(int rc, const QString& context = {}) const;
    friend class Recordset;
    sqlite3* m_db = nullptr;
    QString m_path;
};

using DatabasePtr = std::shared_ptr<Database>;

// Rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Database& d);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};

} // namespace db
