#include "RecentFiles.h"

#include <QDir>

namespace quote {

void RecentFiles::load(const QStringList& lines, const QString& programFolder) {
    m_entries = {};
    for (int i = 0; i < kCount && i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const bool relative = !line.isEmpty() && !programFolder.isEmpty() && QDir::isRelativePath(line);
        m_entries[size_t(i)] = {relative ? QDir::cleanPath(QDir(programFolder).absoluteFilePath(line)) : line,
                                true};
    }
}

void RecentFiles::AddRecentFile(const QString& path) {
    int k = kCount - 1;
    for (int i = 0; i < kCount; ++i) {
        if (m_entries[size_t(i)].caption == path) {
            k = i;
            break;
        }
    }
    for (int j = k; j >= 1; --j)
        m_entries[size_t(j)] = m_entries[size_t(j - 1)];
    m_entries[0] = {path, true};
    for (int j = kCount - 1; j >= 1; --j) {
        Entry& e = m_entries[size_t(j)];
        if (!e.visible)
            continue;
        for (int m = 0; m < j; ++m) {
            if (m_entries[size_t(m)].visible && m_entries[size_t(m)].caption == e.caption) {
                e.visible = false;
                break;
            }
        }
    }
}

QStringList RecentFiles::lines() const {
    QStringList out;
    for (const Entry& e : m_entries)
        if (e.visible)
            out << e.caption;
    return out;
}

QStringList RecentFiles::storedLines(const QString& programFolder) const {
    const QDir folder(programFolder);
    QStringList out = lines();
    for (QString& path : out) {
        const QString relative = folder.relativeFilePath(path);
        if (QDir::isAbsolutePath(path) && relative != QStringLiteral("..") &&
            !relative.startsWith(QStringLiteral("../")) && QDir::isRelativePath(relative))
            path = relative;
    }
    return out;
}

} // namespace quote
