#include "encoding.h"
#include "ini_document.h"
#include "settings_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

TEST(SettingsFile, MissingFileGivesEveryDefault) {
    TempDir dir;
    app::MainState state;
    state.FileMask = "changed";
    app::LoadSettings(dir.File("tornwel.INI"), state);
    EXPECT_EQ(state.Bounds.Left, 10);
    EXPECT_EQ(state.Bounds.Top, 10);
    EXPECT_EQ(state.Bounds.Width, 560);
    EXPECT_EQ(state.Bounds.Height, 380);
    EXPECT_EQ(state.ColumnWidths, (std::array<int, 5>{180, 60, 140, 120, 40}));
    EXPECT_EQ(state.CurrentDir, app::DefaultStartFolder());
    EXPECT_EQ(state.FileMask, "*.*");
    EXPECT_EQ(state.SortKey, "N");
    EXPECT_EQ(state.SortDirection, "U");
    EXPECT_EQ(state.NoChgChar, "ONGMSDHTP");
    EXPECT_EQ(state.EditApp, "");
    for (const auto& slot : state.OutApps) {
        EXPECT_EQ(slot.CommandText, "");
        EXPECT_EQ(slot.ArgFlag, "N");
        EXPECT_EQ(slot.SettingName, "");
    }
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
    TempDir dir;
    app::MainState saved;
    saved.Bounds = {-120, 0, 800, 612};
    saved.ColumnWidths = {200, 1, 0, 99, 41};
    saved.CurrentDir = "/data/NC プログラム/☃ snow"; // the snowman is not in Shift-JIS
    saved.FileMask = "*.NC,*.TXT|*.DAT";
    saved.SortKey = "D";
    saved.SortDirection = "D";
    saved.NoChgChar = "XYZ";
    saved.EditApp = "/usr/bin/gedit";
    saved.OutApps[2] = {"/usr/bin/kate  ", "", "ｴﾃﾞｨﾀ"};
    saved.OutApps[25] = {"\"quoted\"", "Y", " lead"};
    app::SaveSettings(dir.File("t.INI"), saved);
    app::MainState loaded;
    app::LoadSettings(dir.File("t.INI"), loaded);
    EXPECT_EQ(loaded.Bounds.Left, -120);
    EXPECT_EQ(loaded.Bounds.Top, 0);
    EXPECT_EQ(loaded.Bounds.Width, 800);
    EXPECT_EQ(loaded.Bounds.Height, 612);
    EXPECT_EQ(loaded.ColumnWidths, saved.ColumnWidths);
    EXPECT_EQ(loaded.CurrentDir, saved.CurrentDir);
    EXPECT_EQ(loaded.FileMask, saved.FileMask);
    EXPECT_EQ(loaded.SortKey, "D");
    EXPECT_EQ(loaded.SortDirection, "D");
    EXPECT_EQ(loaded.NoChgChar, "XYZ");
    EXPECT_EQ(loaded.EditApp, saved.EditApp);
    for (int i = 0; i < app::kOutAppCount; ++i) {
        EXPECT_EQ(loaded.OutApps[i].CommandText, saved.OutApps[i].CommandText) << i;
        EXPECT_EQ(loaded.OutApps[i].ArgFlag, saved.OutApps[i].ArgFlag) << i;
        EXPECT_EQ(loaded.OutApps[i].SettingName, saved.OutApps[i].SettingName) << i;
    }
}

