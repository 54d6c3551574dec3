#include "FieldCodec.h"

#include "db/FieldMerge.h"
#include "mdM.h"
#include "text/RocDate.h"

namespace records {

QString joinPair(const QString& first, const QString& second) {
    return first + QLatin1Char(';') + second;
}

QPair<QString, QString> splitPair(const QString& stored) {
    return {mdM::BeforeSemicolon(stored), mdM::AfterSemicolon(stored)};
}

QString rocDateText(const QDate& d) {
    return text::rocDate(d);
}

int supplyCode(bool workCrews, bool materials) {
    return (workCrews ? 1 : 0) + (materials ? 2 : 0);
}

QPair<bool, bool> supplyBoxes(const QVariant& code) {
    bool ok = true;
    const QString text = code.isNull() ? QString() : code.toString().trimmed();
    const int c = text.isEmpty() ? 0 : text.toInt(&ok);
    switch (ok ? c : 0) {
    case 1:
        return {true, false};
    case 2:
        return {false, true};
    case 3:
        return {true, true};
    default:
        return {false, false};
    }
}

namespace {
// Leading and trailing blanks removed; other white space stays.
QString trimSpaces(const QString& s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && s.at(to - 1) == QLatin1Char(' '))
        --to;
    return s.mid(from, to - from);
}

QString textOf(const QVector<QVariant>& row, int position) {
    const QVariant v = row.value(position);
    return v.isNull() ? QString() : v.toString();
}
} // namespace

BoxValues decodeRecord(const RecordKind& kind, const QVector<QVariant>& row) {
    BoxValues boxes;
    for (const FieldSlot& s : kind.fields) {
        switch (s.kind) {
        case FieldKind::Text:
        case FieldKind::Memo:
            boxes.insert(s.box1, textOf(row, s.position));
            break;
        case FieldKind::Pair: {
            const auto parts = splitPair(textOf(row, s.position));
            boxes.insert(s.box1, parts.first);
            boxes.insert(s.box2, parts.second);
            break;
        }
        case FieldKind::SupplyCode: {
            const auto checked = supplyBoxes(row.value(s.position));
            boxes.insert(s.box1, checked.first ? QStringLiteral("1") : QStringLiteral("0"));
            boxes.insert(s.box2, checked.second ? QStringLiteral("1") : QStringLiteral("0"));
            break;
        }
        case FieldKind::Password:
            boxes.insert(kPasswordValue, textOf(row, s.position));
            break;
        case FieldKind::NotShown:
            break;
        }
    }
    return boxes;
}

ColumnValues encodeRecord(const RecordKind& kind, const BoxValues& boxes, bool editing) {
    ColumnValues columns;
    for (const FieldSlot& s : kind.fields) {
        switch (s.kind) {
        case FieldKind::Text:
        case FieldKind::Memo:
            columns.append({s.position, boxes.value(s.box1)});
            break;
        case FieldKind::Pair: {
            QString second = boxes.value(s.box2);
            if (editing && kind.trimInvoiceStreetOnEdit && s.box2 == QLatin1String("T7"))
                second = trimSpaces(second);
            columns.append({s.position, joinPair(boxes.value(s.box1), second)});
            break;
        }
        case FieldKind::SupplyCode:
            columns.append({s.position, supplyCode(boxes.value(s.box1) == QLatin1String("1"),
                                                   boxes.value(s.box2) == QLatin1String("1"))});
            break;
        case FieldKind::Password:
        case FieldKind::NotShown:
            break;
        }
    }
    return columns;
}

QVariant mergeColumn(const RecordKind& kind, int position, const QVariant& shown, const QVariant& mine,
                     const QVariant& stored) {
    const FieldSlot* slot = kind.slotAt(position);
    const auto code = [](const QVariant& v) {
        const auto [workCrews, materials] = supplyBoxes(v);
        return supplyCode(workCrews, materials);
    };
    switch (slot ? slot->kind : FieldKind::NotShown) {
    case FieldKind::Pair:
        return merge::byBox(shown.toString(), mine.toString(), stored.toString());
    case FieldKind::SupplyCode: // each check box a bit of its own
        return merge::byBit(code(shown), code(mine), code(stored));
    default:
        return mine;
    }
}

} // namespace records
