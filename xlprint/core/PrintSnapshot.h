#pragma once
// The editor's values a print job reads, taken once when the job starts.
#include "PageEnd.h"
#include "PrintCommands.h"
#include "QuoteDocument.h"
#include "SheetPlan.h"

#include <QStringList>

namespace xlprint {

struct PrintSnapshot {
    quote::QuoteHeader header;
    QString custPhone, custFax, contact; // the customer picker's hand-over
    QStringList company;                 // name, address, telephone, fax, tax number, e-mail
    quote::PageEnd pageEnd;              // fees, tax, totals and remarks after the grand total
    UserRights rights;
    bool workTypesOnly = false;
    int treeNodes = 1;    // nodes of the tree, the root included
    int rootChildren = 0; // children of the root
};

// The snapshot of a quotation: its header, its page-end values with the grand total brought up
// to date, its tree's counts, the company row (empty values when there is none), the customer
// hand-over kept in mdM and the user's rights.
PrintSnapshot snapshotOf(const quote::QuoteDocument& doc, const QStringList& company,
                         const UserRights& rights);
// Whether any item row of the quotation (the shown leaf's edits included) has an item name.
bool hasItemName(const quote::QuoteDocument& doc);

// The 17 header placeholders with their values, in the order they are tried.
QVector<Placeholder> placeholderValues(const PrintSnapshot& s);

} // namespace xlprint
