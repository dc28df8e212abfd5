// The filter pattern and the name search, on characters as the user sees them.

#include "file_mask.h"
#include "name_filter.h"

#include <gtest/gtest.h>

namespace {

using fileops::FilterPattern;
using fileops::FirstCaptionContaining;
using fileops::MatchesFilterPattern;

struct MatchRow {
    const char* pattern;
    const char* name;
    bool matches;
};

const MatchRow kMatchRows[] = {
    {"O1*", "O1000.NC", true},
    {"O1*", "o1000.nc", true},
    {"O1*", "O2000.NC", false},
    {"O1*", "O1", true},
    {"*12*", "A120.NC", true},
    {"*12*", "A1.2", false},
    {"*.NC", "PART.nc", true},
    {"*.NC", "PART.NC.BAK", false},
    {"PROG.NC", "PROG.NC", true},
    {"PROG.NC", "prog.nc", true},
    {"PROG.NC", "PROG.NC1", false},
    {"PROG.NC", "XPROG.NC", false},
    {"P?OG.NC", "PROG.NC", true},
    {"P?OG.NC", "POG.NC", false},
    {"*", "", true},
    {"*.*", "README", true},
    {"*.*", "A.NC", true},
    {"PROG.*", "PROG", true},
    {"PROG.*", "PROG.NC", true},
    {"PROG.*", "PROGX", false},
    {"A*B*C", "AxxBxxBxxC", true},
    {"A*B*C", "AxxBxxCxxD", false},
    {"[AB].NC", "[AB].NC", true}, // brackets are no set
    {"[AB].NC", "A.NC", false},
    {"a\\b", "A\\B", true},
    // "?" is one character, also a double-byte one in either encoding.
    {"?.NC", "部.NC", true},
    {"?.NC", "\x95\x94.NC", true},
    {"??.NC", "\x95\x94.NC", false},
    // A pattern typed as UTF-8 finds a name stored in CP932, and the second
    // byte of a CP932 character is never read as a letter.
    {"部品*", "\x95\x94\x95\x69.NC", true},
    {"*A*", "\x83\x61.NC", false},
    {"*a*", "\x83\x41.NC", false},
    // Full-width letters keep their case, as in the name search.
    {"ａ*", "Ａ.NC", false},
};

class FilterMatch : public testing::TestWithParam<MatchRow> {};

TEST_P(FilterMatch, MatchesWholeNamesIgnoringCase) {
    const MatchRow& row = GetParam();
    EXPECT_EQ(MatchesFilterPattern(row.pattern, row.name), row.matches)
        << row.pattern << " / " << row.name;
}

INSTANTIATE_TEST_SUITE_P(Patterns, FilterMatch, testing::ValuesIn(kMatchRows));

TEST(FilterMatch, FoldersPassThePatternOnlyFilesAlsoTheMask) {
    const FilterPattern pattern("O1*");
    const filelist::FileMask all("*.*");
    const filelist::FileMask nc("*.NC");
    struct Entry {
        const char* name;
        bool folder;
    };
    const Entry entries[] = {{"O1000.NC", false}, {"O2000.NC", false}, {"O1OLD", true},
                             {"O1.TXT", false},   {"O1X.NC", true},    {"ZZ", true}};
    std::string shownAll;
    std::string shownNc;
    for (const Entry& entry : entries) {
        if (pattern.Shows(all, entry.name, entry.folder)) shownAll += std::string(entry.name) + " ";
        if (pattern.Shows(nc, entry.name, entry.folder)) shownNc += std::string(entry.name) + " ";
    }
    EXPECT_EQ(shownAll, "O1000.NC O1OLD O1.TXT O1X.NC ");
    EXPECT_EQ(shownNc, "O1000.NC O1OLD O1X.NC ");
    // A file that matches the pattern but not the mask stays hidden.
    EXPECT_FALSE(FilterPattern("PROG.NC").Shows(filelist::FileMask("*.TXT"), "PROG.NC", false));
}

TEST(NameSearch, FindsTheFirstCaptionContainingTheText) {
    const std::vector<std::string> rows = {"..", "SYNC", "WORK", "PART.NC", "nc2.nc"};
    EXPECT_EQ(FirstCaptionContaining(rows, "nc"), 1u); // the folder SYNC comes first
    EXPECT_EQ(FirstCaptionContaining(rows, "."), 0u);  // ".." contains a dot
    EXPECT_EQ(FirstCaptionContaining(rows, "part"), 3u);
    EXPECT_EQ(FirstCaptionContaining(rows, "NC2"), 4u);
    EXPECT_EQ(FirstCaptionContaining(rows, "xyz"), std::nullopt);
    EXPECT_EQ(FirstCaptionContaining(rows, ""), std::nullopt);
}

TEST(NameSearch, ReadsNamesByCharacters) {
    // ア is 83 41 in CP932: searching "A" must not find its second byte.
    const std::vector<std::string> rows = {"\x83\x41.NC", "A.NC", "\x95\x94\x95\x69.NC"};
    EXPECT_EQ(FirstCaptionContaining(rows, "a"), 1u);
    EXPECT_EQ(FirstCaptionContaining(rows, "品"), 2u);
    EXPECT_EQ(FirstCaptionContaining(rows, "ア"), 0u);
}

} // namespace
