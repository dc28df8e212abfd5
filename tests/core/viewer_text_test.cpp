// How the viewer reads a file's bytes as text: the encoding decided from the
// first bytes, rows decoded without ever failing, character boundaries.

#include "text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using viewer::TextEncoding;

struct DetectCase {
    const char* name;
    std::string head;
    bool whole;
    TextEncoding encoding;
    std::uint64_t begin;
};

class Detection : public testing::TestWithParam<DetectCase> {};

TEST_P(Detection, ChoosesTheEncoding) {
    const DetectCase& test = GetParam();
    const viewer::TextForm form = viewer::DetectTextForm(test.head, test.whole);
    EXPECT_EQ(form.encoding, test.encoding);
    EXPECT_EQ(form.begin, test.begin);
}

const std::string kTestUtf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88"; // テスト
const std::string kTestCp932 = "\x83\x65\x83\x58\x83\x67";            // テスト

INSTANTIATE_TEST_SUITE_P(
    Viewer, Detection,
    testing::Values(DetectCase{"Empty", "", true, TextEncoding::Utf8, 0},
                    DetectCase{"Ascii", "O1000\r\nG01X1.\r\n", true, TextEncoding::Utf8, 0},
                    DetectCase{"Utf8", "(" + kTestUtf8 + ")\n", true, TextEncoding::Utf8, 0},
                    DetectCase{"Cp932", "(" + kTestCp932 + ")\n", true, TextEncoding::Cp932, 0},
                    DetectCase{"HalfWidthKana", "(\xC3\xBD\xC4)", true, TextEncoding::Cp932, 0},
                    DetectCase{"Bom", "\xEF\xBB\xBFG01", true, TextEncoding::Utf8, 3},
                    DetectCase{"BomBeforeInvalidBytes", "\xEF\xBB\xBF\x83\x65", true,
                               TextEncoding::Utf8, 3},
                    DetectCase{"Utf8CutAtTheEndOfAPart", "a" + kTestUtf8.substr(0, 7), false,
                               TextEncoding::Utf8, 0},
                    DetectCase{"Utf8CutAtTheEndOfTheText", "a" + kTestUtf8.substr(0, 7), true,
                               TextEncoding::Cp932, 0},
                    DetectCase{"BytesAfterTheNulDoNotCount", std::string("G01\0\x83\x65", 6), false,
                               TextEncoding::Utf8, 0},
                    DetectCase{"OverlongIsNotUtf8", "\xC0\xAF", true, TextEncoding::Cp932, 0}),
    [](const auto& test) { return test.param.name; });

struct DecodeCase {
    const char* name;
    TextEncoding encoding;
    std::string bytes;
    std::string utf8;
};

class Decoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decoding, ReplacesWhatIsNotText) {
    const DecodeCase& test = GetParam();
    viewer::RowDecoder decoder(test.encoding);
    EXPECT_EQ(decoder.ToUtf8(test.bytes), test.utf8);
    EXPECT_EQ(decoder.ToUtf8(test.bytes), test.utf8) << "the decoder keeps no state";
}

const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Viewer, Decoding,
    testing::Values(DecodeCase{"Cp932", TextEncoding::Cp932, "G01(" + kTestCp932 + ")",
                               "G01(" + kTestUtf8 + ")"},
                    DecodeCase{"Cp932HalfWidthKana", TextEncoding::Cp932, "\xC3\xBD\xC4",
                               "\xEF\xBE\x83\xEF\xBD\xBD\xEF\xBE\x84"},
                    DecodeCase{"Cp932InvalidByte", TextEncoding::Cp932,
                               "a\xFF"
                               "b",
                               "a" + kReplacement + "b"},
                    DecodeCase{"Cp932CutCharacter", TextEncoding::Cp932, "a\x83",
                               "a" + kReplacement},
                    DecodeCase{"Utf8", TextEncoding::Utf8, kTestUtf8, kTestUtf8},
                    DecodeCase{"Utf8InvalidBytes", TextEncoding::Utf8, "a\xC3(\xFF",
                               "a" + kReplacement + "(" + kReplacement},
                    DecodeCase{"Utf8Surrogate", TextEncoding::Utf8, "\xED\xA0\x80",
                               kReplacement + kReplacement + kReplacement},
                    DecodeCase{"Empty", TextEncoding::Cp932, "", ""}),
    [](const auto& test) { return test.param.name; });

TEST(ViewerCharacters, CutFallsOnACharacterBoundary) {
    // UTF-8: あ is three bytes; a limit inside it moves the whole character on.
    const std::string utf8 = "ab\xE3\x81\x82"
                             "c";
    EXPECT_EQ(viewer::CharacterCut(utf8, 3, TextEncoding::Utf8), 2u);
    EXPECT_EQ(viewer::CharacterCut(utf8, 4, TextEncoding::Utf8), 2u);
    EXPECT_EQ(viewer::CharacterCut(utf8, 5, TextEncoding::Utf8), 5u);
    EXPECT_EQ(viewer::CharacterCut(utf8, 10, TextEncoding::Utf8), utf8.size());
    // CP932: the second byte of ア is 'A', the second of ＞ (81 83) a lead byte.
    const std::string cp932 = "a\x81\x83\x83\x41";
    EXPECT_EQ(viewer::CharacterCut(cp932, 2, TextEncoding::Cp932), 1u);
    EXPECT_EQ(viewer::CharacterCut(cp932, 3, TextEncoding::Cp932), 3u);
    EXPECT_EQ(viewer::CharacterCut(cp932, 4, TextEncoding::Cp932), 3u);
    EXPECT_EQ(viewer::CharacterCut("\x83\x41", 1, TextEncoding::Cp932), 1u) << "never empty";
}

TEST(ViewerCharacters, Cp932SecondBytesStartNoCharacter) {
    const struct {
        std::string before;
        bool starts;
    } cases[] = {
        {"", true},
        {"G01", true},
        {"\x83", false},          // after the lead byte of ア
        {"\x83\x41", true},       // after ア
        {"\x81\x83", true},       // after ＞, whose second byte is in the lead range
        {"a\x81\x83\x83", false}, // after ＞ and a lead byte
        {"\xC3", true},           // after a half-width kana
    };
    for (const auto& test : cases) {
        EXPECT_EQ(viewer::StartsCharacter(test.before, TextEncoding::Cp932), test.starts)
            << testing::PrintToString(test.before);
    }
    EXPECT_TRUE(viewer::StartsCharacter("\x83", TextEncoding::Utf8));
}

} // namespace
