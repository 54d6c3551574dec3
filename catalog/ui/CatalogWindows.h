#pragma once
// How the menu bar shows the construction-data window.
namespace catalog_ui {

// Shows frmEng maximised (loading it first when needed).
void showCatalogWindow();

} // namespace catalog_ui
