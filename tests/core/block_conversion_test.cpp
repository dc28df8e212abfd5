// Whole blocks, converted left to right and on several threads, must give the
// bytes of the line-by-line walk with the general number rules.

#include "line_converters.h"
#include "nc_commands.h"
#include "nc_error.h"
#include "reference_conversion.h"
#include "temp_dir.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

using testsupport::ConvertAsBlock;
using testsupport::ConvertByLines;
using testsupport::TempDir;

// Lines as programs have them, with what makes the conversions go the slow way
// now and then: comments (also unbalanced ones), lower case, blanks, long
// numbers, program number lines, all three terminators and, unless told not
// to, values that cannot be read.
class ProgramText {
  public:
    ProgramText(std::uint64_t seed, bool badValues) : m_random(seed), m_badValues(badValues) {}

    std::string Lines(std::size_t bytes) {
        std::string text;
        while (text.size() < bytes) {
            text += Line();
            text += Pick({"\r\n", "\r\n", "\r\n", "\r\n", "\n", "\r"});
        }
        return text;
    }

  private:
    std::string Line() {
        std::string line = Chance(20) ? Pick({"O1000", ":20", "%", "", "(HEAD X1.5)"}) : "";
        const int words = Between(0, 7);
        for (int i = 0; i < words; ++i) {
            if (Chance(25)) line += Pick({"(", ")", "[", "]", " ", "#101=", "x", "="});
            line += "XYZFGNMSIJKOPDHTx"[Between(0, 16)];
            if (Chance(30)) line += ' ';
            line += Number();
        }
        return line;
    }

    std::string Number() {
        if (m_badValues && Chance(400)) return Pick({"1-2", "1.2.3", "5-", "-"});
        std::string number = Chance(4) ? "-" : "";
        number += Digits(Chance(30) ? Between(17, 22) : Between(0, 6));
        if (Chance(2)) number += "." + Digits(Between(0, 7));
        if (number.empty() || number == "-") number += "0";
        return number;
    }

    std::string Digits(int count) {
        std::string digits;
        for (int i = 0; i < count; ++i)
            digits += static_cast<char>('0' + Between(0, 9));
        return digits;
    }

    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    bool Chance(int oneIn) { return Between(1, oneIn) == 1; }
    std::string Pick(std::initializer_list<const char*> choices) {
        return *(choices.begin() + Between(0, static_cast<int>(choices.size()) - 1));
    }

    std::mt19937_64 m_random;
    bool m_badValues;
};

// Large texts are compared by the first place where they differ: a full diff
// of megabytes would take more memory than the machine has.
void ExpectSameText(const std::string& actual, const std::string& expected, const char* name) {
    if (actual == expected) return;
    const auto mismatch =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const auto at = static_cast<std::size_t>(mismatch.first - actual.begin());
    const std::size_t from = at < 80 ? 0 : at - 80;
    ADD_FAILURE() << name << ": differs at byte " << at << " of " << expected.size()
                  << "\nactual:   " << actual.substr(from, 160)
                  << "\nexpected: " << expected.substr(from, 160);
}

using MakeConverter = std::function<std::unique_ptr<nc::LineConverter>()>;

struct ConverterCase {
    const char* name;
    MakeConverter make;
};

std::vector<ConverterCase> Converters() {
    return {
        {"double X", [] { return std::make_unique<nc::AxisDoubling>('X'); }},
        {"double F", [] { return std::make_unique<nc::AxisDoubling>('F'); }},
        {"insert 0.001", [] { return std::make_unique<nc::DecimalInsertion>("ONGMSDHTP", 3); }},
        {"insert 0.1 X", [] { return std::make_unique<nc::DecimalInsertion>("X", 1); }},
        {"remove 0.001", [] { return std::make_unique<nc::DecimalRemoval>("ONGMSDHTP", 3); }},
        {"remove 0.000001 N(", [] { return std::make_unique<nc::DecimalRemoval>("N(", 6); }},
    };
}

TEST(BlockConversion, WritesTheBytesOfTheLineByLineWalk) {
    for (const auto& c : Converters()) {
        for (std::uint64_t seed = 1; seed <= 300; ++seed) {
            const std::string text = ProgramText(seed, true).Lines(600);
            const auto reference = c.make();
            const auto fast = c.make();
            ASSERT_EQ(ConvertAsBlock(*fast, text), ConvertByLines(*reference, text))
                << c.name << ", seed " << seed << ", text:\n"
                << text;
        }
    }
}

TEST(BlockConversion, CarriesTheCommentStateAcrossBlocks) {
    // "X1.5 )" leaves the walk inside a comment for the next line.
    nc::DecimalRemoval reference("ONGMSDHTP", 3);
    nc::DecimalRemoval fast("ONGMSDHTP", 3);
    const std::string first = "G01X1.5 )\r\n";
    const std::string second = "Y2.5\r\nZ1.5(\r\nX1.5\r\n";
    const std::string expected = ConvertByLines(reference, first + second);
    EXPECT_EQ(expected, "G01X1.5 )\r\nY2.5\r\nZ1500(\r\nX1500\r\n");
    std::string blocks = ConvertAsBlock(fast, first);
    blocks += ConvertAsBlock(fast, second);
    EXPECT_EQ(blocks, expected);
}

// Files of several read blocks go through the threaded pass.
class MultiBlockPass : public testing::Test {
  protected:
    std::string RunPass(nc::LineConverter& converter, const std::string& text) {
        const std::string source = m_dir.Write("BIG.NC", text);
        const std::string output = m_dir.File("OUT.NC");
        try {
            nc::RunLinePass(source, output, converter, {});
        } catch (const nc::NcError& error) {
            return testsupport::ErrorText(error);
        }
        std::ifstream in(output, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempDir m_dir;
};

TEST_F(MultiBlockPass, WritesTheBytesOfTheLineByLineWalk) {
    const std::string text = ProgramText(7, false).Lines(std::size_t{5} << 20);
    for (const auto& c : Converters()) {
        const auto reference = c.make();
        const auto converter = c.make();
        ExpectSameText(RunPass(*converter, text), ConvertByLines(*reference, text), c.name);
    }
}

TEST_F(MultiBlockPass, ReportsTheFirstBadValueWithItsLineNumber) {
    std::string text = ProgramText(8, false).Lines(std::size_t{3} << 20);
    // One bad value early in the third block and one later: the first one counts.
    text.insert(text.find('\n', std::size_t{2} << 20) + 1, "X1-2\r\n");
    text.insert(text.find('\n', (std::size_t{5} << 19)) + 1, "X3-4\r\n");
    nc::DecimalInsertion reference("ONGMSDHTP", 3);
    nc::DecimalInsertion converter("ONGMSDHTP", 3);
    const std::string expected = ConvertByLines(reference, text);
    ASSERT_NE(expected.find("'1-2'"), std::string::npos);
    ExpectSameText(RunPass(converter, text), expected, "insert");
}

} // namespace
