#include "QuotationPrint.h"

#include "SettingsStore.h"
#include "StaStatSource.h"
#include "Statistics.h"
#include "WorkbookBook.h"
#include "mdM.h"

namespace xlprint {

JobResult printQuotation(const PrintCommand& cmd, const Switches& sw, quote::QuoteDocument& doc,
                         db::Database& sta, const UserRights& rights, const std::function<void(bool)>& busy) {
    // A missing company row prints empty values; a database error ends the job with its reason.
    // The wait cursor from the start of the print, also while the company row waits on a lock.
    QStringList company;
    QString companyError;
    if (busy)
        busy(true);
    try {
        if (mdM::MainDb)
            company = shell::readCompany(*mdM::MainDb);
    } catch (const db::DbError& e) {
        companyError = mdM::dbErrorText(e);
    }
    if (busy)
        busy(false);
    if (!companyError.isEmpty() && hasItemName(doc))
        return showJobFailure(companyError);
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
