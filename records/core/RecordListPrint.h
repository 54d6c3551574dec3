#pragma once
// The record lists: customers, vendors or staff with the columns the user chose, in his order,
// into a copy of the list template of the table.
#include "PrintOutput.h"
#include "db/Database.h"

#include <QStringList>

namespace records {

// One subject of the list printouts (mdM::ListPrintParty): 1 customers, 2 vendors, 3 staff.
struct ListSubject {
    int party;
    const char* caption;      // of the field chooser
    const char* templateName; // in Pother
    const char* table;
    const char* key;          // the order of the list
};
// nullptr for a party that is none of the three.
const ListSubject* listSubject(int party);

// The columns offered for printing: the table's columns in declared order, without "type" (that
// exact name) for customers and vendors, without Pass and 權限 (any letter case) for staff.
QStringList printableColumns(db::Database& db, const ListSubject& subject);

// "select 客戶編號, 客戶名稱 from 客戶 order by 客戶編號": each name must be one of the offered
// columns (quoted as a name when it needs it). Throws PrintError for any other name.
QString listStatement(db::Database& db, const ListSubject& subject, const QStringList& columns);

// Writes the header names into row 2 (column i + 1 for name i), the records from row 3 on, each
// value as text with every ";" removed (a wrapping one kept to the lines the highest row shows,
// any other to the one line it shows over the record's empty cells to its right; a cut named in
// `cut`), and thin borders
// around the header names and between them.
void fillList(wb::Sheet& sheet, const QStringList& columns, db::Recordset& records, QStringList& cut);

// The whole list printout. Throws PrintError (a missing template, a database or workbook failure).
PrintOutcome printList(db::Database& db, const QString& programFolder, int party, const QStringList& columns);

} // namespace records
