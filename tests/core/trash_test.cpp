// The trash: where entries go, what is recorded, what is refused and why.

#include "fileops_fixtures.h"
#include "permanent_delete.h"
#include "temp_dir.h"
#include "trash.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fileops::MoveEntriesToTrash;
using fileops::MoveToTrash;
using fileops_test::ScopedEnv;
using fileops_test::ScratchTmpfs;
using fileops_test::UnwritableFolder;
using testsupport::Exists;
using testsupport::ListNames;
using testsupport::ReadFile;
using testsupport::TempDir;

// A home trash of its own under a temporary data folder.
class TrashTest : public testing::Test {
  protected:
    TempDir m_dir;
    ScopedEnv m_dataHome{"XDG_DATA_HOME", m_dir.File("data").c_str()};
    std::string Trash(const std::string& part) const { return m_dir.File("data/Trash/" + part); }
};

std::string PathLineOf(const std::string& info) {
    std::smatch match;
    const std::regex line("\nPath=([^\n]*)\n");
    return std::regex_search(info, match, line) ? match[1].str() : "";
}

TEST_F(TrashTest, EntriesGoToTheHomeTrashWithTheirOrigin) {
    m_dir.Write("work/A.NC", "O1");
    m_dir.Write("work/TREE/SUB/B.NC", "O2");
    EXPECT_EQ(MoveToTrash(m_dir.File("work/A.NC")), 0);
    EXPECT_EQ(MoveToTrash(m_dir.File("work/TREE")), 0);
    EXPECT_EQ(ListNames(m_dir.File("work")), "");
    EXPECT_EQ(ReadFile(Trash("files/A.NC")), "O1");
    EXPECT_EQ(ReadFile(Trash("files/TREE/SUB/B.NC")), "O2");
    EXPECT_EQ(ListNames(Trash("info")), "A.NC.trashinfo TREE.trashinfo");
    const std::string info = ReadFile(Trash("info/A.NC.trashinfo"));
    EXPECT_TRUE(std::regex_match(info, std::regex("\\[Trash Info\\]\nPath=[^\n]+\n"
                                                  "DeletionDate=\\d{4}-\\d\\d-\\d\\dT"
                                                  "\\d\\d:\\d\\d:\\d\\d\n")))
        << info;
    EXPECT_EQ(PathLineOf(info), m_dir.File("work/A.NC"));
}

TEST_F(TrashTest, EqualNamesGetTheirOwnPlaces) {
    m_dir.Write("one/A.NC", "1");
    m_dir.Write("two/A.NC", "2");
    EXPECT_EQ(MoveToTrash(m_dir.File("one/A.NC")), 0);
    EXPECT_EQ(MoveToTrash(m_dir.File("two/A.NC")), 0);
    EXPECT_EQ(ListNames(Trash("files")), "A.NC A.NC.2");
    EXPECT_EQ(ReadFile(Trash("files/A.NC")), "1");
    EXPECT_EQ(ReadFile(Trash("files/A.NC.2")), "2");
    EXPECT_EQ(PathLineOf(ReadFile(Trash("info/A.NC.2.trashinfo"))), m_dir.File("two/A.NC"));
}

TEST_F(TrashTest, NamesThatAreNotUtf8AreTrashedAndRecordedByTheirBytes) {
    const std::string name = "\x95\x94 %.NC"; // CP932, a blank and a percent sign
    m_dir.Write("work/" + name, "x");
    EXPECT_EQ(MoveToTrash(m_dir.File("work/" + name)), 0);
    EXPECT_EQ(ReadFile(Trash("files/" + name)), "x");
    const std::string path = PathLineOf(ReadFile(Trash("info/" + name + ".trashinfo")));
    EXPECT_EQ(path, m_dir.File("work/%95%94%20%25.NC"));
}

TEST_F(TrashTest, ALinkGoesAsALink) {
    m_dir.Write("outside/KEEP.NC", "keep");
    m_dir.Write("work/.keep", "");
    ASSERT_EQ(::symlink(m_dir.File("outside").c_str(), m_dir.File("work/LINK").c_str()), 0);
    EXPECT_EQ(MoveToTrash(m_dir.File("work/LINK")), 0);
    struct stat info {};
    ASSERT_EQ(::lstat(Trash("files/LINK").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFile(m_dir.File("outside/KEEP.NC")), "keep");
}

TEST_F(TrashTest, ParentRowIsNeverIncludedAndRefusalsAreReportedByName) {
    m_dir.Write("work/A.NC", "a");
    m_dir.Write("work/B.NC", "b");
    m_dir.Write("work/LOCKED/C.NC", "c");
    m_dir.Write("work/LOCKED/D.NC", "d");
    UnwritableFolder locked(m_dir.File("work/LOCKED"));
    if (!locked.ok()) GTEST_SKIP() << "cannot lock a folder here";
    const auto failures = MoveEntriesToTrash(m_dir.File("work"),
                                             {"..", "A.NC", "LOCKED/C.NC", "B.NC", "LOCKED/D.NC"});
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].name, "LOCKED/C.NC");
    EXPECT_EQ(failures[1].name, "LOCKED/D.NC");
    const int expected = ::geteuid() == 0 ? EPERM : EACCES;
    EXPECT_EQ(failures[0].error, expected);
    EXPECT_EQ(failures[0].reason, std::generic_category().message(expected));
    EXPECT_EQ(ListNames(m_dir.File("work")), "LOCKED");
    EXPECT_EQ(ListNames(m_dir.File("work/LOCKED")), "C.NC D.NC");
    EXPECT_EQ(ListNames(Trash("files")), "A.NC B.NC");
    // Nothing is left half done for the refused ones.
    EXPECT_EQ(ListNames(Trash("info")), "A.NC.trashinfo B.NC.trashinfo");
}

