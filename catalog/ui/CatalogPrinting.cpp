#include "CatalogPrinting.h"

#include "mdM.h"
#include "system/System.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace catalog_ui {

namespace {
const QString kTitle = QStringLiteral("Kavo III");
} // namespace

QString templatePath(const QString& templateName) {
    return sys::findFileNoCase(QDir(sys::programFolder()).filePath(QStringLiteral("Pother")), templateName);
}

void printCatalog(const QString& templateName, const std::function<QVector<catalog::PrintCell>()>& cells) {
    if (!mdM::ExcelInstalled()) {
        ui::msgBox(QStringLiteral("系統偵測無 Excel\r\n無法列印"), ui::Buttons::OK, ui::Icon::Exclamation, kTitle);
        return;
    }
    const QString path = templatePath(templateName);
    if (!QFileInfo(path).isFile()) {
        ui::msgBox(QStringLiteral("找不到範本檔\r\n%1").arg(templateName), ui::Buttons::OK, ui::Icon::Critical, kTitle);
        return;
    }
    try {
        const QVector<catalog::PrintCell> filled = cells();
        Q_UNUSED(filled);
    } catch (const db::DbError& e) {
        ui::msgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical, kTitle);
    }
}

} // namespace catalog_ui
