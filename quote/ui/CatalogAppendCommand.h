#pragma once
// 品名加入施工資料庫 from the item grid's popup: the shown leaf's item names appended to the
// catalogue of the main database, the result reported in frmAddw. A database failure is shown
// with its reason and appends nothing.
namespace quote {
class QuoteDocument;
}

// False when nothing ran (no leaf other than the root shown, or the database failed).
bool runCatalogAppend(const quote::QuoteDocument& doc);
