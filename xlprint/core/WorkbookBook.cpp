#include "WorkbookBook.h"

#include "TemplateDescription.h"
#include "ui/Dialogs.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <cmath>

namespace xlprint {

namespace {

class LayerSheet : public PrintSheet {
public:
    explicit LayerSheet(wb::Sheet& s) : m_s(s) {}
    QString name() const override { return m_s.name(); }
    QVariant value(int row, int col) const override {
        switch (m_s.type(row, col)) {
        case wb::CellType::Empty: return {};
        case wb::CellType::Number: return *m_s.number(row, col);
        default: return m_s.text(row, col);
        }
    }
    void setValue(int row, int col, const QVariant& v) override {
        if (isNumber(v) && std::isfinite(v.toDouble())) {
            m_s.setNumber(row, col, v.toDouble());
            return;
        }
        m_s.setText(row, col, v.isNull() ? QString() : v.toString());
    }
    void setAlign(int row, int col, Align a) override {
        m_s.setHorizontalAlignment(row, col, a == Align::Left    ? wb::HAlign::Left
                                             : a == Align::Right ? wb::HAlign::Right
                                                                 : wb::HAlign::General);
    }
    void setNumberFormat(int row, int col, const QString& format) override {
        m_s.setNumberFormat(row, col, format);
    }
    void setBold(int row, int col) override { m_s.setBold(row, col); }
    void copyRange(int top, int left, int bottom, int right, int destRow, int destCol) override {
        m_s.copyRange(wb::RangeRef{{top, left}, {bottom, right}}, wb::CellRef{destRow, destCol});
    }
    void addRowBreak(int row) override { m_s.addRowBreak(row); }
    void addColumnBreak(int col) override { m_s.addColumnBreak(col); }
    double rowHeight(int row) const override { return m_s.rowHeight(row); }
    void setRowHeight(int row, double height) override { m_s.setRowHeight(row, height); }
    void insertRows(int row, int count) override { m_s.insertRows(row, count); }
    int lastRow() const override { return m_s.usedRange().last.row; }
    std::optional<TextCell> textCell(int row, int col, int lastCol) const override {
        const wb::TextRoom room = wb::textRoom(m_s, row, col, lastCol);
        return TextCell{room.width, room.size, room.family, room.wraps};
    }
    QVector<Block> merges() const override {
        QVector<Block> out;
        for (const wb::RangeRef& m : m_s.mergedRanges())
            out.append(Block{m.first.row, m.first.col, m.last.row, m.last.col});
        return out;
    }

private:
    wb::Sheet& m_s;
};

} // namespace

WorkbookBook::WorkbookBook(std::unique_ptr<wb::Workbook> book) : m_book(std::move(book)) {
    for (int i = 1; i <= m_book->sheetCount(); ++i)
        m_sheets.push_back(std::make_unique<LayerSheet>(m_book->sheet(i)));
}

WorkbookBook::~WorkbookBook() = default;

int WorkbookBook::sheetCount() const {
    return int(m_sheets.size());
}

PrintSheet* WorkbookBook::sheet(int position) {
    return position >= 1 && position <= sheetCount() ? m_sheets[size_t(position - 1)].get() : nullptr;
}

std::unique_ptr<PrintBook> LayerWorkbooks::open(const QString& templatePath, QString* error) {
    try {
        return std::make_unique<WorkbookBook>(wb::Workbook::open(templatePath));
    } catch (const wb::WorkbookError& e) {
        *error = QStringLiteral("範本檔無法讀取：%1\n%2").arg(QDir::toNativeSeparators(templatePath), e.reason());
        return nullptr;
    }
}

SettingsProblem judgeTemplates(const Geometry& g, const QString& printTemplateFolder) {
    // Judged against the templates the prints will use: those of an earlier build brought up to date.
    tpl::upgradeOutdated(printTemplateFolder, nullptr, nullptr);
    QStringList seen;
    for (const PrintCommand& cmd : printCommands()) {
        const QString path =
            QDir(templateFolderOf(cmd, printTemplateFolder)).filePath(QString::fromUtf8(cmd.templateFile));
        if (seen.contains(path))
            continue;
        seen.append(path);
        std::unique_ptr<wb::Workbook> book;
        try {
            book = wb::Workbook::open(path);
        } catch (const wb::WorkbookError&) {
            continue; // missing or unreadable: the print says so
        }
        WorkbookBook b(std::move(book));
        for (int s = 1; s <= qMin(2, b.sheetCount()); ++s) {
            SettingsProblem p = judgeDataRows(g, *b.sheet(s));
            if (p.field == SettingsField::None)
                continue;
            p.reason += QStringLiteral("\n（範本 %1，工作表「%2」）")
                            .arg(QDir::toNativeSeparators(path), b.sheet(s)->name());
            return p;
        }
    }
    return {};
}

bool LayerWorkbooks::handOver(PrintBook& book, const QString& templatePath, QString* error) {
    auto* layer = dynamic_cast<WorkbookBook*>(&book);
    if (!layer) {
        *error = QStringLiteral("不是可存檔的活頁簿");
        return false;
    }
    try {
        const wb::Delivery d = wb::deliver(layer->workbook(), templatePath);
        lastSaved = d.path;
        if (!d.opened)
            ui::msgBox(wb::notOpenedMessage(d.path), ui::Buttons::OK, ui::Icon::Exclamation,
                       QString::fromLatin1(kJobTitle));
        return true;
    } catch (const wb::WorkbookError& e) {
        *error = e.reason();
        return false;
    }
}

} // namespace xlprint
