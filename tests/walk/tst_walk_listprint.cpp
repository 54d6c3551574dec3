// The vendor and staff list printouts and the vendor labels walked under a failing database (the
// staff have no labels).
#include "WalkPrint.h"

using namespace walk;

namespace {

Row listPrint(const QString& name, const QString& table, int party) {
    return {name + QStringLiteral(": 列印 報表"),
            {QStringLiteral("r:") + table},
            [party] { columnChooser(party); },
            [] { ui::Default<frmPrt>::get()->cmdP_Click(); }};
}

QList<Row> rows() {
    quietPrintouts();
    return {
        {QStringLiteral("廠商資料: 列印 標籤"),
         {QStringLiteral("r:廠商")},
         [] {
             writeTemplates();
             openMainDb();
             mdM::ListPrintParty = 2;
             form<frmPsel>();
         },
         [] { ui::Default<frmPsel>::get()->cmdNext_Click(); }},
        listPrint(QStringLiteral("廠商資料"), QStringLiteral("廠商"), 2),
        listPrint(QStringLiteral("員工資料"), QStringLiteral("員工"), 3),
    };
}

} // namespace

WALK_MAIN(rows)
