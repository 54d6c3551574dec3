#pragma once
// Inside of Workbook and Sheet: the package held in memory and each sheet's cells as a model that
// is written back as XML only when the sheet changed.
#include "Styles.h"
#include "Workbook.h"
#include "Zip.h"

#include <pugixml.hpp>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace wb {

struct CellData {
    int col = 0;
    int style = -1;     // s attribute; -1 when none
    std::string type;   // t attribute as stored ("" number, "s", "inlineStr", "str", "b", "e")
    std::string extra;  // other attributes, already written as ` name="value"`
    std::string inner;  // the children as XML (<v>, <f>, <is>)
};

struct RowData {
    std::vector<std::pair<std::string, std::string>> attrs; // without r and spans
    std::vector<CellData> cells;                            // ascending col

    const char* attr(const char* name) const;
    void setAttr(const char* name, const std::string& value);
    void removeAttr(const char* name);
    CellData* find(int col);
    const CellData* find(int col) const;
    CellData& at(int col, int newStyle); // creates the cell with `newStyle` when missing
};

struct ColumnStyle {
    int min, max, style;
};

struct ColumnWidth {
    int min, max;
    double width; // below 0: the sheet's default
    bool hidden;
};

struct Workbook::Impl {
    QString path;
    std::vector<zip::Entry> entries;
    std::string workbookPart;      // "xl/workbook.xml"
    std::string workbookRelsPart;  // "xl/_rels/workbook.xml.rels"
    pugi::xml_document workbookXml;
    pugi::xml_document relsXml;
    std::string sharedStringsPart, stylesPart, calcChainPart;
    struct SheetEntry {
        QString name;
        std::string part;
        std::unique_ptr<Sheet> sheet; // loaded on first use
    };
    std::vector<SheetEntry> sheets;

    bool sharedLoaded = false;
    std::vector<QString> shared;
    bool stylesLoaded = false;
    bool stylesAdded = false;    // the package had no styles part: one is added on saving
    bool stylesRelAdded = false; // nor a relationship naming one
    Styles styles;

    zip::Entry* entry(const std::string& name);
    const std::vector<QString>& sharedStrings();
    Styles& stylesRef();
    // Shifts the rows of every defined name that refers to `sheetName`.
    void shiftDefinedNames(const QString& sheetName, int atRow, int count);
};

struct Sheet::Impl {
    Workbook::Impl* book = nullptr;
    int position = 0; // 1-based
    QString name;
    std::string part;
    pugi::xml_document doc;
    pugi::xml_node sheetData;
    std::string prefix;
    bool dirty = false;

    std::map<int, RowData> rows;
    std::vector<RangeRef> merges;
    std::set<int> rowBreaks; // rows that start a page
    std::set<int> colBreaks; // columns that start a page
    std::vector<ColumnStyle> columnStyles;
    std::vector<ColumnWidth> columnWidths;
    double defaultWidth = 8.43;
    double defaultHeight = 15.0;

    void load(const QByteArray& bytes);
    QByteArray serialize();

    void check(int row, int col) const;
    const CellData* findCell(int row, int col) const;
    CellData& cellAt(int row, int col);
    RowData& rowAt(int row);
    int styleOf(int row, int col) const;
    // Gives the cell the format that `change` derives from its current one.
    template <typename F>
    void restyle(int row, int col, F change);
    RangeRef used() const;
};

} // namespace wb
