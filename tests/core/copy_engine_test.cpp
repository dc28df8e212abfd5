// Copying files and folders: what arrives, what is asked, what a cancel or a
// refusal leaves behind.

#include "copy_engine.h"
#include "fileops_fixtures.h"
#include "fileops_texts.h"
#include "temp_dir.h"

#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using fileops::Conflict;
using fileops::ConflictAnswer;
using fileops::Transfer;
using fileops::TransferCallbacks;
using fileops::TransferKind;
using fileops::TransferOutcome;
using fileops::TransferReport;
using fileops::TransferStatus;
using fileops_test::Content;
using testsupport::Exists;
using testsupport::ListNames;
using testsupport::ReadFile;
using testsupport::TempDir;

TransferReport Copy(const std::vector<std::string>& sources, const std::string& destination,
                    const TransferCallbacks& callbacks = {}) {
    return Transfer(TransferKind::Copy, sources, destination).Run(callbacks);
}

TransferCallbacks Answering(ConflictAnswer answer, int* asked = nullptr) {
    TransferCallbacks callbacks;
    callbacks.askConflict = [answer, asked](const Conflict&) {
        if (asked) ++*asked;
        return answer;
    };
    return callbacks;
}

// Every path below a folder, so that a left-over temporary file shows.
std::string AllPaths(const std::string& folder) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        paths.push_back(entry.path().lexically_relative(folder).string());
    std::sort(paths.begin(), paths.end());
    std::string joined;
    for (const auto& path : paths)
        joined += (joined.empty() ? "" : " ") + path;
    return joined;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

std::string LinkTarget(const std::string& path) {
    char target[4096] = {};
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
    return length < 0 ? "" : std::string(target, static_cast<std::size_t>(length));
}

TEST(CopyEngine, CopiesFoldersWithContentsAndKeepsTimesAndModes) {
    TempDir dir;
    const auto file = dir.Write("src/TREE/A.NC", "O1\r\n");
    dir.Write("src/TREE/SUB/B.NC", "O2\r\n");
    dir.Write("src/TREE/EMPTY.NC", "");
    ::chmod(file.c_str(), 0604);
    const struct timespec times[2] = {{900000, 0}, {1000000, 5000}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
    ::chmod(dir.File("src/TREE/SUB").c_str(), 0750);
    const struct timespec folderTimes[2] = {{2000000, 0}, {2000000, 0}};
    ::utimensat(AT_FDCWD, dir.File("src/TREE/SUB").c_str(), folderTimes, 0);
    ::symlink("A.NC", dir.File("src/TREE/LINK").c_str());
    dir.Write("dst/.keep", "");
    const auto report = Copy({dir.File("src/TREE")}, dir.File("dst"));
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Done});
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(AllPaths(dir.File("dst")),
              ".keep TREE TREE/A.NC TREE/EMPTY.NC TREE/LINK TREE/SUB TREE/SUB/B.NC");
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/A.NC")), "O1\r\n");
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/SUB/B.NC")), "O2\r\n");
    EXPECT_EQ(ReadFile(dir.File("dst/TREE/EMPTY.NC")), "");
    const struct stat copied = StatOf(dir.File("dst/TREE/A.NC"));
    EXPECT_EQ(copied.st_mode & 07777, 0604u);
    EXPECT_EQ(copied.st_mtim.tv_sec, 1000000);
    EXPECT_EQ(copied.st_mtim.tv_nsec, 5000);
    const struct stat folder = StatOf(dir.File("dst/TREE/SUB"));
    EXPECT_EQ(folder.st_mode & 07777, 0750u);
    EXPECT_EQ(folder.st_mtim.tv_sec, 2000000);
    EXPECT_EQ(LinkTarget(dir.File("dst/TREE/LINK")), "A.NC");
    EXPECT_EQ(ReadFile(dir.File("src/TREE/A.NC")), "O1\r\n");
}

