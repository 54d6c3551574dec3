#pragma once
// What differs between the customer, vendor and staff records: table, columns, captions, the box
// of each column, messages and rights. One record window frame and one store serve all three.
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace records {

enum class Party { Customer = 1, Vendor = 2, Staff = 3 }; // the list printout's party numbers

enum class FieldKind {
    Text,       // one box, its text
    Pair,       // two boxes joined by ";"
    Memo,       // a multi-line box
    SupplyCode, // vendors: the two category check boxes as the code 0..3
    Password,   // staff: no box; shown into the current user's password
    NotShown,   // staff rights: neither shown nor saved
};

inline constexpr int kBelowPages = 9;

// One column of the table and the box or boxes that show it.
struct FieldSlot {
    int position = 0;
    FieldKind kind = FieldKind::Text;
    QString box1;
    QString box2; // second box of a pair
    QString label;
    int panel = 0; // page of the detail area the boxes stand on (kBelowPages: under them)
};

struct GridColumn {
    int width = 0; // twips
    QString caption;
};

// Keys of the values that have no box of their own.
inline const QString kPasswordValue = QStringLiteral(":pass");
inline const QString kWorkCrewBox = QStringLiteral("ck(0)");
inline const QString kMaterialBox = QStringLiteral("ck(1)");

struct RecordKind {
    Party party = Party::Customer;
    QString table;
    QString keyColumn;    // the name: unique, finds a record
    QString numberColumn; // the record number
    QString windowCaption;
    QString allButtonCaption;
    int shortHeight = 0; // twips
    int fullHeight = 0;
    int rightsPosition = 0; // 1-based character of the rights string that grants editing
    QString requiredMessage;
    QString duplicateMessage;
    QString noSelectionMessage;
    QStringList listFields;           // the short list: number, name, address, phone, ...
    QVector<GridColumn> gridColumns;  // column 0 (the narrow empty one) first
    QStringList searchSkipped;        // columns the search leaves out (letter case ignored)
    QString categoryFilterView;       // saved query of the category filter; empty: none
    QString categoryChoicesSql;       // the record's own category box
    QString paymentTermsSql;
    QVector<FieldSlot> fields;        // in position order
    QStringList panelCaptions;        // pages of the detail area
    bool trimInvoiceStreetOnEdit = false;
    // Entry aids.
    QStringList areaCodeBoxes;    // filled with the county's area code
    QStringList countyCopyBoxes;  // take the company county
    QStringList phoneCopyBoxes;   // take the main phone number (T11)
    QStringList nameCopyBoxes;    // take the whole name
    QString shortNameBox;         // takes the first four characters of the name
    QStringList enterKeepsBoxes;  // boxes where Enter stays Enter
    QStringList noEnterBoxes;     // boxes without the Enter-as-Tab habit
    QVector<QPair<QString, QString>> datePickers; // picker, the box it writes
    bool emptyGroupExclamation = true; // icon of "所選編號無記錄"

    // The slot of a position, or nullptr.
    const FieldSlot* slotAt(int position) const;
    // Every box of the detail area, in position order (the pairs' two boxes together).
    QStringList boxes() const;
};

const RecordKind& customerKind();
const RecordKind& vendorKind();
const RecordKind& staffKind();

} // namespace records
