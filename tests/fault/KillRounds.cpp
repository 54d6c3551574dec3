#include "KillRounds.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>
#include <memory>
#include <vector>

#ifndef KAVO_FAULT_CHILD
#error "KAVO_FAULT_CHILD names the child program"
#endif

namespace fault {

namespace {

// Removes every file of the slot folder but the target; returns how many there were.
int removeStrays(const QString& folder, const QString& target) {
    int n = 0;
    const QDir dir(folder);
    for (const QFileInfo& fi : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (fi.absoluteFilePath() == QFileInfo(target).absoluteFilePath())
            continue;
        QFile::remove(fi.absoluteFilePath());
        ++n;
    }
    return n;
}

} // namespace

KillFigures killRounds(const QString& folder, const KillPlan& plan,
                       const std::function<void(const QString&)>& prepare, QString* error) {
    KillFigures f;
    QRandomGenerator rng(QRandomGenerator::global()->generate());
    std::vector<QString> slotFolders;
    std::vector<int> before;
    for (int s = 0; s < plan.parallel; ++s) {
        const QString slot = QDir(folder).filePath(QStringLiteral("slot%1").arg(s));
        QDir().mkpath(slot);
        prepare(slot);
        slotFolders.push_back(slot);
        before.push_back(plan.state(plan.target(slot)));
    }
    while (f.kills < plan.kills) {
        const int n = std::min(plan.parallel, plan.kills - f.kills);
        std::vector<std::unique_ptr<QProcess>> children;
        for (int s = 0; s < n; ++s) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::SeparateChannels);
            p->start(QStringLiteral(KAVO_FAULT_CHILD), plan.arguments(slotFolders[size_t(s)]));
            children.push_back(std::move(p));
        }
        for (auto& p : children) {
            while (!p->canReadLine() && p->state() != QProcess::NotRunning)
                p->waitForReadyRead(5000);
            if (p->readLine().trimmed() != "ready") {
                if (error)
                    *error = QStringLiteral("child not ready: %1")
                                 .arg(QString::fromLocal8Bit(p->readAllStandardError()));
                for (auto& q : children) {
                    q->kill();
                    q->waitForFinished();
                }
                return f;
            }
        }
        // Each child dies at its own moment of its loop.
        std::vector<std::pair<int, int>> order; // delay, slot
        for (int s = 0; s < n; ++s)
            order.emplace_back(int(rng.bounded(plan.maxDelayMs + 1)), s);
        std::sort(order.begin(), order.end());
        QElapsedTimer clock;
        clock.start();
        for (const auto& [delay, s] : order) {
            const qint64 wait = delay - clock.elapsed();
            if (wait > 0)
                QThread::msleep(ulong(wait));
            children[size_t(s)]->kill(); // SIGKILL
        }
        for (int s = 0; s < n; ++s) {
            children[size_t(s)]->waitForFinished();
            ++f.kills;
            const QString target = plan.target(slotFolders[size_t(s)]);
            const int state = plan.state(target);
            ++f.checked;
            if (state < 0)
                ++f.lost;
            else if (state == before[size_t(s)])
                ++f.unchanged;
            else
                ++f.replaced;
            before[size_t(s)] = state;
            f.strays += removeStrays(slotFolders[size_t(s)], target);
        }
    }
    return f;
}

QString describe(const KillFigures& f) {
    return QStringLiteral("%1 kills, %2 files checked: %3 as before, %4 replaced whole, %5 lost; %6 "
                          "temporary files left by killed saves")
        .arg(f.kills)
        .arg(f.checked)
        .arg(f.unchanged)
        .arg(f.replaced)
        .arg(f.lost)
        .arg(f.strays);
}

} // namespace fault
