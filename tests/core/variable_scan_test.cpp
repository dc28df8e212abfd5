// The variable list, found "#" by "#" over whole blocks and over parts of a
// large file side by side, must list what the walk of each line from its end
// finds.

#include "nc_commands.h"
#include "nc_reader.h"
#include "temp_dir.h"
#include "text_lines.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <vector>

namespace {

using testsupport::TempDir;

// Every line of the text (cut at its first NUL) walked from its end: digits
// gather, a "#" names "#" and the gathered digits; "O" and ":" lines skipped.
std::set<std::string> WalkedVariables(std::string text) {
    text = text.substr(0, text.find('\0'));
    std::set<std::string> found;
    nc::TextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (nc::IsProgramNumberLine(line)) continue;
        std::string digits;
        for (std::size_t i = line.size(); i-- > 0;) {
            if (line[i] >= '0' && line[i] <= '9') {
                digits.insert(digits.begin(), line[i]);
                continue;
            }
            if (line[i] == '#') found.insert(digits.empty() ? "#[数式]" : "#" + digits);
            digits.clear();
        }
    }
    return found;
}

std::set<std::string> Listed(const nc::VariableList& list) {
    std::set<std::string> all;
    for (const auto* kind : {&list.local, &list.common, &list.system, &list.other})
        all.insert(kind->begin(), kind->end());
    return all;
}

// Macro-heavy lines with every kind of terminator and program number lines,
// so that part boundaries fall anywhere, also inside a CR LF.
std::string MacroText(std::uint64_t seed, std::size_t bytes) {
    std::mt19937_64 random(seed);
    const auto pick = [&](int count) { return static_cast<int>(random() % count); };
    const char* pieces[] = {"#", "#1", "#12", "#103", "#1004", "#10005", "#01", "=", "[", "]",
                            "+", "X",  "O",   ":",    " ",     "(",      ")",   "5", "##"};
    const char* breaks[] = {"\r\n", "\r\n", "\n", "\r"};
    std::string text;
    while (text.size() < bytes) {
        if (pick(8) == 0) text += pick(2) == 0 ? "O" : ":";
        const int count = pick(9);
        for (int i = 0; i < count; ++i)
            text += pieces[pick(19)];
        text += breaks[pick(4)];
    }
    return text;
}

TEST(VariableScan, ListsWhatTheWalkOfEachLineFinds) {
    TempDir dir;
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        const std::string text = MacroText(seed, 400);
        const auto list = nc::ScanVariables(dir.Write("SMALL.NC", text), {});
        ASSERT_EQ(Listed(list), WalkedVariables(text)) << "seed " << seed << ":\n" << text;
    }
}

TEST(VariableScan, LargeFilesScannedInPartsListTheSame) {
    TempDir dir;
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        // Variables that occur once, near wherever a part may begin or end.
        std::string text = MacroText(seed, std::size_t{9} << 20);
        for (std::size_t at = 1; at < 16; ++at)
            text.insert(text.size() * at / 16, "\r\n#9" + std::to_string(seed * 100 + at) + "\r\n");
        const auto list = nc::ScanVariables(dir.Write("LARGE.NC", text), {});
        EXPECT_EQ(Listed(list), WalkedVariables(text)) << "seed " << seed;
    }
}

TEST(VariableScan, NulInALaterPartEndsTheText) {
    TempDir dir;
    std::string text = MacroText(9, std::size_t{9} << 20);
    text.insert(text.size() * 3 / 4, "#77777\r\n" + std::string(1, '\0') + "#88888\r\n");
    const auto listed = Listed(nc::ScanVariables(dir.Write("NUL.NC", text), {}));
    EXPECT_EQ(listed, WalkedVariables(text));
    EXPECT_EQ(listed.count("#77777"), 1u);
    EXPECT_EQ(listed.count("#88888"), 0u);
}

std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    nc::TextLines walk(text);
    std::string_view line;
    while (walk.Next(line))
        lines.emplace_back(line);
    return lines;
}

TEST(RangeReader, EveryLineOnceWhereverTheRangesMeet) {
    TempDir dir;
    const std::string text = "AB\r\nC\rD\n\r\nEFG\r\n";
    const std::string path = dir.Write("R.NC", text);
    for (std::uint64_t split = 0; split <= text.size(); ++split) {
        std::vector<std::string> lines;
        for (const auto& [begin, end] :
             {std::pair<std::uint64_t, std::uint64_t>{0, split}, {split, text.size()}}) {
            nc::NcReader reader(path, begin, end);
            std::string_view block;
            while (reader.NextBlock(block)) {
                for (auto& line : LinesOf(block))
                    lines.push_back(std::move(line));
            }
        }
        EXPECT_EQ(lines, LinesOf(text)) << "ranges meet at " << split;
    }
}

} // namespace
