// Moving files and folders: a rename within a file system, a copy and a
// removal across, and never a source lost on the way.

#include "copy_engine.h"
#include "fileops_fixtures.h"
#include "temp_dir.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fileops::Conflict;
using fileops::ConflictAnswer;
using fileops::Transfer;
using fileops::TransferCallbacks;
using fileops::TransferKind;
using fileops::TransferOptions;
using fileops::TransferOutcome;
using fileops::TransferReport;
using fileops::TransferStatus;
using fileops_test::Content;
using fileops_test::FileSizeLimit;
using fileops_test::ScratchTmpfs;
using fileops_test::UnwritableFolder;
using testsupport::Exists;
using testsupport::ListNames;
using testsupport::ReadFile;
using testsupport::TempDir;

TransferReport Move(const std::vector<std::string>& sources, const std::string& destination,
                    const TransferCallbacks& callbacks = {}, TransferOptions options = {}) {
    return Transfer(TransferKind::Move, sources, destination, options).Run(callbacks);
}

TransferCallbacks Answering(ConflictAnswer answer) {
    TransferCallbacks callbacks;
    callbacks.askConflict = [answer](const Conflict&) { return answer; };
    return callbacks;
}

ino_t InodeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_ino;
}

// Every file below a folder with its content (links as "-> target").
std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string relative = entry.path().lexically_relative(folder).string();
        if (entry.is_symlink()) {
            files[relative] = "-> " + std::filesystem::read_symlink(entry.path()).string();
        } else if (entry.is_regular_file()) {
            files[relative] = ReadFile(entry.path().string());
        }
    }
    return files;
}

// The paths of a file map, to show what differs without all the bytes.
std::string PathsOf(const std::map<std::string, std::string>& files) {
    std::string paths;
    for (const auto& [path, content] : files)
        paths += path + "(" + std::to_string(content.size()) + ") ";
    return paths;
}

// Nothing lost: each source file is whole either where it was or at the
// destination (never only partly, never nowhere), and nothing half written
// waits anywhere.
void ExpectNothingLost(const std::map<std::string, std::string>& before,
                       const std::string& sourceFolder, const std::string& targetFolder) {
    const auto atSource = FilesBelow(sourceFolder);
    const auto atTarget = FilesBelow(targetFolder);
    for (const auto& [path, content] : before) {
        const auto source = atSource.find(path);
        const auto target = atTarget.find(path);
        const bool wholeAtSource = source != atSource.end() && source->second == content;
        const bool wholeAtTarget = target != atTarget.end() && target->second == content;
        EXPECT_TRUE(wholeAtSource || wholeAtTarget) << path;
        if (target != atTarget.end()) {
            EXPECT_EQ(target->second, content) << path;
        }
    }
    for (const auto& [path, content] : atTarget)
        EXPECT_EQ(path.find(".tornwel-"), std::string::npos) << path;
}

// A tree of small files with one file too big for where it goes.
void WriteTree(const TempDir& dir, const std::string& root, std::size_t bigSize) {
    for (int i = 0; i < 6; ++i)
        dir.Write(root + "/TREE/F" + std::to_string(i) + ".NC", Content(3000, char('a' + i)));
    dir.Write(root + "/TREE/SUB/BIG.NC", Content(bigSize, 'B'));
    dir.Write(root + "/TREE/SUB/S.NC", "small");
    ::symlink("S.NC", dir.File(root + "/TREE/SUB/LINK").c_str());
}

TEST(Move, WithinAFileSystemItRenames) {
    TempDir dir;
    dir.Write("src/TREE/A.NC", "a");
    dir.Write("src/B.NC", "b");
    dir.Write("dst/.keep", "");
    const ino_t tree = InodeOf(dir.File("src/TREE"));
    const ino_t file = InodeOf(dir.File("src/B.NC"));
    const auto report = Move({dir.File("src/TREE"), dir.File("src/B.NC")}, dir.File("dst"));
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(report.progress.filesDone, 2u);
    EXPECT_EQ(report.progress.bytesDone, 2u);
    EXPECT_EQ(ListNames(dir.File("src")), "");
    EXPECT_EQ(InodeOf(dir.File("dst/TREE")), tree);
    EXPECT_EQ(InodeOf(dir.File("dst/B.NC")), file);
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/A.NC")), "a");
}

// The same moves through the copy path that a second file system takes.
class MoveByCopy : public testing::TestWithParam<bool> {
  protected:
    TransferOptions Options() const { return {.moveByCopy = GetParam()}; }
};

