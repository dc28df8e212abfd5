#pragma once

#include "line_converters.h"
#include "nc_reader.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nc {

// Reports the bytes of the source done so far and the source's size.
using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// The output name of a conversion: the suffix goes before the extension (the
// part from the last "."), or at the end of a name without one.
std::string NameWithSuffix(const std::string& name, const std::string& suffix);

// The name of a variable list file for a source name: "変数" + name.
std::string VariableListName(const std::string& sourceName);

// Converts every line of the source into the output file. The output replaces
// an existing file only when the pass succeeds; it is never the source itself.
void RunLinePass(const std::string& source, const std::string& output, LineConverter& converter,
                 const FormQuestion& ask, const Progress& progress = {});

struct SplitOptions {
    bool percentFirst = false; // a "%" line before each program
    bool percentLast = false;  // a "%" line at the end of each file
    bool numbered = false;     // "_001", "_002", ... in the file names
    bool skipEmpty = false;    // empty lines are not copied
    // Creates a missing destination (with its missing parents) just before
    // the first file, so that a split that finds no program creates nothing.
    bool createDestination = false;
    // Called with each program start line, in order, as the split finds it.
    std::function<void(std::string_view line)> onProgramLine{};
};

struct SplitResult {
    std::vector<std::string> programLines; // the program start lines, in order
    std::vector<std::string> writtenFiles; // the output paths, in order
};

// True for a line that starts a program: non-empty, first byte ":", "O" or "L".
bool IsProgramStartLine(std::string_view line);

// Writes each program of the source into a file of its own in the destination
// folder, which must exist unless `createDestination` is set. The source's
// name gives the extension of the outputs.
SplitResult SplitPrograms(const std::string& source, const std::string& destination,
                          const SplitOptions& options, const FormQuestion& ask,
                          const Progress& progress = {});

// Writes the texts of the sources one after another into the output. Every
// source is opened before anything is written; the output must not be one of them.
// `ask` is called with the source whose text is empty. Progress counts files.
using FileFormQuestion = std::function<bool(const std::string& source)>;
void JoinFiles(const std::vector<std::string>& sources, const std::string& output,
               const FileFormQuestion& ask, const Progress& progress = {});

// The macro variables of a program, each kind sorted by byte order.
struct VariableList {
    std::vector<std::string> local;  // #1 .. #99
    std::vector<std::string> common; // #100 .. #999
    std::vector<std::string> system; // #1000 .. #9999
    std::vector<std::string> other;  // "#[数式]" and five or more digits
};

VariableList ScanVariables(const std::string& source, const FormQuestion& ask,
                           const Progress& progress = {});

// The saved form of a list: four count lines, each followed by its entries,
// every line ended by CR LF, in UTF-8.
std::string VariableListText(const VariableList& list);

// Saves the list text in CP932 (the encoding of the program's own text files).
void SaveVariableList(const VariableList& list, const std::string& path);

} // namespace nc
