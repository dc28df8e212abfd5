#include "file_mask.h"
#include "folder_reader.h"
#include "free_space.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::TempDir;

struct MaskCase {
    const char* mask;
    const char* passing; // of X.NC x.nc X.NC1 X A.TXT B.DAT C.*
};

class FileMaskTest : public testing::TestWithParam<MaskCase> {};

TEST_P(FileMaskTest, PassesByExtension) {
    const filelist::FileMask mask(GetParam().mask);
    std::string passing;
    for (const char* name : {"X.NC", "x.nc", "X.NC1", "X", "A.TXT", "B.DAT", "C.*"}) {
        if (mask.Passes(name)) passing += std::string(passing.empty() ? "" : " ") + name;
    }
    EXPECT_EQ(passing, GetParam().passing) << GetParam().mask;
}

INSTANTIATE_TEST_SUITE_P(Masks, FileMaskTest,
                         testing::Values(MaskCase{"*.*", "X.NC x.nc X.NC1 X A.TXT B.DAT C.*"},
                                         MaskCase{"*.NC", "X.NC x.nc"},
                                         MaskCase{"*.nc", "X.NC x.nc"}, MaskCase{"*", "X"},
                                         MaskCase{"*.NC,*.TXT", "X.NC x.nc A.TXT"},
                                         MaskCase{"*.NC|*.TXT", "X.NC x.nc A.TXT"},
                                         MaskCase{"*.NC,*.TXT|*.DAT", "X.NC x.nc A.TXT B.DAT"},
                                         MaskCase{"*.NC,", "X.NC x.nc"},
                                         MaskCase{",*.NC", "X.NC x.nc X"},
                                         MaskCase{"*.NC,*.*", "X.NC x.nc C.*"},
                                         MaskCase{"*.NC,,*.TXT", "X.NC x.nc X A.TXT"}));

TEST(FileMask, ListKeepsItsParts) {
    EXPECT_EQ(filelist::FileMask("*.NC,*.TXT|*.DAT").parts(),
              (std::vector<std::string>{"*.NC", "*.TXT", "*.DAT"}));
    EXPECT_EQ(filelist::FileMask("*.NC,").parts(), std::vector<std::string>{"*.NC"});
    EXPECT_TRUE(filelist::FileMask("*.NC").parts().empty());
}

TEST(FreeSpaceText, FiveRanges) {
    const double kb = 1024;
    EXPECT_EQ(filelist::FreeSpaceText(0), "/ 0ﾊﾞｲﾄ Free");
    EXPECT_EQ(filelist::FreeSpaceText(1023), "/ 1023ﾊﾞｲﾄ Free");
    EXPECT_EQ(filelist::FreeSpaceText(1536), "/ 1.500KB Free");
    EXPECT_EQ(filelist::FreeSpaceText(kb * kb), "/ 1.000MB Free");
    EXPECT_EQ(filelist::FreeSpaceText(1.234 * kb * kb * kb), "/ 1.234GB Free");
    EXPECT_EQ(filelist::FreeSpaceText(1023.9995 * kb * kb * kb), "/ 1024.000GB Free");
    EXPECT_EQ(filelist::FreeSpaceText(kb * kb * kb * kb), "");
}

TEST(FolderReader, EntriesWithAttributes) {
    TempDir dir;
    dir.Write("A.NC", "12345");
    dir.Write(".hidden", "");
    dir.Write("SUB/x", "");
    ::chmod(dir.File("A.NC").c_str(), 0444);
    ::mkfifo(dir.File("pipe").c_str(), 0644);
    ::symlink("nowhere", dir.File("dangling").c_str());
    ::symlink("SUB", dir.File("linked").c_str());
    std::vector<filelist::FolderEntry> entries;
    ASSERT_EQ(filelist::ReadFolder(dir.path(), entries), 0);
    std::map<std::string, filelist::FolderEntry> byName;
    for (auto& entry : entries)
        byName[entry.name] = entry;
    ASSERT_EQ(byName.size(), 6u);
    EXPECT_EQ(byName["A.NC"].size, 5u);
    EXPECT_EQ(filelist::AttributeLetters(byName["A.NC"].attributes), "R");
    EXPECT_EQ(filelist::AttributeLetters(byName[".hidden"].attributes), "H");
    EXPECT_EQ(filelist::AttributeLetters(byName["pipe"].attributes), "S");
    EXPECT_TRUE(byName["SUB"].folder);
    EXPECT_TRUE(byName["linked"].folder);
    EXPECT_FALSE(byName["dangling"].folder);
}

TEST(FolderReader, UnreadableFolderGivesTheReason) {
    TempDir dir;
    std::vector<filelist::FolderEntry> entries;
    EXPECT_EQ(filelist::ReadFolder(dir.File("missing"), entries), ENOENT);
    EXPECT_EQ(filelist::ReadFolder(dir.Write("file", ""), entries), ENOTDIR);
}

} // namespace
