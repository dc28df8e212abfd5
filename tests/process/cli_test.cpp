// The tornwel-nc command as a user runs it: arguments, files, exit status.

#include "encoding.h"
#include "run_process.h"
#include "temp_dir.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::Exists;
using testsupport::ListNames;
using testsupport::ProcessResult;
using testsupport::ReadFile;
using testsupport::TempDir;

ProcessResult Nc(std::vector<std::string> args) {
    args.insert(args.begin(), TORNWEL_NC_PATH);
    return testsupport::RunProcess(args);
}

TEST(Cli, HelpDocumentsEveryCommand) {
    const auto result = Nc({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* word : {"double", "insert", "remove", "split", "join", "vars", "--yes",
                             "--percent-first", "--skip-empty", "exit status"}) {
        EXPECT_NE(result.out.find(word), std::string::npos) << word;
    }
}

TEST(Cli, UsageErrorsExitWithTwo) {
    TempDir dir;
    const auto file = dir.Write("A.NC", "X1\r\n");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"convert", file},
        {"double", file},
        {"double", "--axis", "Q", file},
        {"double", "--axis", "XY", file},
        {"insert", "--unit", "0.5", file},
        {"insert", "--keep", "", file},
        {"insert", "-o", dir.File("O.NC"), file, file},
        {"vars", "-o", "-", file, file},
        {"split", "--dest", dir.File("D"), file, file},
        {"remove"},
        {"join", "-o", dir.File("J.NC"), file},
        {"join", file, file},
        {"split", file},
        {"vars", "--axis", "X", file},
        {"double", "--axis", "X", "-o"},
        {"insert", "--bogus", file},
    };
    for (const auto& args : cases) {
        const auto result = Nc(args);
        EXPECT_EQ(result.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
    EXPECT_EQ(ListNames(dir.path()), "A.NC");
}

TEST(Cli, ConversionsWriteBesideTheSource) {
    TempDir dir;
    const auto file = dir.Write("PART.NC", "G01X1000Y-250F100\r\nX1.5\r\n");
    EXPECT_EQ(Nc({"double", "--axis", "x", file}).status, 0);
    EXPECT_EQ(ReadFile(dir.File("PART_2.NC")), "G01X2000Y-250F100\r\nX3.0\r\n");
    EXPECT_EQ(Nc({"insert", file}).status, 0);
    EXPECT_EQ(ReadFile(dir.File("PART_S.NC")), "G01X1.000Y-0.250F0.100\r\nX1.5\r\n");
    EXPECT_EQ(Nc({"remove", "--unit", "0.01", file}).status, 0);
    EXPECT_EQ(ReadFile(dir.File("PART_N.NC")), "G01X1000Y-250F100\r\nX150\r\n");
    EXPECT_EQ(Nc({"insert", "--keep", "gnx", "--unit", "0.1", "-o", dir.File("K.NC"), file}).status,
              0);
    EXPECT_EQ(ReadFile(dir.File("K.NC")), "G01X1000Y-25.0F10.0\r\nX1.5\r\n");
}

TEST(CliBatch, EachFileIsConvertedBesideItself) {
    TempDir dir;
    std::vector<std::string> files;
    std::string expectedNames;
    // More files than cores, in two folders, so that several run at a time.
    for (int i = 0; i < 24; ++i) {
        const std::string name = (i % 2 ? "SUB/P" : "P") + std::to_string(i) + ".NC";
        files.push_back(dir.Write(name, "G01X" + std::to_string(i) + "00Y25\r\n"));
    }
    std::vector<std::string> args = {"insert", "--unit", "0.01"};
    args.insert(args.end(), files.begin(), files.end());
    const auto result = Nc(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    for (int i = 0; i < 24; ++i) {
        const std::string name = (i % 2 ? "SUB/P" : "P") + std::to_string(i) + "_S.NC";
        EXPECT_EQ(ReadFile(dir.File(name)), "G01X" + std::to_string(i) + ".00Y0.25\r\n") << name;
    }
}

TEST(CliBatch, EveryCommandTakesSeveralFiles) {
    TempDir dir;
    const auto a = dir.Write("A.NC", "X1.5#1\r\n");
    const auto b = dir.Write("B.TAP", "X20#100\r\n");
    EXPECT_EQ(Nc({"double", "--axis", "X", a, b}).status, 0);
    EXPECT_EQ(ReadFile(dir.File("A_2.NC")), "X3.0#1\r\n");
    EXPECT_EQ(ReadFile(dir.File("B_2.TAP")), "X40#100\r\n");
    EXPECT_EQ(Nc({"remove", "--unit", "0.1", a, b}).status, 0);
    EXPECT_EQ(ReadFile(dir.File("A_N.NC")), "X15#1\r\n");
    EXPECT_EQ(ReadFile(dir.File("B_N.TAP")), "X20#100\r\n");
    EXPECT_EQ(Nc({"vars", a, b}).status, 0);
    EXPECT_EQ(platform::Cp932ToUtf8(ReadFile(dir.File("変数A.NC"))),
              "ローカル変数= 1\r\n#1\r\nコモン変数= 0\r\nシステム変数= 0\r\nその他変数= 0\r\n");
    EXPECT_EQ(platform::Cp932ToUtf8(ReadFile(dir.File("変数B.TAP"))),
              "ローカル変数= 0\r\nコモン変数= 1\r\n#100\r\nシステム変数= 0\r\nその他変数= 0\r\n");
}

TEST(CliBatch, AFailedFileIsNamedAndTheOthersStillConvert) {
    TempDir dir;
    const auto good = dir.Write("GOOD.NC", "X1\r\n");
    const auto bad = dir.Write("BAD.NC", "X1\r\nX1-2\r\n");
    const auto missing = dir.File("NONE.NC");
    const auto last = dir.Write("LAST.NC", "X7\r\n");
    const auto result = Nc({"double", "--axis", "X", good, bad, missing, last});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(bad + ": line 2: '1-2' は浮動小数点数ではありません"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(missing + ": "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("は開けません"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(good), std::string::npos) << result.err;
    EXPECT_EQ(ReadFile(dir.File("GOOD_2.NC")), "X2\r\n");
    EXPECT_EQ(ReadFile(dir.File("LAST_2.NC")), "X14\r\n");
    EXPECT_EQ(ListNames(dir.path()), "BAD.NC GOOD.NC GOOD_2.NC LAST.NC LAST_2.NC");
}

TEST(CliBatch, OneOutputNameIsRefusedForSeveralFiles) {
    TempDir dir;
    const auto a = dir.Write("A.NC", "X1\r\n");
    const auto b = dir.Write("B.NC", "X2\r\n");
    for (const std::string& out : {dir.File("OUT.NC"), std::string("-")}) {
        const auto result = Nc({"insert", "-o", out, a, b});
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("-o takes one file"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(ListNames(dir.path()), "A.NC B.NC");
}

TEST(CliBatch, HelpShowsSeveralFiles) {
    const auto result = Nc({"--help"});
    EXPECT_NE(result.out.find("FILE FILE..."), std::string::npos);
    EXPECT_NE(result.out.find("several files"), std::string::npos);
}

TEST(Cli, StandardOutput) {
    TempDir dir;
    const auto file = dir.Write("PART.NC", "X5\n");
    const auto result = Nc({"double", "--axis", "X", "-o", "-", file});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "X10\r\n");
    EXPECT_EQ(ListNames(dir.path()), "PART.NC");
}

TEST(Cli, FailedConversionExitsWithOneAndWritesNothing) {
    TempDir dir;
    const auto file = dir.Write("BAD.NC", "X1\r\nX2\r\nX1-2\r\n");
    const auto result = Nc({"double", "--axis", "X", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("'1-2' は浮動小数点数ではありません"), std::string::npos);
    EXPECT_NE(result.err.find("line 3"), std::string::npos);
    EXPECT_EQ(ListNames(dir.path()), "BAD.NC");
    const auto toStdout = Nc({"double", "--axis", "X", "-o", "-", file});
    EXPECT_EQ(toStdout.status, 1);
    EXPECT_EQ(toStdout.out, "");
}

TEST(Cli, MissingInputExitsWithOne) {
    TempDir dir;
    const auto result = Nc({"insert", dir.File("NONE.NC")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("は開けません"), std::string::npos);
}

TEST(Cli, FileFormQuestionWarnsUnlessAnsweredYes) {
    TempDir dir;
    const auto file = dir.Write("NUL.NC", std::string("\0\r\nX1\r\n", 7));
    const auto no = Nc({"double", "--axis", "X", "-o", "-", file});
    EXPECT_EQ(no.status, 0);
    EXPECT_EQ(no.out, "");
    EXPECT_NE(no.err.find("ファイル形式が違います。"), std::string::npos);
    const auto yes = Nc({"double", "--axis", "X", "--yes", "-o", "-", file});
    EXPECT_EQ(yes.status, 0);
    EXPECT_EQ(yes.out, "X2\r\n");
    EXPECT_EQ(yes.err, "");
}

TEST(Cli, JoinRefusesOneOfItsInputs) {
    TempDir dir;
    const auto a = dir.Write("A.NC", "O1\r\n");
    const auto b = dir.Write("B.NC", "O2\r\n");
    EXPECT_EQ(Nc({"join", "-o", a, a, b}).status, 1);
    EXPECT_EQ(ReadFile(a), "O1\r\n");
    EXPECT_EQ(Nc({"join", "-o", dir.File("C.NC"), a, dir.File("NONE.NC")}).status, 1);
    EXPECT_FALSE(Exists(dir.File("C.NC")));
    EXPECT_EQ(Nc({"join", "-o", dir.File("C.NC"), b, a}).status, 0);
    EXPECT_EQ(ReadFile(dir.File("C.NC")), "O2\r\nO1\r\n");
}

TEST(Cli, SplitCreatesTheDestination) {
    TempDir dir;
    const auto file = dir.Write("P.NC", "%\r\nO1\r\nX1\r\n%\r\nO2\r\n\r\nX2\r\n");
    const auto result = Nc({"split", "--dest", dir.File("OUT/NEW/"), "--number", "--percent-last",
                            "--skip-empty", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ListNames(dir.File("OUT/NEW")), "O1_001.NC O2_002.NC");
    EXPECT_EQ(ReadFile(dir.File("OUT/NEW/O2_002.NC")), "O2\r\nX2\r\n%\r\n");
    const auto none = Nc({"split", "--dest", dir.File("OUT"), dir.Write("X.NC", "X1\r\n")});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("Ｏ番号が見つかりません。"), std::string::npos);
}

TEST(Cli, FailedSplitCreatesNoDestination) {
    TempDir dir;
    const auto plain = dir.Write("X.NC", "G01X1\r\nX2\r\n");
    const auto none = Nc({"split", "--dest", dir.File("NEW/DIR"), plain});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("Ｏ番号が見つかりません。"), std::string::npos);
    EXPECT_EQ(ListNames(dir.path()), "X.NC");

    const auto blocked = Nc({"split", "--dest", plain + "/DIR", dir.Write("P.NC", "O1\r\n")});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("ファイル " + plain + "/DIR を作成できません"), std::string::npos);
    EXPECT_EQ(ListNames(dir.path()), "P.NC X.NC");

    const auto found = Nc({"split", "--dest", dir.File("NEW/DIR"), dir.File("P.NC")});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(ReadFile(dir.File("NEW/DIR/O1.NC")), "O1\r\n");
}

TEST(Cli, VariableListBesideTheSource) {
    TempDir dir;
    const auto file = dir.Write("P.NC", "#1=#100\r\n");
    EXPECT_EQ(Nc({"vars", file}).status, 0);
    EXPECT_EQ(
        platform::Cp932ToUtf8(ReadFile(dir.File("変数P.NC"))),
        "ローカル変数= 1\r\n#1\r\nコモン変数= 1\r\n#100\r\nシステム変数= 0\r\nその他変数= 0\r\n");
}

// tornwel-nc converting a FIFO that the test feeds: once the test has written
// more than a pipe holds, the conversion is certainly under way, and it then
// waits in read() for more, so a signal reaches it at a known point.
class FedConversion final {
  public:
    static constexpr std::string_view kLine = "G01X1000Y2000Z-300F500\r\n";

    // `inChild` runs in the child just before it becomes tornwel-nc.
    FedConversion(const TempDir& dir, std::vector<std::string> args,
                  const std::function<void()>& inChild = {})
        : m_fifo(dir.File("BIG.NC")), m_out(m_logs.File("out")) {
        ::signal(SIGPIPE, SIG_IGN); // a conversion that died shows in the checks
        if (::mkfifo(m_fifo.c_str(), 0644) != 0) return;
        args.insert(args.begin(), TORNWEL_NC_PATH);
        args.push_back(m_fifo);
        m_pid = ::fork();
        if (m_pid == 0) Become(args, inChild);
        OpenFeed();
    }
    ~FedConversion() {
        Close();
        if (m_pid > 0 && !m_waited) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    FedConversion(const FedConversion&) = delete;
    FedConversion& operator=(const FedConversion&) = delete;

    bool Feed(std::size_t lines) {
        std::string text;
        for (std::size_t i = 0; i < lines; ++i)
            text += kLine;
        std::string_view rest = text;
        while (m_feed >= 0 && !rest.empty()) {
            const ssize_t written = ::write(m_feed, rest.data(), rest.size());
            if (written <= 0) return false;
            rest.remove_prefix(static_cast<std::size_t>(written));
        }
        return m_feed >= 0;
    }
    void Close() {
        if (m_feed >= 0) ::close(m_feed);
        m_feed = -1;
    }
    // Whether the process has a file open inside `folder` other than its source.
    bool WritesInto(const std::string& folder) const {
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path fds = "/proc/" + std::to_string(m_pid) + "/fd";
        for (const auto& entry : fs::directory_iterator(fds, error)) {
            const std::string target = fs::read_symlink(entry.path(), error).string();
            if (target.starts_with(folder + "/") && target != m_fifo) return true;
        }
        return false;
    }
    void Signal(int signal) const { ::kill(m_pid, signal); }
    // The signal that ended the process, or 0 when it exited with status 0.
    int Wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_waited = true;
        if (WIFSIGNALED(status)) return WTERMSIG(status);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : -1;
    }
    std::string Output() const { return ReadFile(m_out); }

  private:
    [[noreturn]] void Become(const std::vector<std::string>& args,
                             const std::function<void()>& inChild) const {
        const int out = ::open(m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(m_logs.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::signal(SIGPIPE, SIG_DFL);
        if (inChild) inChild();
        std::vector<char*> argv;
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }

    // The FIFO opens for writing once the conversion has opened it for reading.
    void OpenFeed() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (m_pid > 0 && std::chrono::steady_clock::now() < deadline) {
            m_feed = ::open(m_fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (m_feed >= 0) {
                ::fcntl(m_feed, F_SETFL, 0);
                return;
            }
            siginfo_t info{};
            if (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) ==
                    0 &&
                info.si_pid == m_pid) {
                return; // it ended without opening its source
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    TempDir m_logs;
    std::string m_fifo;
    std::string m_out;
    pid_t m_pid = -1;
    int m_feed = -1;
    bool m_waited = false;
};

// Far more than a pipe holds, and more than one buffer of the writer.
constexpr std::size_t kFedLines = 200000;

// ThreadSanitizer holds a signal back until the process leaves its blocking
// read, which a fed conversion never does: the signal tests cannot run there.
#if defined(__SANITIZE_THREAD__)
#define SKIP_UNDER_THREAD_SANITIZER() GTEST_SKIP() << "signals are deferred under ThreadSanitizer"
#else
#define SKIP_UNDER_THREAD_SANITIZER() static_cast<void>(0)
#endif

TEST(CliSignals, StoppedConversionLeavesOnlyItsSource) {
    SKIP_UNDER_THREAD_SANITIZER();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        TempDir dir;
        FedConversion conversion(dir, {"insert"});
        ASSERT_TRUE(conversion.Feed(kFedLines)) << strsignal(signal);
        ASSERT_TRUE(conversion.WritesInto(dir.path()));
        conversion.Signal(signal);
        EXPECT_EQ(conversion.Wait(), signal);
        conversion.Close();
        EXPECT_EQ(ListNames(dir.path()), "BIG.NC") << strsignal(signal);
    }
}

TEST(CliSignals, StoppedConversionToStandardOutputLeavesNoTemporaryFile) {
    SKIP_UNDER_THREAD_SANITIZER();
    TempDir dir;
    const std::string tmp = dir.File("tmp");
    std::filesystem::create_directory(tmp);
    FedConversion conversion(dir, {"double", "--axis", "X", "-o", "-"},
                             [&] { ::setenv("TMPDIR", tmp.c_str(), 1); });
    ASSERT_TRUE(conversion.Feed(kFedLines));
    ASSERT_TRUE(conversion.WritesInto(tmp));
    conversion.Signal(SIGTERM);
    EXPECT_EQ(conversion.Wait(), SIGTERM);
    EXPECT_EQ(ListNames(tmp), "");
    EXPECT_EQ(conversion.Output(), "");
}

TEST(CliSignals, IgnoredHangUpLetsTheConversionFinish) {
    SKIP_UNDER_THREAD_SANITIZER();
    TempDir dir;
    const std::string tmp = dir.File("tmp");
    std::filesystem::create_directory(tmp);
    FedConversion conversion(dir, {"double", "--axis", "X", "-o", "-"}, [&] {
        ::setenv("TMPDIR", tmp.c_str(), 1);
        ::signal(SIGHUP, SIG_IGN);
    });
    ASSERT_TRUE(conversion.Feed(kFedLines));
    ASSERT_TRUE(conversion.WritesInto(tmp));
    conversion.Signal(SIGHUP);
    ASSERT_TRUE(conversion.Feed(1));
    conversion.Close();
    EXPECT_EQ(conversion.Wait(), 0);
    EXPECT_EQ(ListNames(tmp), "");
    std::string expected;
    for (std::size_t i = 0; i <= kFedLines; ++i)
        expected += "G01X2000Y2000Z-300F500\r\n";
    EXPECT_TRUE(conversion.Output() == expected);
}

} // namespace
