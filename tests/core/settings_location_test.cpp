// Where the program keeps its settings: beside a portable copy, per user for
// an installed one.

#include "settings_location.h"
#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using testsupport::Exists;
using testsupport::TempDir;

class SettingsLocation : public testing::Test {
  protected:
    void SetUp() override { ::setenv("XDG_CONFIG_HOME", m_config.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }

    TempDir m_dir;
    TempDir m_config;
};

TEST_F(SettingsLocation, APortableCopyKeepsThemBesideItself) {
    const std::string exe = m_dir.Write("tools/tornwel", "");
    EXPECT_EQ(platform::SettingsFolder(exe), m_dir.File("tools"));
    EXPECT_EQ(platform::SettingsFilePath(exe), m_dir.File("tools/tornwel.INI"));
    EXPECT_EQ(platform::SettingsFilePath(m_dir.Write("tools/Tornwel.exe", "")),
              m_dir.File("tools/Tornwel.INI"));
    // A folder named bin alone does not make an installation.
    EXPECT_EQ(platform::SettingsFolder(m_dir.Write("bin/tornwel", "")), m_dir.File("bin"));
    EXPECT_FALSE(Exists(m_config.File("tornwel")));
}

TEST_F(SettingsLocation, AnInstalledCopyKeepsThemPerUser) {
    const std::string exe = m_dir.Write("usr/bin/tornwel", "");
    m_dir.Write("usr/share/applications/tornwel.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(platform::SettingsFilePath(exe), m_config.File("tornwel/tornwel.INI"));
    EXPECT_TRUE(std::filesystem::is_directory(m_config.File("tornwel")));
}

} // namespace
