#include "QuotationPrint.h"

#include "SettingsStore.h"
#include "StaStatSource.h"
#include "Statistics.h"
#include "WorkbookBook.h"
#include "mdM.h"
#include "ui/Dialogs.h"

namespace xlprint {

JobResult printQuotation(const PrintCommand& cmd, const Switches& sw, quote::QuoteDocument& doc,
                         db::Database& sta, const UserRights& rights,
                         const std::function<void(bool)>& busy) {
    QStringList company;
    try {
        if (mdM::MainDb)
            company = shell::readCompany(*mdM::MainDb);
    } catch (const db::DbError& e) {
        // A printout without the company's name and address is no quotation to hand out.
        ui::msgBox(QStringLiteral("列印失敗：\n") + mdM::dbErrorText(e), ui::Buttons::OK,
                   ui::Icon::Exclamation, QString::fromLatin1(kJobTitle));
        return JobResult::Failed;
    }
    const PrintSnapshot snap = snapshotOf(doc, company, rights);
    StaStatSource stats(sta);
    LayerWorkbooks books;
    JobServices services;
    services.stats = &stats;
    services.books = &books;
    services.busy = busy;
    services.refreshStatistics = [&](bool byWorkType, int mode, QString* error) {
        try {
            stats::RefreshStatistics(doc, sta, byWorkType, mode);
            return true;
        } catch (const db::DbError& e) {
            *error = mdM::dbErrorText(e);
            return false;
        }
    };
    return runPrintJob(cmd, sw, snap, hasItemName(doc), mdM::TemplateFolder, services);
}

} // namespace xlprint