TEST_P(MoveByCopy, MovesATreeAndRemovesItsSources) {
    TempDir dir;
    WriteTree(dir, "src", 3 * (1 << 20));
    const auto file = dir.File("src/TREE/F1.NC");
    ::chmod(file.c_str(), 0640);
    const struct timespec times[2] = {{1000, 0}, {2000, 0}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
    dir.Write("dst/.keep", "");
    const auto before = FilesBelow(dir.File("src"));
    const auto report = Move({dir.File("src/TREE")}, dir.File("dst"), {}, Options());
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(ListNames(dir.File("src")), "");
    auto after = FilesBelow(dir.File("dst"));
    after.erase(".keep");
    EXPECT_TRUE(after == before) << PathsOf(after) << "/ " << PathsOf(before);
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("dst/TREE/F1.NC").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_mtim.tv_sec, 2000);
}

TEST_P(MoveByCopy, ConflictsKeepWhatTheUserKeeps) {
    TempDir dir;
    dir.Write("src/TREE/A.NC", "new a");
    dir.Write("src/TREE/B.NC", "new b");
    dir.Write("dst/TREE/A.NC", "old a");
    TransferCallbacks callbacks = Answering(ConflictAnswer::No);
    auto report = Move({dir.File("src/TREE")}, dir.File("dst"), callbacks, Options());
    EXPECT_EQ(report.status, TransferStatus::Done);
    // A.NC stays on both sides, so the source folder stays too.
    EXPECT_EQ(ListNames(dir.File("src/TREE")), "A.NC");
    EXPECT_EQ(ReadFile(dir.File("src/TREE/A.NC")), "new a");
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/A.NC")), "old a");
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/B.NC")), "new b");
    report =
        Move({dir.File("src/TREE")}, dir.File("dst"), Answering(ConflictAnswer::Yes), Options());
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(ListNames(dir.File("src")), "");
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/A.NC")), "new a");
}

INSTANTIATE_TEST_SUITE_P(Paths, MoveByCopy, testing::Values(false, true),
                         [](const auto& param) { return param.param ? "Copying" : "Renaming"; });

TEST(MoveAcrossFileSystems, CancelMidFileKeepsTheSourceAndTheOlderFile) {
    TempDir dir;
    const std::string big = Content(4 * (1 << 20), 'x');
    dir.Write("src/SMALL.NC", "small");
    dir.Write("src/BIG.NC", big);
    dir.Write("dst/BIG.NC", "older");
    Transfer transfer(TransferKind::Move, {dir.File("src/SMALL.NC"), dir.File("src/BIG.NC")},
                      dir.File("dst"), {.moveByCopy = true});
    TransferCallbacks callbacks = Answering(ConflictAnswer::Yes);
    callbacks.progress = [&](const fileops::TransferProgress& progress) {
        if (progress.currentName.ends_with("BIG.NC") && progress.bytesDone > (1 << 20)) {
            transfer.Cancel();
        }
    };
    const auto report = transfer.Run(callbacks);
    EXPECT_EQ(report.status, TransferStatus::Cancelled);
    EXPECT_EQ(report.outcomes, (std::vector{TransferOutcome::Done, TransferOutcome::Cancelled}));
    EXPECT_EQ(ListNames(dir.File("src")), "BIG.NC");
    EXPECT_EQ(ReadFile(dir.File("src/BIG.NC")), big);
    EXPECT_EQ(ListNames(dir.File("dst")), "BIG.NC SMALL.NC");
    EXPECT_EQ(ReadFile(dir.File("dst/BIG.NC")), "older");
    EXPECT_EQ(ReadFile(dir.File("dst/SMALL.NC")), "small");
}

TEST(MoveAcrossFileSystems, AWriteFailureMidwayLosesNoSource) {
    TempDir dir;
    WriteTree(dir, "src", 2 * (1 << 20));
    dir.Write("dst/.keep", "");
    const auto before = FilesBelow(dir.File("src"));
    TransferReport report;
    {
        const FileSizeLimit limit(1 << 20);
        report = Move({dir.File("src/TREE")}, dir.File("dst"), {}, {.moveByCopy = true});
    }
    EXPECT_EQ(report.status, TransferStatus::Failed);
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    ASSERT_FALSE(report.failures.empty());
    EXPECT_EQ(report.failures[0].error, EFBIG);
    EXPECT_EQ(report.failures[0].path, dir.File("src/TREE/SUB/BIG.NC"));
    EXPECT_EQ(ReadFile(dir.File("src/TREE/SUB/BIG.NC")), before.at("TREE/SUB/BIG.NC"));
    EXPECT_FALSE(Exists(dir.File("dst/TREE/SUB/BIG.NC")));
    ExpectNothingLost(before, dir.File("src"), dir.File("dst"));
}

