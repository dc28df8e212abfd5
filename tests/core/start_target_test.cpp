// The path a start is given: which argument it is and what it names.

#include "start_target.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using testsupport::TempDir;

TEST(StartPathArgument, QtOptionsAndTheirValuesAreNoPath) {
    struct Case {
        std::vector<std::string> args;
        std::optional<std::string> path;
    };
    const std::vector<Case> cases = {
        {{}, std::nullopt},
        {{"/nc"}, "/nc"},
        {{"-platform", "offscreen"}, std::nullopt},
        {{"-platform", "offscreen", "progs"}, "progs"},
        {{"--style", "Fusion", "-reverse", "a.NC"}, "a.NC"},
        {{"-qwindowgeometry", "100x100", "/nc", "/other"}, "/nc"},
        {{"", "/nc"}, "/nc"},
        {{"--", "-odd name"}, "-odd name"},
        {{"--"}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::StartPathArgument(c.args), c.path) << (c.args.empty() ? "" : c.args[0]);
    }
}

TEST(ResolveStartTarget, AFolderOrAFileInItsFolder) {
    TempDir dir;
    dir.Write("progs/A.NC", "X1\r\n");
    std::filesystem::create_directory(dir.File("progs/sub"));
    const std::string progs = dir.File("progs");
    struct Case {
        std::string path;
        std::string currentDir;
        std::optional<app::StartTarget> target;
    };
    const std::vector<Case> cases = {
        {progs, "/", app::StartTarget{progs, ""}},
        {progs + "/", "/", app::StartTarget{progs, ""}},
        {progs + "/A.NC", "/", app::StartTarget{progs, "A.NC"}},
        {"A.NC", progs, app::StartTarget{progs, "A.NC"}},
        {"sub/../A.NC", progs, app::StartTarget{progs, "A.NC"}},
        {"./sub", progs, app::StartTarget{progs + "/sub", ""}},
        {".", progs, app::StartTarget{progs, ""}},
        {"/", progs, app::StartTarget{"/", ""}},
        {"NONE.NC", progs, std::nullopt},
        {progs + "/A.NC/x", "/", std::nullopt},
        {"", progs, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::ResolveStartTarget(c.path, c.currentDir), c.target) << c.path;
    }
}

TEST(ResolveStartTarget, HandedOverAsOnePath) {
    EXPECT_EQ(app::StartTargetPath({"/nc/progs", "A.NC"}), "/nc/progs/A.NC");
    EXPECT_EQ(app::StartTargetPath({"/nc/progs", ""}), "/nc/progs");
    EXPECT_EQ(app::StartTargetPath({"/", "A.NC"}), "/A.NC");
}

} // namespace
