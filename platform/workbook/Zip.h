#pragma once
// The parts of a zip package held in memory: read all of a package, write all of one.
#include <QByteArray>
#include <string>
#include <vector>

namespace wb::zip {

struct Entry {
    std::string name;
    QByteArray data;
};

// Throws WorkbookError naming `what` when the bytes are no readable zip package.
std::vector<Entry> read(const QByteArray& bytes, const QString& what);
// The package of the entries, in their order; big entries are compressed fast.
QByteArray write(const std::vector<Entry>& entries);

} // namespace wb::zip
