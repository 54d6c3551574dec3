#include "RecordKind.h"

namespace records {

namespace {

QStringList list(std::initializer_list<const char*> names) {
    QStringList l;
    for (const char* n : names)
        l << QString::fromUtf8(n);
    return l;
}

// What the customer and vendor windows share: the trimmed invoice street, the county's area code
// in seven boxes, the copied phone number, the short name and the registration date.
void companyEntryAids(RecordKind& k) {
    k.trimInvoiceStreetOnEdit = true;
    k.areaCodeBoxes = list({"T10", "T12", "T14", "T18", "T21", "T32", "T25"});
    k.phoneCopyBoxes = list({"T19", "T26", "T33"});
    k.shortNameBox = QStringLiteral("T3");
    k.datePickers = {{QStringLiteral("DTP1"), QStringLiteral("T34")}};
}

RecordKind makeCustomer() {
    RecordKind k;
    k.party = Party::Customer;
    k.table = QStringLiteral("客戶");
    k.keyColumn = QStringLiteral("客戶名稱");
    k.numberColumn = QStringLiteral("客戶編號");
    k.windowCaption = QStringLiteral("客戶資料");
    k.allButtonCaption = QStringLiteral("全部客戶");
    k.shortHeight = 3600;
    k.fullHeight = 8400;
    k.rightsPosition = 4;
    k.requiredMessage = QStringLiteral("請輸入客戶名稱&簡稱");
    k.duplicateMessage = QStringLiteral("客戶名稱重複");
    k.noSelectionMessage = QStringLiteral("請先選取表格中一個客戶");
    k.listFields = list({"客戶編號", "客戶名稱", "公司地址", "電話1", "連絡人", "連絡人大哥大"});
    k.gridColumns = {{300, {}},
                     {550, QStringLiteral("編 號")},
                     {2800, QStringLiteral("公司名稱")},
                     {3300, QStringLiteral("公司地址")},
                     {1500, QStringLiteral("公司電話")},
                     {800, QStringLiteral("聯 絡 人")},
                     {1300, QStringLiteral("聯絡人行動")}};
    k.categoryFilterView = QStringLiteral("Tp4C");
    k.categoryChoicesSql = QStringLiteral("select tp from Ctp order by tp_id");
    k.paymentTermsSql = QStringLiteral("select 收 from 收款");
    k.fields = {
        {0, FieldKind::Text, QStringLiteral("T1"), QStringLiteral(""), QStringLiteral("客戶編號:"), 0},
        {1, FieldKind::Text, QStringLiteral("T2"), QStringLiteral(""), QStringLiteral("客戶名稱:"), 0},
        {2, FieldKind::Text, QStringLiteral("T3"), QStringLiteral(""), QStringLiteral("客戶代號:"), 0},
        {3, FieldKind::Text, QStringLiteral("T4"), QStringLiteral(""), QStringLiteral("統一編號:"), 0},
        {4, FieldKind::Pair, QStringLiteral("cb1"), QStringLiteral("T5"), QStringLiteral("公司地址:"), 0},
        {5, FieldKind::Text, QStringLiteral("T6"), QStringLiteral(""), QStringLiteral("郵遞區號:"), 0},
        {6, FieldKind::Pair, QStringLiteral("cb3"), QStringLiteral("T7"), QStringLiteral("發票地址:"), 0},
        {7, FieldKind::Pair, QStringLiteral("cb2"), QStringLiteral("T8"), QStringLiteral("施工地址:"), 0},
        {8, FieldKind::Text, QStringLiteral("T9"), QStringLiteral(""), QStringLiteral("電子郵件:"), 0},
        {9, FieldKind::Pair, QStringLiteral("T10"), QStringLiteral("T11"), QStringLiteral("電話1:"), 0},
        {10, FieldKind::Pair, QStringLiteral("T12"), QStringLiteral("T13"), QStringLiteral("電話2:"), 0},
        {11, FieldKind::Pair, QStringLiteral("T14"), QStringLiteral("T15"), QStringLiteral("傳真:"), 0},
        {12, FieldKind::Text, QStringLiteral("T16"), QStringLiteral(""), QStringLiteral("負責人:"), 1},
        {13, FieldKind::Text, QStringLiteral("T17"), QStringLiteral(""), QStringLiteral("負責人身分證號:"), 1},
        {14, FieldKind::Pair, QStringLiteral("T18"), QStringLiteral("T19"), QStringLiteral("負責人公司電話:"), 1},
        {15, FieldKind::Text, QStringLiteral("T20"), QStringLiteral(""), QStringLiteral("負責人大哥大:"), 1},
        {16, FieldKind::Pair, QStringLiteral("T21"), QStringLiteral("T22"), QStringLiteral("負責人住家電話:"), 1},
        {17, FieldKind::Text, QStringLiteral("T23"), QStringLiteral(""), QStringLiteral("負責人職稱:"), 1},
        {18, FieldKind::Text, QStringLiteral("T24"), QStringLiteral(""), QStringLiteral("連絡人:"), 2},
        {19, FieldKind::Pair, QStringLiteral("T25"), QStringLiteral("T26"), QStringLiteral("連絡人公司電話:"), 2},
        {20, FieldKind::Text, QStringLiteral("T27"), QStringLiteral(""), QStringLiteral("連絡人大哥大:"), 2},
        {21, FieldKind::Text, QStringLiteral("T28"), QStringLiteral(""), QStringLiteral("連絡人職稱:"), 2},
        {22, FieldKind::Text, QStringLiteral("T29"), QStringLiteral(""), QStringLiteral("介紹人:"), 2},
        {23, FieldKind::Text, QStringLiteral("cb4"), QStringLiteral(""), QStringLiteral("負責業務:"), 2},
        {24, FieldKind::Text, QStringLiteral("T30"), QStringLiteral(""), QStringLiteral("會計人員:"), 3},
        {25, FieldKind::Text, QStringLiteral("T31"), QStringLiteral(""), QStringLiteral("會計職稱:"), 3},
        {26, FieldKind::Pair, QStringLiteral("T32"), QStringLiteral("T33"), QStringLiteral("會計電話:"), 3},
        {27, FieldKind::Text, QStringLiteral("cb6"), QStringLiteral(""), QStringLiteral("地區性:"), 0},
        {28, FieldKind::Text, QStringLiteral("cb5"), QStringLiteral(""), QStringLiteral("行業別:"), 0},
        {29, FieldKind::Text, QStringLiteral("T34"), QStringLiteral(""), QStringLiteral("登錄日期:"), 0},
        {30, FieldKind::Text, QStringLiteral("T36"), QStringLiteral(""), QStringLiteral("結帳日:"), 3},
        {31, FieldKind::Text, QStringLiteral("T37"), QStringLiteral(""), QStringLiteral("請款日:"), 3},
        {32, FieldKind::Text, QStringLiteral("cb7"), QStringLiteral(""), QStringLiteral("收款方式:"), 3},
        {33, FieldKind::Memo, QStringLiteral("T35"), QStringLiteral(""), QStringLiteral("備註:"), kBelowPages},
        {34, FieldKind::Text, QStringLiteral("cbTp"), QStringLiteral(""), QStringLiteral("分類"), 0},
    };
    companyEntryAids(k);
    k.countyCopyBoxes = list({"cb2", "cb3"});
    k.noEnterBoxes = list({"T1", "T34", "cbTp", "T35"});
    return k;
}

RecordKind makeVendor() {
    RecordKind k;
    k.party = Party::Vendor;
    k.table = QStringLiteral("廠商");
    k.keyColumn = QStringLiteral("廠商名稱");
    k.numberColumn = QStringLiteral("廠商編號");
    k.windowCaption = QStringLiteral("廠商資料");
    k.allButtonCaption = QStringLiteral("全部廠商");
    k.shortHeight = 3500;
    k.fullHeight = 8400;
    k.rightsPosition = 6;
    k.requiredMessage = QStringLiteral("請輸入廠商名稱&簡稱");
    k.duplicateMessage = QStringLiteral("廠商名稱重複");
    k.noSelectionMessage = QStringLiteral("請先選取表格中一個廠商");
    k.listFields = list({"廠商編號", "廠商名稱", "公司地址", "電話1", "連絡人", "連絡人大哥大"});
    k.gridColumns = {{300, {}},
                     {550, QStringLiteral("編  號")},
                     {2800, QStringLiteral("公     司     名     稱")},
                     {3300, QStringLiteral("公     司     地     址")},
                     {1450, QStringLiteral("公  司  電  話")},
                     {800, QStringLiteral("聯 絡 人")},
                     {1300, QStringLiteral("聯絡人行動")}};
    k.categoryFilterView = QStringLiteral("Tp4P");
    k.categoryChoicesSql = QStringLiteral("select tp from Ptp order by tp_id");
    k.paymentTermsSql = QStringLiteral("select 付 from 付款");
    k.fields = {
        {0, FieldKind::Text, QStringLiteral("T1"), QStringLiteral(""), QStringLiteral("廠商編號:"), 0},
        {1, FieldKind::Text, QStringLiteral("T2"), QStringLiteral(""), QStringLiteral("廠商名稱:"), 0},
        {2, FieldKind::Text, QStringLiteral("T3"), QStringLiteral(""), QStringLiteral("廠商代號:"), 0},
        {3, FieldKind::Text, QStringLiteral("T4"), QStringLiteral(""), QStringLiteral("統一編號:"), 0},
        {4, FieldKind::Pair, QStringLiteral("cb1"), QStringLiteral("T5"), QStringLiteral("公司地址:"), 0},
        {5, FieldKind::Text, QStringLiteral("T6"), QStringLiteral(""), QStringLiteral("郵 遞 區 號:"), 0},
        {6, FieldKind::Pair, QStringLiteral("cb3"), QStringLiteral("T7"), QStringLiteral("發票地址:"), 0},
        {7, FieldKind::Text, QStringLiteral("T9"), QStringLiteral(""), QStringLiteral("電子郵件:"), 0},
        {8, FieldKind::Pair, QStringLiteral("T10"), QStringLiteral("T11"), QStringLiteral("電話1:"), 0},
        {9, FieldKind::Pair, QStringLiteral("T12"), QStringLiteral("T13"), QStringLiteral("電話2:"), 0},
        {10, FieldKind::Pair, QStringLiteral("T14"), QStringLiteral("T15"), QStringLiteral("傳  真:"), 0},
        {11, FieldKind::Text, QStringLiteral("T16"), QStringLiteral(""), QStringLiteral("負  責  人:"), 1},
        {12, FieldKind::Text, QStringLiteral("T17"), QStringLiteral(""), QStringLiteral("負責人身分證號:"), 1},
        {13, FieldKind::Pair, QStringLiteral("T18"), QStringLiteral("T19"), QStringLiteral("負責人公司電話:"), 1},
        {14, FieldKind::Text, QStringLiteral("T20"), QStringLiteral(""), QStringLiteral("負責人大哥大:"), 1},
        {15, FieldKind::Pair, QStringLiteral("T21"), QStringLiteral("T22"), QStringLiteral("負責人住家電話:"), 1},
        {16, FieldKind::Text, QStringLiteral("T23"), QStringLiteral(""), QStringLiteral("負 責 人職 稱:"), 1},
        {17, FieldKind::Text, QStringLiteral("T24"), QStringLiteral(""), QStringLiteral("連  絡  人:"), 3},
        {18, FieldKind::Pair, QStringLiteral("T25"), QStringLiteral("T26"), QStringLiteral("連絡人公司電話:"), 3},
        {19, FieldKind::Text, QStringLiteral("T27"), QStringLiteral(""), QStringLiteral("連絡人大哥大:"), 3},
        {20, FieldKind::Text, QStringLiteral("T28"), QStringLiteral(""), QStringLiteral("連絡人職稱:"), 3},
        {21, FieldKind::Text, QStringLiteral("T29"), QStringLiteral(""), QStringLiteral("介紹人:"), 0},
        {22, FieldKind::Text, QStringLiteral("cb4"), QStringLiteral(""), QStringLiteral("負責業務:"), 0},
        {23, FieldKind::Text, QStringLiteral("T30"), QStringLiteral(""), QStringLiteral("會計人員:"), 2},
        {24, FieldKind::Text, QStringLiteral("T31"), QStringLiteral(""), QStringLiteral("會計職稱:"), 2},
        {25, FieldKind::Pair, QStringLiteral("T32"), QStringLiteral("T33"), QStringLiteral("會計電話:"), 2},
        {26, FieldKind::Text, QStringLiteral("cb6"), QStringLiteral(""), QStringLiteral("地 區 性:"), 0},
        {27, FieldKind::Text, QStringLiteral("cb5"), QStringLiteral(""), QStringLiteral("行 業 別:"), 0},
        {28, FieldKind::Text, QStringLiteral("T34"), QStringLiteral(""), QStringLiteral("登錄日期:"), 0},
        {29, FieldKind::Text, QStringLiteral("T36"), QStringLiteral(""), QStringLiteral("結  帳  日:"), 2},
        {30, FieldKind::Text, QStringLiteral("T37"), QStringLiteral(""), QStringLiteral("請  款  日:"), 2},
        {31, FieldKind::Text, QStringLiteral("cb7"), QStringLiteral(""), QStringLiteral("付款方式:"), 2},
        {32, FieldKind::Memo, QStringLiteral("T35"), QStringLiteral(""), QStringLiteral("備註:"), 3},
        {33, FieldKind::Text, QStringLiteral("T38"), QStringLiteral(""), QStringLiteral("支票抬頭:"), 2},
        {34, FieldKind::Text, QStringLiteral("T39"), QStringLiteral(""), QStringLiteral("發票抬頭:"), 2},
        {35, FieldKind::SupplyCode, QStringLiteral("ck(0)"), QStringLiteral("ck(1)"), QStringLiteral("施工廠商/材料供應"), 0},
        {36, FieldKind::Memo, QStringLiteral("T40"), QStringLiteral(""), QStringLiteral("敘述："), 4},
        {37, FieldKind::Text, QStringLiteral("cbTp"), QStringLiteral(""), QStringLiteral("分類"), 0},
    };
    k.panelCaptions = list({"負責人資料", "會計資料", "連絡人 AND 備註", "工班 或 材料供應"});
    companyEntryAids(k);
    k.countyCopyBoxes = list({"cb3"});
    k.nameCopyBoxes = list({"T38", "T39"});
    k.noEnterBoxes = list({"T1", "T34", "T38", "T39", "T40", "cbTp", "T35"});
    return k;
}

RecordKind makeStaff() {
    RecordKind k;
    k.party = Party::Staff;
    k.table = QStringLiteral("員工");
    k.keyColumn = QStringLiteral("中文姓名");
    k.numberColumn = QStringLiteral("員工編號");
    k.windowCaption = QStringLiteral("員工資料");
    k.allButtonCaption = QStringLiteral("全部顯示");
    k.shortHeight = 3300;
    k.fullHeight = 8250;
    k.rightsPosition = 8;
    k.requiredMessage = QStringLiteral("請輸入員工中文姓名 & 英文名");
    k.duplicateMessage = QStringLiteral("員工姓名重複");
    k.noSelectionMessage = QStringLiteral("請先選取表格中一個員工姓名");
    k.listFields = list({"員工編號", "中文姓名", "地址", "住家電話", "行動電話"});
    k.gridColumns = {{300, {}},
                     {600, QStringLiteral("編 號")},
                     {2000, QStringLiteral("姓 名")},
                     {3300, QStringLiteral("地 址")},
                     {1500, QStringLiteral("電話(Home)")},
                     {1300, QStringLiteral("行動電話")},
                     {800, {}}};
    k.searchSkipped = list({"權限", "Pass"});
    k.fields = {
        {0, FieldKind::Text, QStringLiteral("T1"), QStringLiteral(""), QStringLiteral("員工編號:"), 0},
        {1, FieldKind::Text, QStringLiteral("T2"), QStringLiteral(""), QStringLiteral("中文姓名:"), 0},
        {2, FieldKind::Text, QStringLiteral("T3"), QStringLiteral(""), QStringLiteral("英文姓名:   (使用者名稱)"), 0},
        {3, FieldKind::Text, QStringLiteral("T4"), QStringLiteral(""), QStringLiteral("部門:"), 0},
        {4, FieldKind::Text, QStringLiteral("T8"), QStringLiteral(""), QStringLiteral("身分字號:"), 0},
        {5, FieldKind::Pair, QStringLiteral("cb1"), QStringLiteral("T5"), QStringLiteral("住家地址:"), 0},
        {6, FieldKind::Text, QStringLiteral("T6"), QStringLiteral(""), QStringLiteral("郵遞區號:"), 0},
        {7, FieldKind::Text, QStringLiteral("T9"), QStringLiteral(""), QStringLiteral("電子郵件:"), 0},
        {8, FieldKind::Pair, QStringLiteral("T10"), QStringLiteral("T11"), QStringLiteral("住家電話:"), 0},
        {9, FieldKind::Text, QStringLiteral("T12"), QStringLiteral(""), QStringLiteral("行動電話:"), 0},
        {10, FieldKind::Text, QStringLiteral("T13"), QStringLiteral(""), QStringLiteral("生日:"), 0},
        {11, FieldKind::Text, QStringLiteral("T14"), QStringLiteral(""), QStringLiteral("僱用日期:"), 0},
        {12, FieldKind::Text, QStringLiteral("T15"), QStringLiteral(""), QStringLiteral("薪水:"), 0},
        {13, FieldKind::Text, QStringLiteral("T16"), QStringLiteral(""), QStringLiteral("緊急連絡人姓名:"), 0},
        {14, FieldKind::Pair, QStringLiteral("T17"), QStringLiteral("T18"), QStringLiteral("緊急連絡人電話:"), 0},
        {15, FieldKind::Memo, QStringLiteral("T19"), QStringLiteral(""), QStringLiteral("備註:"), kBelowPages},
        {16, FieldKind::NotShown, QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), 0},
        {17, FieldKind::Password, QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), 0},
        {18, FieldKind::Text, QStringLiteral("T20"), QStringLiteral(""), QStringLiteral("職稱:"), 0},
    };
    k.areaCodeBoxes = list({"T10", "T17"});
    k.noEnterBoxes = list({"T1"});
    k.datePickers = {{QStringLiteral("DTP1"), QStringLiteral("T13")}, {QStringLiteral("DTP2"), QStringLiteral("T14")}};
    k.emptyGroupExclamation = false;
    return k;
}

} // namespace

const FieldSlot* RecordKind::slotAt(int position) const {
    for (const FieldSlot& s : fields) {
        if (s.position == position)
            return &s;
    }
    return nullptr;
}

QStringList RecordKind::boxes() const {
    QStringList names;
    for (const FieldSlot& s : fields) {
        if (s.kind == FieldKind::Text || s.kind == FieldKind::Pair || s.kind == FieldKind::Memo)
            names << s.box1;
        if (s.kind == FieldKind::Pair)
            names << s.box2;
    }
    return names;
}

const RecordKind& customerKind() {
    static const RecordKind k = makeCustomer();
    return k;
}

const RecordKind& vendorKind() {
    static const RecordKind k = makeVendor();
    return k;
}

const RecordKind& staffKind() {
    static const RecordKind k = makeStaff();
    return k;
}

} // namespace records
