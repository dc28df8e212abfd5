// tornwel-nc: the NC conversions without a window.

#include "cli_options.h"
#include "encoding.h"
#include "nc_commands.h"
#include "nc_error.h"
#include "paths.h"
#include "removed_on_signal.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <unistd.h>

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

common options:
  -o OUT   the output file; "-" writes to standard output. An existing
           output is replaced only when the conversion succeeds.
  --yes    read a file whose text is empty (an empty file or one starting
           with a NUL byte) line by line; without it such a file reads as
           empty and a warning is printed

exit status: 0 success, 1 the conversion failed (nothing written), 2 usage error
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
            std::cerr << "tornwel-nc: warning: " << file << ": " << nc::kFileFormQuestion
                      << "\n(answered No: read as empty; --yes reads it line by line)\n";
        }
        return options.yes;
    };
}

// "-o -": the conversion writes a temporary file that is copied to standard
// output once it has succeeded, so a failure writes nothing there either. The
// file is removed on the way out, also when a signal ends the process.
class OutputTarget final {
  public:
    explicit OutputTarget(std::string path) : m_path(std::move(path)) {
        if (m_path != "-") return;
        const char* tmp = std::getenv("TMPDIR");
        const std::string folder = tmp && *tmp ? tmp : "/tmp";
        m_path = platform::JoinPath(folder, "tornwel-nc-XXXXXX");
        m_folderFd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        const int fd = m_folderFd < 0 ? -1 : mkstemp(m_path.data());
        if (fd < 0) {
            if (m_folderFd >= 0) ::close(m_folderFd);
            throw nc::NcError(nc::CannotCreateMessage(m_path));
        }
        ::close(fd);
        m_name = platform::SplitPath(m_path).second;
        m_removedOnSignal = std::make_unique<platform::RemovedOnSignal>(m_folderFd, m_name);
        m_removedOnSignal->Arm();
    }
    ~OutputTarget() {
        if (m_folderFd < 0) return;
        ::unlinkat(m_folderFd, m_name.c_str(), 0);
        m_removedOnSignal.reset();
        ::close(m_folderFd);
    }
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;
    const std::string& path() const { return m_path; }

    void Deliver() const {
        if (m_folderFd < 0) return;
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) throw nc::NcError(nc::CannotOpenMessage(m_path));
        char buffer[1 << 16];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
            std::fwrite(buffer, 1, static_cast<std::size_t>(got), stdout);
        }
        ::close(fd);
        std::fflush(stdout);
    }

  private:
    std::string m_path;
    std::string m_name;
    int m_folderFd = -1;
    std::unique_ptr<platform::RemovedOnSignal> m_removedOnSignal;
};

void RunConversion(const cli::Options& options) {
    const std::string& file = options.files[0];
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
    const OutputTarget target(output);
    nc::RunLinePass(file, target.path(), *converter, Question(options, file));
    target.Deliver();
}

void RunSplit(const cli::Options& options) {
    const std::string destination = platform::WithoutTrailingSeparator(options.destination);
    nc::SplitOptions split{options.percentFirst, options.percentLast, options.numbered,
                           options.skipEmpty};
    split.createDestination = true;
    nc::SplitPrograms(options.files[0], destination, split, Question(options, options.files[0]));
}

void RunJoin(const cli::Options& options) {
    const OutputTarget target(options.output);
    nc::JoinFiles(options.files, target.path(),
                  [&options](const std::string& file) { return Question(options, file)(); });
    target.Deliver();
}

void RunVars(const cli::Options& options) {
    const std::string& file = options.files[0];
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

void Run(const cli::Options& options) {
    switch (options.command) {
    case cli::Command::Split:
        RunSplit(options);
        break;
    case cli::Command::Join:
        RunJoin(options);
        break;
    case cli::Command::Vars:
        RunVars(options);
        break;
    default:
        RunConversion(options);
        break;
    }
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
    try {
        Run(*options);
    } catch (const nc::NcError& failure) {
        std::cerr << "tornwel-nc: ";
        if (failure.line() > 0) std::cerr << "line " << failure.line() << ": ";
        std::cerr << failure.what();
        if (!failure.reason().empty()) std::cerr << " (" << failure.reason() << ")";
        std::cerr << "\n";
        return kExitFailure;
    }
    return EXIT_SUCCESS;
}
