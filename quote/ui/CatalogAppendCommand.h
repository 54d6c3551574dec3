#pragma once
// 品名加入施工資料庫 from the item grid's popup: the shown leaf's item names appended to the
// catalogue of the main database, the result reported in frmAddw, then the numbers left out as no
// cell can show them in one message. A database failure is shown with its reason and appends nothing.
namespace quote {
class QuoteDocument;
struct RightsView;
} // namespace quote

// False when nothing ran (no leaf other than the root shown, or the database failed). `rights`: what
// the user sees, and so may carry into the catalogue.
bool runCatalogAppend(const quote::QuoteDocument& doc, const quote::RightsView& rights);
