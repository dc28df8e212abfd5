// The rows of the viewer's text: line breaks, the NUL that ends the text,
// long lines cut into rows, and finding rows in files of several megabytes.

#include "file_source.h"
#include "line_index.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using testsupport::TempDir;
using viewer::FileSource;
using viewer::LineIndex;
using viewer::TextEncoding;
using viewer::TextForm;

// A file and its complete index.
class IndexedFile {
  public:
    explicit IndexedFile(std::string_view bytes, TextForm form = {})
        : m_file(m_dir.Write("text", bytes)), m_index(m_file, form) {
        m_index.WaitUntilComplete();
    }

    const LineIndex& index() const { return m_index; }

    std::string Bytes(const viewer::Row& row) const {
        std::string bytes(row.end - row.start, '\0');
        m_file.ReadAt(row.start, bytes);
        return bytes;
    }
    std::vector<std::string> RowTexts() const {
        std::vector<std::string> texts;
        for (const auto& row : m_index.Rows(0, m_index.knownRows() + 1))
            texts.push_back(Bytes(row));
        return texts;
    }

  private:
    TempDir m_dir;
    FileSource m_file;
    LineIndex m_index;
};

using Texts = std::vector<std::string>;

struct BreakCase {
    const char* name;
    std::string bytes;
    Texts rows;
    std::uint64_t textEnd;
};

class LineBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaks, SplitTheTextIntoRows) {
    const BreakCase& test = GetParam();
    const IndexedFile file(test.bytes);
    EXPECT_EQ(file.RowTexts(), test.rows);
    EXPECT_EQ(file.index().knownRows(), test.rows.size());
    EXPECT_EQ(file.index().textEnd(), test.textEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Viewer, LineBreaks,
    testing::Values(BreakCase{"AllThreeBreaks", "a\r\nb\rc\nd", {"a", "b", "c", "d"}, 8},
                    BreakCase{"FinalBreakStartsNoRow", "a\r\n", {"a"}, 3},
                    BreakCase{"Empty", "", {}, 0},
                    BreakCase{"EmptyLines", "\n\r\n\r", {"", "", ""}, 4},
                    BreakCase{"CrBeforeCrLf", "a\r\r\nb", {"a", "", "b"}, 5},
                    BreakCase{"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}, 4},
                    BreakCase{"NulEndsTheText", std::string("x\r\ny\0z\nw", 8), {"x", "y"}, 4},
                    BreakCase{"NulAfterABreak", std::string("x\n\0y", 4), {"x"}, 2},
                    BreakCase{"NulFirst", std::string("\0abc", 4), {}, 0}),
    [](const auto& test) { return test.param.name; });

TEST(ViewerRows, ByteOrderMarkIsNotShown) {
    const IndexedFile file("\xEF\xBB\xBFG01\nX1", {TextEncoding::Utf8, 3});
    EXPECT_EQ(file.RowTexts(), (Texts{"G01", "X1"}));
}

// Lines of 100 bytes, then a CR LF whose CR is the last byte before `edge`.
std::string CrLfAcross(std::size_t edge) {
    std::string bytes;
    while (bytes.size() + 100 < edge - 1)
        bytes += std::string(99, 'a') + "\n";
    bytes += std::string(edge - 1 - bytes.size(), 'b') + "\r\nc\r\n";
    return bytes;
}

TEST(ViewerRows, CrLfAcrossABufferEdgeIsOneBreak) {
    // The first edges of the lookup buffer (64 KiB) and of the indexing one
    // (256 KiB).
    for (const std::size_t edge : {std::size_t{64 * 1024}, std::size_t{256 * 1024}}) {
        const std::string bytes = CrLfAcross(edge);
        const IndexedFile file(bytes);
        const Texts rows = file.RowTexts();
        ASSERT_EQ(rows.size(), file.index().knownRows()) << edge;
        EXPECT_EQ(rows.back(), "c") << edge;
        EXPECT_EQ(rows[rows.size() - 2], std::string(rows[rows.size() - 2].size(), 'b')) << edge;
        EXPECT_EQ(file.index().RowOf(edge), rows.size() - 2) << edge; // the LF
    }
}

// Joins the rows and checks that each one is a whole number of characters.
std::string JoinCheckingRows(const IndexedFile& file, const std::string& character) {
    std::string joined;
    for (const std::string& row : file.RowTexts()) {
        EXPECT_LE(row.size(), viewer::kMaxRowBytes);
        EXPECT_EQ(row.size() % character.size(), 0u) << "a character was cut";
        joined += row;
    }
    return joined;
}

TEST(ViewerRows, LongLinesAreCutAtCharacterBoundaries) {
    const struct {
        TextEncoding encoding;
        std::string character;
    } cases[] = {{TextEncoding::Utf8, "\xE3\x81\x82"}, // あ
                 {TextEncoding::Cp932, "\x82\xA0"},    // あ
                 {TextEncoding::Utf8, "x"}};
    for (const auto& test : cases) {
        std::string line;
        for (int i = 0; i < 20000; ++i)
            line += test.character;
        const IndexedFile file(line + "\n" + test.character, {test.encoding, 0});
        EXPECT_EQ(JoinCheckingRows(file, test.character), line + test.character);
        EXPECT_EQ(file.index().knownRows(),
                  (line.size() + viewer::kMaxRowBytes - 1) / viewer::kMaxRowBytes + 1);
    }
}

TEST(ViewerRows, LineOfTheRowLengthMakesOneRow) {
    const std::string line(viewer::kMaxRowBytes, 'x');
    const IndexedFile file(line + "\r\nend");
    EXPECT_EQ(file.RowTexts(), (Texts{line, "end"}));
}

// Numbered lines of 9 bytes: row k is "L" and k in seven digits.
std::string NumberedLines(int count) {
    std::string bytes;
    char line[16];
    for (int k = 0; k < count; ++k) {
        std::snprintf(line, sizeof line, "L%07d\n", k);
        bytes += line;
    }
    return bytes;
}

TEST(ViewerRows, RowsOfAFileOfMegabytes) {
    constexpr int kLines = 400000; // 3.6 MB
    const IndexedFile file(NumberedLines(kLines));
    ASSERT_EQ(file.index().knownRows(), std::uint64_t{kLines});
    for (const int k : {0, 1, 255, 256, 257, 123456, kLines - 1}) {
        const auto rows = file.index().Rows(static_cast<std::uint64_t>(k), 2);
        ASSERT_FALSE(rows.empty()) << k;
        char expected[16];
        std::snprintf(expected, sizeof expected, "L%07d", k);
        EXPECT_EQ(file.Bytes(rows[0]), expected);
        EXPECT_EQ(rows[0].start, 9u * static_cast<unsigned>(k));
        EXPECT_EQ(rows.size(), k == kLines - 1 ? 1u : 2u);
        EXPECT_EQ(file.index().RowOf(9u * static_cast<unsigned>(k) + 4), std::uint64_t(k));
        EXPECT_EQ(file.index().RowOf(9u * static_cast<unsigned>(k) + 8), std::uint64_t(k)); // LF
    }
    EXPECT_TRUE(file.index().Rows(kLines, 1).empty());
    EXPECT_EQ(file.index().RowOf(9u * kLines + 100), std::uint64_t{kLines - 1});
}

TEST(ViewerRows, RowsCanBeReadBeforeIndexingEnds) {
    constexpr int kLines = 1000000; // 9 MB
    TempDir dir;
    const FileSource file(dir.Write("text", NumberedLines(kLines)));
    const LineIndex index(file, {});
    // Asked at once, while the thread has hardly begun.
    const auto rows = index.Rows(kLines / 2, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].start, 9u * (kLines / 2));
    index.WaitUntilComplete();
    EXPECT_EQ(index.knownRows(), std::uint64_t{kLines});
    EXPECT_EQ(index.textEnd(), 9u * kLines);
}

TEST(ViewerFile, RefusesWhatIsNotARegularFile) {
    TempDir dir;
    for (const std::string& path : {dir.path(), dir.File("missing"), std::string("/dev/null")}) {
        EXPECT_THROW(FileSource{path}, std::system_error) << path;
    }
}

TEST(ViewerFile, AFileCutShortEndsEarlier) {
    TempDir dir;
    const std::string path = dir.Write("text", NumberedLines(100));
    const FileSource file(path);
    dir.Write("text", "L1\n"); // replaced in place, shorter
    const LineIndex index(file, {});
    index.WaitUntilComplete();
    EXPECT_EQ(index.knownRows(), 1u);
    std::string bytes(50, '\0');
    EXPECT_EQ(file.ReadAt(40, bytes), 0u);
}

} // namespace
