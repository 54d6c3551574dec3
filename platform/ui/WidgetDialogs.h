#pragma once
// The dialog seam's widget backend: message boxes, input boxes and file dialogs on screen.
#include "Dialogs.h"

namespace ui {

class WidgetDialogs final : public DialogBackend {
public:
    Answer message(const MessageRequest& r) override;
    std::optional<QString> input(const InputRequest& r) override;
    QString openFile(const FileRequest& r) override;
    QString saveFile(const FileRequest& r) override;
    QString folder(const FileRequest& r) override;
};

// Makes the widget backend the default one (what ui::dialogs() uses when no other is installed).
// Call once after the QApplication exists.
void installWidgetDialogs();

// Loads Qt's own Traditional Chinese texts (file dialogs, standard buttons, context menus of text
// boxes) from the system's Qt translations and makes Taiwan the default locale (dates and sizes
// in the dialogs). False when they are not installed; the standard
// dialogs then stay in English. Call once after the QApplication exists.
bool installStandardTranslations();

} // namespace ui
