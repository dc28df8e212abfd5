#include "external_command.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using extapps::ArgumentsWanted;
using extapps::LaunchRequest;
using extapps::NothingToRun;
using extapps::RunExternalCommand;
using extapps::SelectionRefused;
using testsupport::TempDir;

class ExternalCommandDecision : public ::testing::Test {
  protected:
    ExternalCommandDecision() {
        m_program = m_dir.Write("tools/conv", "#!/bin/sh\n");
        ::chmod(m_program.c_str(), 0755);
        m_state.CurrentDir = m_dir.File("nc");
        std::filesystem::create_directories(m_state.CurrentDir);
    }

    void SetSlot(char letter, const std::string& command, const std::string& flag) {
        m_state.OutApps[static_cast<std::size_t>(letter - 'A')] = {command, flag, "Conv"};
    }

    TempDir m_dir;
    std::string m_program;
    app::MainState m_state;
};

TEST_F(ExternalCommandDecision, NeedsExactlyOneSelectedRow) {
    SetSlot('A', m_program + " $A", "Y");
    m_state.SelectedName = "kept";
    const std::vector<std::vector<std::string>> selections = {{}, {"a.NC", "b.NC"}};
    for (const auto& selected : selections) {
        EXPECT_TRUE(
            std::holds_alternative<SelectionRefused>(RunExternalCommand(m_state, 'A', selected)));
    }
    EXPECT_EQ(m_state.SelectedName, "kept");
}

TEST_F(ExternalCommandDecision, FlagYAsksForTheArgumentWithThePrefill) {
    SetSlot('C', m_program + " $C -o $D", "Y");
    const auto step = RunExternalCommand(m_state, 'C', {"O1000.NC"});
    ASSERT_TRUE(std::holds_alternative<ArgumentsWanted>(step));
    const auto& wanted = std::get<ArgumentsWanted>(step);
    EXPECT_EQ(wanted.SettingName, "Conv");
    EXPECT_EQ(wanted.CommandText, m_program + " $C -o $D");
    EXPECT_EQ(wanted.Prefill, "O1000");
    EXPECT_EQ(m_state.SelectedName, m_state.CurrentDir + "/O1000.NC");
}

TEST_F(ExternalCommandDecision, AnyOtherFlagStartsTheProgramAlone) {
    for (const char* flag : {"N", "y", "", "YES", " Y"}) {
        SetSlot('B', m_program + " -v $A", flag);
        EXPECT_EQ(std::get<LaunchRequest>(RunExternalCommand(m_state, 'B', {"O1000.NC"})),
                  (LaunchRequest{m_program, {}}))
            << '"' << flag << '"';
    }
}

TEST_F(ExternalCommandDecision, EachLetterRunsItsOwnSlot) {
    const std::string other = m_dir.Write("tools/other", "");
    SetSlot('M', m_program, "N");
    SetSlot('N', other, "N");
    EXPECT_EQ(std::get<LaunchRequest>(RunExternalCommand(m_state, 'M', {"a"})).Program, m_program);
    EXPECT_EQ(std::get<LaunchRequest>(RunExternalCommand(m_state, 'N', {"a"})).Program, other);
    EXPECT_EQ(extapps::SlotOfLetter('A'), 0);
    EXPECT_EQ(extapps::SlotOfLetter('Z'), 25);
    EXPECT_EQ(extapps::SlotOfLetter('a'), -1);
    EXPECT_EQ(extapps::SlotOfLetter('['), -1);
    EXPECT_TRUE(std::holds_alternative<NothingToRun>(RunExternalCommand(m_state, '@', {"a"})));
}

TEST_F(ExternalCommandDecision, NothingRunsWithoutAnExistingProgramFile) {
    m_dir.Write("PROGRAM FILES/X", "");
    const std::string commands[] = {
        "",                                    // free slot
        m_dir.File("tools/missing") + " $A",   // missing program
        m_dir.File("tools") + " $A",           // a folder
        m_dir.File("PROGRAM FILES/X") + " $A", // cut at the blank: "…/PROGRAM" is missing
        " " + m_program,                       // leading blank: empty program
    };
    for (const auto& command : commands) {
        for (const char* flag : {"Y", "N"}) {
            SetSlot('D', command, flag);
            EXPECT_TRUE(std::holds_alternative<NothingToRun>(
                RunExternalCommand(m_state, 'D', {"O1000.NC"})))
                << command << " " << flag;
        }
    }
}

TEST_F(ExternalCommandDecision, FolderAndParentRowsPassLikeFiles) {
    SetSlot('A', m_program + " $A", "Y");
    const auto step = RunExternalCommand(m_state, 'A', {".."});
    EXPECT_EQ(std::get<ArgumentsWanted>(step).Prefill, m_state.CurrentDir + "/..");
    m_state.CurrentDir = "/";
    EXPECT_EQ(std::get<ArgumentsWanted>(RunExternalCommand(m_state, 'A', {"usr"})).Prefill, "/usr");
}

} // namespace
