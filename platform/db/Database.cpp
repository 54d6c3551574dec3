#include "db/Database.h"
#include "db/FaultInjection.h"

#include "text/Numbers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QTemporaryFile>
#include <algorithm>
#include <map>
#include <optional>
#include <sqlite3.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace db {
namespace {

constexpr qint64 kCipherPageSize = 1024;              // an encrypted file is made of whole pages of this size
const QByteArray kPlainHeader("SQLite format 3", 16); // with its terminating NUL

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

QString quoteIdent(QString name) {
    return u'"' + name.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

// What happened, in the user's language, with the driver's own text after it. `code` is an
// extended result code.
DbError sqlError(int code, const QString& message) {
    const auto error = [&](int number, const char* sentence) {
        return DbError(number, QStringLiteral("%1 (%2)").arg(QString::fromUtf8(sentence), message));
    };
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
        return error(ErrDuplicateKey, "資料重複，無法寫入");
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {ErrLocked, QString::fromUtf8(kBusyMessage)};
    case SQLITE_FULL:
        return error(ErrDiskError, "磁碟空間已滿，無法寫入資料庫");
    case SQLITE_IOERR:
        return error(ErrDiskError, "磁碟或網路錯誤，無法讀寫資料庫");
    case SQLITE_CORRUPT:
        return error(ErrNotADatabase, "資料庫檔案已損壞");
    case SQLITE_NOTADB:
        return error(ErrNotADatabase, "無法辨認的資料庫格式，檔案已損壞或不是資料庫");
    case SQLITE_READONLY:
        return error(ErrReadOnly, "無法更新，資料庫是唯讀的");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return error(ErrCannotOpen, "無法開啟資料庫檔案");
    }
    if (message.startsWith(QLatin1String("no such table")))
        return {ErrObjectNotFound, QStringLiteral("找不到輸入資料表或查詢 (%1)").arg(message)};
    // A field the table lacks: typically a database made by an older version of the program.
    if (message.startsWith(QLatin1String("no such column")) ||
        message.contains(QLatin1String("has no column named")))
        return error(ErrGeneral, "資料表中找不到這個欄位，資料庫可能是舊版的");
    return {ErrGeneral, message};
}

// ---- Busy waits ------------------------------------------------------------------------------

std::function<void(bool)>& busyWaitHook() {
    static std::function<void(bool)> hook;
    return hook;
}
bool waiting = false;

void beginWait() {
    if (!waiting && busyWaitHook())
        busyWaitHook()(true);
    waiting = true;
}

void endWait() {
    if (waiting && busyWaitHook())
        busyWaitHook()(false);
    waiting = false;
}

// Ends the wait of the statement that ran, whatever became of it.
struct WaitEnd {
    ~WaitEnd() { endWait(); }
};

// The file a connection works on: the key of its held state, shared by every connection to it.
QString fileOf(sqlite3* h) {
    const char* name = h ? sqlite3_db_filename(h, "main") : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}

// The load in progress: its depth, per database file the error a statement met when another
// connection held that file, and whether a message of the load has said a held file.
struct Load {
    int depth = 0;
    std::map<QString, DbError> held;
    bool said = false;
};
Load& load() {
    static Load l;
    return l;
}

// Throws `e` for the connection `h`, remembered by the load in progress when another connection held
// its file.
[[noreturn]] void raise(sqlite3* h, const DbError& e) {
    if (load().depth > 0 && e.number() == ErrLocked)
        load().held.try_emplace(fileOf(h), e);
    throw e;
}

// Within a load that met its file held, a statement fails without waiting; the other files of the
// load are read as usual.
void noteRefused(sqlite3* h);

void failIfHeld(sqlite3* h) {
    if (load().held.empty())
        return;
    const auto it = load().held.find(fileOf(h));
    if (it != load().held.end()) {
        noteRefused(h);
        throw it->second;
    }
}

[[noreturn]] void throwSql(sqlite3* h) {
    raise(h, sqlError(sqlite3_extended_errcode(h), QString::fromUtf8(sqlite3_errmsg(h))));
}

void check(sqlite3* h, int rc) {
    if (rc != SQLITE_OK)
        throwSql(h);
}

// ---- Injected failures (tests only) ----------------------------------------------------------

struct TableRule {
    QString table; // lower case
    fault::Error error;
    fault::Access access;
};

// Every statement of a file (any file when empty, names in lower case) fails, as `access` selects.
struct FileRule {
    QString file;
    fault::Error error;
    fault::Access access;
};

struct Injector {
    int countdown = 0; // the statement at which countdown reaches 0 fails
    fault::Error nthError = fault::Error::Busy;
    std::vector<FileRule> files;
    std::vector<TableRule> tables;
    QMap<QString, int> statementsByFile; // file name (lower case) -> statements run
    QSet<QString> waitedFiles;           // files whose statements an injected busy failure met
    int refusedUnheld = 0;               // statements refused as held on a file none of those
    int statements = 0;
    int failures = 0;
    int writeFailures = 0;
    int waits = 0;
};

Injector& injector() {
    static Injector i;
    return i;
}

struct Touched {
    QSet<QString> read, written;
};

int collectTables(void* data, int action, const char* a1, const char*, const char*, const char*) {
    auto* t = static_cast<Touched*>(data);
    if (!a1)
        return SQLITE_OK;
    const QString name = QString::fromUtf8(a1).toLower();
    switch (action) {
    case SQLITE_READ:
        t->read.insert(name);
        break;
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
        t->written.insert(name);
        break;
    default:
        break;
    }
    return SQLITE_OK;
}

DbError injectedError(fault::Error e) {
    switch (e) {
    case fault::Error::Busy:
        return sqlError(SQLITE_BUSY, QStringLiteral("database is locked"));
    case fault::Error::DiskFull:
        return sqlError(SQLITE_FULL, QStringLiteral("database or disk is full"));
    case fault::Error::ReadOnly:
        return sqlError(SQLITE_READONLY, QStringLiteral("attempt to write a readonly database"));
    case fault::Error::IoError:
        break;
    }
    return sqlError(SQLITE_IOERR, QStringLiteral("disk I/O error"));
}

[[noreturn]] void throwInjected(sqlite3* h, fault::Error e, bool write) {
    ++injector().failures;
    if (write)
        ++injector().writeFailures;
    if (e != fault::Error::Busy)
        throw injectedError(e);
    ++injector().waits;
    injector().waitedFiles.insert(fileOf(h));
    beginWait(); // the wait it stands for
    endWait();
    raise(h, injectedError(e));
}

// A statement refused without trying because its load met the file held: counted when no injected
// failure held that file (a held file refusing another's statements).
void noteRefused(sqlite3* h) {
    if (!injector().waitedFiles.contains(fileOf(h)))
        ++injector().refusedUnheld;
}

bool accessHit(fault::Access access, bool reads, bool writes) {
    return access == fault::Access::Read    ? reads && !writes
           : access == fault::Access::Write ? writes
                                            : reads || writes;
}

// Counts a statement of the database `h` and fails it when the injector says so. `touched` is null
// for statements that name no table (transaction control, counted as writes).
void injectPoint(sqlite3* h, const Touched* touched, bool write) {
    Injector& in = injector();
    ++in.statements;
    const QString file = QFileInfo(fileOf(h)).fileName().toLower();
    ++in.statementsByFile[file];
    if (in.countdown > 0 && --in.countdown == 0)
        throwInjected(h, in.nthError, write);
    for (const FileRule& r : in.files)
        if ((r.file.isEmpty() || r.file == file) && accessHit(r.access, !write, write))
            throwInjected(h, r.error, write);
    if (!touched)
        return;
    for (const TableRule& r : in.tables)
        if (accessHit(r.access, touched->read.contains(r.table), touched->written.contains(r.table)))
            throwInjected(h, r.error, write);
}

int bindValue(sqlite3_stmt* s, int i, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return sqlite3_bind_null(s, i);
    switch (v.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int64(s, i, v.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return sqlite3_bind_int64(s, i, v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(s, i, v.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob(s, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        return sqlite3_bind_text(s, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
}

// Prepares exactly one statement and binds its values by position.
Stmt prepare(sqlite3* h, const QString& sql, const QVariantList& params = {}) {
    failIfHeld(h);
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    // Only a test that fails statements by table needs to know which tables a statement touches.
    const bool watchTables = !injector().tables.empty();
    Touched touched;
    if (watchTables)
        sqlite3_set_authorizer(h, collectTables, &touched);
    int prepared = SQLITE_OK;
    {
        const WaitEnd waited;
        prepared = sqlite3_prepare_v2(h, text.constData(), int(text.size()), &raw, &tail);
    }
    if (watchTables)
        sqlite3_set_authorizer(h, nullptr, nullptr);
    check(h, prepared);
    Stmt stmt(raw);
    if (!stmt)
        throw DbError(ErrGeneral, QStringLiteral("SQL 陳述式是空的"));
    const char* end = text.constData() + text.size();
    if (tail && QByteArray(tail, end - tail).trimmed().size() > 0) {
        // Anything after the statement but blanks, comments and ";" is a second statement.
        sqlite3_stmt* next = nullptr;
        const int rc = sqlite3_prepare_v2(h, tail, int(end - tail), &next, nullptr);
        sqlite3_finalize(next);
        if (rc != SQLITE_OK || next)
            throw DbError(ErrGeneral, QStringLiteral("一次只能執行一個 SQL 陳述式: %1").arg(sql));
    }
    injectPoint(h, &touched, !sqlite3_stmt_readonly(raw));
    const int wanted = sqlite3_bind_parameter_count(raw);
    if (wanted != params.size())
        throw DbError(ErrGeneral,
                      QStringLiteral("參數數目不符 (需要 %1 個，提供 %2 個)").arg(wanted).arg(params.size()));
    for (int i = 0; i < wanted; ++i)
        check(h, bindValue(raw, i + 1, params[i]));
    return stmt;
}

QVariant columnValue(sqlite3_stmt* s, int c) {
    switch (sqlite3_column_type(s, c)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(s, c));
    case SQLITE_FLOAT:
        return sqlite3_column_double(s, c);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                 sqlite3_column_bytes(s, c));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(s, c)), sqlite3_column_bytes(s, c));
    default:
        return {};
    }
}

// Steps to the next row: true on a row, false when done; throws on an error.
bool step(sqlite3* h, sqlite3_stmt* s) {
    int rc = SQLITE_OK;
    {
        const WaitEnd waited;
        rc = sqlite3_step(s);
    }
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        throwSql(h);
    return false;
}

QStringList columnNames(sqlite3_stmt* s, int first = 0) {
    QStringList names;
    for (int c = first; c < sqlite3_column_count(s); ++c)
        names << QString::fromUtf8(sqlite3_column_name(s, c));
    return names;
}

QVector<QVariant> readRow(sqlite3_stmt* s, int first = 0) {
    QVector<QVariant> row;
    for (int c = first; c < sqlite3_column_count(s); ++c)
        row << columnValue(s, c);
    return row;
}

// The folder of a path must exist and the path must not be a folder itself.
void checkFolder(const QString& path) {
    const QFileInfo fi(path);
    if (path.trimmed().isEmpty() || fi.isDir() || !fi.absoluteDir().exists())
        throw DbError(ErrInvalidPath,
                      QStringLiteral("'%1' 不是有效的路徑。請確定路徑名稱的拼字正確。")
                          .arg(path.isEmpty() ? path : QDir::toNativeSeparators(fi.absolutePath())));
}

// Opens a handle on an existing file (or the empty file made for create) and applies the key.
sqlite3* openHandle(const QString& path, const QString& password) {
    sqlite3* h = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const DbError e = sqlError(rc, QString::fromUtf8(h ? sqlite3_errmsg(h) : sqlite3_errstr(rc)));
        sqlite3_close_v2(h);
        throw e;
    }
    sqlite3_extended_result_codes(h, 1);
    if (!password.isEmpty()) {
        const QByteArray key = password.toUtf8();
        if (sqlite3_key(h, key.constData(), int(key.size())) != SQLITE_OK) {
            sqlite3_close_v2(h);
            throw DbError(ErrGeneral, QStringLiteral("無法設定資料庫密碼"));
        }
    }
    // Decrypted pages are dear to read again: keep up to 64 MB of them (the default keeps 2 MB,
    // so a list of every record would read the table from the file at each pass).
    sqlite3_exec(h, "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);
    return h;
}

} // namespace

void setBusyWaitHook(std::function<void(bool waiting)> hook) {
    busyWaitHook() = std::move(hook);
}

void Database::setBusyTimeout(int ms) {
    m_busyTimeoutMs = ms;
}

int Database::onBusy(void* database, int count) {
    auto* d = static_cast<Database*>(database);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (count == 0) {
        d->m_waitStart = now;
        beginWait();
    }
    if (now - d->m_waitStart >= d->m_busyTimeoutMs)
        return 0;
    sqlite3_sleep(int(std::min<qint64>(10, d->m_busyTimeoutMs - (now - d->m_waitStart))));
    return 1;
}

void Database::watchBusy() {
    sqlite3_busy_handler(m_db, &Database::onBusy, this);
}

DbError::DbError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}

// ---- Database -------------------------------------------------------------------------------

DatabasePtr Database::open(const QString& path, const QString& password) {
    checkFolder(path);
    const QString native = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path))
        throw DbError(ErrFileNotFound, QStringLiteral("找不到檔案 '%1'。").arg(native));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(ErrCannotOpen, QStringLiteral("無法開啟檔案 '%1': %2").arg(native, file.errorString()));
    const qint64 size = file.size();
    const bool plain = file.read(kPlainHeader.size()) == kPlainHeader;
    file.close();
    // An empty file would silently become a new, empty database.
    if (size == 0)
        throw DbError(ErrNotADatabase, QStringLiteral("無法辨認的資料庫格式 '%1' (檔案是空的)").arg(native));

    DatabasePtr d(new Database);
    d->m_path = path;
    d->m_db = openHandle(path, plain ? QString() : password);
    d->watchBusy();
    try {
        Stmt s = prepare(d->m_db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        step(d->m_db, s.get());
    } catch (const DbError& e) {
        if (e.number() != ErrNotADatabase)
            throw;
        const QString driverText = QString::fromUtf8(sqlite3_errmsg(d->m_db));
        // Without the plain header, whole pages suggest an encrypted file: the password is wrong.
        if (!plain && size % kCipherPageSize == 0)
            throw DbError(ErrNotValidPassword, QStringLiteral("密碼無效 '%1' (%2)").arg(native, driverText));
        throw DbError(
            ErrNotADatabase,
            QStringLiteral("無法辨認的資料庫格式，檔案已損壞或不是資料庫 '%1' (%2)").arg(native, driverText));
    }
    return d;
}

