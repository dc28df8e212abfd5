#include "nc_commands.h"

#include "nc_error.h"
#include "nc_value.h"
#include "nc_writer.h"
#include "paths.h"

#include <memory>
#include <optional>

namespace nc {
namespace {

// The file name of a program: its start line up to the first "(", with a
// leading ":" written as "O".
std::string ProgramName(std::string_view line) {
    std::string name(line.substr(0, line.find('(')));
    if (name[0] == ':') name[0] = 'O';
    return name;
}

// The first program start line, read ahead so that the lines before it can be
// written straight into the first file instead of being held in memory.
std::optional<std::string> FindFirstProgramLine(const std::string& source,
                                                const FormQuestion& ask) {
    NcReader reader(source, ask);
    std::string_view line;
    while (reader.Next(line)) {
        if (IsProgramStartLine(line)) return std::string(line);
    }
    return std::nullopt;
}

// Creates the destination with its missing parents.
void CreateDestination(const std::string& destination) {
    platform::ForceFolderPath(destination);
    if (!platform::FolderExists(destination)) throw NcError(CannotCreateMessage(destination));
}

class ProgramFiles final {
  public:
    ProgramFiles(const std::string& source, const std::string& destination,
                 const SplitOptions& options)
        : m_source(source), m_destination(destination), m_options(options),
          m_extension(platform::ExtensionOf(platform::SplitPath(source).second)) {}

    // Ends the current file and creates the file of the next program.
    void OpenFileFor(std::string_view startLine) {
        FinishFile();
        ++m_count;
        std::string name = ProgramName(startLine);
        if (m_options.numbered) AppendNcValue(name, NcPattern{0, true}, m_count);
        const std::string path = platform::JoinPath(m_destination, name + m_extension);
        if (platform::SameFile(path, m_source)) throw NcError(CannotCreateMessage(path));
        m_writer = std::make_unique<NcWriter>(path);
    }

    // The start line of the program is next; lines before the first program
    // were written ahead of it.
    void BeginProgram() {
        if (m_options.percentFirst) m_writer->WriteTerminatedLine("%");
    }

    // Whether the line is copied as it stands: no program start, no "%" line
    // and not an empty line that is skipped.
    bool CopiedAsItStands(std::string_view line) const {
        if (line.empty()) return !m_options.skipEmpty;
        return line[0] != '%' && !IsProgramStartLine(line);
    }

    void CopyLine(std::string_view line) {
        if (!line.empty() && line[0] == '%') return;
        if (m_options.skipEmpty && line.empty()) return;
        m_writer->WriteTerminatedLine(line);
    }

    // Lines copied as they stand, each already ended by CR LF.
    void CopyLinesWithCrLf(std::string_view lines) {
        m_writer->buffer().Append(lines);
        m_writer->FlushIfFull();
    }

    void FinishFile() {
        if (!m_writer) return;
        if (m_options.percentLast) m_writer->WriteTerminatedLine("%");
        m_writer->Commit();
        m_written.push_back(m_writer->path());
        m_writer.reset();
    }

    std::vector<std::string> TakeWritten() { return std::move(m_written); }

  private:
    const std::string& m_source;
    const std::string& m_destination;
    const SplitOptions& m_options;
    std::string m_extension;
    long double m_count = 0;
    std::unique_ptr<NcWriter> m_writer;
    std::vector<std::string> m_written;
};

} // namespace

bool IsProgramStartLine(std::string_view line) {
    return !line.empty() && (line[0] == ':' || line[0] == 'O' || line[0] == 'L');
}

SplitResult SplitPrograms(const std::string& source, const std::string& destination,
                          const SplitOptions& options, const FormQuestion& ask,
                          const Progress& progress) {
    // The file-form question is asked once for both readings of the source.
    std::optional<bool> answer;
    const FormQuestion askOnce = [&] {
        if (!answer) answer = ask ? ask() : false;
        return *answer;
    };
    const auto firstProgram = FindFirstProgramLine(source, askOnce);
    if (!firstProgram) throw NcError(kNoProgramNumberMessage);

    SplitResult result;
    const auto found = [&](std::string_view line) {
        result.programLines.emplace_back(line);
        if (options.onProgramLine) options.onProgramLine(line);
    };
    // The first program is reported before its file is created, as are the
    // others below.
    found(*firstProgram);
    // Only now that there is a file to write: a split that finds no program
    // leaves no folder behind.
    if (options.createDestination) CreateDestination(destination);
    ProgramFiles files(source, destination, options);
    files.OpenFileFor(*firstProgram);
    NcReader reader(source, askOnce);
    bool firstSeen = false;
    std::string_view block;
    while (reader.NextBlock(block)) {
        // Runs of ordinary lines ended by CR LF are copied in one piece.
        const char* runStart = block.data();
        TextLines lines(block);
        std::string_view line;
        while (lines.Next(line)) {
            const bool endsWithCrLf = lines.position() - (line.data() + line.size()) == 2;
            if (endsWithCrLf && files.CopiedAsItStands(line)) continue;
            files.CopyLinesWithCrLf(std::string_view(runStart, line.data() - runStart));
            runStart = lines.position();
            if (IsProgramStartLine(line)) {
                if (firstSeen) {
                    found(line);
                    files.OpenFileFor(line);
                }
                firstSeen = true;
                files.BeginProgram();
            }
            files.CopyLine(line);
        }
        files.CopyLinesWithCrLf(std::string_view(runStart, block.data() + block.size() - runStart));
        if (progress) progress(reader.bytesDone(), reader.fileSize());
    }
    files.FinishFile();
    result.writtenFiles = files.TakeWritten();
    if (progress) progress(reader.fileSize(), reader.fileSize());
    return result;
}

} // namespace nc
