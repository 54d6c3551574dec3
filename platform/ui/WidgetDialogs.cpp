#include "WidgetDialogs.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace ui {

namespace {

QString titleOf(const QString& title) {
    return title.isEmpty() ? QString::fromUtf8(kBoxTitle) : title;
}

QWidget* parentWindow() {
    return QApplication::activeWindow();
}

// Room in a title bar beside its text: the window's icon and its buttons.
constexpr int kTitleBarRoomTwips = 2400;

// A message box is at least as wide as its title needs, whatever the text.
void makeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QFontMetrics fm(QApplication::font("QMdiSubWindowTitleBar"));
    const int width = fm.horizontalAdvance(box.windowTitle()) + twipsToPixelsX(kTitleBarRoomTwips, &box);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSpec {
    QString text;
    QMessageBox::ButtonRole role;
};

ButtonSpec buttonSpec(Answer a) {
    switch (a) {
    case Answer::OK:
        return {QStringLiteral("確定"), QMessageBox::AcceptRole};
    case Answer::Cancel:
        return {QStringLiteral("取消"), QMessageBox::RejectRole};
    case Answer::Yes:
        return {QStringLiteral("是(&Y)"), QMessageBox::YesRole};
    case Answer::No:
        return {QStringLiteral("否(&N)"), QMessageBox::NoRole};
    case Answer::Retry:
        return {QStringLiteral("重試"), QMessageBox::AcceptRole};
    case Answer::Abort:
        return {QStringLiteral("中止"), QMessageBox::RejectRole};
    case Answer::Ignore:
        return {QStringLiteral("略過"), QMessageBox::AcceptRole};
    }
    return {QStringLiteral("確定"), QMessageBox::AcceptRole};
}

// The folder and preset file name a file dialog starts in.
QString startPath(const FileRequest& r) {
    if (r.fileName.isEmpty())
        return r.folder;
    if (QFileInfo(r.fileName).isAbsolute() || r.folder.isEmpty())
        return r.fileName;
    return QDir(r.folder).filePath(r.fileName);
}

QString selectedFilter(const FileRequest& r, const QString& qtFilter) {
    const QStringList filters = qtFilter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    const int i = r.filterIndex - 1;
    return (i >= 0 && i < filters.size()) ? filters.at(i) : QString();
}

// A dialog opened while the program shows the wait cursor (a window loading) shows the ordinary
// pointer until it closes.
class OrdinaryCursor {
public:
    OrdinaryCursor() : m_waiting(QApplication::overrideCursor() != nullptr) {
        if (m_waiting)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~OrdinaryCursor() {
        if (m_waiting)
            QApplication::restoreOverrideCursor();
    }
    OrdinaryCursor(const OrdinaryCursor&) = delete;
    OrdinaryCursor& operator=(const OrdinaryCursor&) = delete;

private:
    bool m_waiting;
};

} // namespace

Answer WidgetDialogs::message(const MessageRequest& r) {
    const OrdinaryCursor pointer;
    QMessageBox box(parentWindow());
    box.setWindowTitle(titleOf(r.title));
    box.setTextFormat(Qt::PlainText); // names and paths in a message are shown as typed, never as markup
    box.setText(r.text);
    box.setIcon(qtIcon(r.icon));
    const QList<Answer> answers = buttonAnswers(r.buttons);
    QList<QAbstractButton*> buttons;
    for (Answer a : answers) {
        const ButtonSpec spec = buttonSpec(a);
        buttons << box.addButton(spec.text, spec.role);
    }
    const int def = r.defaultButton - 1;
    if (def >= 0 && def < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.at(def)));
    box.setEscapeButton(buttons.at(answers.indexOf(escapeAnswer(r.buttons))));
    makeRoomForTitle(box);
    box.exec();
    const int pressed = buttons.indexOf(box.clickedButton());
    return pressed >= 0 ? answers.at(pressed) : escapeAnswer(r.buttons);
}

std::optional<QString> WidgetDialogs::input(const InputRequest& r) {
    const OrdinaryCursor pointer;
    QInputDialog dlg(parentWindow());
    dlg.setWindowTitle(titleOf(r.title));
    dlg.setLabelText(r.prompt);
    if (auto* label = dlg.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dlg.setTextValue(r.defaultText);
    dlg.setOkButtonText(QStringLiteral("確定"));
    dlg.setCancelButtonText(QStringLiteral("取消"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QString WidgetDialogs::openFile(const FileRequest& r) {
    const OrdinaryCursor pointer;
    const QString filter = toQtFilter(r.filter);
    QString selected = selectedFilter(r, filter);
    return QFileDialog::getOpenFileName(parentWindow(), r.title, startPath(r), filter, &selected);
}

QString WidgetDialogs::saveFile(const FileRequest& r) {
    const OrdinaryCursor pointer;
    const QString filter = toQtFilter(r.filter);
    QString selected = selectedFilter(r, filter);
    // The seam asks about an existing file once the default suffix is on the name.
    return QFileDialog::getSaveFileName(parentWindow(), r.title, startPath(r), filter, &selected,
                                        QFileDialog::DontConfirmOverwrite);
}

QString WidgetDialogs::folder(const FileRequest& r) {
    const OrdinaryCursor pointer;
    return QFileDialog::getExistingDirectory(parentWindow(), r.title, r.folder);
}

void installWidgetDialogs() {
    static WidgetDialogs widgets;
    setDefaultDialogBackend(&widgets);
}

bool installStandardTranslations() {
    auto* translator = new QTranslator(qApp);
    const QLocale taiwan(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
    if (!translator->load(taiwan, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    // Dates, sizes and file types in the dialogs in the Taiwan form as well.
    QLocale::setDefault(taiwan);
    return QCoreApplication::installTranslator(translator);
}

} // namespace ui
