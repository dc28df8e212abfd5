#include "fuzz_file_commands.h"
#include "nc_commands.h"
#include "nc_error.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzFolder folder;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t half = size / 2;
    const std::string a = folder.Write("A.NC", text.substr(0, half));
    const std::string b = folder.Write("B.NC", text.substr(half));
    try {
        nc::JoinFiles({a, b}, folder.path() + "/ALL.NC", [](const std::string&) { return true; });
    } catch (const nc::NcError&) {
        std::abort(); // two readable files always join
    }
    return 0;
}
