// The size line and the attributes of the file information.

#include "file_information.h"
#include "fileops_fixtures.h"
#include "temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fileops::FormatSizeText;
using fileops::ReadFileInformation;
using fileops::SetReadOnly;
using testsupport::TempDir;

struct SizeRow {
    std::uint64_t bytes;
    const char* text; // after the prefix
};

const SizeRow kSizeRows[] = {
    {0, "0ﾊﾞｲﾄ"},
    {500, "500ﾊﾞｲﾄ"},
    {1024, "1024ﾊﾞｲﾄ"},
    {1025, "1.001KB (1,025ﾊﾞｲﾄ)"},
    {1536, "1.500KB (1,536ﾊﾞｲﾄ)"},
    {1088, "1.063KB (1,088ﾊﾞｲﾄ)"}, // 1.0625: half rounds up
    {1048575, "1023.999KB (1,048,575ﾊﾞｲﾄ)"},
    {1048576, "1024.000KB (1,048,576ﾊﾞｲﾄ)"},
    {1048577, "1.000MB (1,048,577ﾊﾞｲﾄ)"},
    {3000000, "2.861MB (3,000,000ﾊﾞｲﾄ)"},
    {1073741824, "1024.000MB (1,073,741,824ﾊﾞｲﾄ)"},
    {1073741825, "1.000GB (1,073,741,825ﾊﾞｲﾄ)"},
    {5000000000, "4.657GB (5,000,000,000ﾊﾞｲﾄ)"},
    {1099511627776, "1024.000GB (1,099,511,627,776ﾊﾞｲﾄ)"},
    {18446744073709551615u, "17179869184.000GB (18,446,744,073,709,551,615ﾊﾞｲﾄ)"},
};

class SizeText : public testing::TestWithParam<SizeRow> {};

TEST_P(SizeText, UnitsDecimalsAndSeparators) {
    EXPECT_EQ(FormatSizeText(GetParam().bytes), std::string("サイズ :　　") + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SizeText, testing::ValuesIn(kSizeRows));

TEST(SizeText, FolderLine) {
    EXPECT_EQ(fileops::FolderSizeText(), "サイズ :　　0");
}

TEST(FileInformationAttributes, ReadOnlyHiddenSystemNeverArchive) {
    TempDir dir;
    const auto plain = dir.Write("A.NC", std::string(1536, 'x'));
    const auto hidden = dir.Write(".hidden", "");
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0644), 0);
    ASSERT_EQ(::chmod(plain.c_str(), 0444), 0);
    int error = -1;
    const auto file = ReadFileInformation(plain, error);
    ASSERT_TRUE(file);
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(file->folder);
    EXPECT_EQ(file->size, 1536u);
    EXPECT_EQ(file->attributes, fileops::kReadOnly);
    EXPECT_EQ(ReadFileInformation(hidden, error)->attributes, fileops::kHidden);
    EXPECT_EQ(ReadFileInformation(dir.File("pipe"), error)->attributes, fileops::kSystem);
    const auto folder = ReadFileInformation(dir.path(), error);
    EXPECT_TRUE(folder->folder);
    EXPECT_EQ(folder->size, 0u);
    EXPECT_EQ(folder->attributes, 0);
    EXPECT_FALSE(ReadFileInformation(dir.File("none"), error));
    EXPECT_EQ(error, ENOENT);
}

TEST(FileInformationAttributes, ProgramsAreRegularFilesTheOwnerMayRun) {
    TempDir dir;
    const auto tool = dir.Write("TOOL.NC", "x");
    const auto others = dir.Write("OTHERS.EXE", "x");
    ASSERT_EQ(::chmod(tool.c_str(), 0744), 0);
    ASSERT_EQ(::chmod(others.c_str(), 0655), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    int error = 0;
    EXPECT_TRUE(ReadFileInformation(tool, error)->program);
    EXPECT_FALSE(ReadFileInformation(others, error)->program);
    EXPECT_FALSE(ReadFileInformation(dir.path(), error)->program);
}

TEST(FileInformationAttributes, ReadOnlyChangesOnlyTheOwnersWriteBit) {
    TempDir dir;
    const auto path = dir.Write("A.NC", "x");
    ASSERT_EQ(::chmod(path.c_str(), 0674), 0);
    const auto mode = [&] {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_mode & 07777;
    };
    EXPECT_EQ(SetReadOnly(path, true), 0);
    EXPECT_EQ(mode(), 0474u);
    EXPECT_EQ(SetReadOnly(path, true), 0);
    EXPECT_EQ(mode(), 0474u);
    EXPECT_EQ(SetReadOnly(path, false), 0);
    EXPECT_EQ(mode(), 0674u);
    EXPECT_EQ(SetReadOnly(dir.File("none"), true), ENOENT);
}

TEST(FileInformationAttributes, AChangeTheSystemRefusesIsReported) {
    TempDir dir;
    const auto path = dir.Write("LOCKED/A.NC", "x");
    fileops_test::UnwritableFolder locked(dir.File("LOCKED"));
    if (!locked.ok()) GTEST_SKIP() << "cannot lock a folder here";
    if (::geteuid() != 0) GTEST_SKIP() << "an owner may change modes in a locked folder";
    EXPECT_EQ(SetReadOnly(dir.File("LOCKED"), false), EPERM);
}

} // namespace
