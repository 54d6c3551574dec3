#include "CatalogPrinting.h"

#include "system/System.h"
#include "ui/Dialogs.h"
#include "workbook/Workbook.h"

#include <QApplication>
#include <QDir>
#include <QScopeGuard>
#include <QFileInfo>

namespace catalog_ui {

namespace {
const QString kTitle = QStringLiteral("Kavo III");

} // namespace

QString templatePath(const QString& templateName) {
    return sys::findFileNoCase(QDir(sys::programFolder()).filePath(QStringLiteral("Pother")), templateName);
}

void printCatalog(const QString& templateName, const std::function<QVector<catalog::PrintCell>()>& cells) {
    const QString path = templatePath(templateName);
    if (!QFileInfo(path).isFile()) {
        ui::msgBox(QStringLiteral("找不到範本檔\r\n%1").arg(templateName), ui::Buttons::OK, ui::Icon::Critical, kTitle);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor); // busy while the copy is filled
    bool busy = true;
    const auto idle = [&busy] {
        if (busy)
            QApplication::restoreOverrideCursor();
        busy = false;
    };
    const auto restore = qScopeGuard(idle);
    try {
        const QVector<catalog::PrintCell> filled = cells();
        // A fresh copy of the template each time; an empty source leaves it unfilled.
        const std::unique_ptr<wb::Workbook> book = wb::Workbook::open(path);
        const QStringList cut = catalog::writeCells(book->sheet(1), filled);
        // The texts cut are told before the hand-over: the spreadsheet it opens would stand over
        // the message. Both with the ordinary pointer.
        idle();
        if (!cut.isEmpty())
            ui::msgBox(wb::cutMessage(cut, QStringLiteral("\r\n")), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
        const wb::Delivery d = wb::deliver(*book, path);
        if (!d.opened)
            ui::msgBox(wb::notOpenedMessage(d.path), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
    } catch (const db::DbError& e) {
        ui::msgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical, kTitle);
    } catch (const wb::WorkbookError& e) {
        ui::msgBox(e.reason(), ui::Buttons::OK, ui::Icon::Critical, kTitle);
    }
}

} // namespace catalog_ui
