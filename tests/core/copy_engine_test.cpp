#include "copy_engine.h"
#include "temp_dir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fileops::ConflictAnswer;
using fileops::CopyResult;
using testsupport::Exists;
using testsupport::ReadFile;
using testsupport::TempDir;

TEST(CopyEngine, CopiesFoldersWithContentsAndKeepsTimesAndModes) {
    TempDir dir;
    const auto file = dir.Write("src/TREE/A.NC", "O1\r\n");
    dir.Write("src/TREE/SUB/B.NC", "O2\r\n");
    ::chmod(file.c_str(), 0604);
    const struct timespec times[2] = {{1000000, 0}, {1000000, 0}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
    ::symlink("A.NC", dir.File("src/TREE/LINK").c_str());
    dir.Write("dst/.keep", "");
    std::string error;
    EXPECT_EQ(fileops::CopyInto(dir.File("src/TREE"), dir.File("dst"), {}, error),
              CopyResult::Copied)
        << error;
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/A.NC")), "O1\r\n");
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/SUB/B.NC")), "O2\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("dst/TREE/A.NC").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0604u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000);
    char target[16] = {};
    EXPECT_EQ(::readlink(dir.File("dst/TREE/LINK").c_str(), target, sizeof target - 1), 4);
    EXPECT_STREQ(target, "A.NC");
}

TEST(CopyEngine, ConflictsFollowTheAnswer) {
    TempDir dir;
    const auto source = dir.Write("src/A.NC", "new");
    dir.Write("dst/A.NC", "old");
    std::string error;
    const auto answer = [](ConflictAnswer a) { return [a](const std::string&) { return a; }; };
    EXPECT_EQ(fileops::CopyInto(source, dir.File("dst"), answer(ConflictAnswer::Skip), error),
              CopyResult::Skipped);
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "old");
    EXPECT_EQ(fileops::CopyInto(source, dir.File("dst"), answer(ConflictAnswer::Cancel), error),
              CopyResult::Cancelled);
    EXPECT_EQ(fileops::CopyInto(source, dir.File("dst"), answer(ConflictAnswer::Replace), error),
              CopyResult::Copied);
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "new");
}

TEST(CopyEngine, RefusesAFolderIntoItselfAndAFileOntoItself) {
    TempDir dir;
    dir.Write("TREE/SUB/A.NC", "x");
    std::string error;
    EXPECT_EQ(fileops::CopyInto(dir.File("TREE"), dir.File("TREE/SUB"), {}, error),
              CopyResult::Failed);
    EXPECT_FALSE(Exists(dir.File("TREE/SUB/TREE")));
    EXPECT_EQ(fileops::CopyInto(dir.File("TREE/SUB/A.NC"), dir.File("TREE/SUB"), {}, error),
              CopyResult::Failed);
    EXPECT_EQ(ReadFile(dir.File("TREE/SUB/A.NC")), "x");
}

TEST(CopyEngine, MissingSourceFails) {
    TempDir dir;
    std::string error;
    EXPECT_EQ(fileops::CopyInto(dir.File("none"), dir.path(), {}, error), CopyResult::Failed);
    EXPECT_NE(error.find("none"), std::string::npos);
}

} // namespace