DatabasePtr Database::create(const QString& path, const QString& password, const QString& script) {
    checkFolder(path);
    const QFileInfo fi(path);
    if (fi.exists() || fi.isSymLink())
        throw DbError(ErrDatabaseExists,
                      QStringLiteral("資料庫已經存在 '%1'。").arg(QDir::toNativeSeparators(path)));

    // Build under a temporary name in the same folder; only a finished file is renamed into place.
    QTemporaryFile tmp(fi.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(fi.fileName())));
    if (!tmp.open())
        throw DbError(ErrDiskError, QStringLiteral("無法建立檔案: %1").arg(tmp.errorString()));
    tmp.close();
    {
        Database build;
        build.m_path = tmp.fileName();
        build.m_db = openHandle(build.m_path, password);
        build.watchBusy();
        // The file is thrown away on failure, so no journal or sync is needed while building.
        build.executeScript(QStringLiteral("PRAGMA encoding = 'UTF-8'; PRAGMA journal_mode = MEMORY; "
                                           "PRAGMA synchronous = OFF;"));
        build.executeScript(script);
    }
    if (!tmp.open() || ::fsync(tmp.handle()) != 0)
        throw DbError(ErrDiskError, QStringLiteral("無法寫入檔案: %1").arg(tmp.errorString()));
    tmp.close();
    // QFile::rename never replaces an existing file.
    if (!QFile::rename(tmp.fileName(), path))
        throw DbError(ErrDatabaseExists,
                      QStringLiteral("無法建立資料庫 '%1'。").arg(QDir::toNativeSeparators(path)));
    tmp.setAutoRemove(false);
    return open(path, password);
}

