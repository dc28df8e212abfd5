// The viewer's search through the bytes of a file: repeated finds, match
// case, CP932 characters, the NUL that ends the text and the seams between
// the chunks read.

#include "byte_search.h"
#include "file_source.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include <string>
#include <vector>

namespace {

using testsupport::TempDir;
using viewer::FileSource;
using viewer::SearchRequest;
using viewer::TextEncoding;
using Offsets = std::vector<std::uint64_t>;

class ViewerSearch : public testing::Test {
  protected:
    void Write(std::string_view bytes) { m_file.emplace(m_dir.Write("text", bytes)); }

    std::optional<std::uint64_t> Find(SearchRequest request) const {
        return viewer::FindForward(*m_file, request);
    }
    // Every match from `from` on, each search starting after the last match,
    // as repeated finds in the viewer do.
    Offsets Walk(SearchRequest request) const {
        Offsets found;
        while (const auto at = Find(request)) {
            found.push_back(*at);
            request.from = *at + request.needle.size();
        }
        return found;
    }

    TempDir m_dir;
    std::optional<FileSource> m_file;
};

TEST_F(ViewerSearch, RepeatedFindsWalkThroughTheMatches) {
    Write("G01X1\nG01Y2\ng01Z3\nG01");
    EXPECT_EQ(Walk({"G01", 0, true}), (Offsets{0, 6, 18}));
    EXPECT_EQ(Walk({"G01", 0, false}), (Offsets{0, 6, 12, 18}));
    EXPECT_EQ(Walk({"g01", 0, true}), (Offsets{12}));
    EXPECT_EQ(Walk({"G01", 7, true}), (Offsets{18})) << "matches before the start are not found";
    EXPECT_EQ(Find({"G01", 21, true}), std::nullopt) << "no wrap to the start";
    EXPECT_EQ(Find({"Y2\ng", 0, false}), 9u);
    EXPECT_EQ(Find({"G02", 0, false}), std::nullopt);
    EXPECT_EQ(Find({"", 0, false}), std::nullopt);
}

TEST_F(ViewerSearch, MatchCaseLeavesNonLettersAlone) {
    Write("#100=[#1+2]*x\nX");
    EXPECT_EQ(Walk({"*X", 0, false}), (Offsets{11}));
    EXPECT_EQ(Walk({"[#1+2]", 0, true}), (Offsets{5}));
    EXPECT_EQ(Walk({"x", 0, false}), (Offsets{12, 14}));
}

TEST_F(ViewerSearch, TextAfterTheNulIsNotSearched) {
    Write(std::string("G01\0G02\nG01", 11));
    EXPECT_EQ(Walk({"G01", 0, true}), (Offsets{0}));
    EXPECT_EQ(Find({"G02", 0, true}), std::nullopt);
    EXPECT_EQ(Find({std::string("1\0G", 3), 0, true}), std::nullopt);
}

TEST_F(ViewerSearch, CaseFoldingTouchesOnlyAsciiLetters) {
    // Every byte but NUL, twice, the second time one byte further on, so that
    // each byte also sits at another place in a word.
    std::string bytes;
    for (int value = 1; value < 256; ++value)
        bytes += static_cast<char>(value);
    bytes = bytes + "." + bytes;
    Write(bytes);
    const auto where = [&](char byte) {
        Offsets found;
        for (std::size_t at = bytes.find(byte); at != std::string::npos;
             at = bytes.find(byte, at + 1))
            found.push_back(at);
        return found;
    };
    for (int value = 1; value < 256; ++value) {
        const auto byte = static_cast<char>(value);
        Offsets expected = where(byte);
        if (std::isalpha(value) && value < 0x80) {
            const Offsets other = where(static_cast<char>(value ^ 0x20));
            expected.insert(expected.end(), other.begin(), other.end());
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(Walk({std::string(1, byte), 0, false}), expected) << value;
    }
}

TEST_F(ViewerSearch, Cp932MatchesStartAtCharacters) {
    // ア is 83 41 ('A' second), ＞ is 81 83, ツ is 83 63 ('c' second).
    Write("\x83\x41"
          "A\x81\x83\x41\x83\x63"
          "C");
    const auto cp932 = [](std::string needle, bool matchCase) {
        return SearchRequest{std::move(needle), 0, matchCase, TextEncoding::Cp932};
    };
    EXPECT_EQ(Walk(cp932("A", true)), (Offsets{2, 5}));
    EXPECT_EQ(Walk(cp932("a", false)), (Offsets{2, 5}));
    EXPECT_EQ(Walk(cp932("\x83\x41", true)), (Offsets{0})) << "not inside ＞ A";
    EXPECT_EQ(Walk(cp932("c", false)), (Offsets{8})) << "not the second byte of ツ";
    EXPECT_EQ(Walk(cp932("\x83\x43", false)), Offsets{}) << "ツ's second byte keeps its case";
    // The same bytes read as UTF-8 are single bytes, matched anywhere.
    EXPECT_EQ(Walk({"A", 0, true, TextEncoding::Utf8}), (Offsets{1, 2, 5}));
}

TEST_F(ViewerSearch, Utf8TextMatchesWithAsciiCaseFolding) {
    const std::string text = "\xEF\xBC\xA7"
                             "01 (\xE5\x8A\xA0\xE5\xB7\xA5) g01 G01"; // Ｇ01 (加工) g01 G01
    Write(text);
    EXPECT_EQ(Walk({"(\xE5\x8A\xA0\xE5\xB7\xA5)", 0, true}), (Offsets{6}));
    EXPECT_EQ(Walk({"G01", 0, false}), (Offsets{15, 19}));
    EXPECT_EQ(Walk({"G01", 0, true}), (Offsets{19}));
}

TEST_F(ViewerSearch, MatchesAcrossChunkSeamsAreFound) {
    const std::string needle = "O9999(END)";
    constexpr std::size_t kChunk = 1024;
    for (std::size_t at = kChunk - 300; at < 2 * kChunk + 20; ++at) {
        std::string bytes(3 * kChunk, '.');
        bytes.replace(at, needle.size(), needle);
        Write(bytes);
        for (const bool matchCase : {true, false}) {
            EXPECT_EQ(Walk({needle, 0, matchCase, TextEncoding::Cp932, kChunk}), (Offsets{at}))
                << at;
        }
        ASSERT_FALSE(HasFailure());
    }
}

TEST_F(ViewerSearch, FindsNearTheEndOfAFileOfMegabytes) {
    std::string bytes;
    while (bytes.size() < 9 * 1024 * 1024)
        bytes += "N10 G01X-12.345Y67.89F1000.\r\n";
    const std::size_t seam = SearchRequest{}.chunkBytes; // the first chunk's edge
    bytes.replace(seam - 4, 9, "O1234(A)\n");
    bytes.replace(bytes.size() - 100, 9, "O1234(a)\n");
    Write(bytes);
    EXPECT_EQ(Walk({"o1234(A)", 0, false}), (Offsets{seam - 4, bytes.size() - 100}));
    EXPECT_EQ(Walk({"O1234(A)", 0, true}), (Offsets{seam - 4}));
    EXPECT_EQ(Find({"O1234(a)", seam, true}), bytes.size() - 100);
}

} // namespace
