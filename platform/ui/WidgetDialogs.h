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

} // namespace ui