Database::~Database() {
    sqlite3_close_v2(m_db);
}

int Database::execute(const QString& sql, const QVariantList& params) {
    Stmt s = prepare(m_db, sql, params);
    while (step(m_db, s.get())) {
    }
    return sqlite3_changes(m_db);
}

void Database::executeScript(const QString& script) {
    char* err = nullptr;
    int rc = SQLITE_OK;
    {
        const WaitEnd waited;
        rc = sqlite3_exec(m_db, script.toUtf8().constData(), nullptr, nullptr, &err);
    }
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(err ? err : sqlite3_errmsg(m_db));
        sqlite3_free(err);
        raise(m_db, sqlError(sqlite3_extended_errcode(m_db), message));
    }
}

Recordset Database::query(const QString& sql, const QVariantList& params) {
    Stmt s = prepare(m_db, sql, params);
    Recordset rs;
    rs.m_db = this;
    rs.m_names = columnNames(s.get());
    while (step(m_db, s.get()))
        rs.m_rows << readRow(s.get());
    return rs;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    Stmt s = prepare(m_db, sql, params);
    return step(m_db, s.get()) && sqlite3_column_count(s.get()) > 0 ? columnValue(s.get(), 0) : QVariant();
}

QPair<QString, QString> Database::findObject(const QString& name) const {
    Stmt s = prepare(m_db,
                     QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') "
                                    "AND name = ? COLLATE NOCASE"),
                     {name});
    if (!step(m_db, s.get()))
        throw DbError(ErrObjectNotFound, QStringLiteral("找不到輸入資料表或查詢 '%1'。").arg(name));
    return {columnValue(s.get(), 0).toString(), columnValue(s.get(), 1).toString()};
}

