#include "FuzzSupport.h"

#include "system/System.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzz {
namespace {

// Answers every box like Escape: Cancel, No or OK; no file, no text.
class SilentDialogs final : public ui::DialogBackend {
public:
    ui::Answer message(const ui::MessageRequest& r) override {
        switch (r.buttons) {
        case ui::Buttons::OK:
            return ui::Answer::OK;
        case ui::Buttons::YesNo:
            return ui::Answer::No;
        case ui::Buttons::AbortRetryIgnore:
            return ui::Answer::Abort;
        default:
            return ui::Answer::Cancel;
        }
    }
    std::optional<QString> input(const ui::InputRequest&) override { return std::nullopt; }
    QString openFile(const ui::FileRequest&) override { return {}; }
    QString saveFile(const ui::FileRequest&) override { return {}; }
    QString folder(const ui::FileRequest&) override { return {}; }
};

std::unique_ptr<QTemporaryDir> scratch; // removed with its files when the run ends

} // namespace

void setUp() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static SilentDialogs dialogs;
    ui::setDialogBackend(&dialogs);
    sys::setExitHandler([](int) {});
    scratch = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("kavo-fuzz-XXXXXX")));
    sys::setProgramFolder(scratch->path());
}

QString folder() {
    return scratch->path();
}

void putFile(const QString& name, const QByteArray& bytes) {
    QFile f(QDir(folder()).filePath(name));
    require(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file cannot be written");
    require(f.write(bytes) == bytes.size(), "scratch file written short");
}

void require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

} // namespace fuzz