TEST(SettingsFile, WrittenInKeyOrderAndCp932WhenPossible) {
    TempDir dir;
    app::MainState state;
    state.CurrentDir = "/nc/ﾌﾟﾛｸﾞﾗﾑ";
    app::SaveSettings(dir.File("t.INI"), state);
    const std::string bytes = ReadFile(dir.File("t.INI"));
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF"));
    const std::string text = *platform::Cp932ToUtf8(bytes);
    EXPECT_TRUE(text.starts_with("[Main]\r\nTop=10\r\nLeft=10\r\nHeight=380\r\nWidth=560\r\n"
                                 "Name_w=180\r\nSize_w=60\r\nType_w=140\r\nModified_w=120\r\n"
                                 "Attributes_w=40\r\nDirPath=/nc/ﾌﾟﾛｸﾞﾗﾑ\r\nFileMask=*.*\r\n"
                                 "[Setting]\r\nFileSort=N\r\nSortMuki=U\r\nNoChgChar=ONGMSDHTP\r\n"
                                 "[Application]\r\nEditApp=\r\nOutAppA=\r\nOutAppA_F=N\r\n"
                                 "OutAppA_N=\r\nOutAppB=\r\n"))
        << text;
    EXPECT_TRUE(text.ends_with("OutAppZ=\r\nOutAppZ_F=N\r\nOutAppZ_N=\r\n"));
}

TEST(SettingsFile, OddValuesReadAsTheFileSays) {
    TempDir dir;
    const auto path = dir.Write("t.INI", "[main]\r\ntop=abc\r\nLeft = 25 \r\nWidth=\r\n"
                                         "[Application]\r\nOutAppC_F=\r\nOutAppD_F=Y\r\n");
    app::MainState state;
    app::LoadSettings(path, state);
    EXPECT_EQ(state.Bounds.Top, 10);  // not a number: the default
    EXPECT_EQ(state.Bounds.Left, 25); // names ignore case, blanks around values
    EXPECT_EQ(state.Bounds.Width, 560);
    EXPECT_EQ(state.OutApps[2].ArgFlag, ""); // present but empty: the empty text
    EXPECT_EQ(state.OutApps[3].ArgFlag, "Y");
    EXPECT_EQ(state.OutApps[4].ArgFlag, "N");
}

TEST(SettingsFile, KeepsWhatElseTheFileHolds) {
    TempDir dir;
    const auto path = dir.Write("t.INI", "; written by hand\r\n[Main]\r\nTop=5\r\nExtra=1\r\n"
                                         "[Mine]\r\nKey=Value\r\n");
    app::MainState state;
    app::LoadSettings(path, state);
    app::SaveSettings(path, state);
    const app::IniDocument document =
        app::IniDocument::Parse(*platform::Cp932ToUtf8(ReadFile(path)));
    EXPECT_EQ(document.Value("Main", "Extra"), "1");
    EXPECT_EQ(document.Value("Mine", "Key"), "Value");
    EXPECT_EQ(document.Value("Main", "Top"), "5");
    EXPECT_TRUE(ReadFile(path).starts_with("; written by hand\r\n"));
}

TEST(SettingsFile, UnwritableFolderThrowsAndKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    const auto path = dir.Write("ro/t.INI", "[Main]\r\nTop=5\r\n");
    ::chmod(dir.File("ro").c_str(), 0500);
    EXPECT_THROW(app::SaveSettings(path, app::MainState{}), std::system_error);
    EXPECT_EQ(ReadFile(path), "[Main]\r\nTop=5\r\n");
}

TEST(SettingsFile, FolderInTheWayThrows) {
    TempDir dir;
    dir.Write("t.INI/inside", "");
    EXPECT_THROW(app::SaveSettings(dir.File("t.INI"), app::MainState{}), std::system_error);
}

TEST(IniInteger, ReadsOnlyWholeNumbers) {
    EXPECT_EQ(app::ParseIniInteger("-12"), -12);
    EXPECT_EQ(app::ParseIniInteger(" 7 "), 7);
    EXPECT_EQ(app::ParseIniInteger("+3"), 3);
    EXPECT_FALSE(app::ParseIniInteger("abc"));
    EXPECT_FALSE(app::ParseIniInteger("1.5"));
    EXPECT_FALSE(app::ParseIniInteger(""));
    EXPECT_FALSE(app::ParseIniInteger("99999999999"));
}

} // namespace