Recordset Database::openRecordset(const QString& name) {
    const auto [canonical, type] = findObject(name);
    if (type != QLatin1String("table"))
        return query(QStringLiteral("SELECT * FROM %1").arg(quoteIdent(canonical)));
    Stmt s =
        prepare(m_db, QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quoteIdent(canonical)));
    Recordset rs;
    rs.m_db = this;
    rs.m_table = canonical;
    rs.m_names = columnNames(s.get(), 1);
    while (step(m_db, s.get())) {
        rs.m_rowids << sqlite3_column_int64(s.get(), 0);
        rs.m_rows << readRow(s.get(), 1);
    }
    return rs;
}

bool Database::tableExists(const QString& name) const {
    Stmt s = prepare(
        m_db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
        {name});
    return step(m_db, s.get());
}

QStringList Database::columns(const QString& name) const {
    Stmt s = prepare(m_db, QStringLiteral("SELECT * FROM %1").arg(quoteIdent(findObject(name).first)));
    return columnNames(s.get());
}

void Database::begin() {
    failIfHeld(m_db);
    injectPoint(m_db, nullptr, true);
    executeScript(QStringLiteral("BEGIN IMMEDIATE"));
}
void Database::commit() {
    injectPoint(m_db, nullptr, true);
    executeScript(QStringLiteral("COMMIT"));
}
void Database::rollback() {
    if (inTransaction())
        executeScript(QStringLiteral("ROLLBACK"));
}
bool Database::inTransaction() const {
    return sqlite3_get_autocommit(m_db) == 0;
}

