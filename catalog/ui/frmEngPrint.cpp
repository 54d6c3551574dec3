// The four catalogue printouts of the construction-data window.
#include "frmEng.h"

#include "CatalogPrinting.h"
#include "GridCells.h"

#include <QTableWidget>

void frmEng::cmdPo_Click() {
    if (!m_store || !m_rights)
        return;
    // A list changed here prints as shown, as closing will store it; the others as stored.
    catalog_ui::printCatalog(QString::fromUtf8(catalog::kVocabularyTemplate), [&] {
        QVector<QStringList> lists;
        for (int i = 0; i < catalog::kRatioList; ++i)
            lists << (listChanged(i) ? catalog::withoutEmptyLast(catalog_ui::columnTexts(hfgS.at(i), 0))
                                     : m_store->vocabulary(i));
        return catalog::vocabularyCells(lists);
    });
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
