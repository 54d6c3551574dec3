#include "CatalogLists.h"

#include "text/Numbers.h"

#include <array>

namespace catalog {

namespace {
const MasterList kCategories{"k", "別", "k_id", "k", "k2a", "k"};
const MasterList kWorkKinds{"t", "種", "t_id", "t", "t2w", "t"};

const std::array<VocabularyList, kVocabularyCount> kVocabularies = {{
    {"u", "sort", "u", "單位：", nullptr, nullptr},
    {"行業", "sort", "行", "行業別：", nullptr, nullptr},
    {"地區", "sort", "地", "地區性：", nullptr, nullptr},
    {"收款", "sort", "收", "收款方式：", nullptr, nullptr},
    {"付款", "sort", "付", "付款方式：", nullptr, nullptr},
    {"ps", "sort", "ps", "頁尾備註：", nullptr, nullptr},
    {"工班", "w_id", "工班", "工班：", "商vs工", "工"},
    {"材料", "p_id", "材料", "供應材料：", "商vs料", "料"},
    {"案", "sort", "案", "工程案名：", nullptr, nullptr},
    {"Ctp", "tp_id", "tp", "客戶分類：", nullptr, nullptr},
    {"Ptp", "tp_id", "tp", "廠商分類：", nullptr, nullptr},
    {"Qps", "sort", "ps", "報價單項備註：", nullptr, nullptr},
    {"sc", "sort", "sc", "比例：", nullptr, nullptr},
}};
} // namespace

const MasterList& categoriesList() {
    return kCategories;
}

const MasterList& workKindsList() {
    return kWorkKinds;
}

const MasterList& masterList(const QString& mode) {
    return mode == QLatin1String("k") ? kCategories : kWorkKinds;
}

const VocabularyList& vocabularyList(int i) {
    return kVocabularies.at(size_t(i));
}

bool sameName(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    const auto fold = [](QChar c) {
        return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + 32) : c;
    };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold(a.at(i)) != fold(b.at(i)))
            return false;
    return true;
}

namespace {
// ASCII digits with at most one "." and at least one digit, after an optional sign when `signs`.
bool numberShape(QStringView s, bool signs) {
    if (signs && (s.startsWith(u'-') || s.startsWith(u'+')))
        s = s.mid(1);
    int dots = 0;
    int digits = 0;
    for (const QChar c : s) {
        if (c == QLatin1Char('.'))
            ++dots;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else
            return false;
    }
    return dots <= 1 && digits > 0;
}
} // namespace

bool isNumericCell(const QString& s) {
    return s.isEmpty() || (numberShape(s, false) && num::cellCanShow(s));
}

bool isStoredNumber(const QString& s) {
    return s.isEmpty() || (numberShape(s, true) && num::cellCanShow(s));
}

QString numberFault(const QString& s) {
    if (isStoredNumber(s))
        return {};
    return numberShape(s, true) ? QStringLiteral("數字過長") : QStringLiteral("不是數字");
}

NumberTooLong::NumberTooLong(const QString& text, const QString& where)
    : std::runtime_error(QStringLiteral("%1數字過長：%2").arg(where, text.left(40)).toStdString()),
      m_text(text) {}

double numericValue(const QString& s) {
    if (isStoredNumber(s))
        return num::val(s);
    if (numberShape(s, true))
        throw NumberTooLong(s);
    return 0.0;
}

} // namespace catalog