// ---- Transaction ----------------------------------------------------------------------------

Transaction::Transaction(Database& d) : m_db(d) {
    if (!m_db.inTransaction()) {
        m_db.begin();
        return;
    }
    static quint64 serial = 0;
    m_savepoint = QStringLiteral("nested_%1").arg(++serial);
    m_db.executeScript(QStringLiteral("SAVEPOINT ") + m_savepoint);
}

Transaction::~Transaction() {
    if (m_done)
        return;
    try {
        if (m_savepoint.isEmpty())
            m_db.rollback();
        else if (m_db.inTransaction())
            m_db.executeScript(QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(m_savepoint));
    } catch (const DbError&) {
        // A failed rollback leaves nothing more to do here; SQLite rolls back on close.
    }
}

void Transaction::commit() {
    if (m_savepoint.isEmpty())
        m_db.commit();
    else
        m_db.executeScript(QStringLiteral("RELEASE ") + m_savepoint);
    m_done = true;
}

// ---- LoadSession ----------------------------------------------------------------------------

LoadSession::LoadSession() {
    ++load().depth;
}

LoadSession::~LoadSession() {
    if (--load().depth == 0)
        load() = Load{};
}

bool LoadSession::sayOnce(const DbError& e) {
    if (load().held.empty() || e.number() != ErrLocked)
        return true;
    return !std::exchange(load().said, true);
}

// ---- Recordset ------------------------------------------------------------------------------

