#pragma once
// The statistics window: the quotation summed by area or by work type, with a coloured total line,
// columns hidden by the user's rights, and a copy of the grid to the workbook 統計.xlsx.
#include "QuoteDocument.h"
#include "StatisticsGrid.h"
#include "db/Database.h"
#include "ui/Forms.h"

#include <functional>

class QProgressBar;
class QPushButton;
class QTableWidget;

class frmCal : public ui::Form {
    Q_OBJECT
public:
    frmCal();

    // What the window sums: the quotation (its root is shown for the statistics), the statistics
    // database and the rights of the user.
    struct Source {
        quote::QuoteDocument* doc = nullptr;
        db::Database* sta = nullptr;
        bool pricesHidden = false;
        bool costsHidden = false;
    };
    void setSource(const Source& s) { m_source = s; }

    // Rebuilds 統計 from the quotation and fills the grid: by work type or by area. False (with
    // the reason shown) when the statistics could not be built.
    bool fill(bool byWorkType);

    // Tests replace the copy to the workbook (an empty function restores it). Returns an empty text
    // on success, else the message to show.
    using Copier = std::function<QString(const QList<QStringList>& cells)>;
    static void setCopier(Copier c);

    QTableWidget* hfgC = nullptr;
    QTableWidget* hfgTotal = nullptr; // the total line, always in view below hfgC's rows
    QPushButton* Command1 = nullptr; // 依 工 種
    QPushButton* Command2 = nullptr; // 依 區 域
    QPushButton* Command3 = nullptr; // 列  印
    QPushButton* cmdExit = nullptr;
    QProgressBar* ani = nullptr;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void cmdExit_Click();

private:
    void showGrid(const stats::StatisticsGrid& g);
    void showTotalLine(const stats::StatisticsGrid& g);
    Source m_source;
    stats::StatisticsGrid m_grid;
};

namespace stats {

// The quotation window's statistics commands (by area, by work type): the window filled from the
// quotation and shown modally. Returns when it is closed.
void mCalA_Click(const frmCal::Source& s);
void mCalT_Click(const frmCal::Source& s);

} // namespace stats
