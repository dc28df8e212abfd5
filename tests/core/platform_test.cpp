#include "encoding.h"
#include "local_time.h"
#include "main_state.h"
#include "paths.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Exists;
using testsupport::TempDir;

TEST(Paths, JoinAndSplit) {
    EXPECT_EQ(platform::JoinPath("/", "a"), "/a");
    EXPECT_EQ(platform::JoinPath("/nc", "a"), "/nc/a");
    EXPECT_EQ(platform::SplitPath("/nc/a.NC"),
              (std::pair<std::string, std::string>{"/nc", "a.NC"}));
    EXPECT_EQ(platform::SplitPath("/a"), (std::pair<std::string, std::string>{"/", "a"}));
    EXPECT_EQ(platform::SplitPath("a"), (std::pair<std::string, std::string>{".", "a"}));
    EXPECT_TRUE(platform::IsRootPath("/"));
    EXPECT_FALSE(platform::IsRootPath("/nc"));
    EXPECT_EQ(platform::WithoutTrailingSeparator("/nc//"), "/nc");
    EXPECT_EQ(platform::WithoutTrailingSeparator("/"), "/");
}

TEST(Paths, TypedPathsResolve) {
    const auto resolve = [](const std::string& typed) {
        return platform::ResolveTypedPath(typed, "/nc/work", "/home/op");
    };
    EXPECT_EQ(resolve("~"), "/home/op");
    EXPECT_EQ(resolve("~/progs/"), "/home/op/progs");
    EXPECT_EQ(resolve("sub"), "/nc/work/sub");
    EXPECT_EQ(resolve(".."), "/nc");
    EXPECT_EQ(resolve("../../.."), "/");
    EXPECT_EQ(resolve("/a/./b/../c"), "/a/c");
    EXPECT_EQ(resolve("."), "/nc/work");
    EXPECT_EQ(resolve("~op"), "/nc/work/~op");     // only "~" itself is the home folder
    EXPECT_EQ(resolve("Ab/ｱｲ"), "/nc/work/Ab/ｱｲ"); // case and bytes kept
}

TEST(IsFolder, MissingPathsCountAsFolders) {
    TempDir dir;
    EXPECT_TRUE(platform::IsFolder(dir.path()));
    EXPECT_TRUE(platform::IsFolder(dir.File("missing")));
    EXPECT_FALSE(platform::IsFolder(dir.Write("file.NC", "x")));
}

TEST(ForceFolderPath, CreatesEveryMissingLevel) {
    TempDir dir;
    EXPECT_TRUE(platform::ForceFolderPath(dir.File("NEW/SUB/")));
    EXPECT_TRUE(platform::FolderExists(dir.File("NEW")));
    EXPECT_TRUE(platform::FolderExists(dir.File("NEW/SUB")));
    EXPECT_TRUE(platform::ForceFolderPath(dir.File("NEW/SUB"))); // exists already
}

TEST(ForceFolderPath, RootAndEmptyPathCreateNothing) {
    EXPECT_FALSE(platform::ForceFolderPath("/"));
    EXPECT_FALSE(platform::ForceFolderPath(""));
    EXPECT_FALSE(platform::ForceFolderPath("//"));
}

TEST(ForceFolderPath, FailureStillAnswersTrue) {
    TempDir dir;
    const std::string file = dir.Write("file", "x");
    EXPECT_TRUE(platform::ForceFolderPath(file + "/sub"));
    EXPECT_FALSE(Exists(file + "/sub"));
}

TEST(CharSets, TypedCharacterAgainstASet) {
    EXPECT_TRUE(app::CharNotInSet('a', "/,;*?<>|."));
    EXPECT_FALSE(app::CharNotInSet('.', "/,;*?<>|."));
    EXPECT_TRUE(app::CharInSet('*', "/,;*?<>|."));
    EXPECT_FALSE(app::CharInSet('\\', "/,;*?<>|."));
}

TEST(Encoding, SettingsTextsRoundTrip) {
    for (const std::string text : {"ascii only", "ﾌｧｲﾙ ﾌｫﾙﾀﾞ", "変数リスト", "☃ not in CP932",
                                   "ﾃｩ looks like UTF-8 in CP932", "～−¢"}) {
        EXPECT_EQ(platform::FromSettingsEncoding(platform::ToSettingsEncoding(text)), text) << text;
    }
    EXPECT_TRUE(platform::ToSettingsEncoding("☃").starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(platform::ToSettingsEncoding("ｱ"), "\xB1");
}

TEST(Encoding, InvalidUtf8IsKeptAsBytes) {
    const std::string raw = "bad\xFF\xFEname";
    EXPECT_FALSE(platform::IsValidUtf8(raw));
    EXPECT_EQ(platform::FromSettingsEncoding(platform::ToSettingsEncoding(raw)), raw);
}

TEST(Encoding, Utf8Validation) {
    EXPECT_TRUE(platform::IsValidUtf8("日本語 abc"));
    EXPECT_FALSE(platform::IsValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(platform::IsValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(platform::IsValidUtf8("\xE3\x81"));     // cut short
}

TEST(LocalTime, FormatsMinutes) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(platform::FormatLocalTime(1700000000), "2023-11-14 22:13");
    EXPECT_EQ(platform::FormatLocalTime(0), "");
}

} // namespace
