#include "PrintJob.h"

#include "TemplateDescription.h"
#include "db/Database.h"
#include "mdM.h"
#include "ui/Dialogs.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <exception>

namespace xlprint {

namespace {

void refuse(const QString& text) {
    ui::msgBox(text, ui::Buttons::OK, ui::Icon::Exclamation, QString::fromLatin1(kJobTitle));
}

JobResult fail(const QString& reason) {
    refuse(QStringLiteral("列印失敗：\n") + reason);
    return JobResult::Failed;
}

// Turns the busy indicator off however the job ends.
struct BusyGuard {
    std::function<void(bool)> busy;
    bool on = false;
    void start() {
        if (busy && !on)
            busy(true);
        on = true;
    }
    void stop() {
        if (busy && on)
            busy(false);
        on = false;
    }
    ~BusyGuard() { stop(); }
};

// Runs a step of the job: false with the reason when it fails or throws, whatever throws.
template <typename Step> bool runStep(QString* error, Step step) {
    try {
        return step();
    } catch (const db::DbError& e) {
        *error = mdM::dbErrorText(e);
    } catch (const wb::WorkbookError& e) {
        *error = e.reason();
    } catch (const std::exception& e) {
        *error = QStringLiteral("列印時發生錯誤：") + QString::fromUtf8(e.what());
    } catch (...) {
        *error = QStringLiteral("發生無法辨識的錯誤");
    }
    return false;
}

} // namespace

Switches effectiveSwitches(Routine routine, Switches sw) {
    if (routine == Routine::AreaPages)
        sw.groupMode = 1;
    return sw;
}

JobResult showJobFailure(const QString& reason) {
    return fail(reason);
}

QString coverTooSmallMessage(const CoverFit& fit) {
    return QStringLiteral("首頁容納不下這份報價單：首頁只容納 %1 項，報價單有 %2 項。\n"
                          "請改用不含首頁的版面（單張估價），或使用每一頁列數較多的範本。")
        .arg(fit.holds)
        .arg(fit.groups);
}

JobResult runPrintJob(const PrintCommand& cmd, const Switches& commandSwitches, const PrintSnapshot& snapshot,
                      bool hasItems, const QString& printTemplateFolder, JobServices& services) {
    if (!hasItems) {
        refuse(QStringLiteral("空白表單無法列印"));
        return JobResult::Empty;
    }
    const Switches sw = effectiveSwitches(cmd.routine, commandSwitches);
    const PrintSettings settings = currentPrintSettings();
    const std::optional<Geometry> g = geometryOf(settings);
    if (!g)
        return fail(settingsFailure(checkSettings(settings)));

    // Busy while the statistics are rebuilt and the job planned; the template dialog runs with
    // the ordinary pointer; busy again from the confirmed template to the hand-over.
    BusyGuard busy{services.busy};
    busy.start();
    // The reason is shown with the ordinary pointer.
    const auto failed = [&busy](const QString& reason) {
        busy.stop();
        return fail(reason);
    };
    JobPlan plan;
    QString error;
    const bool planned = runStep(&error, [&] {
        // Numbering by area for the areas-only layout and the first level of the work-type
        // pages; by work type otherwise.
        bool byWorkType = sw.groupMode != 1;
        if (cmd.routine == Routine::AreasOnly)
            byWorkType = false;
        if (cmd.routine == Routine::AreaPages)
            byWorkType = true;
        if (services.refreshStatistics && !services.refreshStatistics(byWorkType, sw.groupMode, &error))
            return false;
        plan = planJob(cmd.routine, snapshot, sw, *g, *services.stats);
        return true;
    });
    if (!planned)
        return failed(error);
    // Page copies of a long quotation may run past the sheet's last row: refused before the
    // template is asked for, naming the settings that place them.
    if (const QString beyond = planBeyondSheet(plan, *g); !beyond.isEmpty())
        return failed(settingsFailure({SettingsField::BottomRight, beyond}));
    busy.stop();
    // A cover that cannot hold its rows would print its totals over the page foot: refused
    // before anything is written.
    if (plan.hasCover && !plan.cover.fits()) {
        refuse(coverTooSmallMessage(plan.cover));
        return JobResult::Failed;
    }

    // The templates of the folder in use are brought up to date as at the program's start: the
    // folder may be another one than the program folder, or have changed since. A template that
    // cannot be replaced prints as it is, its texts measured all the same.
    tpl::upgradeOutdated(printTemplateFolder, nullptr, nullptr);
    ui::FileRequest req;
    req.title = QStringLiteral("輸出檔案");
    req.folder = templateFolderOf(cmd, printTemplateFolder);
    req.fileName = QString::fromUtf8(cmd.templateFile);
    req.filter = QStringLiteral("MS Excel Files (*.xlsx)|*.xlsx");
    req.filterIndex = 1;
    const QString path = ui::openFileDialog(req);
    if (path.isEmpty()) {
        ui::msgBox(QStringLiteral("取消列印"), ui::Buttons::OK, ui::Icon::None,
                   QString::fromLatin1(kJobTitle));
        return JobResult::Cancelled;
    }

    busy.start();
    std::unique_ptr<PrintBook> book;
    QStringList cut;
    const bool filled = runStep(&error, [&] {
        book = services.books->open(path, &error);
        if (!book)
            return false;
        // The settings against the template as it stands (a user may have edited it).
        for (const SheetPlan& sp : plan.sheets) {
            const PrintSheet* sh = book->sheet(sp.sheet);
            const SettingsProblem p = sh ? judgeDataRows(*g, *sh) : SettingsProblem{};
            if (p.field != SettingsField::None) {
                error = settingsFailure(p) + QStringLiteral("\n範本：%1").arg(QDir::toNativeSeparators(path));
                return false;
            }
        }
        if (!settings.fixedHeader)
            fillPlaceholders(*book, g->S - 2, plan.lastHeaderCol, placeholderValues(snapshot), &cut);
        error = applyPlan(plan, *g, *book, &cut);
        return error.isEmpty();
    });
    if (!filled)
        return failed(error);
    // The hand-over may tell where the workbook was saved: the pointer is the ordinary one again.
    // The texts cut are told before it: the spreadsheet it opens would stand over the message.
    busy.stop();
    if (!cut.isEmpty())
        refuse(wb::cutMessage(cut));
    if (!runStep(&error, [&] { return services.books->handOver(*book, path, &error); }))
        return fail(error);
    return JobResult::Done;
}

} // namespace xlprint
