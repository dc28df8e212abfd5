#include "fuzz_file_commands.h"
#include "nc_commands.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzFolder folder;
    const std::string source =
        folder.Write("SRC.NC", std::string_view(reinterpret_cast<const char*>(data), size));
    const nc::VariableList list = nc::ScanVariables(source, [] { return true; });
    for (const auto* kind : {&list.local, &list.common, &list.system, &list.other}) {
        if (!std::is_sorted(kind->begin(), kind->end())) std::abort();
    }
    nc::SaveVariableList(list, folder.path() + "/LIST.TXT");
    return 0;
}
