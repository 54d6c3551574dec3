#include "StatisticsCopy.h"

#include "text/Numbers.h"
#include "workbook/Workbook.h"

#include <QDir>

namespace stats {

QString copyStatisticsToWorkbook(const QList<QStringList>& cells, bool totalLine,
                                 const QString& programFolder) {
    const QString templatePath = QDir(programFolder).filePath(QString::fromUtf8(kStatisticsTemplate));
    try {
        auto book = wb::Workbook::open(templatePath);
        wb::Sheet& sheet = book->sheet(1);
        for (int r = 0; r < cells.size(); ++r)
            for (int c = 0; c < cells[r].size(); ++c) {
                const QString& text = cells[r][c];
                // The header and the names stay text: an area named "0201" is no number.
                if (r > 0 && c > 0 && !text.isEmpty() && num::numberLength(text) == text.size())
                    sheet.setNumber(r + 1, c + 1, num::val(text));
                else
                    sheet.setText(r + 1, c + 1, text);
            }
        const int rows = int(cells.size());
        const int columns = cells.isEmpty() ? 0 : int(cells.first().size());
        if (columns > 0) {
            sheet.setThinBorders({{1, 1}, {rows, columns}},
                                 wb::EdgesOutline | wb::InsideVertical | wb::InsideHorizontal);
            for (int c = 1; totalLine && rows > 1 && c <= columns; ++c)
                sheet.setBold(rows, c);
        }
        const wb::Delivery d = wb::deliver(*book, templatePath);
        if (!d.opened)
            return QStringLiteral("無法開啟試算表程式，統計已存於：%1").arg(QDir::toNativeSeparators(d.path));
    } catch (const wb::WorkbookError& e) {
        return e.reason();
    }
    return {};
}

} // namespace stats
