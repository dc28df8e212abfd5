// The single-instance rule with real processes of the program.

#include "run_process.h"
#include "temp_dir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::TempDir;

class Instance {
  public:
    explicit Instance(const std::string& program) {
        m_pid = ::fork();
        if (m_pid == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDERR_FILENO);
            ::execl(program.c_str(), program.c_str(), nullptr);
            ::_exit(127);
        }
    }
    ~Instance() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    bool Running() const { return ::waitpid(m_pid, nullptr, WNOHANG) == 0; }

  private:
    pid_t m_pid = -1;
};

bool Locked(const std::string& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDWR);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

// Waits (boundedly) until a started instance holds its lock.
bool WaitLocked(const std::string& lockFile) {
    for (int i = 0; i < 200; ++i) {
        if (Locked(lockFile)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

class SingleInstance : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(m_dir.File("run"));
        std::filesystem::permissions(m_dir.File("run"), std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", m_dir.File("run").c_str(), 1);
        ::setenv("HOME", m_dir.path().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::filesystem::copy_file(TORNWEL_PATH, m_dir.File("tornwel"));
        std::filesystem::copy_file(TORNWEL_PATH, m_dir.File("tornwel-copy"));
    }
    TempDir m_dir;
};

TEST_F(SingleInstance, SecondStartEndsSilentlyAndACopyRunsBeside) {
    Instance first(m_dir.File("tornwel"));
    ASSERT_TRUE(WaitLocked(m_dir.File("run/tornwel.lock")));

    const auto second = testsupport::RunProcess({m_dir.File("tornwel")});
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.out, "");
    EXPECT_TRUE(first.Running());

    Instance copy(m_dir.File("tornwel-copy"));
    EXPECT_TRUE(WaitLocked(m_dir.File("run/tornwel-copy.lock")));
    EXPECT_TRUE(copy.Running());
    EXPECT_TRUE(first.Running());
}

TEST_F(SingleInstance, WithoutADisplayItSaysHowToRunIt) {
    ::unsetenv("QT_QPA_PLATFORM");
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    const auto result = testsupport::RunProcess({m_dir.File("tornwel")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("no display"), std::string::npos);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
}

} // namespace
