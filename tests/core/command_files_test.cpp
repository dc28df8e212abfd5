// The widget-free parts of the NC commands: the split's option file and the
// test for a file whose text is empty.

#include "file_form.h"
#include "split_options_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

struct OptionsCase {
    const char* file;
    bool first, last, numbered, skipEmpty;
};

class SplitOptionsRead : public testing::TestWithParam<OptionsCase> {};

TEST_P(SplitOptionsRead, NonZeroIntegersAreOn) {
    TempDir dir;
    const auto& [text, first, last, numbered, skipEmpty] = GetParam();
    const std::string path = dir.Write("Div_Sub.ini", text);
    const nc::SplitOptions options = ncui::LoadSplitOptions(path);
    EXPECT_EQ(options.percentFirst, first);
    EXPECT_EQ(options.percentLast, last);
    EXPECT_EQ(options.numbered, numbered);
    EXPECT_EQ(options.skipEmpty, skipEmpty);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SplitOptionsRead,
    testing::Values(OptionsCase{"", false, false, false, false},
                    OptionsCase{"[Sub]\r\nF_Set=1\r\nB_Set=0\r\nN_Set=1\r\nSP_Set=0\r\n", true,
                                false, true, false},
                    OptionsCase{"[sub]\r\nf_set=-3\r\nB_Set= 2 \r\nN_Set=yes\r\nSP_Set=1.5\r\n",
                                true, true, false, false},
                    OptionsCase{"[Other]\r\nF_Set=1\r\n[Sub]\r\nSP_Set=7\r\n", false, false, false,
                                true}));

TEST(SplitOptionsFile, MissingFileReadsAllOff) {
    TempDir dir;
    const nc::SplitOptions options = ncui::LoadSplitOptions(dir.File("Div_Sub.ini"));
    EXPECT_FALSE(options.percentFirst || options.percentLast || options.numbered ||
                 options.skipEmpty);
}

TEST(SplitOptionsFile, SavedAsOnesAndZerosKeepingOtherLines) {
    TempDir dir;
    const std::string path = dir.Write("Div_Sub.ini", "; note\r\n[Sub]\r\nF_Set=1\r\nExtra=x\r\n");
    ncui::SaveSplitOptions(path, {false, true, false, true});
    EXPECT_EQ(ReadFile(path),
              "; note\r\n[Sub]\r\nF_Set=0\r\nExtra=x\r\nB_Set=1\r\nN_Set=0\r\nSP_Set=1\r\n");
    const nc::SplitOptions options = ncui::LoadSplitOptions(path);
    EXPECT_TRUE(!options.percentFirst && options.percentLast && !options.numbered &&
                options.skipEmpty);
}

TEST(SplitOptionsFile, UnwritableFolderThrows) {
    TempDir dir;
    EXPECT_THROW(ncui::SaveSplitOptions(dir.File("missing/Div_Sub.ini"), {}), std::system_error);
}

TEST(TextIsEmpty, EmptyFilesAndLeadingNulAsk) {
    TempDir dir;
    EXPECT_EQ(ncui::TextIsEmpty(dir.Write("empty.nc", "")), std::optional(true));
    EXPECT_EQ(ncui::TextIsEmpty(dir.Write("nul.nc", std::string("\0X1\r\n", 5))),
              std::optional(true));
    EXPECT_EQ(ncui::TextIsEmpty(dir.Write("text.nc", std::string("X1\0\r\n", 5))),
              std::optional(false));
    EXPECT_EQ(ncui::TextIsEmpty(dir.File("missing.nc")), std::nullopt);
    EXPECT_EQ(ncui::TextIsEmpty(dir.path()), std::nullopt);
}

} // namespace
