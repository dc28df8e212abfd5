// The split copies runs of ordinary lines in one piece; the files must hold
// what the line-by-line description of the split writes.

#include "nc_commands.h"
#include "temp_dir.h"
#include "text_lines.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

// Every line in turn, pending lines written when the next program starts.
std::map<std::string, std::string> SplitByLines(const std::string& text,
                                                const nc::SplitOptions& options) {
    std::map<std::string, std::string> files;
    std::string pending;
    std::string current;
    int count = 0;
    const auto add = [&](std::string_view line) { pending.append(line).append("\r\n"); };
    nc::TextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (nc::IsProgramStartLine(line)) {
            if (count > 0) {
                if (options.percentLast) add("%");
                files[current] += pending;
                pending.clear();
            }
            std::string name(line.substr(0, line.find('(')));
            if (name[0] == ':') name[0] = 'O';
            char serial[16];
            std::snprintf(serial, sizeof serial, "_%03d", ++count);
            current = name + (options.numbered ? serial : "") + ".NC";
            files[current].clear();
            if (options.percentFirst) add("%");
        }
        if (!line.empty() && line[0] == '%') continue;
        if (options.skipEmpty && line.empty()) continue;
        add(line);
    }
    if (options.percentLast) add("%");
    files[current] += pending;
    return files;
}

std::string ProgramsText(std::uint64_t seed) {
    std::mt19937_64 random(seed);
    const char* lines[] = {"O100(PART A)", ":200",   "L5",          "O100", "%", "",
                           "G01X1.",       "(NOTE)", "N10 X2. Y3.", "#1=5"};
    const char* breaks[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    std::string text = "O1\r\n";
    const int count = 5 + static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) {
        text += lines[random() % 10];
        text += breaks[random() % 5];
    }
    return text;
}

TEST(SplitBlocks, FilesHoldWhatTheLineByLineSplitWrites) {
    for (std::uint64_t seed = 1; seed <= 64; ++seed) {
        TempDir dir;
        const std::string text = ProgramsText(seed);
        const nc::SplitOptions options{(seed & 1) != 0, (seed & 2) != 0, (seed & 4) != 0,
                                       (seed & 8) != 0};
        const std::string out = dir.File("OUT");
        std::filesystem::create_directory(out);
        nc::SplitPrograms(dir.Write("PROGS.NC", text), out, options, {});
        std::map<std::string, std::string> written;
        for (const auto& entry : std::filesystem::directory_iterator(out))
            written[entry.path().filename().string()] = ReadFile(entry.path().string());
        EXPECT_EQ(written, SplitByLines(text, options)) << "seed " << seed << ":\n" << text;
    }
}

} // namespace
