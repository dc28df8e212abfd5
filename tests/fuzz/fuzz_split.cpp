#include "fuzz_file_commands.h"
#include "nc_commands.h"
#include "nc_error.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 1) return 0;
    FuzzFolder folder;
    const std::string source =
        folder.Write("SRC.NC", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    const nc::SplitOptions options{(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0,
                                   (data[0] & 8) != 0};
    try {
        nc::SplitPrograms(source, folder.path(), options, [&] { return (data[0] & 16) != 0; });
    } catch (const nc::NcError&) {
    }
    return 0;
}
