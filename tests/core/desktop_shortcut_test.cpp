#include "desktop_entry.h"
#include "desktop_programs.h"
#include "desktop_shortcut.h"
#include "key_file.h"
#include "temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <system_error>

namespace {

namespace fs = std::filesystem;
using extapps::DesktopShortcutText;
using extapps::MakeDesktopShortcut;
using testsupport::ListNames;
using testsupport::TempDir;

std::string Key(const std::string& text, const char* key) {
    const auto keys = extapps::KeyFileGroup(text, "Desktop Entry");
    const auto found = keys.find(key);
    return found == keys.end() ? "(missing)" : found->second;
}

// What a desktop would start from the entry: the Exec words and the folder.
void ExpectStarts(const std::string& text, const std::string& executable) {
    const auto entry = extapps::ParseDesktopEntry(text);
    EXPECT_EQ(entry.Type, "Application");
    EXPECT_FALSE(entry.Terminal);
    const auto words = extapps::ExpandDesktopExec(entry.Exec, "FILE");
    ASSERT_TRUE(words.has_value()) << entry.Exec;
    EXPECT_EQ(*words, (std::vector<std::string>{executable, "FILE"}));
    EXPECT_EQ(Key(text, "Path"), fs::path(executable).parent_path().string());
}

TEST(DesktopShortcutText, EveryExecutablePathComesBackWhole) {
    const std::string paths[] = {
        "/usr/bin/tornwel",
        "/home/u/My Programs/tornwel",
        "/home/u/a\"b`c$d\\e/tornwel",
        "/home/u/100%/%f %U/tornwel",
        "/home/u/new\nline/tab\there/cr\r/tornwel",
        "/home/u/ lead and trail /tornwel ",
        "/home/u/$(touch pwned);x/tornwel",
        "/home/u/-rf/tornwel",
        "/home/u/NC プログラム/tornwel",
    };
    for (const auto& path : paths) {
        SCOPED_TRACE(path);
        const std::string text = DesktopShortcutText(path, "tornwel");
        ExpectStarts(text, path);
        // Each key stays on its own line: no raw line break leaks out.
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
        EXPECT_EQ(Key(text, "Name"), "Tornwel");
        EXPECT_EQ(Key(text, "Icon"), "tornwel");
    }
}

TEST(DesktopShortcutText, PlainPathReadsAsWritten) {
    EXPECT_EQ(DesktopShortcutText("/opt/tw/bin/tornwel", "/opt/tw/share/tornwel.svg"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Tornwel\n"
              "Exec=\"/opt/tw/bin/tornwel\"\n"
              "Path=/opt/tw/bin\n"
              "Icon=/opt/tw/share/tornwel.svg\n"
              "Terminal=false\n");
}

TEST(DesktopExec, DoubledPercentInsideQuotesIsOnePercent) {
    EXPECT_EQ(extapps::ExpandDesktopExec("\"/a/100%%\" %f", "F"),
              (std::vector<std::string>{"/a/100%", "F"}));
    EXPECT_EQ(extapps::ExpandDesktopExec("\"/a/%\" %f", "F"),
              (std::vector<std::string>{"/a/%", "F"}));
}

TEST(ShortcutIcon, InstalledIconBelowThePrefixElseTheThemeName) {
    TempDir dir;
    const std::string executable = dir.Write("prefix/bin/tornwel", "");
    EXPECT_EQ(extapps::ShortcutIcon(executable), "tornwel");
    const std::string png = dir.Write("prefix/share/icons/hicolor/48x48/apps/tornwel.png", "");
    EXPECT_EQ(extapps::ShortcutIcon(executable), png);
    const std::string svg = dir.Write("prefix/share/icons/hicolor/scalable/apps/tornwel.svg", "");
    EXPECT_EQ(extapps::ShortcutIcon(executable), svg);
}

class ShortcutFile : public ::testing::Test {
  protected:
    std::string Desktop() const { return m_dir.File("home/デスクトップ"); }
    std::string Shortcut() const { return Desktop() + "/Tornwel.desktop"; }

    TempDir m_dir;
    std::string m_executable = m_dir.Write("app dir/bin/tornwel", "");
};

TEST_F(ShortcutFile, IsWrittenExecutableIntoAMissingDesktopFolder) {
    EXPECT_EQ(MakeDesktopShortcut(Desktop(), m_executable), Shortcut());
    ExpectStarts(testsupport::ReadFile(Shortcut()), m_executable);
    struct stat status {};
    ASSERT_EQ(::stat(Shortcut().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0755u);
}

TEST_F(ShortcutFile, SecondShortcutReplacesTheFirstAndLeavesNothingElse) {
    m_dir.Write("home/デスクトップ/Tornwel.desktop", "[Desktop Entry]\nExec=/old/tornwel\n");
    ::chmod(Shortcut().c_str(), 0600);
    MakeDesktopShortcut(Desktop(), m_executable);
    MakeDesktopShortcut(Desktop(), m_executable);
    EXPECT_EQ(ListNames(Desktop()), "Tornwel.desktop");
    ExpectStarts(testsupport::ReadFile(Shortcut()), m_executable);
    struct stat status {};
    ASSERT_EQ(::stat(Shortcut().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0755u);
}

TEST_F(ShortcutFile, PathThatIsNotUtf8IsRefusedAndNothingIsWritten) {
    try {
        MakeDesktopShortcut(Desktop(), m_dir.File("bad\xff/tornwel"));
        ADD_FAILURE() << "no error";
    } catch (const std::system_error& failure) {
        EXPECT_EQ(failure.code().value(), EILSEQ);
    }
    EXPECT_FALSE(testsupport::Exists(Desktop()));
}

TEST_F(ShortcutFile, UnwritableDesktopIsAnError) {
    const std::string notAFolder = m_dir.Write("home/file", "x");
    EXPECT_THROW(MakeDesktopShortcut(notAFolder, m_executable), std::system_error);
    EXPECT_EQ(testsupport::ReadFile(notAFolder), "x");
}

TEST(FirstProgramFound, CandidateOrderDecidesAndOnlyProgramsCount) {
    TempDir dir;
    const auto program = [&](const std::string& name, mode_t mode) {
        const std::string path = dir.Write(name, "#!/bin/sh\n");
        ::chmod(path.c_str(), mode);
        return path;
    };
    const std::vector<std::string> searchPath = {dir.File("a"), dir.File("b")};
    const auto& candidates = extapps::kCalculatorPrograms;
    EXPECT_EQ(extapps::FirstProgramFound(candidates, searchPath), "");
    program("a/gnome-calculator", 0644);         // not executable
    fs::create_directories(dir.File("a/kcalc")); // a folder
    EXPECT_EQ(extapps::FirstProgramFound(candidates, searchPath), "");
    const std::string xcalc = program("a/xcalc", 0755);
    EXPECT_EQ(extapps::FirstProgramFound(candidates, searchPath), xcalc);
    const std::string galculator = program("b/galculator", 0755);
    EXPECT_EQ(extapps::FirstProgramFound(candidates, searchPath), galculator);
    const std::string gnome = program("b/gnome-calculator", 0755);
    EXPECT_EQ(extapps::FirstProgramFound(candidates, searchPath), gnome);
    EXPECT_EQ(extapps::FirstProgramFound(extapps::kSettingsPrograms, searchPath), "");
}

} // namespace
