// Case changes of names: only half-width letters change, and never a byte
// that belongs to a double-byte character.

#include "rename_rules.h"

#include <gtest/gtest.h>

namespace {

using fileops::CapitalizedName;
using fileops::GroupRenamedName;
using fileops::GroupRenameKind;
using fileops::LowerCaseName;
using fileops::NameInMode;
using fileops::RenameMode;
using fileops::UpperCaseName;

struct CaseRow {
    const char* name;
    const char* upper;
    const char* lower;
    const char* capitalized;
};

// "\x83\x41" is ア in CP932: its second byte is the letter A, "\x82\x60" is
// the full-width Ａ, "\xb1" the half-width ｱ. None of them may change.
const CaseRow kCaseRows[] = {
    {"PROG.NC", "PROG.NC", "prog.nc", "Prog.nc"},
    {"o1234.NC", "O1234.NC", "o1234.nc", "O1234.nc"},
    {"mIxEd_Name-1.tAp", "MIXED_NAME-1.TAP", "mixed_name-1.tap", "Mixed_name-1.tap"},
    {"", "", "", ""},
    {"1abc", "1ABC", "1abc", "1abc"},
    {"\x83\x41"
     "bc.nc",
     "\x83\x41"
     "BC.NC",
     "\x83\x41"
     "bc.nc",
     "\x83\x41"
     "bc.nc"},
    {"a\x83\x61z", "A\x83\x61Z", "a\x83\x61z", "A\x83\x61z"},
    {"\x82\x60x.NC", "\x82\x60X.NC", "\x82\x60x.nc", "\x82\x60x.nc"},
    {"\xb1q", "\xb1Q", "\xb1q", "\xb1q"},
    {"部品a.nc", "部品A.NC", "部品a.nc", "部品a.nc"},
    {"ａbc", "ａBC", "ａbc", "ａbc"},
    {"新規ﾌｫﾙﾀﾞx", "新規ﾌｫﾙﾀﾞX", "新規ﾌｫﾙﾀﾞx", "新規ﾌｫﾙﾀﾞx"},
};

class CaseChange : public testing::TestWithParam<CaseRow> {};

TEST_P(CaseChange, ChangesOnlyHalfWidthLetters) {
    const CaseRow& row = GetParam();
    EXPECT_EQ(UpperCaseName(row.name), row.upper);
    EXPECT_EQ(LowerCaseName(row.name), row.lower);
    EXPECT_EQ(CapitalizedName(row.name), row.capitalized);
}

INSTANTIATE_TEST_SUITE_P(Names, CaseChange, testing::ValuesIn(kCaseRows));

TEST(CaseChange, DialogModesAndGroupKinds) {
    EXPECT_EQ(NameInMode(RenameMode::Rename, "Prog.NC"), "Prog.NC");
    EXPECT_EQ(NameInMode(RenameMode::Upper, "Prog.nc"), "PROG.NC");
    EXPECT_EQ(NameInMode(RenameMode::Lower, "Prog.NC"), "prog.nc");
    EXPECT_EQ(NameInMode(RenameMode::Capitalize, "pROG.NC"), "Prog.nc");
    // Typing P, then ROG.NC: the text stays capitalised at every keystroke.
    std::string typed;
    for (const char c : std::string("PROG.NC"))
        typed = NameInMode(RenameMode::Capitalize, typed + c);
    EXPECT_EQ(typed, "Prog.nc");

    EXPECT_EQ(GroupRenamedName(GroupRenameKind::Upper, "a.nc"), "A.NC");
    EXPECT_EQ(GroupRenamedName(GroupRenameKind::Lower, "A.NC"), "a.nc");
    EXPECT_EQ(GroupRenamedName(GroupRenameKind::Capitalize, "A.NC"), "A.nc");
    EXPECT_EQ(GroupRenamedName(GroupRenameKind::Rename, "A.NC"), std::nullopt);
    EXPECT_EQ(GroupRenamedName(GroupRenameKind::EachInTurn, "A.NC"), std::nullopt);
}

} // namespace
