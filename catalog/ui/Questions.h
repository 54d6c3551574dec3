#pragma once
// The questions of the catalogue windows whose Yes overwrites or discards stored data (or changes
// the user made that are not stored yet). They are Yes/No boxes titled "Kavo III" with No as the
// default button, so that Enter keeps what is there.
#include "ui/Dialogs.h"

#include <QString>

namespace catalog_ui {

// True when the user answered Yes.
bool confirmLoss(const QString& text, ui::Icon icon = ui::Icon::Question);

// The rows a grid would overwrite changed elsewhere since it loaded them: the program's one
// question for that (Yes overwrites, No reloads the grid, Cancel keeps editing).
using ui::askOverwrite;

// A store failed while a window closes: the reason, what was not stored and whether to close
// without storing it. True closes; No (the default) keeps the window with the changes.
bool closeWithoutStoring(const QString& reason, const QString& what);

} // namespace catalog_ui
