#pragma once
// Makes database statements fail on purpose, so tests can prove what every window does when a read
// or a write is refused half-way (another workstation holding the file, a full or failing disk, a
// read-only file). Off unless a test arms it; the program never does. The failure comes back as the
// driver's own error would, through the same DbError numbers and texts.
#include <QString>

namespace db::fault {

enum class Error { Busy, DiskFull, ReadOnly, IoError };
enum class Access { Any, Read, Write };

// The nth statement from now (1: the next one) fails once; later statements run as usual.
void failNth(int n, Error error);
// Every statement that reads or writes `table` (letter case ignored; a view counts for the tables it
// reads) fails, as `access` selects, until clear(). Several tables may be armed at once.
void failTable(const QString& table, Error error, Access access = Access::Any);
// Every statement fails (another workstation holding every file), as `access` selects (Write: a
// workstation writing, so reads still run), until clear().
void failAll(Error error, Access access = Access::Any);
// Every statement on the database file named `file` (its name without folder, letter case ignored)
// fails, as `access` selects, until clear(); the other files stay free.
void failFile(const QString& file, Error error, Access access = Access::Any);
// What the database layer says for `error`, without the driver's own text: what a message about
// the failure shows.
QString reason(Error error);
// Disarms everything and restarts the counts.
void clear();
// Statements run since the last clear() (transaction statements included): a clean run of a
// command counts the points at which a failure can be injected into it.
int statementCount();
// Those of them run on the database file named `file`.
int statementCount(const QString& file);
// Injected failures since the last clear().
int failureCount();
// Those of them that failed a statement that writes (transaction statements included).
int writeFailureCount();
// Busy waits since the last clear(): each injected busy failure stands for a statement that waited
// the busy time before it gave up.
int waitCount();
// The database files those waits were on: one held file costs one wait.
int waitedFileCount();
// Statements refused without trying as on a held file although no injected failure held their file:
// one held file failing the statements of a free one.
int refusedUnheldCount();

} // namespace db::fault
