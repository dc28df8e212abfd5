// Files written through a temporary file: what the folder holds before, after
// and instead of a Commit, also when a signal ends the writing process.

#include "atomic_file.h"
#include "removed_on_signal.h"
#include "temp_dir.h"

#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace {

using platform::AtomicFile;
using platform::TemporaryFile;
using testsupport::ListNames;
using testsupport::ReadFile;
using testsupport::TempDir;

unsigned ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Both ways of holding the data must behave the same from outside.
class AtomicFileTest : public testing::TestWithParam<TemporaryFile> {
  protected:
    TempDir m_dir;
};

TEST_P(AtomicFileTest, CommitLeavesOnlyTheTargetWithItsBytes) {
    const mode_t old = ::umask(027);
    {
        AtomicFile file(m_dir.File("NEW.NC"), GetParam());
        file.Write("O1\r\n");
        file.Write(std::string(3 << 20, 'X'));
        file.Commit();
    }
    ::umask(old);
    EXPECT_EQ(ListNames(m_dir.path()), "NEW.NC");
    EXPECT_TRUE(ReadFile(m_dir.File("NEW.NC")) == "O1\r\n" + std::string(3 << 20, 'X'));
    EXPECT_EQ(ModeOf(m_dir.File("NEW.NC")), 0640u);
}

TEST_P(AtomicFileTest, ReplacedTargetKeepsItsPermissions) {
    const auto target = m_dir.Write("OLD.NC", "old");
    ::chmod(target.c_str(), 0604);
    AtomicFile file(target, GetParam());
    file.Write("new");
    file.Commit();
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0604u);
    EXPECT_EQ(ListNames(m_dir.path()), "OLD.NC");
}

TEST_P(AtomicFileTest, CopyKeepsTheGivenModeAndTime) {
    AtomicFile file(m_dir.File("COPY.NC"), GetParam());
    file.Write("x");
    file.KeepModeAndTime(0750, {1700000000, 5});
    file.Commit();
    struct stat info {};
    ASSERT_EQ(::stat(m_dir.File("COPY.NC").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1700000000);
    EXPECT_EQ(info.st_mtim.tv_nsec, 5);
}

TEST_P(AtomicFileTest, TargetUntouchedUntilCommit) {
    const auto target = m_dir.Write("OLD.NC", "old");
    AtomicFile file(target, GetParam());
    file.Write("new");
    EXPECT_EQ(ReadFile(target), "old");
    file.Commit();
    EXPECT_EQ(ReadFile(target), "new");
}

TEST_P(AtomicFileTest, DiscardedWriterLeavesTheFolderAsItWas) {
    const auto target = m_dir.Write("OLD.NC", "old");
    for (const auto& path : {target, m_dir.File("NEW.NC")}) {
        AtomicFile file(path, GetParam());
        file.Write("half");
    }
    EXPECT_EQ(ListNames(m_dir.path()), "OLD.NC");
    EXPECT_EQ(ReadFile(target), "old");
}

TEST_P(AtomicFileTest, FailedCommitLeavesNoTemporaryName) {
    // A non-empty folder cannot be replaced by a file.
    m_dir.Write("DIR/inside", "x");
    {
        AtomicFile file(m_dir.File("DIR"), GetParam());
        file.Write("data");
        EXPECT_THROW(file.Commit(), std::system_error);
    }
    EXPECT_EQ(ListNames(m_dir.path()), "DIR");
    EXPECT_EQ(ListNames(m_dir.File("DIR")), "inside");
}

TEST_P(AtomicFileTest, LongestFileNameHasRoomForItsTemporaryName) {
    const std::string name(NAME_MAX, 'N');
    AtomicFile file(m_dir.File(name), GetParam());
    file.Write("x");
    file.Commit();
    EXPECT_EQ(ListNames(m_dir.path()), name);
}

TEST_P(AtomicFileTest, MissingFolderFailsAtOnce) {
    EXPECT_THROW(AtomicFile(m_dir.File("NO/A.NC"), GetParam()), std::system_error);
    EXPECT_EQ(ListNames(m_dir.path()), "");
}

INSTANTIATE_TEST_SUITE_P(BothKinds, AtomicFileTest,
                         testing::Values(TemporaryFile::UnnamedWherePossible, TemporaryFile::Named),
                         [](const testing::TestParamInfo<TemporaryFile>& kind) {
                             return kind.param == TemporaryFile::Named ? "Named" : "Unnamed";
                         });

bool FolderTakesUnnamedFiles(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

TEST(UnnamedTemporaryFile, NothingAppearsWhileWriting) {
    TempDir dir;
    if (!FolderTakesUnnamedFiles(dir.path())) GTEST_SKIP() << "no O_TMPFILE here";
    AtomicFile file(dir.File("A.NC"));
    file.Write("data");
    EXPECT_EQ(ListNames(dir.path()), "");
    file.Commit();
    EXPECT_EQ(ListNames(dir.path()), "A.NC");
}

// Runs `body` in a child process and returns the signal that ended it (0 when
// it exited).
int SignalThatEnded(const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST(RemovedOnSignal, NamedTemporaryFileGoesWithTheProcess) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempDir dir;
        const auto target = dir.Write("OLD.NC", "old");
        const int ended = SignalThatEnded([&] {
            AtomicFile replacing(target, TemporaryFile::Named);
            AtomicFile creating(dir.File("NEW.NC"), TemporaryFile::Named);
            replacing.Write("half");
            creating.Write("half");
            ::raise(signal);
        });
        EXPECT_EQ(ended, signal);
        EXPECT_EQ(ListNames(dir.path()), "OLD.NC") << strsignal(signal);
        EXPECT_EQ(ReadFile(target), "old");
    }
}

TEST(RemovedOnSignal, OnlyArmedNamesAreRemoved) {
    TempDir dir;
    const int ended = SignalThatEnded([&] {
        const int folder = ::open(dir.path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        // Reserved but not armed: the name may belong to someone else.
        platform::RemovedOnSignal reserved(folder, "RESERVED");
        dir.Write("RESERVED", "theirs");
        {
            platform::RemovedOnSignal forgotten(folder, "FORGOTTEN");
            dir.Write("FORGOTTEN", "renamed into place");
            forgotten.Arm();
        }
        platform::RemovedOnSignal armed(folder, "ARMED");
        dir.Write("ARMED", "temporary");
        armed.Arm();
        ::raise(SIGTERM);
    });
    EXPECT_EQ(ended, SIGTERM);
    EXPECT_EQ(ListNames(dir.path()), "FORGOTTEN RESERVED");
}

} // namespace
