// New folders take the first free name of 新規ﾌｫﾙﾀﾞ, 新規ﾌｫﾙﾀﾞ(2) ... (99).

#include "new_folder.h"
#include "paths.h"
#include "temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using fileops::CreateNewFolder;
using fileops::NewFolderName;
using testsupport::ListNames;
using testsupport::TempDir;

TEST(NewFolder, NamesCountFromTwoInHalfWidthParentheses) {
    EXPECT_EQ(NewFolderName(1), "新規ﾌｫﾙﾀﾞ");
    EXPECT_EQ(NewFolderName(2), "新規ﾌｫﾙﾀﾞ(2)");
    EXPECT_EQ(NewFolderName(99), "新規ﾌｫﾙﾀﾞ(99)");
}

TEST(NewFolder, TakesTheFirstFreeName) {
    TempDir dir;
    const auto first = CreateNewFolder(dir.path());
    EXPECT_EQ(first.name, "新規ﾌｫﾙﾀﾞ");
    EXPECT_EQ(first.error, 0);
    EXPECT_TRUE(platform::FolderExists(dir.File("新規ﾌｫﾙﾀﾞ")));
    ASSERT_EQ(::mkdir(dir.File("新規ﾌｫﾙﾀﾞ(2)").c_str(), 0755), 0);
    EXPECT_EQ(CreateNewFolder(dir.path()).name, "新規ﾌｫﾙﾀﾞ(3)");
    EXPECT_EQ(ListNames(dir.path()), "新規ﾌｫﾙﾀﾞ 新規ﾌｫﾙﾀﾞ(2) 新規ﾌｫﾙﾀﾞ(3)");
}

TEST(NewFolder, AFileOfTheNameCountsAsTaken) {
    TempDir dir;
    dir.Write("新規ﾌｫﾙﾀﾞ", "a file, left alone");
    EXPECT_EQ(CreateNewFolder(dir.path()).name, "新規ﾌｫﾙﾀﾞ(2)");
    EXPECT_EQ(testsupport::ReadFile(dir.File("新規ﾌｫﾙﾀﾞ")), "a file, left alone");
}

TEST(NewFolder, NothingIsMadeWhenEveryNameIsTaken) {
    TempDir dir;
    for (int n = 1; n <= fileops::kLastNewFolderNumber; ++n)
        ASSERT_EQ(::mkdir(dir.File(NewFolderName(n)).c_str(), 0755), 0);
    const auto result = CreateNewFolder(dir.path());
    EXPECT_EQ(result.name, "");
    EXPECT_EQ(result.error, EEXIST);
    EXPECT_FALSE(testsupport::Exists(dir.File("新規ﾌｫﾙﾀﾞ(100)")));
}

TEST(NewFolder, AMissingFolderIsReported) {
    TempDir dir;
    const auto result = CreateNewFolder(dir.File("none"));
    EXPECT_EQ(result.name, "");
    EXPECT_EQ(result.error, ENOENT);
}

} // namespace
