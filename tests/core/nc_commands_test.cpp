#include "encoding.h"
#include "nc_commands.h"
#include "nc_error.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

using testsupport::Exists;
using testsupport::ListNames;
using testsupport::ReadFile;
using testsupport::TempDir;

std::string ErrorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const nc::NcError& error) {
        return error.what();
    }
    return "";
}

TEST(OutputNames, SuffixGoesBeforeTheExtension) {
    EXPECT_EQ(nc::NameWithSuffix("PART.NC", "_2"), "PART_2.NC");
    EXPECT_EQ(nc::NameWithSuffix("PART.NC", "_S"), "PART_S.NC");
    EXPECT_EQ(nc::NameWithSuffix("PART.NC", "_N"), "PART_N.NC");
    EXPECT_EQ(nc::NameWithSuffix("A.B.NC", "_2"), "A.B_2.NC");
    EXPECT_EQ(nc::NameWithSuffix("PROG", "_2"), "PROG_2");
    EXPECT_EQ(nc::VariableListName("PART.NC"), "変数PART.NC");
}

TEST(LinePass, ConvertsEveryLineAndKeepsTheFinalBreak) {
    TempDir dir;
    const auto source = dir.Write("PART.NC", "O1\r\nX10\nX1.5\r");
    nc::AxisDoubling doubling('X');
    nc::RunLinePass(source, dir.File("PART_2.NC"), doubling, {});
    EXPECT_EQ(ReadFile(dir.File("PART_2.NC")), "O1\r\nX20\r\nX3.0\r\n");
    dir.Write("B.NC", "X1");
    nc::RunLinePass(dir.File("B.NC"), dir.File("B_2.NC"), doubling, {});
    EXPECT_EQ(ReadFile(dir.File("B_2.NC")), "X2");
}

TEST(LinePass, FailureWritesNothingAndKeepsAnExistingOutput) {
    TempDir dir;
    const auto source = dir.Write("PART.NC", "X1\r\nX2\r\nX1-2\r\n");
    dir.Write("PART_2.NC", "old");
    nc::AxisDoubling doubling('X');
    try {
        nc::RunLinePass(source, dir.File("PART_2.NC"), doubling, {});
        FAIL() << "no error";
    } catch (const nc::NcError& error) {
        EXPECT_STREQ(error.what(), "'1-2' は浮動小数点数ではありません");
        EXPECT_EQ(error.line(), 3);
    }
    EXPECT_EQ(ReadFile(dir.File("PART_2.NC")), "old");
    EXPECT_EQ(ListNames(dir.path()), "PART.NC PART_2.NC");
}

TEST(LinePass, NeverWritesOverItsSource) {
    TempDir dir;
    const auto source = dir.Write("PART.NC", "X1\r\n");
    nc::AxisDoubling doubling('X');
    EXPECT_EQ(ErrorOf([&] { nc::RunLinePass(source, source, doubling, {}); }),
              "ファイル " + source + " を作成できません");
    EXPECT_EQ(ReadFile(source), "X1\r\n");
}

