#include "PrintRunner.h"

#include "ui/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <optional>

namespace records {
namespace {

// Shows the indicator and the busy pointer while it lives, whatever ends the printout.
class Busy {
public:
    explicit Busy(QProgressBar* ani) : ani_(ani) {
        if (ani_) {
            ani_->setEnabled(true);
            ani_->setVisible(true);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(); // the indicator shows before the work starts
    }
    ~Busy() {
        QApplication::restoreOverrideCursor();
        if (ani_) {
            ani_->setVisible(false);
            ani_->setEnabled(false);
        }
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    QProgressBar* ani_;
};

void refuse(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Exclamation, QString::fromUtf8(kPrintTitle));
}

} // namespace

QProgressBar* busyIndicator(QWidget* parent) {
    auto* ani = new QProgressBar(parent);
    ani->setObjectName(QStringLiteral("ani"));
    ani->setRange(0, 0);
    ani->setTextVisible(false);
    ani->setVisible(false);
    ani->setEnabled(false);
    return ani;
}

namespace {
class LeaveOnEscape final : public QObject {
public:
    LeaveOnEscape(QWidget* window, std::function<void()> leave) : QObject(window), m_leave(std::move(leave)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* e) override {
        // The window's own filter sees a key its controls left to it.
        if (watched != parent() || e->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(e)->key() != Qt::Key_Escape)
            return false;
        m_leave();
        return true;
    }

private:
    std::function<void()> m_leave;
};
} // namespace

void leaveOnEscape(QWidget* window, std::function<void()> leave) {
    new LeaveOnEscape(window, std::move(leave));
}

void leaveOnEscape(QWidget* window, QAbstractButton* leave) {
    leaveOnEscape(window, [leave] { leave->click(); });
}

void takeOnEnter(QWidget* window, QAbstractButton* take) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), window);
        QObject::connect(enter, &QShortcut::activated, take, [window, take] {
            auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            (focused && window->isAncestorOf(focused) ? focused : take)->click();
        });
    }
}

bool runPrintout(QProgressBar* ani, const std::function<PrintOutcome(const TellCut& tellCut)>& print) {
    PrintOutcome outcome;
    try {
        std::optional<Busy> busy(std::in_place, ani);
        outcome = print([&busy](const QStringList& cut) {
            busy.reset(); // the hand-over after it may tell where the file was saved: no busy pointer
            refuse(wb::cutMessage(cut, QStringLiteral("\r\n")));
        });
    } catch (const PrintError& e) {
        refuse(e.message);
        return false;
    }
    const QString message = outcomeMessage(outcome);
    if (!message.isEmpty())
        refuse(message);
    return true;
}

} // namespace records
