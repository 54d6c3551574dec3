#pragma once
// The cell formats of a workbook (styles part): reading the few properties the printouts use and
// deriving a format from another with one property changed, reusing an equal one when it exists.
#include "Workbook.h"

#include <pugixml.hpp>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

namespace wb {

class Styles {
public:
    // Parses the styles part; empty bytes give a minimal style sheet.
    void load(const QByteArray& bytes);
    bool changed() const { return changed_; }
    QByteArray serialize() const;

    HAlign alignment(int xf) const;
    QString numberFormat(int xf) const;
    bool bold(int xf) const;
    bool wraps(int xf) const;
    bool shrinks(int xf) const; // shrink to fit
    int indent(int xf) const;      // levels
    double fontSize(int xf) const; // points
    QString fontName(int xf) const; // the family it names; empty when none
    // The workbook's default font (the first of the list): its family and size in points.
    std::pair<QString, double> defaultFont() const;
    CellBorders borders(int xf) const;

    // The format like `xf` but with the property changed (xf -1: the default format 0).
    int withAlignment(int xf, HAlign align);
    int withNumberFormat(int xf, const QString& code);
    int withBold(int xf, bool bold);
    int withThinSides(int xf, unsigned sides); // sides: 1 left, 2 right, 4 top, 8 bottom

private:
    pugi::xml_node xfNode(int xf) const;
    pugi::xml_node fontOf(int xf) const;
    pugi::xml_attribute alignmentAttr(int xf, const char* name) const;
    // Fills an empty list with `entries` (XML of its default items).
    static void seed(pugi::xml_node list, const std::string& entries);
    pugi::xml_node child(pugi::xml_node parent, const char* local, bool create, const char* const* order = nullptr);
    int findOrAdd(pugi::xml_node list, pugi::xml_node candidate, std::unordered_map<std::string, int>& index);
    int numberFormatId(const QString& code);
    template <typename F>
    int derive(int op, int xf, const std::string& arg, F change);

    pugi::xml_document doc_;
    pugi::xml_node root_, numFmts_, fonts_, borders_, cellXfs_;
    std::string prefix_;
    std::unordered_map<std::string, int> xfIndex_, fontIndex_, borderIndex_;
    std::map<std::tuple<int, int, std::string>, int> derived_;
    bool changed_ = false;
};

} // namespace wb
