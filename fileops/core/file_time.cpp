#include "file_time.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>

namespace fileops {
namespace {

struct FieldRange {
    int low;
    int high;
    const char* message;
};

constexpr int kHighestYear = 9999; // the year box holds four digits

FieldRange RangeOf(TimeField field) {
    switch (field) {
    case TimeField::Year:
        return {1970, kHighestYear, "年数は1970以降でお願いします。"};
    case TimeField::Month:
        return {1, 12, "１から１２までしか入力出来ません"};
    case TimeField::Day:
        return {1, 31, "１から３１までしか入力出来ません"};
    case TimeField::Hour:
        return {0, 23, "０から２３までしか入力出来ません"};
    case TimeField::Minute:
    case TimeField::Second:
        break;
    }
    return {0, 59, "０から５９までしか入力出来ません"};
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::tm ToTm(const DateTimeFields& fields) {
    std::tm local{};
    local.tm_year = fields.year - 1900;
    local.tm_mon = fields.month - 1;
    local.tm_mday = fields.day;
    local.tm_hour = fields.hour;
    local.tm_min = fields.minute;
    local.tm_sec = fields.second;
    local.tm_isdst = -1; // the offset in force on that date, not today's
    return local;
}

DateTimeFields FromTm(const std::tm& local) {
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

} // namespace

const char* TimeFieldMessage(TimeField field) {
    return RangeOf(field).message;
}

std::optional<int> TimeFieldValue(TimeField field, const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || text[0] == '-') return std::nullopt;
    const FieldRange range = RangeOf(field);
    if (value < range.low || value > range.high) return std::nullopt;
    return value;
}

std::optional<TimeField> FirstInvalidTimeField(const std::array<std::string, 6>& texts) {
    for (std::size_t i = 0; i < kTimeFieldOrder.size(); ++i) {
        if (!TimeFieldValue(kTimeFieldOrder[i], texts[i])) return kTimeFieldOrder[i];
    }
    return std::nullopt;
}

std::array<std::string, 6> TimeFieldTexts(const DateTimeFields& fields) {
    const auto padded = [](int value, std::size_t width) {
        std::string text = std::to_string(value);
        if (text.size() < width) text.insert(0, width - text.size(), '0');
        return text;
    };
    return {padded(fields.year, 4), padded(fields.month, 2),  padded(fields.day, 2),
            padded(fields.hour, 2), padded(fields.minute, 2), padded(fields.second, 2)};
}

std::optional<DateTimeFields> TimeFieldsFromTexts(const std::array<std::string, 6>& texts) {
    std::array<int, 6> values{};
    for (std::size_t i = 0; i < kTimeFieldOrder.size(); ++i) {
        const auto value = TimeFieldValue(kTimeFieldOrder[i], texts[i]);
        if (!value) return std::nullopt;
        values[i] = *value;
    }
    return DateTimeFields{values[0], values[1], values[2], values[3], values[4], values[5]};
}

StoredTimeCheck CheckStoredTime(const DateTimeFields& fields, DateTimeFields& stored) {
    if (fields.month < 1 || fields.month > 12 || fields.day < 1 ||
        fields.day > DaysInMonth(fields.year, fields.month)) {
        return StoredTimeCheck::NoSuchDate;
    }
    if (fields.year < kFirstStoredYear || fields.year > kLastStoredYear) {
        return StoredTimeCheck::OutsideStoredYears;
    }
    stored = fields;
    stored.second -= stored.second % 2;
    return StoredTimeCheck::Ok;
}

DateTimeFields ShownTimeFields(const struct timespec& modified, bool folder) {
    std::tm local{};
    const std::time_t seconds = modified.tv_sec;
    if (!localtime_r(&seconds, &local)) return {};
    DateTimeFields fields = FromTm(local);
    if (!folder) fields.second -= fields.second % 2;
    return fields;
}

TimeChangeResult SetModificationTime(const std::string& path, const DateTimeFields& fields) {
    DateTimeFields stored;
    switch (CheckStoredTime(fields, stored)) {
    case StoredTimeCheck::NoSuchDate:
        return {TimeChange::NoSuchDate, 0};
    case StoredTimeCheck::OutsideStoredYears:
        return {TimeChange::OutsideStoredYears, 0};
    case StoredTimeCheck::Ok:
        break;
    }
    std::tm local = ToTm(stored);
    const std::time_t when = std::mktime(&local);
    // mktime moves a local time that a clock change skipped; such a time does not exist.
    if (when == static_cast<std::time_t>(-1) || !(FromTm(local) == stored)) {
        return {TimeChange::NoSuchDate, 0};
    }
    const struct timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) return {TimeChange::Failed, errno};
    return {TimeChange::Set, 0};
}

} // namespace fileops
