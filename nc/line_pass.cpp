#include "nc_commands.h"

#include "nc_error.h"
#include "nc_writer.h"
#include "paths.h"

namespace nc {
std::string NameWithSuffix(const std::string& name, const std::string& suffix) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

std::string VariableListName(const std::string& sourceName) {
    return "変数" + sourceName;
}

void RunLinePass(const std::string& source, const std::string& output, LineConverter& converter,
                 const FormQuestion& ask, const Progress& progress) {
    if (platform::SameFile(source, output)) throw NcError(CannotCreateMessage(output));
    NcReader reader(source, ask);
    NcWriter writer(output);
    std::string_view line;
    while (reader.Next(line)) {
        try {
            converter.ConvertLine(line, writer.BeginJoinedLine());
        } catch (const NcError& error) {
            throw error.atLine(reader.lineNumber());
        }
        if (progress && reader.lineNumber() % kProgressLines == 0) {
            progress(reader.bytesDone(), reader.fileSize());
        }
    }
    writer.FinishText(reader.EndsWithBreak());
    writer.Commit();
    if (progress) progress(reader.fileSize(), reader.fileSize());
}

} // namespace nc
