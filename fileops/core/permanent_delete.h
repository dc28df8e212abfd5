#pragma once

#include <string>
#include <vector>

namespace fileops {

struct DeleteFailure {
    std::string path;
    int error = 0;
    std::string reason; // the system's text for `error`
};

// Deletes an entry for good (for what the trash refused, after the user
// agreed): a folder with everything below it, a link as a link, never what
// it points to. Whatever can be deleted is; the rest is returned.
std::vector<DeleteFailure> DeletePermanently(const std::string& path);

} // namespace fileops
