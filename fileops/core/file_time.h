#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>

namespace fileops {

// A local date and time as the six boxes of the file information hold it.
struct DateTimeFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateTimeFields&) const = default;
};

// The boxes in the order they are checked (and their tags, 1 to 6).
enum class TimeField { Year = 1, Month, Day, Hour, Minute, Second };
inline constexpr std::array<TimeField, 6> kTimeFieldOrder = {TimeField::Year,   TimeField::Month,
                                                             TimeField::Day,    TimeField::Hour,
                                                             TimeField::Minute, TimeField::Second};

// The message shown when a box is out of its range.
const char* TimeFieldMessage(TimeField field);

// The value of a box, or nothing when it is empty, not a number or out of
// its range (year 1970 and up, month 1-12, day 1-31 whatever the month,
// hour 0-23, minute and second 0-59).
std::optional<int> TimeFieldValue(TimeField field, const std::string& text);

// The first box, in checking order, whose text is not valid (nothing when all are).
std::optional<TimeField> FirstInvalidTimeField(const std::array<std::string, 6>& texts);

// The texts of the six boxes in checking order: the year with four digits,
// the others with two ("2023", "05", "06", "13", "04", "58").
std::array<std::string, 6> TimeFieldTexts(const DateTimeFields& fields);

// The time the six boxes hold, or nothing when one of them is not valid.
std::optional<DateTimeFields> TimeFieldsFromTexts(const std::array<std::string, 6>& texts);

// Time stamps are written in the two-second format: only the years 1980 to
// 2107 and only even seconds (an odd second becomes the even one below).
inline constexpr int kFirstStoredYear = 1980;
inline constexpr int kLastStoredYear = 2107;

enum class StoredTimeCheck { Ok, NoSuchDate, OutsideStoredYears };

// The time a set of valid boxes stores: NoSuchDate for a day the month does
// not have (or a local time skipped by a clock change), OutsideStoredYears
// for a year the two-second format cannot hold. `stored` gets the time with
// its second made even.
StoredTimeCheck CheckStoredTime(const DateTimeFields& fields, DateTimeFields& stored);

// The local time of a time stamp at whole seconds; for a file (not a folder)
// with its second made even, as the two-second format shows it.
DateTimeFields ShownTimeFields(const struct timespec& modified, bool folder);

enum class TimeChange { Set, NoSuchDate, OutsideStoredYears, Failed };

struct TimeChangeResult {
    TimeChange change = TimeChange::Failed;
    int error = 0; // errno value when Failed
};

// Sets the modification time of an entry (its access time is kept) to the
// stored form of `fields`, which hold valid box values. Nothing is set unless
// Set is returned.
TimeChangeResult SetModificationTime(const std::string& path, const DateTimeFields& fields);

} // namespace fileops
