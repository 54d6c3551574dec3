#pragma once
// What every fuzz target shares: a scratch program folder, dialogs that answer like Escape
// without showing anything, and a hard stop for a broken promise.
#include <QByteArray>
#include <QString>

namespace fuzz {

// Called once per process: a core application, the silent dialogs, an exit handler that only
// records, and a fresh scratch folder made the program folder.
void setUp();
// The scratch program folder.
QString folder();
// Writes `bytes` as the file `name` of the scratch folder (replacing it).
void putFile(const QString& name, const QByteArray& bytes);
// Stops the run with a report when a promise of the code under test is broken.
void require(bool condition, const char* what);

} // namespace fuzz
