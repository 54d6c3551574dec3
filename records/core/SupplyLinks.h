#pragma once
// A vendor's supply links: the work crews (商vs工) or materials (商vs料) it is linked to by name,
// and the three lists of the links editor: the current links, the names added, and the other
// names of the vocabulary. Throws db::DbError.
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace records {

struct LinkKind {
    QString table;      // 商vs工 or 商vs料
    QString column;     // 工 or 料
    QString vocabulary; // the names offered, in their order
    QString caption;
    QString ownedTitle;
    QString addedTitle;
    QString allTitle;
    int red = 0, green = 0, blue = 0; // the editor's background
};

// "w" work crews, "p" materials (letter case as given); none for any other mode.
std::optional<LinkKind> linkKind(const QString& mode);

// The vendor's linked names in stored order.
QStringList readLinks(db::Database& d, const LinkKind& k, const QString& vendor);
// Deletes every link of the vendor of that kind; the number deleted.
int deleteLinks(db::Database& d, const LinkKind& k, const QString& vendor);

class SupplyLinkLists {
public:
    QStringList owned; // LsO
    QStringList added; // LsNew
    QStringList all;   // LsAll

    // Every name of the vocabulary, the vendor's links (also when the vocabulary is empty), and
    // the vocabulary without the linked names.
    void load(db::Database& d, const LinkKind& k, const QString& vendor);
    // 加入: the chosen entries of `all` (rows) go to the end of `added`; every entry of `all`
    // equal to an added name leaves `all`.
    void add(QList<int> rows);
    // 移除: the chosen entries of `owned` go to the end of `all` and leave `owned`.
    void remove(QList<int> rows);
    // 確定: the links removed here since the load are deleted and the names added here are linked,
    // in one transaction; links another workstation added or removed meanwhile stay as they are (a
    // name added here that is linked by now is not linked again). False, nothing written, when the
    // vendor is no longer stored.
    bool write(db::Database& d, const LinkKind& k, const QString& vendor) const;

private:
    void removeOwnedFromAll();

    QStringList m_read; // the vendor's links as loaded
};

} // namespace records