TEST(CopyEngine, ProgressCountsEveryChunkAndEndsAtTheTotals) {
    TempDir dir;
    dir.Write("src/BIG.NC", Content(3 * (1 << 20) + 17, 'a'));
    dir.Write("src/SMALL.NC", "x");
    ::symlink("BIG.NC", dir.File("src/LINK").c_str());
    dir.Write("dst/.keep", "");
    std::vector<fileops::TransferProgress> seen;
    TransferCallbacks callbacks;
    callbacks.progress = [&](const fileops::TransferProgress& progress) {
        seen.push_back(progress);
    };
    const auto report =
        Copy({dir.File("src/BIG.NC"), dir.File("src/SMALL.NC"), dir.File("src/LINK")},
             dir.File("dst"), callbacks);
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(report.progress.bytesTotal, 3u * (1 << 20) + 18);
    EXPECT_EQ(report.progress.filesTotal, 3u);
    EXPECT_EQ(report.progress.bytesDone, report.progress.bytesTotal);
    EXPECT_EQ(report.progress.filesDone, report.progress.filesTotal);
    ASSERT_FALSE(seen.empty());
    // Never backwards, and the big file moves the count at least once per MiB.
    int duringBig = 0;
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i].bytesDone, seen[i - 1].bytesDone);
        EXPECT_LE(seen[i].bytesDone, seen[i].bytesTotal);
        if (seen[i].currentName == dir.File("src/BIG.NC")) ++duringBig;
    }
    EXPECT_GE(duringBig, 3);
    EXPECT_EQ(ReadFile(dir.File("dst/BIG.NC")), Content(3 * (1 << 20) + 17, 'a'));
}

TEST(CopyEngine, ConflictsFollowTheAnswer) {
    TempDir dir;
    const auto source = dir.Write("src/A.NC", "new");
    dir.Write("dst/A.NC", "old");
    int asked = 0;
    auto report = Copy({source}, dir.File("dst"), Answering(ConflictAnswer::No, &asked));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Skipped});
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "old");
    report = Copy({source}, dir.File("dst"), Answering(ConflictAnswer::Cancel, &asked));
    EXPECT_EQ(report.status, TransferStatus::Cancelled);
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Cancelled});
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "old");
    report = Copy({source}, dir.File("dst"), Answering(ConflictAnswer::Yes, &asked));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Done});
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "new");
    EXPECT_EQ(asked, 3);
    // Without a question, an existing file is kept.
    dir.Write("src/A.NC", "newer");
    report = Copy({source}, dir.File("dst"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Skipped});
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "new");
    EXPECT_EQ(ListNames(dir.File("dst")), "A.NC");
}

// A tree copied over an older copy of itself: A.NC, B.NC and SUB/C.NC exist.
class TreeConflict : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"A.NC", "B.NC", "SUB/C.NC", "SUB/NEW.NC"})
            m_dir.Write(std::string("src/TREE/") + name, std::string("new ") + name);
        for (const char* name : {"A.NC", "B.NC", "SUB/C.NC", "SUB/OLD.NC"})
            m_dir.Write(std::string("dst/TREE/") + name, std::string("old ") + name);
    }
    std::string Target(const std::string& name) const {
        return ReadFile(m_dir.File("dst/TREE/" + name));
    }
    TempDir m_dir;
};

TEST_F(TreeConflict, YesToAllAsksOnceAndReplacesTheRest) {
    int asked = 0;
    const auto report = Copy({m_dir.File("src/TREE")}, m_dir.File("dst"),
                             Answering(ConflictAnswer::YesToAll, &asked));
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(asked, 1);
    for (const char* name : {"A.NC", "B.NC", "SUB/C.NC", "SUB/NEW.NC"})
        EXPECT_EQ(Target(name), std::string("new ") + name);
    EXPECT_EQ(Target("SUB/OLD.NC"), "old SUB/OLD.NC"); // folders merge
}

