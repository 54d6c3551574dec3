#include "ui/Controls.h"

#include "db/Database.h"
#include "text/TextCut.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>
#include <QVBoxLayout>
#include <limits>

namespace ui {

namespace {

constexpr int kToolkitLimit = 32767; // QLineEdit's default maxLength
constexpr int kWhole = std::numeric_limits<int>::max();
// The box's own limit in UTF-16 units (0: none), once the rule holds for it.
const char* const kOwnLimit = "ownTextLimit";

const char* const kUnloaded = "unloaded";

// Reads a view's list again at its use (a box about to drop down, a grid pressed), while the list is
// not read.
class ReadAgain final : public QObject {
public:
    ReadAgain(QWidget* view, QWidget* pressed, std::function<void()> read, std::function<bool()> unread)
        : QObject(view), m_view(view), m_pressed(pressed), m_read(std::move(read)),
          m_unread(std::move(unread)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        // A press on an editable box's text places the cursor; only a press on the box drops it down.
        bool used = e->type() == QEvent::MouseButtonPress && watched == m_pressed;
        if (const auto* box = qobject_cast<QComboBox*>(m_view); box && e->type() == QEvent::KeyPress) {
            // The keys that drop a box down; Space only a box that takes no typing.
            const auto* k = static_cast<QKeyEvent*>(e);
            used = k->key() == Qt::Key_F4 ||
                   ((k->key() == Qt::Key_Down || k->key() == Qt::Key_Up) &&
                    (k->modifiers() & Qt::AltModifier)) ||
                   (k->key() == Qt::Key_Space && !box->isEditable());
        }
        if (used && (isUnloaded(m_view) || (m_unread && m_unread())))
            m_read();
        return false;
    }

private:
    QWidget* m_view;
    QWidget* m_pressed;
    std::function<void()> m_read;
    std::function<bool()> m_unread;
};

// The reason in a non-editable box, which the toolkit would widen for the whole of it: its start, as
// far as the box shows at its width, and "…" (the whole reason is its tooltip). Cut again as the
// box is resized.
class ReasonInBox final : public QObject {
public:
    static inline const QString kName = QStringLiteral("reasonInBox");
    explicit ReasonInBox(QComboBox* box) : QObject(box), m_box(box) {
        setObjectName(kName);
        box->installEventFilter(this);
    }
    void show(const QString& reason) {
        m_reason = reason;
        fit();
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Resize && !m_reason.isEmpty())
            fit();
        return false;
    }

private:
    void fit() {
        // Before it is laid out, the box is as wide as it asks to be without the reason.
        QStyleOptionComboBox opt;
        opt.initFrom(m_box);
        if (!m_box->isVisible())
            opt.rect.setWidth(std::max(m_box->minimumWidth(), m_box->sizeHint().width()));
        const QRect room =
            m_box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, m_box);
        constexpr int kTextMargin = 4;
        m_box->setPlaceholderText(m_box->fontMetrics().elidedText(m_reason, Qt::ElideRight,
                                                                  std::max(0, room.width() - kTextMargin)));
    }

    QComboBox* m_box;
    QString m_reason;
};

// Every line edit the program places in a window or shows takes its text whole.
class TextBoxRule final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Polish || e->type() == QEvent::ParentChange)
            if (auto* box = qobject_cast<QLineEdit*>(watched))
                keepTextWhole(box);
        return false;
    }
};

void installTextBoxRule() {
    static QPointer<TextBoxRule> rule;
    QCoreApplication* app = QCoreApplication::instance();
    if (rule || !app)
        return;
    rule = new TextBoxRule(app);
    app->installEventFilter(rule);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installTextBoxRule)

QString textCutTip(int limit) {
    return QStringLiteral("文字太長：只收前 %1 個字元，其後的已截去").arg(limit);
}

namespace {
void sayCut(QLineEdit* box, int limit) {
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), textCutTip(limit), box);
}
} // namespace

