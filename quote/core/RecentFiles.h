#pragma once
// The quotation editor's recent-files list: five entries, the most recent first, each a full path
// that is shown or hidden. It survives between runs in Of.ini, one shown path per line; a file
// inside the program folder is kept there relative to it, so a copied program folder lists its own
// quotations.
#include <QString>
#include <QStringList>
#include <array>

namespace quote {

class RecentFiles {
public:
    static constexpr int kCount = 5;
    struct Entry {
        QString caption;
        bool visible = false;
        bool operator==(const Entry&) const = default;
    };

    // The lines of Of.ini: entry i shows line i (a relative one taken in programFolder); lines
    // beyond the fifth are left out.
    void load(const QStringList& lines, const QString& programFolder = {});
    // Puts the path at the top: a path already listed moves up, a new one pushes the fifth entry
    // out; a lower duplicate of a shown entry is hidden where it stands.
    void AddRecentFile(const QString& path);
    // The shown captions in list order, as Of.ini holds them.
    QStringList lines() const;
    // The lines for Of.ini: a path inside programFolder relative to it, another as it stands.
    QStringList storedLines(const QString& programFolder) const;

    const std::array<Entry, kCount>& entries() const { return m_entries; }

private:
    std::array<Entry, kCount> m_entries;
};

} // namespace quote
