#pragma once
// Our database layer over SQLCipher: DAO-like snapshots, positional record writes and errors that
// carry the numbers the windows test (3024 missing file, 3044 invalid path, 3022 duplicate key).
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <stdexcept>

struct sqlite3;

namespace db {

enum ErrorNumber : int {
    ErrDuplicateKey = 3022,     // a unique or primary key refused the value
    ErrFileNotFound = 3024,     // open: no such file
    ErrDiskError = 3043,        // read/write failure, disk full
    ErrLocked = 3218,           // another connection held its lock longer than the busy timeout
    ErrInvalidPath = 3044,      // open/create: no such folder, empty path, or the path is a folder
    ErrNotValidPassword = 3031, // open: an encrypted file and a wrong or missing password
    ErrNotADatabase = 3343,     // open: an empty, damaged or foreign file
    ErrObjectNotFound = 3078,   // no table or query by that name; no field by that name or position
    ErrNoCurrentRecord = 3021,  // value or edit at EOF/BOF
    ErrNoAddNewOrEdit = 3020,   // setField/update without addNew or edit
    ErrReadOnly = 3027,         // writing through a query or view snapshot, or a read-only file
    ErrCannotOpen = 3051,       // open: the file exists but cannot be read (permissions)
    ErrDatabaseExists = 3204,   // create: the file exists already
    ErrGeneral = 3000,          // anything else; the description carries the SQLite message
};

// What every held-database error (3218) says, in every window, in one form: Chinese only, without
// the error number or the driver's own text.
inline constexpr const char* kBusyMessage = "資料庫正被其他使用者或工作站使用中，請稍後再試";

// Called with true when a statement starts waiting for another connection's lock and with false
// when the wait is over (the windows show the wait cursor meanwhile). Null: nothing is called.
void setBusyWaitHook(std::function<void(bool waiting)> hook);

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
// table can also write records by field position: AddNew/Edit, setField, Update. While a new or
// edited record is pending, value() reads the pending values. The snapshot keeps a plain pointer
// to its Database, which must outlive it.
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
    // Writes the pending record (only the fields set; a new record gets the columns' defaults for
    // the others) and rereads it from the table. A new record is appended to the snapshot and
    // becomes the current one. On failure the record stays pending. Throws DbError.
    void update();
    void cancelUpdate();
    // Deletes the current record from the table and the snapshot; the cursor then stands just
    // before the following record, so moveNext() reaches it.
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
    QVector<bool> m_dirty; // fields set since addNew/edit
    void checkCurrent() const;
    void checkWritable(bool pending) const;
    int checkedIndex(int i) const;
    int checkedIndex(const QString& name) const; // by name, letter case ignored
};

class Database {
public:
    // Opens an existing database file read-write; never creates one. An encrypted file needs its
    // password; a plain file opens with or without one (the password is then ignored, as Jet
    // does for a file without a password). Throws DbError: 3024 no such file, 3044 no such folder
    // or an invalid path, 3051 unreadable file, 3031 wrong or missing password (an encrypted
    // file: whole pages, no plain header), 3343 empty, damaged or not a database.
    static std::shared_ptr<Database> open(const QString& path, const QString& password = {});
    // Creates a new database file (encrypted when a password is given) and runs the SQL script in
    // it. The file is built next to the path under a temporary name and renamed into place at the
    // end, so a failed script leaves nothing behind. Throws 3204 when the file exists, 3044 when
    // the folder does not.
    static std::shared_ptr<Database> create(const QString& path, const QString& password,
                                            const QString& script);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    QString path() const { return m_path; }

    // How long a statement waits for another connection's lock before it fails with ErrLocked.
    static constexpr int kDefaultBusyTimeoutMs = 5000;
    void setBusyTimeout(int ms);

    // Errors of the statements below: 3022 duplicate key, 3078 no such table, 3027 read-only,
    // 3043 disk (full or failing), 3218 locked, 3343 damaged file, 3000 others (also more values than
    // placeholders or more than one statement). Bound values: NULL/invalid -> NULL, integers -> int64,
    // double, bool -> 0/1, QByteArray -> blob, anything else -> its text as UTF-8. Read values: NULL ->
    // invalid QVariant, qlonglong, double, QString, QByteArray. Runs one statement with bound values; returns
    // the number of rows changed.
    int execute(const QString& sql, const QVariantList& params = {});
    // Runs a script of several statements without parameters (schema and seed files).
    void executeScript(const QString& script);

    // A snapshot of a SELECT with bound values.
    Recordset query(const QString& sql, const QVariantList& params = {});
    // A snapshot of a table (rows in insertion order, writable) or a view, by name (letter case
    // ignored); 3078 when there is no table or view of that name.
    Recordset openRecordset(const QString& name);
    // A single value of a query, or an invalid QVariant when it returns no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    // True when a table (not a view) of that name exists, letter case ignored.
    bool tableExists(const QString& name) const;
    // Column names of a table or view in declared order; 3078 when there is none of that name.
    QStringList columns(const QString& name) const;

    void begin(); // BEGIN IMMEDIATE
    void commit();
    void rollback();
    bool inTransaction() const;

private:
    Database() = default;
    // The canonical name and type ("table"/"view") of a table or view; throws 3078.
    QPair<QString, QString> findObject(const QString& name) const;
    friend class Recordset;
    // Waits for another connection's lock up to the busy time, telling the busy-wait hook.
    static int onBusy(void* database, int count);
    void watchBusy();
    sqlite3* m_db = nullptr;
    QString m_path;
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
    qint64 m_waitStart = 0;
};

using DatabasePtr = std::shared_ptr<Database>;

// One load of a window: the reads that fill its lists and grids. When another connection holds a
// database file, the first statement on it waits the busy time and fails; every later statement of
// the same load on that file then fails at once with that error instead of waiting again, so a held
// file costs a load one wait. The held state is kept per file: the load's other files are read as
// usual. A session opened inside another joins it.
class LoadSession {
public:
    LoadSession();
    ~LoadSession();
    LoadSession(const LoadSession&) = delete;
    LoadSession& operator=(const LoadSession&) = delete;
    // Whether a window should say `e`: false for a held file's error once a message of this load has
    // said one (the message is the same for every file).
    static bool sayOnce(const DbError& e);
};

// Rolls back unless committed. Inside another transaction it is a savepoint of it: its commit
// keeps its work for the outer one to commit or roll back, and without a commit only its own work
// is undone.
class Transaction {
public:
    explicit Transaction(Database& d);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    QString m_savepoint; // set when nested
    bool m_done = false;
};

} // namespace db
