// Renames never replace an existing entry, whatever the name looks like.

#include "entry_rename.h"
#include "temp_dir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fileops::InPlaceOutcome;
using fileops::RenameEntry;
using fileops::RenameInPlace;
using fileops::RenameOutcome;
using testsupport::ListNames;
using testsupport::ReadFile;
using testsupport::TempDir;

TEST(EntryRename, RenamesFilesAndFoldersKeepingTheirContents) {
    TempDir dir;
    dir.Write("A.NC", "O1");
    dir.Write("SUB/B.NC", "O2");
    EXPECT_EQ(RenameEntry(dir.path(), "A.NC", "B.NC").outcome, RenameOutcome::Renamed);
    EXPECT_EQ(RenameEntry(dir.path(), "SUB", "NEW").outcome, RenameOutcome::Renamed);
    EXPECT_EQ(ListNames(dir.path()), "B.NC NEW");
    EXPECT_EQ(ReadFile(dir.File("B.NC")), "O1");
    EXPECT_EQ(ReadFile(dir.File("NEW/B.NC")), "O2");
}

TEST(EntryRename, NeverReplacesAnExistingEntry) {
    TempDir dir;
    dir.Write("A.NC", "a");
    dir.Write("B.NC", "b");
    dir.Write("DIR/keep", "k");
    // Names that differ only in case are two files here: upper-casing one
    // must not destroy the other.
    dir.Write("c.nc", "lower");
    dir.Write("C.NC", "upper");
    const auto taken = RenameEntry(dir.path(), "A.NC", "B.NC");
    EXPECT_EQ(taken.outcome, RenameOutcome::NameTaken);
    EXPECT_EQ(taken.error, EEXIST);
    EXPECT_EQ(RenameEntry(dir.path(), "A.NC", "DIR").outcome, RenameOutcome::NameTaken);
    EXPECT_EQ(RenameEntry(dir.path(), "c.nc", "C.NC").outcome, RenameOutcome::NameTaken);
    EXPECT_EQ(ReadFile(dir.File("A.NC")), "a");
    EXPECT_EQ(ReadFile(dir.File("B.NC")), "b");
    EXPECT_EQ(ReadFile(dir.File("c.nc")), "lower");
    EXPECT_EQ(ReadFile(dir.File("C.NC")), "upper");
    EXPECT_EQ(ReadFile(dir.File("DIR/keep")), "k");
}

TEST(EntryRename, TwoLinksOfOneFileStayTwoNames) {
    TempDir dir;
    dir.Write("p.nc", "x");
    ASSERT_EQ(::link(dir.File("p.nc").c_str(), dir.File("P.NC").c_str()), 0);
    EXPECT_EQ(RenameEntry(dir.path(), "p.nc", "P.NC").outcome, RenameOutcome::NameTaken);
    EXPECT_EQ(ListNames(dir.path()), "P.NC p.nc");
}

TEST(EntryRename, RefusesNamesThatAreNoEntryOfTheFolder) {
    TempDir dir;
    dir.Write("A.NC", "a");
    dir.Write("SUB/.keep", "");
    for (const std::string& name :
         std::vector<std::string>{"", ".", "..", "SUB/A.NC", "../A.NC", std::string("A\0B", 3)}) {
        const auto result = RenameEntry(dir.path(), "A.NC", name);
        EXPECT_EQ(result.outcome, RenameOutcome::InvalidName) << name;
        EXPECT_EQ(result.error, EINVAL);
    }
    EXPECT_EQ(RenameEntry(dir.path(), "..", "X").outcome, RenameOutcome::InvalidName);
    EXPECT_EQ(ListNames(dir.path()), "A.NC SUB");
    EXPECT_EQ(ListNames(dir.File("SUB")), ".keep");
}

TEST(EntryRename, SameNameAndMissingEntry) {
    TempDir dir;
    dir.Write("A.NC", "a");
    EXPECT_EQ(RenameEntry(dir.path(), "A.NC", "A.NC").outcome, RenameOutcome::Unchanged);
    const auto missing = RenameEntry(dir.path(), "NONE.NC", "X.NC");
    EXPECT_EQ(missing.outcome, RenameOutcome::Failed);
    EXPECT_EQ(missing.error, ENOENT);
}

TEST(EntryRename, NamesThatAreNotUtf8RenameByTheirBytes) {
    TempDir dir;
    const std::string cp932 = "\x95\x94\x95\x69.NC"; // 部品.NC in CP932
    dir.Write(cp932, "x");
    EXPECT_EQ(RenameEntry(dir.path(), cp932, "PART.NC").outcome, RenameOutcome::Renamed);
    EXPECT_EQ(RenameEntry(dir.path(), "PART.NC", "\x83\x41.nc").outcome, RenameOutcome::Renamed);
    EXPECT_EQ(ListNames(dir.path()), "\x83\x41.nc");
}

struct InPlaceRow {
    const char* oldName;
    const char* text;
    InPlaceOutcome outcome;
    const char* caption;
    const char* namesAfter;
};

// The folder holds A.NC, B.NC and the folder DIR.
const InPlaceRow kInPlaceRows[] = {
    {"A.NC", "C.NC", InPlaceOutcome::Renamed, "C.NC", "B.NC C.NC DIR"},
    {"A.NC", "DIR", InPlaceOutcome::FolderExists, "A.NC", "A.NC B.NC DIR"},
    {"DIR", "DIR", InPlaceOutcome::FolderExists, "DIR", "A.NC B.NC DIR"},
    {"A.NC", "", InPlaceOutcome::FolderExists, "A.NC", "A.NC B.NC DIR"},
    {"A.NC", "B.NC", InPlaceOutcome::Reverted, "A.NC", "A.NC B.NC DIR"},
    {"A.NC", "A.NC", InPlaceOutcome::Renamed, "A.NC", "A.NC B.NC DIR"},
    {"A.NC", "X/Y", InPlaceOutcome::Reverted, "A.NC", "A.NC B.NC DIR"},
    {"..", "UP", InPlaceOutcome::Reverted, "..", "A.NC B.NC DIR"},
    {"DIR", "D2", InPlaceOutcome::Renamed, "D2", "A.NC B.NC D2"},
};

class InPlaceRename : public testing::TestWithParam<InPlaceRow> {};

TEST_P(InPlaceRename, EndsWithTheRightCaptionAndNames) {
    const InPlaceRow& row = GetParam();
    TempDir dir;
    dir.Write("A.NC", "a");
    dir.Write("B.NC", "b");
    dir.Write("DIR/x", "");
    const auto result = RenameInPlace(dir.path(), row.oldName, row.text);
    EXPECT_EQ(result.outcome, row.outcome);
    EXPECT_EQ(result.caption, row.caption);
    EXPECT_EQ(ListNames(dir.path()), row.namesAfter);
    EXPECT_EQ(ReadFile(dir.File("B.NC")), "b");
}

INSTANTIATE_TEST_SUITE_P(Edits, InPlaceRename, testing::ValuesIn(kInPlaceRows));

} // namespace
