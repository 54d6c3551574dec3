#include "ReportMenu.h"

#include "Report.h"
#include "ReportDb.h"
#include "ReportTables.h"
#include "StaDb.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Dialogs.h"

#include <stdexcept>

namespace stats {

namespace {

void showError(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
}

void showReport(const QString& name, QWidget* parent) {
    try {
        auto data = openReportDb(sys::programFolder());
        report::Report::load(name, *data).preview(parent);
    } catch (const db::DbError& e) {
        showError(mdM::dbErrorText(e));
    } catch (const std::runtime_error& e) {
        showError(QString::fromStdString(e.what()));
    }
}

} // namespace

bool mP_Click(quote::QuoteDocument& doc, db::Database* sta, int& printGroupMode) {
    // The grouping is set whether or not the fill succeeds: a later spreadsheet printout that does
    // not set it reads it.
    printGroupMode = reportGroupMode(doc);
    try {
        db::DatabasePtr own;
        if (!sta) {
            own = openStaDb(sys::programFolder());
            sta = own.get();
        }
        if (!mdM::MainDb)
            throw db::DbError(db::ErrObjectNotFound, QStringLiteral("company"));
        auto report = openReportDb(sys::programFolder());
        const ReportSources src{sta, report.get(), companyRow(*mdM::MainDb), mdM::QuoteCustPhone, mdM::QuoteCustFax};
        RefillReportTables(doc, src);
    } catch (const db::DbError& e) {
        showError(mdM::dbErrorText(e));
        return false;
    }
    return true;
}

void mPfp_Click(QWidget* parent) {
    showReport(QStringLiteral("fpdemo"), parent);
}

void mPdt_Click(QWidget* parent) {
    showReport(QStringLiteral("pbdemo"), parent);
}

} // namespace stats
