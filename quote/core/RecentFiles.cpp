#include "RecentFiles.h"

namespace quote {

void RecentFiles::load(const QStringList& lines) {
    m_entries = {};
    for (int i = 0; i < kCount && i < lines.size(); ++i)
        m_entries[size_t(i)] = {lines.at(i), true};
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

} // namespace quote
