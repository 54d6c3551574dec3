#include "ReportMenu.h"

#include "EditorRules.h"
#include "Report.h"
#include "ReportDb.h"
#include "ReportTables.h"
#include "StaDb.h"
#include "mdM.h"
#include "system/System.h"
#include "ui/Dialogs.h"
#include "workbook/Workbook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <optional>
#include <stdexcept>

namespace stats {

namespace {

void showError(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
}

// Why the last filling of the report tables failed; empty after one that succeeded. The reports
// then show another quotation (or part of one), so they are refused until a filling succeeds.
// Owned, as the reports below, by the editor's 列印 menu: set at each opening of it.
QString& refillFailure() {
    static QString reason;
    return reason;
}

// The reports as the last filling wrote them, read back before its commit: another copy of the
// program that refills ptdemo.mdb later does not change what the items show.
struct HeldReports {
    std::optional<report::Report> cover;
    std::optional<report::Report> details;
};
HeldReports& held() {
    static HeldReports reports;
    return reports;
}

void showReport(const std::optional<report::Report>& r, QWidget* parent) {
    // The failure's reason was said when the menu opened; a held database is said once.
    if (!refillFailure().isEmpty() || !r) {
        showError(refillFailure().isEmpty() ? QStringLiteral("報表尚未填入")
                                            : QStringLiteral("報表未能填入：請再開啟一次 列印 選單。"));
        return;
    }
    // A PDF goes where the spreadsheet printouts go.
    r->preview(parent, wb::outputFolder());
}

// The wait cursor from the start of the filling to its end, however it ends.
struct WaitCursor {
    WaitCursor() {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The database files of the program folder a filling created: removed again unless it succeeded,
// so a failed filling leaves the folder as it was. Destroyed after the files' connections.
struct MadeFiles {
    bool sta = false;
    bool report = false;
    bool keep = false;
    ~MadeFiles() {
        const QDir folder(sys::programFolder());
        if (sta && !keep)
            QFile::remove(folder.filePath(QString::fromLatin1(kStaDbFile)));
        if (report && !keep)
            QFile::remove(folder.filePath(QString::fromLatin1(kReportDbFile)));
    }
};

} // namespace

bool mP_Click(quote::QuoteDocument& doc, db::Database* sta, int& printGroupMode) {
    // The grouping is set whether or not the fill succeeds: a later spreadsheet printout that does
    // not set it reads it.
    printGroupMode = reportGroupMode(doc);
    held() = {};
    {
        // Also while the company row or the databases wait on a lock.
        const WaitCursor wait;
        try {
            MadeFiles made;
            db::DatabasePtr own;
            if (!sta) {
                own = openStaDb(sys::programFolder(), &made.sta);
                sta = own.get();
            }
            if (!mdM::MainDb)
                throw db::DbError(db::ErrObjectNotFound, QStringLiteral("company"));
            const std::optional<QStringList> company = companyRow(*mdM::MainDb);
            if (!company) {
                refillFailure() = QStringLiteral(
                    "找不到公司資料：請先在 系統設定 的「公司資料」輸入公司名稱、地址與電話。");
            } else {
                auto report = openReportDb(sys::programFolder(), &made.report);
                const bool pricesHidden = quote::rightsView(mdM::RightsToBits(mdM::UserRights)).PricesHidden;
                HeldReports filled;
                RefillReportTables(
                    doc, {sta, report.get(), *company, mdM::QuoteCustPhone, mdM::QuoteCustFax, pricesHidden},
                    [&filled](db::Database& data) {
                        filled.cover = report::Report::load(QStringLiteral("fpdemo"), data);
                        filled.details = report::Report::load(QStringLiteral("pbdemo"), data);
                    });
                held() = std::move(filled);
                refillFailure().clear();
                made.keep = true;
            }
        } catch (const db::DbError& e) {
            refillFailure() = mdM::dbErrorText(e);
        } catch (const std::runtime_error& e) {
            refillFailure() = QString::fromStdString(e.what());
        }
    }
    if (refillFailure().isEmpty())
        return true;
    held() = {};
    showError(refillFailure());
    return false;
}

void mPfp_Click(QWidget* parent) {
    showReport(held().cover, parent);
}

void mPdt_Click(QWidget* parent) {
    showReport(held().details, parent);
}

} // namespace stats
