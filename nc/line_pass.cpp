#include "nc_commands.h"

#include "block_pass.h"
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
    ConvertBlocks(reader, writer, converter, progress);
    writer.Commit();
    if (progress) progress(reader.fileSize(), reader.fileSize());
}

} // namespace nc
