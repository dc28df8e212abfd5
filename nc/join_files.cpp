#include "nc_commands.h"

#include "nc_error.h"
#include "nc_writer.h"
#include "paths.h"

namespace nc {

void JoinFiles(const std::vector<std::string>& sources, const std::string& output,
               const FileFormQuestion& ask, const Progress& progress) {
    for (const auto& source : sources) {
        if (source == output || platform::SameFile(source, output)) {
            throw NcError(kJoinNameIsSourceMessage);
        }
    }
    // Check every source first: a missing one stops the join before anything is written.
    for (const auto& source : sources) {
        if (!platform::CanReadFile(source)) throw NcError(CannotOpenMessage(source));
    }
    NcWriter writer(output);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        NcReader reader(sources[i], [&] { return ask && ask(sources[i]); });
        std::string_view block;
        while (reader.NextBlock(block)) {
            AppendWithCrLf(block, writer.buffer());
            writer.FlushIfFull();
        }
        if (progress) progress(i + 1, sources.size());
    }
    writer.Commit();
}

} // namespace nc