TEST_F(TreeConflict, EachAnswerCountsForItsOwnFile) {
    std::vector<std::string> asked;
    TransferCallbacks callbacks;
    callbacks.askConflict = [&](const Conflict& conflict) {
        asked.push_back(conflict.target);
        EXPECT_EQ(conflict.sourceSize, conflict.targetSize); // "new X" and "old X"
        return conflict.target.ends_with("B.NC") ? ConflictAnswer::Yes : ConflictAnswer::No;
    };
    const auto report = Copy({m_dir.File("src/TREE")}, m_dir.File("dst"), callbacks);
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(Target("A.NC"), "old A.NC");
    EXPECT_EQ(Target("B.NC"), "new B.NC");
    EXPECT_EQ(Target("SUB/C.NC"), "old SUB/C.NC");
    EXPECT_EQ(Target("SUB/NEW.NC"), "new SUB/NEW.NC");
}

TEST_F(TreeConflict, CancelStopsAtTheQuestion) {
    const auto report =
        Copy({m_dir.File("src/TREE")}, m_dir.File("dst"), Answering(ConflictAnswer::Cancel));
    EXPECT_EQ(report.status, TransferStatus::Cancelled);
    for (const char* name : {"A.NC", "B.NC", "SUB/C.NC"})
        EXPECT_EQ(Target(name), std::string("old ") + name);
    EXPECT_EQ(AllPaths(m_dir.File("dst")).find(".tornwel-"), std::string::npos);
}

TEST(CopyEngine, AFileAndAFolderOfOneNameAreNeverReplacedByEachOther) {
    TempDir dir;
    dir.Write("src/X", "file");
    dir.Write("src/Y/IN.NC", "folder");
    dir.Write("dst/X/KEEP.NC", "kept");
    dir.Write("dst/Y", "kept file");
    int asked = 0;
    const auto report = Copy({dir.File("src/X"), dir.File("src/Y")}, dir.File("dst"),
                             Answering(ConflictAnswer::YesToAll, &asked));
    EXPECT_EQ(report.status, TransferStatus::Failed);
    EXPECT_EQ(report.outcomes, (std::vector{TransferOutcome::Failed, TransferOutcome::Failed}));
    EXPECT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(ReadFile(dir.File("dst/X/KEEP.NC")), "kept");
    EXPECT_EQ(ReadFile(dir.File("dst/Y")), "kept file");
}

TEST(CopyEngine, CancelMidFileLeavesNoPartialFileAndTheOlderFileIntact) {
    TempDir dir;
    const std::string big = Content(5 * (1 << 20), 'b');
    dir.Write("src/BIG.NC", big);
    dir.Write("dst/BIG.NC", "older");
    Transfer transfer(TransferKind::Copy, {dir.File("src/BIG.NC")}, dir.File("dst"));
    TransferCallbacks callbacks = Answering(ConflictAnswer::Yes);
    callbacks.progress = [&](const fileops::TransferProgress& progress) {
        if (progress.bytesDone >= (1 << 20)) transfer.Cancel();
    };
    const auto report = transfer.Run(callbacks);
    EXPECT_EQ(report.status, TransferStatus::Cancelled);
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Cancelled});
    EXPECT_LT(report.progress.bytesDone, big.size());
    EXPECT_EQ(ListNames(dir.File("dst")), "BIG.NC");
    EXPECT_EQ(ReadFile(dir.File("dst/BIG.NC")), "older");
    EXPECT_EQ(ReadFile(dir.File("src/BIG.NC")), big);
}

TEST(CopyEngine, CancelBetweenFilesKeepsWhatWasDone) {
    TempDir dir;
    for (const char* name : {"A.NC", "B.NC", "C.NC"})
        dir.Write(std::string("src/") + name, name);
    dir.Write("dst/.keep", "");
    Transfer transfer(TransferKind::Copy,
                      {dir.File("src/A.NC"), dir.File("src/B.NC"), dir.File("src/C.NC")},
                      dir.File("dst"));
    TransferCallbacks callbacks;
    callbacks.progress = [&](const fileops::TransferProgress& progress) {
        if (progress.filesDone == 1) transfer.Cancel();
    };
    const auto report = transfer.Run(callbacks);
    EXPECT_EQ(report.status, TransferStatus::Cancelled);
    EXPECT_EQ(report.outcomes[0], TransferOutcome::Done);
    EXPECT_EQ(report.outcomes[2], TransferOutcome::Cancelled);
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "A.NC");
    EXPECT_FALSE(Exists(dir.File("dst/C.NC")));
    EXPECT_EQ(AllPaths(dir.File("dst")).find(".tornwel-"), std::string::npos);
}

