// The four catalogue printouts of the construction-data window.
#include "frmEng.h"

#include "CatalogPrinting.h"

void frmEng::cmdPo_Click() {
    printCatalog(catalog::kVocabularyTemplate, &catalog::vocabularyCells);
}

void frmEng::cmdPrd_Click() {
    printCatalog(catalog::kMarkupTemplate, &catalog::markupCells);
}

void frmEng::cmdPrK_Click() {
    printCatalog(catalog::kCategoryTemplate, &catalog::categoryCells);
}

void frmEng::cmdPrt_Click() {
    printCatalog(catalog::kWorkKindTemplate, &catalog::workKindCells);
}

void frmEng::printCatalog(const char* templateName, QVector<catalog::PrintCell> (*fill)(db::Database&)) {
    if (!m_store || !m_rights)
        return;
    catalog_ui::printCatalog(QString::fromUtf8(templateName), [&] { return fill(m_store->database()); });
}
