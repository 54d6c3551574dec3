#pragma once
// The layouts' workbook over the workbook layer: templates opened from .xlsx files, filled
// workbooks saved as new files in the printouts folder and opened for the user.
#include "PrintJob.h"

namespace wb {
class Workbook;
}

namespace xlprint {

// A PrintBook writing into an open workbook of the layer.
class WorkbookBook : public PrintBook {
public:
    explicit WorkbookBook(std::unique_ptr<wb::Workbook> book);
    ~WorkbookBook() override;
    int sheetCount() const override;
    PrintSheet* sheet(int position) override;
    wb::Workbook& workbook() { return *m_book; }

private:
    std::unique_ptr<wb::Workbook> m_book;
    std::vector<std::unique_ptr<PrintSheet>> m_sheets;
};

// Print settings of geometry `g` against the templates the print commands offer in
// `printTemplateFolder` (the data rows of their first two sheets, see judgeDataRows): the first
// problem, naming the template and sheet. Templates that are missing or unreadable are left to
// the print, which says so.
SettingsProblem judgeTemplates(const Geometry& g, const QString& printTemplateFolder);

class LayerWorkbooks : public WorkbookAccess {
public:
    std::unique_ptr<PrintBook> open(const QString& templatePath, QString* error) override;
    // Saves into the printouts folder and opens the file; when no application is there or none
    // starts, tells the user where it was saved.
    bool handOver(PrintBook& book, const QString& templatePath, QString* error) override;
    QString lastSaved; // the path of the last saved printout
};

} // namespace xlprint
