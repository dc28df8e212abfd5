#include "new_folder.h"

#include "paths.h"

#include <cerrno>
#include <sys/stat.h>

namespace fileops {

std::string NewFolderName(int number) {
    const std::string base = "新規ﾌｫﾙﾀﾞ";
    return number <= 1 ? base : base + "(" + std::to_string(number) + ")";
}

NewFolderResult CreateNewFolder(const std::string& folder) {
    for (int number = 1; number <= kLastNewFolderNumber; ++number) {
        const std::string name = NewFolderName(number);
        if (::mkdir(platform::JoinPath(folder, name).c_str(), 0777) == 0) return {name, 0};
        if (errno != EEXIST) return {{}, errno};
    }
    return {{}, EEXIST};
}

} // namespace fileops
