// The quotation editor's statistics and report commands walked under a failing database.
#include "Report.h"
#include "Walk.h"
#include "WalkEditor.h"
#include "frmCal.h"

#include <QMenu>

using namespace walk;

namespace {

QList<Row> rows() {
    // No report preview opens, the statistics copy goes nowhere.
    report::Report::setPreviewOverride([](const report::Report&, QWidget*) {});
    frmCal::setCopier([](const QList<QStringList>&) { return QString(); });
    return {
        {QStringLiteral("報價單: 統計"),
         {QStringLiteral("統計")},
         [] { editorWithQuotation(); },
         [] {
             ModalCloser closer(
                 [] { return ui::Default<frmCal>::isLoaded() ? ui::Default<frmCal>::get() : nullptr; },
                 [] { ui::Default<frmCal>::get()->cmdExit_Click(); });
             trigger("mCalT");
         },
         {},
         kDiscard},
        {QStringLiteral("報價單: 列印 (報表資料)"),
         {QStringLiteral("統計"), QStringLiteral("pfp")},
         [] { editorWithQuotation(); },
         [] { emit ui::Default<frmQ>::get()->menu(QStringLiteral("mP"))->aboutToShow(); },
         [] {
             trigger("mPfp");
             trigger("mPdt");
         },
         kDiscard},
        // Opening the menu again refills the reports over those of the first opening.
        {QStringLiteral("報價單: 報表 封面, 明細"),
         {QStringLiteral("pfp"), QStringLiteral("r:company")},
         [] { emit editorWithQuotation()->menu(QStringLiteral("mP"))->aboutToShow(); },
         [] { emit ui::Default<frmQ>::get()->menu(QStringLiteral("mP"))->aboutToShow(); },
         [] {
             trigger("mPfp");
             trigger("mPdt");
         },
         kDiscard},
    };
}

} // namespace

WALK_MAIN(rows)