TEST(MoveAcrossFileSystems, AFullDestinationLosesNoSource) {
    TempDir dir;
    ScratchTmpfs small(dir.File("small"), "size=1m");
    if (!small.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    WriteTree(dir, "src", 2 * (1 << 20));
    const auto before = FilesBelow(dir.File("src"));
    const auto report = Move({dir.File("src/TREE")}, dir.File("small"));
    EXPECT_EQ(report.status, TransferStatus::Failed);
    ASSERT_FALSE(report.failures.empty());
    EXPECT_EQ(report.failures[0].error, ENOSPC);
    EXPECT_EQ(ReadFile(dir.File("src/TREE/SUB/BIG.NC")), before.at("TREE/SUB/BIG.NC"));
    EXPECT_FALSE(Exists(dir.File("small/TREE/SUB/BIG.NC")));
    ExpectNothingLost(before, dir.File("src"), dir.File("small"));
}

// A folder of the destination that refuses writing partway: what went
// beside it is moved, what was meant for it stays at its source.
TEST(MoveAcrossFileSystems, AReadOnlyFolderPartwayLosesNoSource) {
    TempDir dir;
    WriteTree(dir, "src", 4096);
    dir.Write("dst/TREE/SUB/.keep", "");
    const auto before = FilesBelow(dir.File("src"));
    UnwritableFolder locked(dir.File("dst/TREE/SUB"));
    if (!locked.ok()) GTEST_SKIP() << "cannot lock a folder here";
    const auto report = Move({dir.File("src/TREE")}, dir.File("dst"), {}, {.moveByCopy = true});
    EXPECT_EQ(report.status, TransferStatus::Failed);
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    EXPECT_EQ(report.failures.size(), 3u);
    EXPECT_EQ(ListNames(dir.File("src/TREE")), "SUB");
    EXPECT_EQ(ListNames(dir.File("src/TREE/SUB")), "BIG.NC LINK S.NC");
    EXPECT_EQ(ListNames(dir.File("dst/TREE/SUB")), ".keep");
    ExpectNothingLost(before, dir.File("src"), dir.File("dst"));
}

TEST(MoveAcrossFileSystems, AReadOnlyFileSystemLosesNoSource) {
    TempDir dir;
    ScratchTmpfs readOnly(dir.File("ro"), "size=1m,ro");
    if (!readOnly.mounted()) GTEST_SKIP() << "cannot mount a read-only tmpfs here";
    WriteTree(dir, "src", 4096);
    const auto before = FilesBelow(dir.File("src"));
    const auto report = Move({dir.File("src/TREE")}, dir.File("ro"));
    EXPECT_EQ(report.status, TransferStatus::Failed);
    ASSERT_FALSE(report.failures.empty());
    EXPECT_EQ(report.failures[0].error, EROFS);
    EXPECT_EQ(ListNames(dir.File("ro")), "");
    EXPECT_TRUE(FilesBelow(dir.File("src")) == before);
}

TEST(MoveAcrossFileSystems, MovesWholeWhenThereIsRoom) {
    TempDir dir;
    ScratchTmpfs other(dir.File("other"), "size=16m");
    if (!other.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    WriteTree(dir, "src", 2 * (1 << 20));
    const auto before = FilesBelow(dir.File("src"));
    const auto report = Move({dir.File("src/TREE")}, dir.File("other"));
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(ListNames(dir.File("src")), "");
    const auto after = FilesBelow(dir.File("other"));
    EXPECT_TRUE(after == before) << PathsOf(after) << "/ " << PathsOf(before);
}

TEST(Move, RefusesTheSameFolderAndAFolderIntoItself) {
    TempDir dir;
    dir.Write("TREE/SUB/A.NC", "a");
    auto report = Move({dir.File("TREE/SUB/A.NC")}, dir.File("TREE/SUB"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    report = Move({dir.File("TREE")}, dir.File("TREE/SUB"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    EXPECT_EQ(ReadFile(dir.File("TREE/SUB/A.NC")), "a");
    EXPECT_EQ(ListNames(dir.File("TREE/SUB")), "A.NC");
}

} // namespace
