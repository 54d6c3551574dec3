#include "ReportMenu.h"

#include "Report.h"
#include "ReportDb.h"
#include "ReportTables.h"
#include "StaDb.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Dialogs.h"
#include "workbook/Workbook.h"

#include <stdexcept>

namespace stats {

namespace {

void showError(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
}

// Why the last filling of the report tables failed; empty after one that succeeded. The reports
// then show another quotation (or part of one), so they are refused until a filling succeeds.
QString& refillFailure() {
    static QString reason;
    return reason;
}

void showReport(const QString& name, QWidget* parent) {
    if (!refillFailure().isEmpty()) {
        showError(refillFailure());
        return;
    }
    try {
        auto data = openReportDb(sys::programFolder());
        // A PDF goes where the spreadsheet printouts go.
        report::Report::load(name, *data).preview(parent, wb::outputFolder());
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
        const std::optional<QStringList> company = companyRow(*mdM::MainDb);
        if (!company) {
            refillFailure() =
                QStringLiteral("找不到公司資料：請先在 系統設定 的「公司資料」輸入公司名稱、地址與電話。");
        } else {
            auto report = openReportDb(sys::programFolder());
            RefillReportTables(doc, {sta, report.get(), *company, mdM::QuoteCustPhone, mdM::QuoteCustFax});
            refillFailure().clear();
        }
    } catch (const db::DbError& e) {
        refillFailure() = mdM::dbErrorText(e);
    }
    if (refillFailure().isEmpty())
        return true;
    showError(refillFailure());
    return false;
}

void mPfp_Click(QWidget* parent) {
    showReport(QStringLiteral("fpdemo"), parent);
}

void mPdt_Click(QWidget* parent) {
    showReport(QStringLiteral("pbdemo"), parent);
}

} // namespace stats
