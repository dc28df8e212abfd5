// Starting the program on a path, and a later start handing its path to the
// running instance, with real processes of the program.

#include "run_process.h"
#include "temp_dir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

// The program with its start log ("tornwel.start") written to a file.
class Instance final {
  public:
    Instance(const std::string& program, const std::vector<std::string>& args, std::string logFile)
        : m_log(std::move(logFile)) {
        const int log = ::open(m_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        m_pid = ::fork();
        if (m_pid != 0) {
            ::close(log);
            return;
        }
        ::dup2(log, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ~Instance() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool Running() const { return ::waitpid(m_pid, nullptr, WNOHANG) == 0; }

    // Waits (boundedly) until the log holds the text.
    bool WaitForLog(const std::string& text) const {
        for (int i = 0; i < 400; ++i) {
            if (Log().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    std::string Log() const { return ReadFile(m_log); }

  private:
    std::string m_log;
    pid_t m_pid = -1;
};

// Waits (boundedly) until the path exists.
bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 400; ++i) {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::string Listed(const std::string& folder, const std::string& focused) {
    return "listed " + folder + " focused " + focused + "\n";
}

class StartPath : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(m_dir.File("run"));
        std::filesystem::permissions(m_dir.File("run"), std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", m_dir.File("run").c_str(), 1);
        ::setenv("HOME", m_dir.path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", m_dir.File("config").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("QT_LOGGING_RULES", "tornwel.start.info=true", 1);
        std::filesystem::create_directories(m_dir.File("bin"));
        std::filesystem::copy_file(TORNWEL_PATH, m_program);
        m_dir.Write("progs/A.NC", "O1\r\n");
        m_dir.Write("progs/B.NC", "O2\r\n");
        m_dir.Write("progs/C.NC", "O3\r\n");
        m_dir.Write("other/Z.NC", "O9\r\n");
        std::filesystem::create_directories(m_dir.File("progs/sub"));
    }

    Instance Start(const std::vector<std::string>& args) {
        return Instance(m_program, args, m_dir.File("log" + std::to_string(++m_starts)));
    }
    testsupport::ProcessResult StartAgain(const std::vector<std::string>& args) {
        std::vector<std::string> argv{m_program};
        argv.insert(argv.end(), args.begin(), args.end());
        return testsupport::RunProcess(argv);
    }

    TempDir m_dir;
    std::string m_program = m_dir.File("bin/tornwel");
    int m_starts = 0;
};

TEST_F(StartPath, AFolderIsListed) {
    const Instance first = Start({m_dir.File("progs/")});
    // The first file is focused, as after any listing.
    EXPECT_TRUE(first.WaitForLog(Listed(m_dir.File("progs"), "A.NC"))) << first.Log();
}

TEST_F(StartPath, AFileIsFocusedInItsFolder) {
    const Instance first = Start({"-platform", "offscreen", m_dir.File("progs/C.NC")});
    EXPECT_TRUE(first.WaitForLog(Listed(m_dir.File("progs"), "C.NC"))) << first.Log();
}

TEST_F(StartPath, AMissingPathIsReportedAndTheWindowOpensAsUsual) {
    const Instance first = Start({m_dir.File("progs/NONE.NC")});
    EXPECT_TRUE(first.WaitForLog("no such file or folder")) << first.Log();
    EXPECT_TRUE(first.Running());
}

TEST_F(StartPath, ALaterStartHandsItsPathToTheRunningWindow) {
    const Instance first = Start({m_dir.File("progs")});
    ASSERT_TRUE(first.WaitForLog(Listed(m_dir.File("progs"), "A.NC"))) << first.Log();

    const auto second = StartAgain({m_dir.File("progs/B.NC")});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_TRUE(first.WaitForLog(Listed(m_dir.File("progs"), "B.NC"))) << first.Log();

    // A relative path is taken from the later start's own working folder.
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.File("other"));
    const auto relative = StartAgain({"Z.NC"});
    std::filesystem::current_path(here);
    EXPECT_EQ(relative.status, 0) << relative.err;
    EXPECT_TRUE(first.WaitForLog(Listed(m_dir.File("other"), "Z.NC"))) << first.Log();
    EXPECT_TRUE(first.Running());
}

TEST_F(StartPath, ALaterStartReachesAnInstanceStartedWithoutAPath) {
    const Instance first = Start({});
    // Started at once, the later start could take the instance lock first:
    // it starts once the first one listens.
    ASSERT_TRUE(WaitForFile(m_dir.File("run/tornwel.socket")));
    const auto second = StartAgain({m_dir.File("progs/sub")});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_TRUE(first.WaitForLog(Listed(m_dir.File("progs/sub"), ".."))) << first.Log();
}

TEST_F(StartPath, AHandedPathWaitsWhileTheWindowAsksAQuestion) {
    // A missing start folder in the settings: the window asks whether to create it.
    m_dir.Write("bin/tornwel.INI", "[Main]\r\nDirPath=" + m_dir.File("gone") + "\r\n");
    const Instance first = Start({});
    ASSERT_TRUE(WaitForFile(m_dir.File("run/tornwel.socket")));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto second = StartAgain({m_dir.File("progs")});
    EXPECT_EQ(second.status, 0) << second.err;
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(first.Log().find("listed"), std::string::npos) << first.Log();
    EXPECT_TRUE(first.Running());
}

TEST_F(StartPath, ALaterStartWithAMissingPathChangesNothing) {
    const Instance first = Start({m_dir.File("progs")});
    ASSERT_TRUE(first.WaitForLog(Listed(m_dir.File("progs"), "A.NC"))) << first.Log();
    const auto second = StartAgain({m_dir.File("NONE")});
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find("no such file or folder"), std::string::npos);
    const auto plain = StartAgain({});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err, "");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(first.Log().find("listed", first.Log().find("listed") + 1), std::string::npos)
        << first.Log();
    EXPECT_TRUE(first.Running());
}

} // namespace