TEST(LinePass, ReplacedOutputKeepsItsPermissions) {
    TempDir dir;
    const auto source = dir.Write("PART.NC", "X1\r\n");
    const auto output = dir.Write("PART_2.NC", "old");
    ::chmod(output.c_str(), 0640);
    nc::AxisDoubling doubling('X');
    nc::RunLinePass(source, output, doubling, {});
    struct stat info {};
    ASSERT_EQ(::stat(output.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(LinePass, MissingSourceCannotBeOpened) {
    TempDir dir;
    nc::AxisDoubling doubling('X');
    EXPECT_EQ(ErrorOf([&] { nc::RunLinePass(dir.File("NO.NC"), dir.File("O.NC"), doubling, {}); }),
              "ファイル " + dir.File("NO.NC") + " は開けません");
    EXPECT_FALSE(Exists(dir.File("O.NC")));
}

class SplitTest : public testing::Test {
  protected:
    std::string Split(const std::string& text, const nc::SplitOptions& options) {
        const auto source = m_dir.Write("PROGS.NC", text);
        nc::SplitPrograms(source, Out(), options, {});
        return ListNames(Out());
    }
    std::string Out() const { return m_dir.File("OUT"); }
    std::string Output(const std::string& name) const { return ReadFile(Out() + "/" + name); }

    void SetUp() override { m_dir.Write("OUT/.keep", ""); }

    TempDir m_dir;
    const std::string m_programs = "%\r\nO100(PART A)\r\nG01X1.\r\n%\r\nO200\r\nX2.\r\n%\r\n";
};

TEST_F(SplitTest, OneFilePerProgramWithoutPercentLines) {
    EXPECT_EQ(Split(m_programs, {}), ".keep O100.NC O200.NC");
    EXPECT_EQ(Output("O100.NC"), "O100(PART A)\r\nG01X1.\r\n");
    EXPECT_EQ(Output("O200.NC"), "O200\r\nX2.\r\n");
}

TEST_F(SplitTest, PercentLinesAndSerialNumbers) {
    EXPECT_EQ(Split(m_programs, {true, true, true, false}), ".keep O100_001.NC O200_002.NC");
    EXPECT_EQ(Output("O100_001.NC"), "%\r\nO100(PART A)\r\nG01X1.\r\n%\r\n");
    EXPECT_EQ(Output("O200_002.NC"), "%\r\nO200\r\nX2.\r\n%\r\n");
}

TEST_F(SplitTest, ProgramNamesFromTheirStartLines) {
    EXPECT_EQ(Split("O300 (NOTE)\r\nX1\r\n:400\r\nX2\r\nL10\r\nX3\r\n", {}),
              ".keep L10.NC O300 .NC O400.NC");
    EXPECT_EQ(Output("O400.NC"), ":400\r\nX2\r\n");
}

TEST_F(SplitTest, EmptyLinesUnlessSkipped) {
    Split("O1\r\n\r\nX1\r\n", {});
    EXPECT_EQ(Output("O1.NC"), "O1\r\n\r\nX1\r\n");
    Split("O1\r\n\r\nX1\r\n", {false, false, false, true});
    EXPECT_EQ(Output("O1.NC"), "O1\r\nX1\r\n");
}

TEST_F(SplitTest, LaterProgramOfTheSameNameReplacesTheEarlier) {
    Split("O100\r\nX1\r\nO100\r\nX2\r\n", {});
    EXPECT_EQ(Output("O100.NC"), "O100\r\nX2\r\n");
}

TEST_F(SplitTest, LinesBeforeTheFirstProgramGoIntoTheFirstFileOnce) {
    Split("(HEADER)\r\nO1\r\nX1\r\nO2\r\n", {true, false, false, false});
    EXPECT_EQ(Output("O1.NC"), "(HEADER)\r\n%\r\nO1\r\nX1\r\n");
    EXPECT_EQ(Output("O2.NC"), "%\r\nO2\r\n");
}

TEST_F(SplitTest, NoProgramNumberWritesNothing) {
    const auto source = m_dir.Write("PLAIN.NC", "G01X1\r\nX2\r\n");
    EXPECT_EQ(ErrorOf([&] { nc::SplitPrograms(source, Out(), {}, {}); }),
              "Ｏ番号が見つかりません。");
    EXPECT_EQ(ListNames(Out()), ".keep");
}

TEST_F(SplitTest, NeverReplacesItsOwnSource) {
    const auto source = m_dir.Write("OUT/O2.NC", "O1\r\nX1\r\nO2\r\nX2\r\n");
    EXPECT_EQ(ErrorOf([&] { nc::SplitPrograms(source, Out(), {}, {}); }),
              "ファイル " + Out() + "/O2.NC を作成できません");
    EXPECT_EQ(ReadFile(source), "O1\r\nX1\r\nO2\r\nX2\r\n");
    EXPECT_EQ(Output("O1.NC"), "O1\r\nX1\r\n");
}

TEST_F(SplitTest, ReportsProgramLinesAndFiles) {
    const auto source = m_dir.Write("PROGS.NC", m_programs);
    const auto result = nc::SplitPrograms(source, Out(), {}, {});
    EXPECT_EQ(result.programLines, (std::vector<std::string>{"O100(PART A)", "O200"}));
    EXPECT_EQ(result.writtenFiles,
              (std::vector<std::string>{Out() + "/O100.NC", Out() + "/O200.NC"}));
}

TEST_F(SplitTest, MissingDestinationIsCreatedOnlyWhenAProgramIsFound) {
    nc::SplitOptions options;
    options.createDestination = true;
    const std::string destination = Out() + "/NEW/SUB";
    const auto plain = m_dir.Write("PLAIN.NC", "G01X1\r\n");
    EXPECT_EQ(ErrorOf([&] { nc::SplitPrograms(plain, destination, options, {}); }),
              "Ｏ番号が見つかりません。");
    EXPECT_EQ(ListNames(Out()), ".keep");

    const auto programs = m_dir.Write("PROGS.NC", m_programs);
    nc::SplitPrograms(programs, destination, options, {});
    EXPECT_EQ(ListNames(destination), "O100.NC O200.NC");
}

TEST_F(SplitTest, DestinationThatCannotBeCreated) {
    const auto source = m_dir.Write("PROGS.NC", m_programs);
    const std::string blocked = m_dir.Write("OUT/FILE", "") + "/SUB";
    nc::SplitOptions options;
    options.createDestination = true;
    EXPECT_EQ(ErrorOf([&] { nc::SplitPrograms(source, blocked, options, {}); }),
              "ファイル " + blocked + " を作成できません");
    // Without the option a missing destination is not created.
    const std::string missing = Out() + "/NEW";
    EXPECT_EQ(ErrorOf([&] { nc::SplitPrograms(source, missing, {}, {}); }),
              "ファイル " + missing + "/O100.NC を作成できません");
    EXPECT_EQ(ListNames(Out()), ".keep FILE");
}

TEST_F(SplitTest, ProgramLinesAreReportedAsTheyAreFound) {
    const auto source = m_dir.Write("PROGS.NC", m_programs + "O100\r\n");
    std::vector<std::string> reported;
    std::vector<bool> fileExisted;
    const auto thread = std::this_thread::get_id();
    nc::SplitOptions options;
    options.onProgramLine = [&](std::string_view line) {
        EXPECT_EQ(std::this_thread::get_id(), thread);
        reported.emplace_back(line);
        fileExisted.push_back(Exists(Out() + "/" + std::string(line.substr(0, 4)) + ".NC"));
    };
    const auto result = nc::SplitPrograms(source, Out(), options, {});
    EXPECT_EQ(reported, (std::vector<std::string>{"O100(PART A)", "O200", "O100"}));
    EXPECT_EQ(reported, result.programLines);
    // Each line comes before its program's file is written; the third names
    // the file of the first again.
    EXPECT_EQ(fileExisted, (std::vector<bool>{false, false, true}));
}

class JoinTest : public testing::Test {
  protected:
    TempDir m_dir;
};

TEST_F(JoinTest, TextsOneAfterAnotherInTheGivenOrder) {
    const auto a = m_dir.Write("A.NC", "O1\r\nX1.\r\n");
    const auto b = m_dir.Write("B.NC", "O2\nX2.\n");
    nc::JoinFiles({b, a}, m_dir.File("ALL.NC"), {});
    EXPECT_EQ(ReadFile(m_dir.File("ALL.NC")), "O2\r\nX2.\r\nO1\r\nX1.\r\n");
}

TEST_F(JoinTest, LargeOutputsAreWrittenWholeAndInOrder) {
    // Megabytes of output go through the background writer in several buffers.
    std::string lf;
    std::string crlf;
    for (int i = 0; i < 200000; ++i) {
        lf += "N" + std::to_string(i) + " G01X1.\n";
        crlf += "N" + std::to_string(i) + " G01X1.\r\n";
    }
    const auto a = m_dir.Write("A.NC", lf);
    const auto b = m_dir.Write("B.NC", crlf);
    nc::JoinFiles({a, b}, m_dir.File("ALL.NC"), {});
    EXPECT_TRUE(ReadFile(m_dir.File("ALL.NC")) == crlf + crlf);
}

TEST_F(JoinTest, MissingFinalBreakJoinsTheLines) {
    const auto a = m_dir.Write("A.NC", "O1\r\nX1.");
    const auto b = m_dir.Write("B.NC", "O2\r\nX2.\r\n");
    nc::JoinFiles({a, b}, m_dir.File("ALL.NC"), {});
    EXPECT_EQ(ReadFile(m_dir.File("ALL.NC")), "O1\r\nX1.O2\r\nX2.\r\n");
}

TEST_F(JoinTest, RefusesAnOutputThatIsOneOfTheSources) {
    const auto a = m_dir.Write("A.NC", "O1\r\n");
    const auto b = m_dir.Write("B.NC", "O2\r\n");
    EXPECT_EQ(ErrorOf([&] {
                  nc::JoinFiles({a, b}, a, {});
              }),
              "この結合ﾌｧｲﾙ名は選択したﾌｧｲﾙに存在します。");
    EXPECT_EQ(ReadFile(a), "O1\r\n");
}

TEST_F(JoinTest, UnreadableSourceStopsBeforeWriting) {
    const auto a = m_dir.Write("A.NC", "O1\r\n");
    const auto out = m_dir.Write("C.NC", "old");
    EXPECT_FALSE(ErrorOf([&] { nc::JoinFiles({a, m_dir.File("NO.NC")}, out, {}); }).empty());
    EXPECT_EQ(ReadFile(out), "old");
}

TEST_F(JoinTest, EmptyTextAddsNothingUnlessReadLineByLine) {
    const auto a = m_dir.Write("A.NC", "O1\r\n");
    const auto nul = m_dir.Write("N.NC", std::string("\0\r\nX9\r\n", 7));
    std::vector<std::string> asked;
    nc::JoinFiles({a, nul}, m_dir.File("NO.NC"), [&](const std::string& file) {
        asked.push_back(file);
        return false;
    });
    EXPECT_EQ(ReadFile(m_dir.File("NO.NC")), "O1\r\n");
    EXPECT_EQ(asked, std::vector<std::string>{nul});
    nc::JoinFiles({a, nul}, m_dir.File("YES.NC"), [](const std::string&) { return true; });
    EXPECT_EQ(ReadFile(m_dir.File("YES.NC")), "O1\r\nX9\r\n");
}

TEST(VariableList, SortsEachKindByBytes) {
    TempDir dir;
    const auto source =
        dir.Write("PART.NC", "#101=#102+1\r\n#1=#[#2+1]\r\nO9010(#100)\r\n"
                             "(#500)\r\n#10000\r\n#0\r\n#10\r\n#2\r\n#1001\r\n#01\r\n");
    const auto list = nc::ScanVariables(source, {});
    EXPECT_EQ(list.local, (std::vector<std::string>{"#0", "#01", "#1", "#10", "#2"}));
    EXPECT_EQ(list.common, (std::vector<std::string>{"#101", "#102", "#500"}));
    EXPECT_EQ(list.system, std::vector<std::string>{"#1001"});
    EXPECT_EQ(list.other, (std::vector<std::string>{"#10000", "#[数式]"}));
}

TEST(VariableList, SavedInCp932WithCountLines) {
    TempDir dir;
    const auto source = dir.Write("PART.NC", "#1=#100\r\n");
    const std::string path = dir.File(nc::VariableListName("PART.NC"));
    nc::SaveVariableList(nc::ScanVariables(source, {}), path);
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(
        platform::Cp932ToUtf8(bytes),
        "ローカル変数= 1\r\n#1\r\nコモン変数= 1\r\n#100\r\nシステム変数= 0\r\nその他変数= 0\r\n");
    EXPECT_FALSE(platform::IsValidUtf8(bytes));
}

TEST(VariableList, FileWithoutVariablesGivesFourEmptyKinds) {
    TempDir dir;
    const auto list = nc::ScanVariables(dir.Write("A.NC", "G01X1\r\n"), {});
    EXPECT_EQ(nc::VariableListText(list),
              "ローカル変数= 0\r\nコモン変数= 0\r\nシステム変数= 0\r\nその他変数= 0\r\n");
}

TEST(VariableList, ListsMoreThan9999Variables) {
    TempDir dir;
    std::string text;
    for (int i = 10000; i < 22000; ++i)
        text += "#" + std::to_string(i) + "=1\r\n";
    const auto list = nc::ScanVariables(dir.Write("MANY.NC", text), {});
    EXPECT_EQ(list.other.size(), 12000u);
}

} // namespace
