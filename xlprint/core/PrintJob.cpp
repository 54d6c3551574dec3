#include "PrintJob.h"

#include "db/Database.h"
#include "mdM.h"
#include "ui/Dialogs.h"

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

QString settingsProblem(SettingsField f) {
    switch (f) {
    case SettingsField::StartRow: return QStringLiteral("列印設定的起始列不正確");
    case SettingsField::StartCol: return QStringLiteral("列印設定的起始行不正確");
    case SettingsField::TopLeft: return QStringLiteral("列印設定的頁面範圍左上不正確");
    case SettingsField::BottomRight: return QStringLiteral("列印設定的頁面範圍右下不正確");
    case SettingsField::RowsPerPage: return QStringLiteral("列印設定的每一頁列數不正確");
    case SettingsField::None: break;
    }
    return {};
}

} // namespace

Switches effectiveSwitches(Routine routine, Switches sw) {
    if (routine == Routine::AreaPages)
        sw.groupMode = 1;
    return sw;
}

JobResult runPrintJob(const PrintCommand& cmd, const Switches& commandSwitches,
                      const PrintSnapshot& snapshot, bool hasItems,
                      const QString& printTemplateFolder, JobServices& services) {
    if (!hasItems) {
        refuse(QStringLiteral("空白表單無法列印"));
        return JobResult::Empty;
    }
    if (!mdM::ExcelInstalled()) {
        refuse(QStringLiteral("系統偵測無 Excel\r\n無法列印"));
        return JobResult::NoSpreadsheetApp;
    }
    const Switches sw = effectiveSwitches(cmd.routine, commandSwitches);
    const PrintSettings settings = currentPrintSettings();
    const std::optional<Geometry> g = geometryOf(settings);
    if (!g)
        return fail(settingsProblem(firstInvalidField(settings)));

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
    try {
        // Numbering by area for the areas-only layout and the first level of the work-type
        // pages; by work type otherwise.
        bool byWorkType = sw.groupMode != 1;
        if (cmd.routine == Routine::AreasOnly)
            byWorkType = false;
        if (cmd.routine == Routine::AreaPages)
            byWorkType = true;
        QString error;
        if (services.refreshStatistics && !services.refreshStatistics(byWorkType, sw.groupMode, &error))
            return failed(error);
        plan = planJob(cmd.routine, snapshot, sw, *g, *services.stats);
    } catch (const db::DbError& e) {
        return failed(mdM::dbErrorText(e));
    } catch (const std::exception& e) {
        return failed(QString::fromLocal8Bit(e.what()));
    }

    busy.stop();
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
    QString error;
    std::unique_ptr<PrintBook> book = services.books->open(path, &error);
    if (!book)
        return failed(error);
    if (!settings.fixedHeader)
        fillPlaceholders(*book, g->S - 2, plan.lastHeaderCol, placeholderValues(snapshot));
    error = applyPlan(plan, *g, *book);
    if (!error.isEmpty())
        return failed(error);
    // The hand-over may tell where the workbook was saved: the pointer is the ordinary one again.
    busy.stop();
    if (!services.books->handOver(*book, path, &error))
        return failed(error);
    if (plan.coverOverflows)
        refuse(QStringLiteral("首頁的內容已超出一頁，頁尾備註蓋過了部分列"));
    return JobResult::Done;
}

} // namespace xlprint
