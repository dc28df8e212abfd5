#include "editor_command.h"
#include "external_command.h"
#include "launch_program.h"
#include "temp_dir.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using extapps::ArgumentsWanted;
using extapps::LaunchProgram;
using extapps::LaunchRequest;
using extapps::LaunchResult;
using testsupport::Exists;
using testsupport::TempDir;

// What the recorder wrote: its working folder, its descriptors above stderr
// and its argv (argv[0] first).
struct Record {
    std::string WorkingFolder;
    std::string Descriptors;
    std::vector<std::string> Argv;
};

Record ParseRecord(const std::string& bytes) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
        parts.push_back(bytes.substr(start, end - start));
    if (parts.size() < 2) return {};
    return {parts[0], parts[1], {parts.begin() + 2, parts.end()}};
}

bool NeverOpens(const std::string&) {
    ADD_FAILURE() << "a program start was handed to the document opener";
    return false;
}

// Starts programs for real: the recorder stands in for every program, the
// test runs in a working folder of its own, apart from the listed folder and
// the program's folder, and holds a descriptor that must not be inherited.
class RealLaunch : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto* folder : {"cwd", "listed", "bin", "editors"})
            fs::create_directories(m_dir.File(folder));
        m_recorder = m_dir.File("bin/recorder");
        fs::create_symlink(TORNWEL_ARGV_RECORDER, m_recorder);
        m_record = m_dir.File("record");
        m_previousFolder = fs::current_path();
        fs::current_path(m_dir.File("cwd"));
        ::setenv("TORNWEL_ARGV_RECORD", m_record.c_str(), 1);
        m_inheritable = ::open("/dev/null", O_RDONLY); // deliberately without O_CLOEXEC
        ASSERT_GE(m_inheritable, 0);
    }

    void TearDown() override {
        ::close(m_inheritable);
        ::unsetenv("TORNWEL_ARGV_RECORD");
        fs::current_path(m_previousFolder);
    }

    // The started program is detached, so its record is awaited by polling.
    std::optional<Record> AwaitRecord() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!Exists(m_record)) {
            if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        Record record = ParseRecord(testsupport::ReadFile(m_record));
        fs::remove(m_record);
        return record;
    }

    // Checks one start: the exact argv, this process's working folder, no
    // inherited descriptor, and no trace of a shell having run.
    void ExpectRecorded(const std::vector<std::string>& argv) const {
        const auto record = AwaitRecord();
        ASSERT_TRUE(record.has_value()) << "the program did not run";
        EXPECT_EQ(record->Argv, argv);
        EXPECT_EQ(record->WorkingFolder, fs::canonical(m_dir.File("cwd")).string());
        EXPECT_EQ(record->Descriptors, "");
        for (const auto* folder : {"cwd", "listed", "bin"})
            EXPECT_FALSE(Exists(m_dir.File(folder) + "/pwned")) << folder;
    }

    std::string Listed() const { return m_dir.File("listed"); }

    TempDir m_dir;
    std::string m_recorder;
    std::string m_record;
    fs::path m_previousFolder;
    int m_inheritable = -1;
};

class HostileNames : public RealLaunch, public ::testing::WithParamInterface<std::string> {};

TEST_P(HostileNames, EachPlaceholderReachesTheProgramAsOneArgument) {
    const std::string name = GetParam() + ".NC";
    m_dir.Write("listed/" + name, "O1000\n");
    const std::pair<std::string, std::string> cases[] = {
        {"$A", Listed() + "/" + name},
        {"$B", Listed() + "/" + GetParam()},
        {"$C", name},
        {"$D", GetParam()},
    };
    app::MainState state;
    state.CurrentDir = Listed();
    for (const auto& [placeholder, value] : cases) {
        SCOPED_TRACE(placeholder);
        state.OutApps[0] = {m_recorder + " --first " + placeholder + " last", "Y", "Rec"};
        const auto step = extapps::RunExternalCommand(state, 'A', {name});
        ASSERT_TRUE(std::holds_alternative<ArgumentsWanted>(step));
        const auto& wanted = std::get<ArgumentsWanted>(step);
        EXPECT_EQ(wanted.Prefill, value);
        const LaunchResult result = LaunchProgram(
            extapps::ArgumentDialogLaunch(wanted.CommandText, wanted.Prefill), NeverOpens);
        ASSERT_TRUE(result.Started) << result.Error;
        ExpectRecorded({m_recorder, "--first", value, "last"});
    }
}

INSTANTIATE_TEST_SUITE_P(ExternalCommand, HostileNames,
                         ::testing::Values("with blank", "a \"quoted\" 'name'", "a;touch pwned",
                                           "$(touch pwned)", "`touch pwned`", "new\nline",
                                           "bad\xff\xfe\x80", "-rf", "--help", "$B and $C", "*",
                                           " lead", "a|touch pwned&"));

