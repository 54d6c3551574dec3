#pragma once
// Kills children in the middle of their saves: rounds of children started side by side, each
// killed with SIGKILL at a random moment once it is ready, and the file it was saving checked.
#include <QString>
#include <QStringList>
#include <functional>

namespace fault {

struct KillFigures {
    int kills = 0;
    int checked = 0;
    int unchanged = 0; // the file as it stood before the child started
    int replaced = 0;  // the file the child was writing, whole
    int lost = 0;      // anything else
    int strays = 0;    // files left beside it (temporary files of the killed save)
};

struct KillPlan {
    int kills = 200;
    int parallel = 4;
    int maxDelayMs = 100; // the kill falls between 0 and this long after "ready"
    // Arguments of the child for a slot (its own folder).
    std::function<QStringList(const QString& slotFolder)> arguments;
    // The file the slot's child saves.
    std::function<QString(const QString& slotFolder)> target;
    // Which of the acceptable contents the file holds: 0 or 1, -1 for none of them.
    std::function<int(const QString& file)> state;
};

// Runs the plan in `folder` (one subfolder per slot, prepared by `prepare`). The first failure to
// start or to get ready is reported through `error`.
KillFigures killRounds(const QString& folder, const KillPlan& plan,
                       const std::function<void(const QString& slotFolder)>& prepare, QString* error);

QString describe(const KillFigures& f);

} // namespace fault
