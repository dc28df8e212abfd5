#include "desktop_entry.h"
#include "editor_command.h"
#include "key_file.h"
#include "temp_dir.h"
#include "text_editor_lookup.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

using extapps::DesktopEnvironment;
using extapps::ExpandDesktopExec;
using extapps::FallbackTextEditor;
using extapps::LaunchRequest;
using testsupport::TempDir;

using Words = std::optional<std::vector<std::string>>;

TEST(DesktopExec, FieldCodesQuotesAndEscapes) {
    const std::string file = "/nc/a b;$(x).NC";
    const std::pair<const char*, Words> cases[] = {
        {"gedit %U", Words({"gedit", file})},
        {"kate -b %f", Words({"kate", "-b", file})},
        {"gedit", Words({"gedit", file})}, // no file code: the file is appended
        {"ed %i %c %k %F", Words({"ed", file})},
        {"ed --file=%f", Words({"ed", "--file=" + file})},
        {"ed 100%% %f %u", Words({"ed", "100%", file, file})},
        {"\"/opt/My Editor/ed\"  %f", Words({"/opt/My Editor/ed", file})},
        {"ed \"a \\\"q\\\" \\$x \\`y\\` \\\\\" %f", Words({"ed", "a \"q\" $x `y` \\", file})},
        {"ed \"\" %f", Words({"ed", "", file})},
        {"ed\t-n %f", Words({"ed", "-n", file})},
        {"ed \"open %f", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
    };
    for (const auto& [exec, words] : cases) {
        EXPECT_EQ(ExpandDesktopExec(exec, file), words) << exec;
    }
}

TEST(DesktopEntry, ReadsOnlyTheDesktopEntryGroup) {
    const auto entry = extapps::ParseDesktopEntry("# comment\n"
                                                  "[Desktop Entry]\n"
                                                  "Type = Application\n"
                                                  "Exec=my\\sed %f\n"
                                                  "TryExec=my\n"
                                                  "Terminal=true\n"
                                                  "Exec=second\n"
                                                  "[Desktop Action new]\n"
                                                  "Hidden=true\n"
                                                  "Exec=other\n");
    EXPECT_EQ(entry.Type, "Application");
    EXPECT_EQ(entry.Exec, "my ed %f");
    EXPECT_EQ(entry.TryExec, "my");
    EXPECT_TRUE(entry.Terminal);
    EXPECT_FALSE(entry.Hidden);
    EXPECT_EQ(extapps::KeyFileGroup("[A]\r\nk=\\\\n\\t\\q\r\n", "A").at("k"), "\\n\t\\q");
}

TEST(DesktopEnvironment, VariablesWithTheirDefaults) {
    const auto from = [](std::map<std::string, std::string> variables) {
        return extapps::DesktopEnvironmentFrom([&](std::string_view name) {
            const auto found = variables.find(std::string(name));
            return found == variables.end() ? std::string() : found->second;
        });
    };
    const auto defaults = from({{"HOME", "/home/op"}});
    EXPECT_EQ(defaults.ConfigHome, "/home/op/.config");
    EXPECT_EQ(defaults.ConfigDirs, (std::vector<std::string>{"/etc/xdg"}));
    EXPECT_EQ(defaults.DataHome, "/home/op/.local/share");
    EXPECT_EQ(defaults.DataDirs, (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
    EXPECT_TRUE(defaults.CurrentDesktops.empty());
    EXPECT_EQ(defaults.SearchPath,
              (std::vector<std::string>{"/usr/local/bin", "/usr/bin", "/bin"}));

    const auto set = from({{"HOME", "/home/op"},
                           {"XDG_CONFIG_HOME", "relative/cfg"},
                           {"XDG_DATA_HOME", "/data"},
                           {"XDG_DATA_DIRS", "/a::rel:/b"},
                           {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"},
                           {"PATH", ":.:/usr/bin:bin:"}});
    EXPECT_EQ(set.ConfigHome, "/home/op/.config"); // relative: ignored
    EXPECT_EQ(set.DataHome, "/data");
    EXPECT_EQ(set.DataDirs, (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(set.CurrentDesktops, (std::vector<std::string>{"ubuntu", "gnome"}));
    EXPECT_EQ(set.SearchPath, (std::vector<std::string>{"/usr/bin"})); // never the working folder
}

// A desktop in a folder: config, data and bin folders the test fills.
class FakeDesktop : public ::testing::Test {
  protected:
    FakeDesktop() {
        m_environment.ConfigHome = m_dir.File("config");
        m_environment.ConfigDirs = {m_dir.File("etc-xdg")};
        m_environment.DataHome = m_dir.File("data-home");
        m_environment.DataDirs = {m_dir.File("share")};
        m_environment.SearchPath = {m_dir.File("bin"), m_dir.File("bin2")};
    }

    std::string Program(const std::string& path) const {
        const std::string written = m_dir.Write(path, "#!/bin/sh\n");
        ::chmod(written.c_str(), 0755);
        return written;
    }

    void Application(const std::string& path, const std::string& exec,
                     const std::string& extra = "") const {
        m_dir.Write(path, "[Desktop Entry]\nType=Application\nName=E\nExec=" + exec + "\n" + extra);
    }

    std::optional<LaunchRequest> Fallback() const {
        return FallbackTextEditor(m_environment, kFile);
    }

    static constexpr const char* kFile = "/nc/O1000.NC";
    TempDir m_dir;
    DesktopEnvironment m_environment;
};

TEST_F(FakeDesktop, DefaultApplicationForTextPlain) {
    const std::string editor = Program("bin2/fancy-edit");
    Program("bin/gedit");
    Application("share/applications/fancy.desktop", "fancy-edit --new-window %U");
    m_dir.Write("config/mimeapps.list",
                "[Default Applications]\ntext/x-c=other.desktop\ntext/plain=fancy.desktop;\n");
    EXPECT_EQ(Fallback(), (LaunchRequest{editor, {"--new-window", kFile}}));
}

TEST_F(FakeDesktop, UnusableDefaultsAreSkippedInPriorityOrder) {
    Program("bin/gedit");
    const std::string good = Program("bin/good");
    Application("share/applications/vim.desktop", "good %F", "Terminal=true\n");
    Application("share/applications/hidden.desktop", "good %F", "Hidden=true\n");
    Application("share/applications/tryexec.desktop", "good %F", "TryExec=not-installed\n");
    Application("share/applications/noprog.desktop", "not-installed %F");
    m_dir.Write("share/applications/link.desktop", "[Desktop Entry]\nType=Link\nExec=good %F\n");
    Application("share/applications/good.desktop", "good --from-etc %f");
    Application("data-home/applications/good.desktop", "good --from-home %f");
    m_dir.Write(
        "config/mimeapps.list",
        "[Default Applications]\n"
        "text/plain=missing.desktop;vim.desktop;hidden.desktop;tryexec.desktop;link.desktop\n");
    m_dir.Write("etc-xdg/mimeapps.list", "[Default Applications]\n"
                                         "text/plain=noprog.desktop;good.desktop\n");
    // A user's own entry overrides the system's one of the same id.
    EXPECT_EQ(Fallback(), (LaunchRequest{good, {"--from-home", kFile}}));
}

TEST_F(FakeDesktop, DesktopSpecificListComesFirst) {
    const std::string kate = Program("bin/kate");
    Program("bin/gedit");
    Application("share/applications/kde4/kate.desktop", "kate -b %U");
    Application("share/applications/gedit.desktop", "gedit %U");
    m_dir.Write("config/mimeapps.list", "[Default Applications]\ntext/plain=gedit.desktop\n");
    m_dir.Write("config/kde-mimeapps.list",
                "[Default Applications]\ntext/plain=kde4-kate.desktop\n");
    m_environment.CurrentDesktops = {"kde"};
    EXPECT_EQ(Fallback(), (LaunchRequest{kate, {"-b", kFile}}));
}

TEST_F(FakeDesktop, AssociationsAndCacheWhenNoDefault) {
    const std::string mousepad = Program("bin/mousepad");
    const std::string xed = Program("bin/xed");
    Application("share/applications/mousepad.desktop", "mousepad %F");
    Application("share/applications/xed.desktop", "xed %U");
    m_dir.Write("share/applications/mimeinfo.cache",
                "[MIME Cache]\ntext/plain=mousepad.desktop;xed.desktop;\n");
    EXPECT_EQ(Fallback(), (LaunchRequest{mousepad, {kFile}}));

    m_dir.Write("config/mimeapps.list", "[Removed Associations]\ntext/plain=mousepad.desktop;\n");
    EXPECT_EQ(Fallback(), (LaunchRequest{xed, {kFile}}));

    m_dir.Write("config/mimeapps.list", "[Added Associations]\ntext/plain=mousepad.desktop;\n"
                                        "[Removed Associations]\ntext/plain=xed.desktop;\n");
    EXPECT_EQ(Fallback(), (LaunchRequest{mousepad, {kFile}}));
}

TEST_F(FakeDesktop, FirstCommonEditorOnThePathWithoutAnyAssociation) {
    EXPECT_EQ(Fallback(), std::nullopt);
    const std::string kwrite = Program("bin/kwrite");
    EXPECT_EQ(Fallback(), (LaunchRequest{kwrite, {kFile}}));
    const std::string gedit = Program("bin2/gedit"); // earlier in the list of editors
    EXPECT_EQ(Fallback(), (LaunchRequest{gedit, {kFile}}));
    m_dir.Write("bin/gnome-text-editor", "not executable");
    EXPECT_EQ(Fallback(), (LaunchRequest{gedit, {kFile}}));
}

TEST_F(FakeDesktop, EditorSettingWinsWhenItNamesAFile) {
    const std::string gedit = Program("bin/gedit");
    const std::string configured = m_dir.Write("tools/my editor", "");
    EXPECT_EQ(extapps::EditorLaunch(configured, kFile, m_environment),
              (LaunchRequest{configured, {kFile}}));
    for (const std::string& editApp :
         {std::string(), m_dir.File("tools/deleted"), m_dir.File("tools")}) {
        EXPECT_EQ(extapps::EditorLaunch(editApp, kFile, m_environment),
                  (LaunchRequest{gedit, {kFile}}))
            << editApp;
    }
}

TEST_F(FakeDesktop, EditCommandNeedsOneRowAndAnEditor) {
    app::MainState state;
    state.CurrentDir = "/nc";
    state.SelectedName = "kept";
    EXPECT_TRUE(std::holds_alternative<extapps::SelectionRefused>(
        extapps::EditSelectedFile(state, {"a", "b"}, m_environment)));
    EXPECT_EQ(state.SelectedName, "kept");
    EXPECT_TRUE(std::holds_alternative<extapps::NoEditorFound>(
        extapps::EditSelectedFile(state, {"O1000.NC"}, m_environment)));
    EXPECT_EQ(state.SelectedName, "O1000.NC");
    const std::string gedit = Program("bin/gedit");
    EXPECT_EQ(
        std::get<LaunchRequest>(extapps::EditSelectedFile(state, {"O1000.NC"}, m_environment)),
        (LaunchRequest{gedit, {kFile}}));
}

} // namespace
