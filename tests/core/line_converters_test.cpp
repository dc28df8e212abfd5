#include "line_converters.h"
#include "nc_error.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct LineCase {
    const char* input;
    const char* expected; // nullptr: the invalid-number error
};

std::string Convert(nc::LineConverter& converter, const std::string& line) {
    std::string out;
    converter.ConvertLine(line, out);
    return out;
}

void ExpectCases(nc::LineConverter& converter, const std::vector<LineCase>& cases) {
    for (const auto& c : cases) {
        if (c.expected) {
            EXPECT_EQ(Convert(converter, c.input), c.expected) << "input: " << c.input;
        } else {
            EXPECT_THROW(Convert(converter, c.input), nc::NcError) << "input: " << c.input;
        }
    }
}

TEST(AxisDoubling, RewritesTheFirstValueOfTheAxis) {
    nc::AxisDoubling doubling('X');
    ExpectCases(doubling, {
                              {"X10", "X20"},
                              {"X10 Y5.", "X20 Y5."},
                              {"X10.", "X20.0"},
                              {"X10.5", "X21.0"},
                              {"X1.25", "X2.50"},
                              {"X-2.5", "X-5.0"},
                              {"X.5", "X1.0"},
                              {"X10.5  Z1.", "X21.0  Z1."},
                              {"X 10.5", "X21.0"},
                              {"X10 X20", "X20 X20"},
                              {"(MAX) X10.", "(MAX) X10."},
                              {"x10", "x10"},
                              {"X-", "X-"},
                              {"G01", "G01"},
                              {"X", "X"},
                              {"X1.23456", "X2.46912"},
                              // Six or more digits after the point are kept as written.
                              {"X1.2345678", "X2.4691356"},
                              {"X-0.0", "X0.0"},
                              {"X99999.99999", "X199999.99998"},
                              {"X1E3", "X2E3"},
                              {"X Y10", nullptr},
                              {"X1-2", nullptr},
                              {"X1.2.3", nullptr},
                              {"X- 1", nullptr},
                          });
}

TEST(AxisDoubling, ScansBytesNotCharacters) {
    // "ｘ" is not the letter, but a double-byte character whose second byte is
    // 0x58 ("X") in CP932 counts as the letter.
    nc::AxisDoubling doubling('X');
    EXPECT_EQ(Convert(doubling, "\x83X10"), "\x83X20");
}

TEST(DecimalInsertion, RewritesIntegerAddressValues) {
    nc::DecimalInsertion insertion("ONGMSDHTP", 3);
    ExpectCases(insertion, {
                               {"G01X1000Y-250F100", "G01X1.000Y-0.250F0.100"},
                               {"X10.5", "X10.5"},
                               {"X10.", "X10."},
                               {"O1234", "O1234"},
                               {":1234", ":1234"},
                               {"N10", "N10"},
                               {"#101=100", "#101=100"},
                               {"X#101", "X#101"},
                               {"(X100)", "(X0.100)"},
                               {"X 100", "X 100"},
                               {"x100", "x100"},
                               {"100", "100"},
                               {"X-", "X-"},
                               {"X0", "X0.000"},
                               {"X-0", "X0.000"},
                               {"X12345678901234567", "X12345678901234.567"},
                               {"X1-2", nullptr},
                               {"X5-", nullptr},
                           });
}

TEST(DecimalInsertion, UnitsAndUnchangedLetters) {
    nc::DecimalInsertion micro("ONGMSDHTP", 6);
    EXPECT_EQ(Convert(micro, "X1"), "X0.000001");
    nc::DecimalInsertion tenth("ONGMSDHTP", 1);
    EXPECT_EQ(Convert(tenth, "X15"), "X1.5");
    nc::DecimalInsertion onlyX("X", 3);
    EXPECT_EQ(Convert(onlyX, "X1000"), "X1000");
    EXPECT_EQ(Convert(onlyX, "N10"), "N0.010");
}

TEST(DecimalInsertion, ReportsTheRightmostBadValueFirst) {
    nc::DecimalInsertion insertion("ONGMSDHTP", 3);
    try {
        Convert(insertion, "X1-2Y3-4");
        FAIL() << "no error";
    } catch (const nc::NcError& error) {
        EXPECT_STREQ(error.what(), "'3-4' は浮動小数点数ではありません");
    }
}

TEST(DecimalRemoval, RewritesDecimalAddressValues) {
    nc::DecimalRemoval removal("ONGMSDHTP", 3);
    ExpectCases(removal, {
                             {"G01X1.5Y-0.25F0.1", "G01X1500Y-250F100"},
                             {"X10.", "X10000"},
                             {"X.5", "X500"},
                             {"X1.23456", "X1235"},
                             {"X1000", "X1000"},
                             {"G01", "G01"},
                             {"N10", "N10"},
                             {"X1.5(Y2.5)", "X1500(Y2.5)"},
                             {"#1=[#2*1.5]", "#1=[#2*1.5]"},
                             {"O1000(X1.5)", "O1000(X1.5)"},
                             {"x1.5", "x1.5"},
                             {"X 1.5", "X 1.5"},
                             {"X-.5", "X-500"},
                             {"X-0.0001", "X0"},
                             {"X1.2.3", nullptr},
                             {"X1-2.5", nullptr},
                         });
}

TEST(DecimalRemoval, HalvesGoAwayFromZero) {
    nc::DecimalRemoval removal("ONGMSDHTP", 2);
    EXPECT_EQ(Convert(removal, "X0.125"), "X13");
    EXPECT_EQ(Convert(removal, "X-0.125"), "X-13");
}

TEST(DecimalRemoval, CommentStateCarriesToTheNextLine) {
    nc::DecimalRemoval removal("ONGMSDHTP", 3);
    EXPECT_EQ(Convert(removal, "X1.5 ) Y2.5"), "X1.5 ) Y2500");
    // Walked inside the comment from its end until the opener.
    EXPECT_EQ(Convert(removal, "Z1.5 (A Y2.5"), "Z1500 (A Y2.5");
    EXPECT_EQ(Convert(removal, "Y2.5"), "Y2500");
}

TEST(DecimalRemoval, ProgramLinesDoNotChangeTheCommentState) {
    nc::DecimalRemoval removal("ONGMSDHTP", 3);
    EXPECT_EQ(Convert(removal, "X1.5 )"), "X1.5 )");
    EXPECT_EQ(Convert(removal, "O100(X"), "O100(X");
    // Still inside at the end of this line: Y1.5 stays, X1.5 is converted.
    EXPECT_EQ(Convert(removal, "X1.5(Y1.5"), "X1500(Y1.5");
}

} // namespace
