#pragma once
// The construction catalogue and the vocabulary lists in the main database: what the catalogue
// window reads and every write it makes. Each write is one transaction: it either happens whole or
// leaves the old rows (a db::DbError comes back). Names are matched as the name columns compare
// them, without regard to the case of A to Z (see sameName), and always passed as bound values.
#include "CatalogLists.h"
#include "db/Database.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>
#include <stdexcept>

namespace catalog {

// A work item line of a work kind: every cell as text, as the grid shows it.
struct WorkItem {
    QString name;
    QString unit;
    QString cost;
    QString ratio;
    bool operator==(const WorkItem&) const = default;
};

// A line of the work-item grid to store: the item, and the name it was loaded with (none for a line
// added since), so that a rename carries the item's markups along. A merge over the rows loaded
// takes the line as the row it was read as: its place among them where given, else the first
// of its loaded name.
struct WorkItemLine {
    WorkItem item;
    std::optional<QString> loadedName;
    std::optional<int> loadedRow = std::nullopt;
};

struct Markup {
    QString detail;
    QString amount;
    bool operator==(const Markup&) const = default;
};

// An entry of a vocabulary list: its text and the text it was loaded with (none when added), and
// its place among the entries loaded (as a work-item line's).
struct VocabularyEntry {
    QString text;
    std::optional<QString> loadedText;
    std::optional<int> loadedRow = std::nullopt;
};

// A keyed rewrite refused, nothing written: the stored rows are no longer those the grid loaded, or
// the row they belong under (a category, a work kind, a work item) is gone.
class StaleRows : public std::runtime_error {
public:
    enum class Kind { Changed, ParentGone };
    StaleRows(Kind kind, const QString& parent, const QStringList& changedRows = {});
    Kind kind() const { return m_kind; }
    QString parent() const { return m_parent; }
    // "【住宅】已不存在" for a parent that is gone.
    QString reason() const;
    // The rows added, removed or changed elsewhere, by name ("A → B" for a row renamed, "順序"
    // when they were moved).
    const QStringList& changedRows() const { return m_changedRows; }

private:
    Kind m_kind;
    QString m_parent;
    QStringList m_changedRows;
};

// Vocabulary lists refused for the texts they were loaded with: the lists (by index) whose stored
// texts are no longer those.
class StaleLists : public StaleRows {
public:
    StaleLists(const QList<int>& lists, const QStringList& changedRows);
    const QList<int>& lists() const { return m_lists; }

private:
    QList<int> m_lists;
};

class CatalogStore {
public:
    explicit CatalogStore(db::DatabasePtr database);
    db::Database& database() const { return *m_db; }
    const db::DatabasePtr& databasePtr() const { return m_db; }

    // ---- reads, each in its list order
    QStringList categories() const;
    QStringList workKinds() const;
    QStringList masterEntries(const MasterList& list) const;
    QStringList areas(const QString& category) const;
    QVector<WorkItem> workItems(const QString& kind) const;
    QVector<Markup> markups(const QString& item) const;
    QStringList vocabulary(int list) const;
    QStringList units() const { return vocabulary(0); }
    // Whether any work kind has an item of that name.
    bool hasWorkItem(const QString& name) const;

    // ---- keyed rewrites: every row of the key replaced by the lines given, in their order. Each
    // is refused (StaleRows, nothing written) when the key's parent row is gone, and, when the rows
    // it was loaded with are given, when the stored rows are no longer those, unless `overwrite`:
    // then only what changed from the rows loaded to the lines given is written over the stored
    // rows (merge::mergeRows), the rows changed elsewhere and left alone here stay as stored.
    // Each line merges with the row it was read as: `readAs` gives, line by line, its place
    // among the rows loaded (-1 for a line added since); without it a line counts as read under
    // its own name. Without the rows loaded it overwrites whatever is stored.
    // Areas get sort 1, 2, 3, ...
    void saveAreas(const QString& category, const QStringList& areas,
                   const std::optional<QStringList>& loaded = std::nullopt, bool overwrite = false,
                   const QList<int>& readAs = {});
    // Items get sort 2, 3, 4, ...; a cost or ratio that is not a number is stored as 0, and one no
    // cell can show is refused (NumberTooLong naming the item and the column, nothing written). A line
    // whose loaded name differs from its name takes the markups of the loaded name along (they
    // are copied when another item anywhere still has the loaded name). Items of `deletedNames`
    // (and items renamed to an empty name) lose their markups unless an item anywhere still has
    // that name.
    void saveWorkItems(const QString& kind, const QVector<WorkItemLine>& lines,
                       const QStringList& deletedNames,
                       const std::optional<QVector<WorkItem>>& loaded = std::nullopt, bool overwrite = false);
    // Markups get sort 2, 3, 4, ...; an amount that is not a number is stored as 0, one no cell can
    // show is refused (NumberTooLong naming the detail).
    void saveMarkups(const QString& item, const QVector<Markup>& lines,
                     const std::optional<QVector<Markup>>& loaded = std::nullopt, bool overwrite = false,
                     const QList<int>& readAs = {});

    // ---- the vocabulary lists given (by list index), each rewritten whole, all in one
    // transaction; lists not given stay as stored. Each list drops one empty last entry. An entry
    // of the work crews or materials given a new, non-empty text carries it into the vendors'
    // links (a copy of them while another entry keeps the old text); an emptied or dropped entry
    // leaves its links as they are. Lists whose loaded texts are given in `loaded` are refused
    // (StaleLists naming every such list, nothing of any list written) when their stored texts are
    // no longer those, unless `overwrite`: then what changed in them since they were loaded is
    // merged into those stored, as the keyed rewrites do.
    void saveVocabularies(const QMap<int, QVector<VocabularyEntry>>& lists,
                          const QMap<int, QStringList>& loaded = {}, bool overwrite = false);

    // ---- the ordered master lists
    bool masterContains(const MasterList& list, const QString& name) const;
    // Appends the entry with id = count + 1.
    void addMasterEntry(const MasterList& list, const QString& name);
    // Renames the entry and its links. When `to` is already in the list the two merge: the links
    // of `from` follow `to` (after its own), the row of `from` goes and the ids are renumbered.
    // False, nothing written, when `from` is no longer in the list.
    bool renameMasterEntry(const MasterList& list, const QString& from, const QString& to);
    // Deletes the entry and its links and renumbers the ids 1..n. Deleting a work kind also
    // deletes the markups of its items whose names no item anywhere keeps. False, nothing written,
    // when the entry is no longer in the list.
    bool deleteMasterEntry(const MasterList& list, const QString& name);
    // Rewrites the list with ids 1..n in the order given: the stored entries in that order, those
    // stored since (by another workstation) after them; a name no longer stored is not written.
    // Given the list as loaded and, entry by entry, the place among it each was read as, only the
    // moves made since the load are written: they are merged into the stored order
    // (merge::mergeRows), so that entries moved, added or renamed elsewhere keep their places.
    // The list as stored comes back.
    QStringList saveOrder(const MasterList& list, const QStringList& names,
                   const std::optional<QStringList>& loaded = std::nullopt, const QList<int>& readAs = {});

private:
    // The one check of every keyed rewrite, inside its transaction: whether the rows given are to
    // be merged into those stored (they changed since they were loaded, and `overwrite`).
    template <class Rows>
    static bool mustMerge(const std::optional<Rows>& loaded, const Rows& stored, const QString& key, bool overwrite);
    void requireParent(bool exists, const QString& parent) const;
    void rewriteMaster(const MasterList& list, const QStringList& names);
    void deleteOrphanMarkups(const QStringList& names);
    db::DatabasePtr m_db;
};

// The lines as the grids store them: one empty last line is dropped.
QStringList withoutEmptyLast(QStringList lines);

} // namespace catalog