void keepTextWhole(QLineEdit* box) {
    installTextBoxRule();
    const int max = box->maxLength();
    if (max == kWhole)
        return; // the rule holds, and no limit was set since
    const bool first = !box->property(kOwnLimit).isValid();
    const int limit = max == kToolkitLimit ? 0 : max;
    box->setProperty(kOwnLimit, limit);
    box->setMaxLength(kWhole);
    // A text the toolkit cut at the limit before the rule held for it may end inside a character.
    if (const QString t = box->text(); limit > 0 && t.size() == limit && t.back().isHighSurrogate()) {
        box->setText(t.chopped(1));
        sayCut(box, limit);
    }
    if (!first)
        return;
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& t) {
        const int own = box->property(kOwnLimit).toInt();
        if (own <= 0 || t.size() <= own)
            return;
        box->setText(text::cutToUnits(t, own));
        sayCut(box, own);
    });
}

QLineEdit* textBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    keepTextWhole(box);
    return box;
}

QLineEdit* passwordBox(QWidget* parent, const char* name) {
    QLineEdit* box = textBox(parent, name);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void markUnloaded(QWidget* view, const QString& reason) {
    view->setToolTip(reason);
    view->setProperty(kUnloaded, !reason.isEmpty());
    // A box shows the reason in place of its empty text; what it holds is never touched.
    if (auto* combo = qobject_cast<QComboBox*>(view)) {
        if (combo->isEditable()) {
            // Its line edit's placeholder: the combo's own would choose an entry when cleared.
            combo->lineEdit()->setPlaceholderText(reason);
        } else {
            auto* fitted = dynamic_cast<ReasonInBox*>(
                combo->findChild<QObject*>(ReasonInBox::kName, Qt::FindDirectChildrenOnly));
            if (!fitted && !reason.isEmpty())
                fitted = new ReasonInBox(combo);
            if (fitted)
                fitted->show(reason);
            // Filled while the reason stood, it chose no entry: the first one, as a first filling does.
            if (reason.isEmpty() && combo->currentIndex() < 0 && combo->count() > 0) {
                const QSignalBlocker block(combo);
                combo->setCurrentIndex(0);
            }
        }
    }
    if (auto* box = qobject_cast<QLineEdit*>(view))
        box->setPlaceholderText(reason);
    auto* area = qobject_cast<QAbstractScrollArea*>(view);
    if (!area)
        return;
    const QString name = QStringLiteral("unloadedReason");
    auto* label = area->viewport()->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
    if (!label && reason.isEmpty())
        return;
    if (!label) {
        label = new QLabel(area->viewport());
        label->setObjectName(name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        (new QVBoxLayout(area->viewport()))->addWidget(label);
    }
    label->setText(reason);
    label->setVisible(!reason.isEmpty());
}

QString unloadedReason(const db::DbError& failure) {
    return QStringLiteral("未能載入：%1").arg(failure.description());
}

void markUnloaded(QWidget* view, const db::DbError& failure) {
    markUnloaded(view, unloadedReason(failure));
}

bool isUnloaded(const QWidget* view) {
    return view->property(kUnloaded).toBool();
}

void readAgainAtUse(QWidget* view, const std::function<void()>& read, const std::function<bool()>& unread) {
    auto* area = qobject_cast<QAbstractScrollArea*>(view);
    QWidget* pressed = area ? area->viewport() : view;
    auto* filter = new ReadAgain(view, pressed, read, unread);
    pressed->installEventFilter(filter);
    if (auto* box = qobject_cast<QComboBox*>(view); box && box->lineEdit())
        box->lineEdit()->installEventFilter(filter);
}

void refill(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    const int index = box->currentIndex();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    if (!box->isEditable())
        return;
    // Adding to an empty box chooses its first entry: the entry chosen before, if it still is one,
    // else none, and the text as it was.
    box->setCurrentIndex(index >= 0 && index < box->count() && box->itemText(index) == text ? index : -1);
    box->setEditText(text);
}

} // namespace ui