TEST(TrashFreshHome, NothingLandsInTheWorkingFolder) {
    TempDir dir;
    dir.Write("home/.profile", "");
    dir.Write("work/A.NC", "a");
    dir.Write("work/B.NC", "b");
    ScopedEnv home("HOME", dir.File("home").c_str());
    ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
    char* previous = ::getcwd(nullptr, 0);
    ASSERT_EQ(::chdir(dir.File("work").c_str()), 0);
    const int absolute = MoveToTrash(dir.File("work/A.NC"));
    const int relative = MoveToTrash("B.NC");
    EXPECT_EQ(::chdir(previous), 0);
    std::free(previous);
    EXPECT_EQ(absolute, 0);
    EXPECT_EQ(relative, 0);
    EXPECT_EQ(ListNames(dir.File("work")), "");
    EXPECT_EQ(ListNames(dir.File("home/.local/share/Trash/files")), "A.NC B.NC");
    EXPECT_EQ(PathLineOf(ReadFile(dir.File("home/.local/share/Trash/info/B.NC.trashinfo"))),
              dir.File("work/B.NC"));
}

TEST(TrashOtherFileSystem, GoesToTheTrashOfItsTopFolder) {
    TempDir dir;
    ScopedEnv dataHome("XDG_DATA_HOME", dir.File("data").c_str());
    ScratchTmpfs volume(dir.File("volume"), "size=1m");
    if (!volume.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    dir.Write("volume/work/A.NC", "a");
    EXPECT_EQ(MoveToTrash(dir.File("volume/work/A.NC")), 0);
    const std::string trash = dir.File("volume/.Trash-" + std::to_string(::getuid()));
    EXPECT_EQ(ReadFile(trash + "/files/A.NC"), "a");
    EXPECT_EQ(PathLineOf(ReadFile(trash + "/info/A.NC.trashinfo")), "work/A.NC");
    EXPECT_FALSE(Exists(dir.File("data/Trash/files/A.NC")));
}

TEST(TrashOtherFileSystem, WithoutATrashThereItIsRefusedAndCanBeDeletedForGood) {
    TempDir dir;
    ScopedEnv dataHome("XDG_DATA_HOME", dir.File("data").c_str());
    ScratchTmpfs volume(dir.File("volume"), "size=1m");
    if (!volume.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    dir.Write("volume/work/A.NC", "a");
    dir.Write("volume/work/TREE/SUB/B.NC", "b");
    {
        UnwritableFolder top(dir.File("volume"));
        if (!top.ok()) GTEST_SKIP() << "cannot lock a folder here";
        const auto failures = MoveEntriesToTrash(dir.File("volume/work"), {"A.NC", "TREE"});
        ASSERT_EQ(failures.size(), 2u);
        EXPECT_EQ(failures[0].name, "A.NC");
        EXPECT_NE(failures[0].error, 0);
        EXPECT_FALSE(failures[0].reason.empty());
        EXPECT_EQ(ListNames(dir.File("volume/work")), "A.NC TREE");
        EXPECT_FALSE(Exists(dir.File("data/Trash/files/A.NC")));
        EXPECT_TRUE(fileops::DeletePermanently(dir.File("volume/work/A.NC")).empty());
        EXPECT_TRUE(fileops::DeletePermanently(dir.File("volume/work/TREE")).empty());
        EXPECT_EQ(ListNames(dir.File("volume/work")), "");
    }
}

TEST(PermanentDelete, RemovesATreeButNeverFollowsLinks) {
    TempDir dir;
    dir.Write("outside/KEEP.NC", "keep");
    dir.Write("work/TREE/SUB/A.NC", "a");
    ASSERT_EQ(::symlink(dir.File("outside").c_str(), dir.File("work/TREE/LINK").c_str()), 0);
    EXPECT_TRUE(fileops::DeletePermanently(dir.File("work/TREE")).empty());
    EXPECT_EQ(ListNames(dir.File("work")), "");
    EXPECT_EQ(ReadFile(dir.File("outside/KEEP.NC")), "keep");
}

TEST(PermanentDelete, ReportsWhatCannotGoAndRemovesTheRest) {
    TempDir dir;
    dir.Write("work/TREE/A.NC", "a");
    dir.Write("work/TREE/LOCKED/B.NC", "b");
    UnwritableFolder locked(dir.File("work/TREE/LOCKED"));
    if (!locked.ok()) GTEST_SKIP() << "cannot lock a folder here";
    const auto failures = fileops::DeletePermanently(dir.File("work/TREE"));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, dir.File("work/TREE/LOCKED/B.NC"));
    EXPECT_EQ(ListNames(dir.File("work/TREE")), "LOCKED");
    EXPECT_EQ(fileops::DeletePermanently(dir.File("work/..")).size(), 1u);
}

} // namespace
