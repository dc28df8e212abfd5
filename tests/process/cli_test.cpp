// The tornwel-nc command as a user runs it: arguments, files, exit status.

#include "encoding.h"
#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

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
        {"insert", file, file},
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

TEST(Cli, VariableListBesideTheSource) {
    TempDir dir;
    const auto file = dir.Write("P.NC", "#1=#100\r\n");
    EXPECT_EQ(Nc({"vars", file}).status, 0);
    EXPECT_EQ(
        platform::Cp932ToUtf8(ReadFile(dir.File("変数P.NC"))),
        "ローカル変数= 1\r\n#1\r\nコモン変数= 1\r\n#100\r\nシステム変数= 0\r\nその他変数= 0\r\n");
}

} // namespace
