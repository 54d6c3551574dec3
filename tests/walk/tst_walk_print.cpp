// The spreadsheet printouts walked under a failing database: the quotation's, one of each layout,
// the catalogue's and the record lists'.
#include "WalkPrint.h"
#include "frmEng.h"

using namespace walk;

namespace {

QList<Row> rows() {
    quietPrintouts();
    // The other layouts in a program of their own, so neither nears its time limit.
    QList<Row> all = spreadsheetPrints({"mWs", "mPac"});
    for (const char* button : {"cmdPrK", "cmdPrt", "cmdPrd", "cmdPo"})
        all.append({QStringLiteral("工程資料詞庫: 列印 ") + QLatin1String(button),
                    {},
                    [] {
                        writeTemplates();
                        openMainDb();
                        form<frmEng>();
                    },
                    [button] { click<frmEng>(button); }});
    all.append({QStringLiteral("客戶資料: 列印 標籤"),
                {QStringLiteral("r:客戶")},
                [] {
                    writeTemplates();
                    openMainDb();
                    mdM::ListPrintParty = 1;
                    form<frmPsel>();
                },
                [] { ui::Default<frmPsel>::get()->cmdNext_Click(); }});
    all.append({QStringLiteral("客戶資料: 列印 報表"),
                {QStringLiteral("r:客戶")},
                [] { columnChooser(1); },
                [] { ui::Default<frmPrt>::get()->cmdP_Click(); }});
    return all;
}

} // namespace

WALK_MAIN(rows)
