// tornwel-nc: the NC conversions without a window.

#include "cli_options.h"
#include "encoding.h"
#include "file_batch.h"
#include "nc_commands.h"
#include "nc_error.h"
#include "output_target.h"
#include "paths.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <thread>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char* const kHelp = R"(
Converts NC part programs as the Tornwel file manager does.

commands:
  double   doubles the value of one axis address (the first on each line)
           --axis L   one of X Y Z I J K U V W, either case
           default output: FILE with "_2" before its extension
  insert   writes integer address values as decimals in a unit
  remove   writes decimal address values as integer counts of a unit
           --unit U      0.1 0.01 0.001 0.0001 0.00001 0.000001 (default 0.001)
           --keep LETTERS address letters left unchanged (default ONGMSDHTP)
           default output: "_S" (insert) or "_N" (remove) before the extension
  split    writes each program (O, : or L line) into DIR, named after it
           --dest DIR        created when missing, once a program is found
           --percent-first   a "%" line before each program
           --percent-last    a "%" line at the end of each file
           --number          "_001", "_002", ... after each name
           --skip-empty      empty lines are not copied
  join     writes the files one after another into OUT (never one of them)
  vars     lists the macro variables (#numbers), written in CP932
           default output: "変数" followed by FILE's name, beside it

several files:
  double, insert, remove and vars take several files
  (tornwel-nc insert --unit 0.01 *.NC): each is converted beside itself
  under its default output name, several at a time on the processor cores.
  A file that fails is reported with its name and line and the others still
  convert. -o names the output of one file only.

common options:
  -o OUT   the output file; "-" writes to standard output. An existing
           output is replaced only when the conversion succeeds.
  --yes    read a file whose text is empty (an empty file or one starting
           with a NUL byte) line by line; without it such a file reads as
           empty and a warning is printed

exit status: 0 success, 1 a conversion failed (nothing written for that file),
2 usage error
)";

std::string DefaultOutput(const std::string& file, const std::string& name) {
    if (file.find('/') == std::string::npos) return name;
    return platform::JoinPath(platform::SplitPath(file).first, name);
}

std::string FileName(const std::string& file) {
    return platform::SplitPath(file).second;
}

nc::FormQuestion Question(const cli::Options& options, const std::string& file) {
    return [&options, file] {
        if (!options.yes) {
            cli::WriteError("tornwel-nc: warning: " + file + ": " + nc::kFileFormQuestion +
                            "\n(answered No: read as empty; --yes reads it line by line)\n");
        }
        return options.yes;
    };
}

void RunConversion(const cli::Options& options, const std::string& file) {
    std::unique_ptr<nc::LineConverter> converter;
    std::string suffix;
    switch (options.command) {
    case cli::Command::Double:
        converter = std::make_unique<nc::AxisDoubling>(options.axis);
        suffix = "_2";
        break;
    case cli::Command::Insert:
        converter =
            std::make_unique<nc::DecimalInsertion>(options.keepLetters, options.unitDecimals);
        suffix = "_S";
        break;
    default:
        converter = std::make_unique<nc::DecimalRemoval>(options.keepLetters, options.unitDecimals);
        suffix = "_N";
        break;
    }
    const std::string output = options.output.empty()
                                   ? DefaultOutput(file, nc::NameWithSuffix(FileName(file), suffix))
                                   : options.output;
    const cli::OutputTarget target(output);
    nc::RunLinePass(file, target.path(), *converter, Question(options, file));
    target.Deliver();
}

void RunSplit(const cli::Options& options, const std::string& file) {
    const std::string destination = platform::WithoutTrailingSeparator(options.destination);
    nc::SplitOptions split{options.percentFirst, options.percentLast, options.numbered,
                           options.skipEmpty};
    split.createDestination = true;
    nc::SplitPrograms(file, destination, split, Question(options, file));
}

void RunJoin(const cli::Options& options) {
    const cli::OutputTarget target(options.output);
    nc::JoinFiles(options.files, target.path(),
                  [&options](const std::string& file) { return Question(options, file)(); });
    target.Deliver();
}

void RunVars(const cli::Options& options, const std::string& file) {
    const auto list = nc::ScanVariables(file, Question(options, file));
    if (options.output == "-") {
        const std::string text = platform::ToSettingsEncoding(nc::VariableListText(list));
        std::fwrite(text.data(), 1, text.size(), stdout);
        return;
    }
    const std::string output = options.output.empty()
                                   ? DefaultOutput(file, nc::VariableListName(FileName(file)))
                                   : options.output;
    if (platform::SameFile(file, output)) throw nc::NcError(nc::CannotCreateMessage(output));
    nc::SaveVariableList(list, output);
}

// The conversion of one file, for every command but join.
cli::FileTask TaskOf(const cli::Options& options) {
    switch (options.command) {
    case cli::Command::Split:
        return [&options](const std::string& file) { RunSplit(options, file); };
    case cli::Command::Vars:
        return [&options](const std::string& file) { RunVars(options, file); };
    default:
        return [&options](const std::string& file) { RunConversion(options, file); };
    }
}

// "tornwel-nc: FILE: line N: message (reason)"; without FILE for join.
std::string FailureText(const std::string& file, const std::exception& failure) {
    std::string text = "tornwel-nc: ";
    if (!file.empty()) text += file + ": ";
    const auto* error = dynamic_cast<const nc::NcError*>(&failure);
    if (error && error->line() > 0) text += "line " + std::to_string(error->line()) + ": ";
    text += failure.what();
    if (error && !error->reason().empty()) text += " (" + error->reason() + ")";
    return text + "\n";
}

int Run(const cli::Options& options) {
    if (options.command == cli::Command::Join) {
        try {
            RunJoin(options);
        } catch (const std::exception& failure) {
            cli::WriteError(FailureText({}, failure));
            return kExitFailure;
        }
        return EXIT_SUCCESS;
    }
    // Files side by side, one per core: a batch of small files, where one
    // file's pass cannot keep the cores busy, is done sooner.
    const std::size_t failed =
        cli::RunOnEachFile(options.files, std::thread::hardware_concurrency(), TaskOf(options),
                           [](const std::string& file, const std::exception& failure) {
                               cli::WriteError(FailureText(file, failure));
                           });
    return failed == 0 ? EXIT_SUCCESS : kExitFailure;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = cli::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "tornwel-nc: " << error << "\n" << cli::kUsage;
        return kExitUsage;
    }
    if (options->command == cli::Command::Help) {
        std::cout << cli::kUsage << kHelp;
        return EXIT_SUCCESS;
    }
    return Run(*options);
}