int Recordset::fieldIndex(const QString& name) const {
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Recordset::checkedIndex(int i) const {
    if (i < 0 || i >= m_names.size())
        throw DbError(ErrObjectNotFound, QStringLiteral("找不到欄位 %1。").arg(i));
    return i;
}

int Recordset::checkedIndex(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(ErrObjectNotFound, QStringLiteral("找不到欄位 '%1'。").arg(name));
    return i;
}

void Recordset::checkCurrent() const {
    if (m_pos < 0 || m_pos >= recordCount())
        throw DbError(ErrNoCurrentRecord, QStringLiteral("沒有目前的記錄。"));
}

void Recordset::checkWritable(bool pending) const {
    if (m_table.isEmpty() || !m_db)
        throw DbError(ErrReadOnly, QStringLiteral("無法更新，查詢的結果是唯讀的。"));
    if (pending && m_mode == Mode::None)
        throw DbError(ErrNoAddNewOrEdit, QStringLiteral("沒有先執行 AddNew 或 Edit。"));
}

QVariant Recordset::value(int i) const {
    checkedIndex(i);
    if (m_mode != Mode::None)
        return m_pending[i];
    checkCurrent();
    return m_rows[m_pos][i];
}

QVariant Recordset::value(const QString& name) const {
    return value(checkedIndex(name));
}

QString Recordset::text(int i) const {
    const QVariant v = value(i);
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return num::str(v.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(v.toByteArray());
    default:
        return v.toString();
    }
}

QString Recordset::text(const QString& name) const {
    return text(checkedIndex(name));
}

void Recordset::addNew() {
    checkWritable(false);
    m_mode = Mode::Add;
    m_pending = QVector<QVariant>(fieldCount());
    m_dirty = QVector<bool>(fieldCount(), false);
}

void Recordset::edit() {
    checkWritable(false);
    checkCurrent();
    m_mode = Mode::Edit;
    m_pending = m_rows[m_pos];
    m_dirty = QVector<bool>(fieldCount(), false);
}

void Recordset::setField(int i, const QVariant& v) {
    checkWritable(true);
    checkedIndex(i);
    m_pending[i] = v;
    m_dirty[i] = true;
}

void Recordset::setField(const QString& name, const QVariant& v) {
    setField(checkedIndex(name), v);
}

void Recordset::update() {
    checkWritable(true);
    sqlite3* h = m_db->m_db;
    const QString table = quoteIdent(m_table);
    QStringList cols;
    QVariantList params;
    for (int i = 0; i < fieldCount(); ++i)
        if (m_dirty[i]) {
            cols << quoteIdent(m_names[i]);
            params << m_pending[i];
        }
    qint64 rowid = 0;
    if (m_mode == Mode::Add) {
        if (cols.isEmpty()) {
            m_db->execute(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table));
        } else {
            const QString marks = QStringList(cols.size(), QStringLiteral("?")).join(u',');
            m_db->execute(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, cols.join(u','), marks), params);
        }
        rowid = sqlite3_last_insert_rowid(h);
    } else {
        rowid = m_rowids[m_pos];
        if (!cols.isEmpty()) {
            params << rowid;
            m_db->execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                              .arg(table, cols.join(QStringLiteral(" = ?, "))),
                          params);
        }
    }
    // Reread the written row: defaults, type conversions and triggers show as stored.
    Stmt s = prepare(h, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(table), {rowid});
    const QVector<QVariant> row = step(h, s.get()) ? readRow(s.get()) : m_pending;
    if (m_mode == Mode::Add) {
        m_rows << row;
        m_rowids << rowid;
        m_pos = recordCount() - 1;
    } else {
        m_rows[m_pos] = row;
    }
    cancelUpdate();
}

void Recordset::cancelUpdate() {
    m_mode = Mode::None;
    m_pending.clear();
    m_dirty.clear();
}

void Recordset::deleteRecord() {
    checkWritable(false);
    checkCurrent();
    cancelUpdate();
    m_db->execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdent(m_table)),
                  {m_rowids[m_pos]});
    m_rows.remove(m_pos);
    m_rowids.remove(m_pos);
    --m_pos;
}

// ---- fault ----------------------------------------------------------------------------------

namespace fault {

void failNth(int n, Error error) {
    injector().countdown = n > 0 ? n : 0;
    injector().nthError = error;
}

void failTable(const QString& table, Error error, Access access) {
    injector().tables.push_back({table.toLower(), error, access});
}

void failAll(Error error, Access access) {
    injector().files.push_back({QString(), error, access});
}

void failFile(const QString& file, Error error, Access access) {
    injector().files.push_back({file.toLower(), error, access});
}

void clear() {
    injector() = Injector{};
}

int statementCount() {
    return injector().statements;
}

QString reason(Error error) {
    return injectedError(error).description().section(QStringLiteral(" ("), 0, 0);
}

int statementCount(const QString& file) {
    return injector().statementsByFile.value(file.toLower());
}

int failureCount() {
    return injector().failures;
}

int writeFailureCount() {
    return injector().writeFailures;
}

int waitCount() {
    return injector().waits;
}

int waitedFileCount() {
    return int(injector().waitedFiles.size());
}

int refusedUnheldCount() {
    return injector().refusedUnheld;
}

} // namespace fault
} // namespace db
