#include "ReportPreview.h"

#include "Report.h"

#include <QAction>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace report {

void showPreview(const Report& report, QWidget* parent, const QString& pdfFolder) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(report.pageLayout());
    printer.setDocName(report.layout().title);

    QDialog dialog(parent);
    dialog.setWindowTitle(report.layout().title);
    auto* view = new QPrintPreviewWidget(&printer, &dialog);
    QObject::connect(view, &QPrintPreviewWidget::paintRequested, &dialog,
                     [&report](QPrinter* pr) { report.render(*pr, pr->fromPage(), pr->toPage()); });
    auto* bar = new QToolBar(&dialog);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [&](const char* icon, const QString& text, auto slot) {
        QAction* a = bar->addAction(QIcon::fromTheme(QString::fromLatin1(icon)), text);
        QObject::connect(a, &QAction::triggered, &dialog, slot);
        return a;
    };
    add("go-previous", QStringLiteral("上一頁"), [view] { view->setCurrentPage(view->currentPage() - 1); });
    add("go-next", QStringLiteral("下一頁"), [view] { view->setCurrentPage(view->currentPage() + 1); });
    bar->addSeparator();
    add("zoom-in", QStringLiteral("放大"), [view] { view->zoomIn(); });
    add("zoom-out", QStringLiteral("縮小"), [view] { view->zoomOut(); });
    add("zoom-fit-best", QStringLiteral("整頁"), [view] { view->fitInView(); });
    bar->addSeparator();
    // Printing goes to a printer; files are written by the PDF command (whole or not at all).
    QAction* print = add("document-print", QStringLiteral("列印"), [&] {
        QPrintDialog ask(&printer, &dialog);
        ask.setOption(QAbstractPrintDialog::PrintToFile, false);
        if (ask.exec() == QDialog::Accepted) {
            view->print();
            dialog.accept();
        }
    });
    const bool printers = !QPrinterInfo::availablePrinterNames().isEmpty();
    print->setEnabled(printers);
    print->setShortcut(QKeySequence::Print);
    QAction* save = add("document-save-as", QStringLiteral("另存 PDF"), [&] {
        if (report.savePdfAs(pdfFolder))
            dialog.accept();
    });
    save->setShortcut(QKeySequence::Save);
    add("window-close", QStringLiteral("關閉"), [&] { dialog.reject(); });
    // Tab reaches every command of the tool bar; the keys are named in their tips.
    for (QAction* a : bar->actions()) {
        if (QWidget* w = bar->widgetForAction(a))
            w->setFocusPolicy(Qt::TabFocus);
        if (!a->shortcut().isEmpty())
            a->setToolTip(a->text() + QStringLiteral(" (") +
                          a->shortcut().toString(QKeySequence::NativeText) + u')');
    }
    if (!printers) // greyed: the reason in its tip, and the way that remains
        print->setToolTip(QStringLiteral("這部電腦沒有安裝印表機，無法列印；可用「另存 PDF」存成檔案"));

    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(view);
    // Large enough to read a page without zooming.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size() * 0.85);
    view->fitToWidth();
    dialog.exec();
}

} // namespace report
