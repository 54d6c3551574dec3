#pragma once
// One print job from a print command to the filled workbook handed to the user: the checks, the
// statistics refresh, the plan, the template dialog, the placeholders, the layout, the hand-over.
// Any failure shows its reason and hands nothing over; no exception leaves a job.
#include "Layouts.h"

#include <functional>
#include <memory>

namespace xlprint {

// Reading templates and handing filled workbooks over.
class WorkbookAccess {
public:
    virtual ~WorkbookAccess() = default;
    // The template opened for filling; nullptr with the reason when it cannot be read.
    virtual std::unique_ptr<PrintBook> open(const QString& templatePath, QString* error) = 0;
    // Saves the filled workbook whole and shows it to the user. False with the reason.
    virtual bool handOver(PrintBook& book, const QString& templatePath, QString* error) = 0;
};

struct JobServices {
    // Refills the statistics from the whole quotation and numbers its groups (by work type when
    // `byWorkType`) for the grouping level. False with the reason on failure.
    std::function<bool(bool byWorkType, int groupMode, QString* error)> refreshStatistics;
    StatSource* stats = nullptr;
    WorkbookAccess* books = nullptr;
    // The busy indicator on (true) and off (false).
    std::function<void(bool)> busy;
};

// Failed also for a refusal after the statistics were refreshed (a cover too small).
enum class JobResult { Done, Empty, Cancelled, Failed };

// The switches a routine runs with: the page-per-area layout always groups at the first level.
Switches effectiveSwitches(Routine routine, Switches sw);

// Runs the job of a command with the switches it set. `hasItems` is false for a quotation
// without any item name.
JobResult runPrintJob(const PrintCommand& cmd, const Switches& sw, const PrintSnapshot& snapshot,
                      bool hasItems, const QString& printTemplateFolder, JobServices& services);

// Shows "列印失敗：" with the reason; Failed.
JobResult showJobFailure(const QString& reason);
// The refusal of a cover page that cannot hold its group rows.
QString coverTooSmallMessage(const CoverFit& fit);

// The message titles and texts of the print jobs.
inline constexpr const char* kJobTitle = "Kavo III";

} // namespace xlprint