TEST(CopyEngine, RefusesAFolderIntoItselfAndIntoItsOwnFolder) {
    TempDir dir;
    dir.Write("TREE/SUB/A.NC", "x");
    ::symlink(dir.File("TREE/SUB").c_str(), dir.File("VIA_LINK").c_str());
    auto report = Copy({dir.File("TREE")}, dir.File("TREE/SUB"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].reason, fileops::kIntoItselfReason);
    EXPECT_FALSE(Exists(dir.File("TREE/SUB/TREE")));
    report = Copy({dir.File("TREE")}, dir.File("VIA_LINK"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    EXPECT_FALSE(Exists(dir.File("TREE/SUB/TREE")));
    report = Copy({dir.File("TREE")}, dir.File("TREE"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    // Into the folder it is in, also spelled differently.
    report = Copy({dir.File("TREE/SUB/A.NC")}, dir.File("TREE/SUB/../SUB/"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].reason,
              dir.File("TREE/SUB/../SUB") + "のﾌｫﾙﾀﾞｰにはｺﾋﾟｰは出来ません。");
    report = Copy({dir.File("TREE/SUB/A.NC")}, dir.File("VIA_LINK"));
    EXPECT_EQ(report.outcomes, std::vector{TransferOutcome::Failed});
    EXPECT_EQ(ListNames(dir.File("TREE/SUB")), "A.NC");
    EXPECT_EQ(ReadFile(dir.File("TREE/SUB/A.NC")), "x");
}

TEST(CopyEngine, AHardLinkOfTheSourceIsTheSameFile) {
    TempDir dir;
    dir.Write("src/A.NC", "x");
    dir.Write("dst/.keep", "");
    ASSERT_EQ(::link(dir.File("src/A.NC").c_str(), dir.File("dst/A.NC").c_str()), 0);
    int asked = 0;
    const auto report =
        Copy({dir.File("src/A.NC")}, dir.File("dst"), Answering(ConflictAnswer::Yes, &asked));
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].reason, fileops::kSameFileReason);
    EXPECT_EQ(ReadFile(dir.File("src/A.NC")), "x");
}

TEST(CopyEngine, MissingSourceAndMissingDestinationFail) {
    TempDir dir;
    dir.Write("A.NC", "x");
    auto report = Copy({dir.File("none")}, dir.File("dst-missing"));
    EXPECT_EQ(report.status, TransferStatus::Failed);
    report = Copy({dir.File("none"), dir.File("A.NC")}, dir.File("sub"));
    EXPECT_EQ(report.outcomes, (std::vector{TransferOutcome::Failed, TransferOutcome::Failed}));
    dir.Write("sub/.keep", "");
    report = Copy({dir.File("none"), dir.File("A.NC")}, dir.File("sub"));
    EXPECT_EQ(report.outcomes, (std::vector{TransferOutcome::Failed, TransferOutcome::Done}));
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].path, dir.File("none"));
    EXPECT_EQ(report.failures[0].error, ENOENT);
}

