#include "nc_error.h"
#include "nc_value.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* pattern;
    long double value;
    const char* expected;
};

class FormatNcValueTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNcValueTest, WritesThroughPattern) {
    const auto& c = GetParam();
    const auto pattern = nc::PatternFromText(c.pattern);
    ASSERT_TRUE(pattern);
    EXPECT_EQ(nc::FormatNcValue(*pattern, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatNcValueTest,
    testing::Values(FormatCase{"#0.000", 0.01L, "0.010"}, FormatCase{"#0", 1234.5L, "1235"},
                    FormatCase{"#0", -1234.5L, "-1235"}, FormatCase{"_000", 7, "_007"},
                    FormatCase{"_000", 12, "_012"}, FormatCase{"_000", 1000, "_1000"},
                    FormatCase{"#0", 2.5L, "3"}, FormatCase{"#0", -2.5L, "-3"},
                    FormatCase{"#0.0", 20, "20.0"}, FormatCase{"#0.00", 2.5L, "2.50"},
                    FormatCase{"#0.000000", 0.000001L, "0.000001"},
                    // Rounds to zero: no minus sign.
                    FormatCase{"#0", -0.4L, "0"}, FormatCase{"#0.000", -0.0004L, "0.000"},
                    FormatCase{"#0.0", -0.0L, "0.0"},
                    // The 18-digit step first: 0.1 x 3 in binary is just under 0.3.
                    FormatCase{"#0", 0.1L * 3 * 5, "2"},
                    // Large values keep every digit before the point.
                    FormatCase{"#0", 1e20L, "100000000000000000000"},
                    FormatCase{"#0.00", 123456789.125L, "123456789.13"}));

TEST(FormatNcValue, HalvesGoAwayFromZeroAfterEighteenDigits) {
    // 1.0005 is not exact in binary; at 18 digits it is 1.00050000000000000.
    EXPECT_EQ(nc::FormatNcValue(nc::DecimalsPattern(3), 1.0005L), "1.001");
    EXPECT_EQ(nc::FormatNcValue(nc::DecimalsPattern(3), -1.0005L), "-1.001");
}

struct ReadCase {
    const char* text;
    bool valid;
    long double value;
};

class ReadNcValueTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNcValueTest, ReadsTheNumberRule) {
    const auto& c = GetParam();
    const auto value = nc::TryReadNcValue(c.text);
    ASSERT_EQ(value.has_value(), c.valid) << c.text;
    if (c.valid) {
        EXPECT_EQ(*value, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadNcValueTest,
                         testing::Values(ReadCase{" 10.5 ", true, 10.5L}, ReadCase{"10.", true, 10},
                                         ReadCase{".", true, 0}, ReadCase{"-.5", true, -0.5L},
                                         ReadCase{"+7", true, 7}, ReadCase{"1E3", true, 1000},
                                         ReadCase{"2.5e-1", true, 0.25L}, ReadCase{"1-2", false, 0},
                                         ReadCase{"-", false, 0}, ReadCase{"", false, 0},
                                         ReadCase{" ", false, 0}, ReadCase{"1.2.3", false, 0},
                                         ReadCase{"- 1", false, 0}, ReadCase{"1e", false, 0},
                                         ReadCase{"1 2", false, 0}, ReadCase{"1e99999", false, 0},
                                         ReadCase{"0x10", false, 0}));

TEST(ReadNcValue, InvalidTextRaisesTheInvalidNumberMessage) {
    try {
        nc::ReadNcValue("1-2");
        FAIL() << "no error";
    } catch (const nc::NcError& error) {
        EXPECT_STREQ(error.what(), "'1-2' は浮動小数点数ではありません");
    }
}

TEST(ReadNcValue, IgnoresTheUserLocale) {
    // A decimal comma locale must not change how "." reads.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
    EXPECT_EQ(nc::ReadNcValue("1.5"), 1.5L);
    EXPECT_EQ(nc::FormatNcValue(nc::DecimalsPattern(1), 1.5L), "1.5");
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace
