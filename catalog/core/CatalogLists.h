#pragma once
// The catalogue's lists as the database holds them: the two ordered master lists (categories and
// work kinds) with the tables that link to them by name, and the thirteen vocabulary lists.
#include <QString>

#include <stdexcept>

namespace catalog {

// One of the two ordered master lists ("k" categories, "t" work kinds).
struct MasterList {
    const char* mode;      // "k" or "t"
    const char* table;     // 別 or 種
    const char* idColumn;  // k_id or t_id
    const char* column;    // k or t
    const char* linkTable; // k2a or t2w
    const char* linkKey;   // the link table's column holding the master name
};

const MasterList& categoriesList();
const MasterList& workKindsList();
// The list of a mode text; work kinds for anything but "k".
const MasterList& masterList(const QString& mode);

inline constexpr int kVocabularyCount = 13;
inline constexpr int kRatioList = 12;    // sc: numbers
inline constexpr int kCrewList = 6;      // 工班: vendors link to its entries by text
inline constexpr int kMaterialList = 7;  // 材料: likewise

struct VocabularyList {
    const char* table;
    const char* orderColumn;
    const char* textColumn;
    const char* caption;
    const char* linkTable;  // a table of vendor links to the entries by text, or nullptr
    const char* linkColumn; // its column holding the text
};

// The list of a grid index 0..12; the ratio list stores numbers.
const VocabularyList& vocabularyList(int i);

// Whether two catalogue names are the same name: the name columns compare without regard to the
// case of the Latin letters A to Z (as the database's NOCASE collation does), so the window, the
// quotation editor's pick lists and the printouts' saved queries all find the same rows.
bool sameName(const QString& a, const QString& b);

// A cell of a numeric column as it may be typed: empty, or ASCII digits with at most one "." (and
// at least one digit) that a cell can show (num::cellCanShow: 20 digits, or 400 that would read as
// 0, are no such cell).
bool isNumericCell(const QString& s);
// A numeric cell as it may be stored: what may be typed, or that with a leading sign (other writers
// store signed values).
bool isStoredNumber(const QString& s);
// Why a numeric cell may not be stored as it stands: "數字過長" for a number no cell can show,
// "不是數字" for any other text that is not a stored number; empty when it may.
QString numberFault(const QString& s);

// A number no cell can show, given to be stored: it is refused, never stored changed. The message
// names where it stands when told ("【地坪磁磚貼工】的成本數字過長：…").
class NumberTooLong : public std::runtime_error {
public:
    explicit NumberTooLong(const QString& text, const QString& where = {});
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// The value a numeric cell stands for; empty, and any other text that is not a number, is 0. A
// number no cell can show throws NumberTooLong.
double numericValue(const QString& s);

} // namespace catalog
