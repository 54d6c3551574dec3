// The workbook layer's template reader on any bytes: a template that cannot be read is refused
// with WorkbookError; one that opens can be read cell by cell and saved as a new file.
#include "FuzzSupport.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = (fuzz::setUp(), true);
    (void)ready;
    const QString templatePath = QDir(fuzz::folder()).filePath(QStringLiteral("template.xlsx"));
    const QString outputPath = QDir(fuzz::folder()).filePath(QStringLiteral("output.xlsx"));
    fuzz::putFile(QStringLiteral("template.xlsx"),
                  QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    QFile::remove(outputPath);
    try {
        std::unique_ptr<wb::Workbook> book = wb::Workbook::open(templatePath);
        for (int s = 1; s <= std::min(book->sheetCount(), 3); ++s) {
            wb::Sheet& sheet = book->sheet(s);
            const wb::RangeRef used = sheet.usedRange();
            for (int r = used.first.row; r <= std::min(used.last.row, used.first.row + 40); ++r)
                for (int c = used.first.col; c <= std::min(used.last.col, used.first.col + 12); ++c)
                    sheet.text(r, c);
            sheet.setText(1, 1, QStringLiteral("報價單"));
            sheet.setNumber(2, 2, 1234.5);
            book->definedName(QStringLiteral("_xlnm.Print_Area"), s);
        }
        book->save(outputPath);
    } catch (const wb::WorkbookError&) {
        fuzz::require(!QFile::exists(outputPath), "a failed save left a file behind");
        return 0;
    }
    try {
        wb::Workbook::open(outputPath);
    } catch (const wb::WorkbookError&) {
        fuzz::require(false, "a saved workbook cannot be read again");
    }
    return 0;
}