TEST(CopyEngine, LinksAreCopiedAsLinksAndNeverFollowedOutOfTheTree) {
    TempDir dir;
    dir.Write("outside/SECRET.NC", "outside");
    dir.Write("src/TREE/A.NC", "a");
    ::symlink(dir.File("outside").c_str(), dir.File("src/TREE/OUT_FOLDER").c_str());
    ::symlink("../../outside/SECRET.NC", dir.File("src/TREE/OUT_FILE").c_str());
    ::symlink("nowhere", dir.File("src/TREE/DANGLING").c_str());
    dir.Write("dst/.keep", "");
    const auto report = Copy({dir.File("src/TREE")}, dir.File("dst"));
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(AllPaths(dir.File("dst")),
              ".keep TREE TREE/A.NC TREE/DANGLING TREE/OUT_FILE TREE/OUT_FOLDER");
    EXPECT_TRUE(S_ISLNK(StatOf(dir.File("dst/TREE/OUT_FOLDER")).st_mode));
    EXPECT_EQ(LinkTarget(dir.File("dst/TREE/OUT_FOLDER")), dir.File("outside"));
    EXPECT_EQ(LinkTarget(dir.File("dst/TREE/OUT_FILE")), "../../outside/SECRET.NC");
    EXPECT_EQ(LinkTarget(dir.File("dst/TREE/DANGLING")), "nowhere");
    EXPECT_EQ(ListNames(dir.File("outside")), "SECRET.NC");
}

TEST(CopyEngine, ALinkReplacesAFileAsALinkAndAFileReplacesALinkNotItsTarget) {
    TempDir dir;
    dir.Write("outside/TARGET.NC", "target");
    ::symlink("elsewhere", dir.File("src-link").c_str());
    dir.Write("src/X.NC", "new");
    dir.Write("dst/src-link", "old file");
    ::symlink(dir.File("outside/TARGET.NC").c_str(), dir.File("dst/X.NC").c_str());
    const auto report = Copy({dir.File("src-link"), dir.File("src/X.NC")}, dir.File("dst"),
                             Answering(ConflictAnswer::Yes));
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(LinkTarget(dir.File("dst/src-link")), "elsewhere");
    EXPECT_FALSE(S_ISLNK(StatOf(dir.File("dst/X.NC")).st_mode));
    EXPECT_EQ(ReadFile(dir.File("dst/X.NC")), "new");
    EXPECT_EQ(ReadFile(dir.File("outside/TARGET.NC")), "target");
    EXPECT_EQ(ListNames(dir.File("dst")), "X.NC src-link");
}

TEST(CopyEngine, FilesWithoutAStatedSizeAreCopiedWhole) {
    TempDir dir;
    dir.Write("dst/.keep", "");
    const auto report = Copy({"/proc/self/mountinfo"}, dir.File("dst"));
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_NE(ReadFile(dir.File("dst/mountinfo")).find(" / "), std::string::npos);
}

TEST(CopyEngine, ADialogDrivesItFromAnotherThread) {
    TempDir dir;
    dir.Write("src/A.NC", "new");
    dir.Write("src/B.NC", "new");
    dir.Write("dst/A.NC", "old");
    dir.Write("dst/B.NC", "old");
    Transfer transfer(TransferKind::Copy, {dir.File("src/A.NC"), dir.File("src/B.NC")},
                      dir.File("dst"));
    std::promise<Conflict> question;
    std::promise<ConflictAnswer> answer;
    std::thread::id callbackThread;
    TransferCallbacks callbacks;
    callbacks.askConflict = [&](const Conflict& conflict) {
        callbackThread = std::this_thread::get_id();
        question.set_value(conflict);
        return answer.get_future().get(); // the worker waits for the user
    };
    auto worker = std::async(std::launch::async, [&] {
        return std::make_pair(transfer.Run(callbacks), std::this_thread::get_id());
    });
    const Conflict asked = question.get_future().get();
    EXPECT_EQ(asked.target, dir.File("dst/A.NC"));
    answer.set_value(ConflictAnswer::YesToAll);
    const auto [report, workerThread] = worker.get();
    EXPECT_EQ(callbackThread, workerThread);
    EXPECT_EQ(report.status, TransferStatus::Done);
    EXPECT_EQ(ReadFile(dir.File("dst/A.NC")), "new");
    EXPECT_EQ(ReadFile(dir.File("dst/B.NC")), "new");
}

} // namespace
