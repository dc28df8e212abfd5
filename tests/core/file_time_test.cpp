// The date and time boxes of the file information and the time they store.

#include "file_time.h"
#include "fileops_fixtures.h"
#include "temp_dir.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fileops::CheckStoredTime;
using fileops::DateTimeFields;
using fileops::FirstInvalidTimeField;
using fileops::SetModificationTime;
using fileops::ShownTimeFields;
using fileops::StoredTimeCheck;
using fileops::TimeChange;
using fileops::TimeField;
using fileops::TimeFieldMessage;
using fileops::TimeFieldValue;
using fileops_test::ScopedEnv;
using testsupport::TempDir;

// A fixed zone with summer time (as central Europe), spelled as a POSIX rule
// so that no zone files are needed.
constexpr const char* kZoneWithSummerTime = "CET-1CEST,M3.5.0,M10.5.0/3";

class LocalZone {
  public:
    explicit LocalZone(const char* zone) : m_env("TZ", zone) { ::tzset(); }
    ~LocalZone() { ::tzset(); }

  private:
    ScopedEnv m_env;
};

struct timespec ModifiedTimeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mtim;
}

std::time_t Local(const DateTimeFields& fields) {
    std::tm local{};
    local.tm_year = fields.year - 1900;
    local.tm_mon = fields.month - 1;
    local.tm_mday = fields.day;
    local.tm_hour = fields.hour;
    local.tm_min = fields.minute;
    local.tm_sec = fields.second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

void SetTime(const std::string& path, std::time_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct FieldRow {
    TimeField field;
    const char* text;
    std::optional<int> value;
};

const FieldRow kFieldRows[] = {
    {TimeField::Year, "1970", 1970},
    {TimeField::Year, "1969", std::nullopt},
    {TimeField::Year, "1975", 1975},
    {TimeField::Year, "2107", 2107},
    {TimeField::Year, "9999", 9999},
    {TimeField::Month, "0", std::nullopt},
    {TimeField::Month, "1", 1},
    {TimeField::Month, "12", 12},
    {TimeField::Month, "13", std::nullopt},
    {TimeField::Day, "31", 31},
    {TimeField::Day, "32", std::nullopt},
    {TimeField::Day, "0", std::nullopt},
    {TimeField::Hour, "0", 0},
    {TimeField::Hour, "23", 23},
    {TimeField::Hour, "24", std::nullopt},
    {TimeField::Minute, "59", 59},
    {TimeField::Minute, "60", std::nullopt},
    {TimeField::Second, "059", 59},
    {TimeField::Second, "60", std::nullopt},
    {TimeField::Second, "", std::nullopt},
    {TimeField::Second, "5a", std::nullopt},
    {TimeField::Second, "-1", std::nullopt},
    {TimeField::Second, "+1", std::nullopt},
    {TimeField::Year, "99999999999", std::nullopt},
};

class TimeBox : public testing::TestWithParam<FieldRow> {};

TEST_P(TimeBox, AcceptsOnlyItsRange) {
    EXPECT_EQ(TimeFieldValue(GetParam().field, GetParam().text), GetParam().value)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Boxes, TimeBox, testing::ValuesIn(kFieldRows));

TEST(TimeBoxes, MessagesAndCheckingOrder) {
    EXPECT_STREQ(TimeFieldMessage(TimeField::Year), "年数は1970以降でお願いします。");
    EXPECT_STREQ(TimeFieldMessage(TimeField::Month), "１から１２までしか入力出来ません");
    EXPECT_STREQ(TimeFieldMessage(TimeField::Day), "１から３１までしか入力出来ません");
    EXPECT_STREQ(TimeFieldMessage(TimeField::Hour), "０から２３までしか入力出来ません");
    EXPECT_STREQ(TimeFieldMessage(TimeField::Minute), "０から５９までしか入力出来ません");
    EXPECT_STREQ(TimeFieldMessage(TimeField::Second), "０から５９までしか入力出来ません");
    EXPECT_EQ(FirstInvalidTimeField({"2020", "12", "31", "23", "59", "59"}), std::nullopt);
    EXPECT_EQ(FirstInvalidTimeField({"2020", "13", "31", "24", "59", "59"}), TimeField::Month);
    EXPECT_EQ(FirstInvalidTimeField({"1969", "13", "31", "24", "59", "59"}), TimeField::Year);
    EXPECT_EQ(FirstInvalidTimeField({"2020", "1", "1", "1", "1", ""}), TimeField::Second);
}

TEST(TimeBoxes, TextsRoundTripAndRefuseAnyInvalidBox) {
    const DateTimeFields time{2023, 5, 6, 3, 4, 8};
    const std::array<std::string, 6> texts = {"2023", "05", "06", "03", "04", "08"};
    EXPECT_EQ(fileops::TimeFieldTexts(time), texts);
    EXPECT_EQ(fileops::TimeFieldsFromTexts(texts), time);
    EXPECT_EQ(fileops::TimeFieldTexts({1980, 12, 31, 23, 59, 0})[5], "00");
    EXPECT_EQ(fileops::TimeFieldsFromTexts({"2023", "5", "6", "3", "4", "8"}), time);
    for (std::size_t box = 0; box < texts.size(); ++box) {
        std::array<std::string, 6> broken = texts;
        broken[box] = box == 0 ? "1969" : "99";
        EXPECT_EQ(fileops::TimeFieldsFromTexts(broken), std::nullopt) << box;
        broken[box] = "";
        EXPECT_EQ(fileops::TimeFieldsFromTexts(broken), std::nullopt) << box;
    }
}

struct StoredRow {
    DateTimeFields fields;
    StoredTimeCheck check;
    int storedSecond;
};

const StoredRow kStoredRows[] = {
    {{2024, 2, 29, 10, 0, 0}, StoredTimeCheck::Ok, 0},
    {{2023, 2, 29, 10, 0, 0}, StoredTimeCheck::NoSuchDate, 0},
    {{1900, 2, 29, 10, 0, 0}, StoredTimeCheck::NoSuchDate, 0},
    {{2000, 2, 29, 10, 0, 0}, StoredTimeCheck::Ok, 0},
    {{2023, 4, 31, 10, 0, 0}, StoredTimeCheck::NoSuchDate, 0},
    {{2023, 12, 31, 23, 59, 59}, StoredTimeCheck::Ok, 58},
    {{2023, 1, 1, 0, 0, 1}, StoredTimeCheck::Ok, 0},
    {{1975, 6, 1, 0, 0, 0}, StoredTimeCheck::OutsideStoredYears, 0},
    {{1979, 12, 31, 23, 59, 58}, StoredTimeCheck::OutsideStoredYears, 0},
    {{1980, 1, 1, 0, 0, 0}, StoredTimeCheck::Ok, 0},
    {{2107, 12, 31, 23, 59, 59}, StoredTimeCheck::Ok, 58},
    {{2108, 1, 1, 0, 0, 0}, StoredTimeCheck::OutsideStoredYears, 0},
};

class StoredTime : public testing::TestWithParam<StoredRow> {};

TEST_P(StoredTime, DatesThatExistInTheTwoSecondRange) {
    DateTimeFields stored;
    EXPECT_EQ(CheckStoredTime(GetParam().fields, stored), GetParam().check);
    if (GetParam().check == StoredTimeCheck::Ok) {
        DateTimeFields expected = GetParam().fields;
        expected.second = GetParam().storedSecond;
        EXPECT_EQ(stored, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Dates, StoredTime, testing::ValuesIn(kStoredRows));

TEST(ModificationTime, FiftyNineSecondsAreStoredAsFiftyEight) {
    TempDir dir;
    const auto path = dir.Write("A.NC", "x");
    const DateTimeFields typed{2023, 5, 6, 13, 4, 59};
    const auto result = SetModificationTime(path, typed);
    EXPECT_EQ(result.change, TimeChange::Set);
    const struct timespec stored = ModifiedTimeOf(path);
    EXPECT_EQ(stored.tv_sec, Local({2023, 5, 6, 13, 4, 58}));
    EXPECT_EQ(stored.tv_nsec, 0);
    EXPECT_EQ(ShownTimeFields(stored, false), (DateTimeFields{2023, 5, 6, 13, 4, 58}));
}

TEST(ModificationTime, FilesShowEvenSecondsFoldersWholeSeconds) {
    TempDir dir;
    const auto path = dir.Write("A.NC", "x");
    SetTime(path, Local({2023, 5, 6, 13, 4, 7}));
    EXPECT_EQ(ShownTimeFields(ModifiedTimeOf(path), false).second, 6);
    EXPECT_EQ(ShownTimeFields(ModifiedTimeOf(path), true).second, 7);
    EXPECT_EQ(ShownTimeFields(ModifiedTimeOf(path), true), (DateTimeFields{2023, 5, 6, 13, 4, 7}));
}

TEST(ModificationTime, AReadOnlyFileAndAFolderGetTheirTime) {
    TempDir dir;
    const auto file = dir.Write("SUB/A.NC", "x");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(SetModificationTime(file, {2020, 1, 2, 3, 4, 6}).change, TimeChange::Set);
    EXPECT_EQ(ModifiedTimeOf(file).tv_sec, Local({2020, 1, 2, 3, 4, 6}));
    EXPECT_EQ(SetModificationTime(dir.File("SUB"), {2021, 1, 2, 3, 4, 8}).change, TimeChange::Set);
    EXPECT_EQ(ModifiedTimeOf(dir.File("SUB")).tv_sec, Local({2021, 1, 2, 3, 4, 8}));
}

TEST(ModificationTime, ATimeThatCannotBeSetIsReportedAndChangesNothing) {
    TempDir dir;
    const auto path = dir.Write("A.NC", "x");
    SetTime(path, 1600000000);
    EXPECT_EQ(SetModificationTime(path, {2023, 2, 30, 0, 0, 0}).change, TimeChange::NoSuchDate);
    EXPECT_EQ(SetModificationTime(path, {1975, 1, 1, 0, 0, 0}).change,
              TimeChange::OutsideStoredYears);
    EXPECT_EQ(ModifiedTimeOf(path).tv_sec, 1600000000);
    const auto missing = SetModificationTime(dir.File("none"), {2023, 1, 1, 0, 0, 0});
    EXPECT_EQ(missing.change, TimeChange::Failed);
    EXPECT_EQ(missing.error, ENOENT);
}

TEST(ModificationTime, NoPermissionIsReported) {
    TempDir dir;
    const auto path = dir.Write("A.NC", "x");
    if (::geteuid() == 0) {
        // Root may set any time; an immutable file refuses even root.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        const bool locked = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                            (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
        if (!locked) {
            ::close(fd);
            GTEST_SKIP() << "no immutable files here";
        }
        const auto result = SetModificationTime(path, {2023, 1, 1, 0, 0, 0});
        flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        ::close(fd);
        EXPECT_EQ(result.change, TimeChange::Failed);
        EXPECT_EQ(result.error, EPERM);
    } else {
        // A file of another user: only its owner may set its time.
        const auto result = SetModificationTime("/", {2023, 1, 1, 0, 0, 0});
        EXPECT_EQ(result.change, TimeChange::Failed);
        EXPECT_EQ(result.error, EPERM);
    }
}

TEST(ModificationTime, UsesTheOffsetInForceOnThatDate) {
    const LocalZone zone(kZoneWithSummerTime);
    TempDir dir;
    const auto path = dir.Write("A.NC", "x");
    ASSERT_EQ(SetModificationTime(path, {2021, 7, 1, 12, 0, 0}).change, TimeChange::Set);
    EXPECT_EQ(ModifiedTimeOf(path).tv_sec, 1625133600); // 10:00 UTC, summer time
    ASSERT_EQ(SetModificationTime(path, {2021, 1, 15, 12, 0, 0}).change, TimeChange::Set);
    EXPECT_EQ(ModifiedTimeOf(path).tv_sec, 1610708400); // 11:00 UTC, winter time
    // 02:30 on the morning the clocks go forward does not exist.
    EXPECT_EQ(SetModificationTime(path, {2021, 3, 28, 2, 30, 0}).change, TimeChange::NoSuchDate);
    EXPECT_EQ(ModifiedTimeOf(path).tv_sec, 1610708400);
}

} // namespace
