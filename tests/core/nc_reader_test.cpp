#include "nc_reader.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using testsupport::TempDir;

struct ReadResult {
    std::vector<std::string> lines;
    bool endsWithBreak = false;
    int questions = 0;
};

ReadResult ReadAll(const std::string& path, bool answer) {
    ReadResult result;
    nc::NcReader reader(path, [&] {
        ++result.questions;
        return answer;
    });
    std::string_view line;
    while (reader.Next(line))
        result.lines.emplace_back(line);
    result.endsWithBreak = reader.EndsWithBreak();
    return result;
}

struct TextCase {
    std::string bytes;
    std::vector<std::string> lines;
    bool endsWithBreak;
};

class LineBufferTest : public testing::TestWithParam<TextCase> {};

TEST_P(LineBufferTest, SplitsAsTheLineBuffer) {
    TempDir dir;
    const auto& c = GetParam();
    const ReadResult result = ReadAll(dir.Write("F.NC", c.bytes), true);
    EXPECT_EQ(result.lines, c.lines);
    EXPECT_EQ(result.endsWithBreak, c.endsWithBreak);
    EXPECT_EQ(result.questions, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, LineBufferTest,
                         testing::Values(TextCase{"A\r\nB\r\n", {"A", "B"}, true},
                                         TextCase{"A\r\nB", {"A", "B"}, false},
                                         TextCase{"A\rB\nC", {"A", "B", "C"}, false},
                                         TextCase{"A\n\nB\n", {"A", "", "B"}, true},
                                         TextCase{"\r\n", {""}, true},
                                         TextCase{"A\r\r\nB", {"A", "", "B"}, false},
                                         TextCase{std::string("A\0B\r\nC", 6), {"A"}, false},
                                         TextCase{std::string("A\r\n\0B", 5), {"A"}, true}));

TEST(LineBuffer, BreaksAcrossReadBoundaries) {
    // A CR LF split by the 256 KiB read boundary is still one break, and a line
    // longer than the buffer arrives whole.
    TempDir dir;
    const std::size_t chunk = std::size_t{1} << 18;
    std::string text(chunk - 1, 'a');
    text += "\r\nB\r\n";
    text += std::string(3 * chunk, 'c');
    const ReadResult result = ReadAll(dir.Write("BIG.NC", text), false);
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[0].size(), chunk - 1);
    EXPECT_EQ(result.lines[1], "B");
    EXPECT_EQ(result.lines[2].size(), 3 * chunk);
    EXPECT_FALSE(result.endsWithBreak);
}

TEST(FileFormCheck, EmptyFileAsksAndReadsNothingEitherWay) {
    TempDir dir;
    const std::string path = dir.Write("EMPTY.NC", "");
    for (bool answer : {true, false}) {
        const ReadResult result = ReadAll(path, answer);
        EXPECT_EQ(result.questions, 1);
        EXPECT_TRUE(result.lines.empty());
        EXPECT_FALSE(result.endsWithBreak);
    }
}

TEST(FileFormCheck, LeadingNulAnsweredYesReadsPiecesCutAtNul) {
    TempDir dir;
    const std::string path = dir.Write("NUL.NC", std::string("\0X\r\nY\0Z\r\n\r\nW", 13));
    const ReadResult yes = ReadAll(path, true);
    EXPECT_EQ(yes.questions, 1);
    EXPECT_EQ(yes.lines, (std::vector<std::string>{"Y", "W"}));
    EXPECT_TRUE(yes.endsWithBreak);
    const ReadResult no = ReadAll(path, false);
    EXPECT_TRUE(no.lines.empty());
}

TEST(FileFormCheck, LongLinesArriveIn499BytePieces) {
    TempDir dir;
    const std::string path =
        dir.Write("LONG.NC", std::string("\0\r\n", 3) + std::string(1200, 'a'));
    const ReadResult result = ReadAll(path, true);
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[0].size(), 499u);
    EXPECT_EQ(result.lines[1].size(), 499u);
    EXPECT_EQ(result.lines[2].size(), 202u);
}

TEST(FileFormCheck, NulInTheMiddleDoesNotAsk) {
    TempDir dir;
    const ReadResult result = ReadAll(dir.Write("MID.NC", std::string("AB\0CD", 5)), false);
    EXPECT_EQ(result.questions, 0);
    EXPECT_EQ(result.lines, std::vector<std::string>{"AB"});
}

TEST(NcReader, MissingFileOrFolderCannotBeOpened) {
    TempDir dir;
    EXPECT_THROW(nc::NcReader(dir.File("NONE.NC"), {}), std::runtime_error);
    EXPECT_THROW(nc::NcReader(dir.path(), {}), std::runtime_error);
}

} // namespace
