#pragma once
// Number groups of the browse lists: a group is the beginning of a record number. The lists step
// through "01" ... "09", "10" ... "33", then "A" ... "Z" until a group has records.
#include <QString>
#include <functional>
#include <optional>

namespace records {

// The group tried after `group`: "08" -> "09", "09" -> "10", "33" -> "A", "A" or "A0" -> "B".
// None after a group beginning with "Z", or after one that begins with neither a letter nor a
// number (the search ends there).
std::optional<QString> nextGroup(const QString& group);

// The group whose list is shown when `start` is asked for: the first group from `start` on that
// has records, else the last one tried. The empty group stands for every record.
QString groupToShow(const QString& start, const std::function<bool(const QString&)>& hasRecords);

// The group of a listed number, as the group box shows it: the number without its last three
// characters.
QString groupOfNumber(const QString& number);

// The group a save lists again: the first two characters of the saved number.
QString savedGroup(const QString& number);

} // namespace records