TEST_F(RealLaunch, FlagOtherThanYStartsTheProgramAloneWithoutItsArguments) {
    app::MainState state;
    state.CurrentDir = Listed();
    state.OutApps[1] = {m_recorder + " -v $A", "N", "Rec"};
    const auto request = std::get<LaunchRequest>(extapps::RunExternalCommand(state, 'B', {"x"}));
    ASSERT_TRUE(LaunchProgram(request, NeverOpens).Started);
    ExpectRecorded({m_recorder});
}

TEST_F(RealLaunch, EmptyArgumentBoxDropsTheFixedArgumentsToo) {
    ASSERT_TRUE(LaunchProgram(extapps::ArgumentDialogLaunch(m_recorder + " -v $A", ""), NeverOpens)
                    .Started);
    ExpectRecorded({m_recorder});
}

TEST_F(RealLaunch, StartedProgramIsNeitherWaitedForNorLeftAsOurChild) {
    ASSERT_TRUE(LaunchProgram({m_recorder, {"x"}}, NeverOpens).Started);
    ExpectRecorded({m_recorder, "x"});
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(RealLaunch, EditorReceivesThePathAsItsOneArgument) {
    m_dir.Write("listed/with blank;$(touch pwned).NC", "O1\n");
    app::MainState state;
    state.CurrentDir = Listed();
    state.EditApp = m_recorder;
    const auto step = extapps::EditSelectedFile(state, {"with blank;$(touch pwned).NC"}, {});
    ASSERT_TRUE(std::holds_alternative<LaunchRequest>(step));
    EXPECT_EQ(state.SelectedName, "with blank;$(touch pwned).NC");
    ASSERT_TRUE(LaunchProgram(std::get<LaunchRequest>(step), NeverOpens).Started);
    ExpectRecorded({m_recorder, Listed() + "/with blank;$(touch pwned).NC"});
}

TEST_F(RealLaunch, MissingEditorFallsBackToTheDesktopsTextEditor) {
    const std::string gedit = m_dir.File("editors/gedit");
    fs::create_symlink(TORNWEL_ARGV_RECORDER, gedit);
    extapps::DesktopEnvironment environment;
    environment.SearchPath = {m_dir.File("editors")};
    app::MainState state;
    state.CurrentDir = Listed();
    for (const std::string& editApp : {std::string(), m_dir.File("bin/deleted-editor")}) {
        state.EditApp = editApp;
        const auto step = extapps::EditSelectedFile(state, {"O1000.NC"}, environment);
        ASSERT_TRUE(std::holds_alternative<LaunchRequest>(step));
        ASSERT_TRUE(LaunchProgram(std::get<LaunchRequest>(step), NeverOpens).Started);
        ExpectRecorded({gedit, Listed() + "/O1000.NC"});
    }
}

TEST_F(RealLaunch, ProgramWithoutArgumentsStartsAloneAndDocumentsGoToTheOpener) {
    ASSERT_TRUE(LaunchProgram({m_recorder, {}}, NeverOpens).Started);
    ExpectRecorded({m_recorder});

    const std::string document = m_dir.Write("listed/O1000.NC", "O1000\n");
    std::vector<std::string> opened;
    const auto opener = [&](bool succeeds) {
        return [&opened, succeeds](const std::string& path) {
            opened.push_back(path);
            return succeeds;
        };
    };
    EXPECT_TRUE(LaunchProgram({document, {}}, opener(true)).Started);
    const LaunchResult refused = LaunchProgram({document, {}}, opener(false));
    EXPECT_FALSE(refused.Started);
    EXPECT_EQ(refused.Error, document + " を開けません。");
    EXPECT_EQ(opened, (std::vector<std::string>{document, document}));
}

std::string Reason(int error) {
    return std::generic_category().message(error);
}

TEST_F(RealLaunch, FailedStartNamesTheProgramAndTheReason) {
    const std::string plainFile = m_dir.Write("bin/not-executable", "data");
    const std::pair<std::string, std::string> cases[] = {
        {m_dir.File("bin/missing"), Reason(ENOENT)},
        {plainFile, Reason(EACCES)},
        {m_dir.File("bin"), Reason(EACCES)},
        {"", Reason(ENOENT)},
    };
    for (const auto& [program, reason] : cases) {
        const LaunchResult result = LaunchProgram({program, {"x"}}, NeverOpens);
        EXPECT_FALSE(result.Started) << program;
        EXPECT_EQ(result.Error, program + " を起動できません。(" + reason + ")");
    }
}

TEST_F(RealLaunch, ArgumentHoldingNulIsRefusedRatherThanCut) {
    const LaunchResult result = LaunchProgram({m_recorder, {std::string("a\0b", 3)}}, NeverOpens);
    EXPECT_FALSE(result.Started);
    EXPECT_EQ(result.Error, m_recorder + " を起動できません。(" + Reason(EINVAL) + ")");
    EXPECT_FALSE(Exists(m_record)); // refused before anything was started
}

} // namespace
