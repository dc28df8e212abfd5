#include "entry_rename.h"

#include "no_replace_rename.h"
#include "paths.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fileops {

bool IsValidEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

RenameResult RenameEntry(const std::string& folder, const std::string& oldName,
                         const std::string& newName) {
    if (!IsValidEntryName(oldName) || !IsValidEntryName(newName)) {
        return {RenameOutcome::InvalidName, EINVAL};
    }
    if (oldName == newName) return {RenameOutcome::Unchanged, 0};
    const int folderFd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return {RenameOutcome::Failed, errno};
    const int error = RenameWithoutReplacing(folderFd, oldName, folderFd, newName);
    ::close(folderFd);
    if (error == 0) return {RenameOutcome::Renamed, 0};
    return {error == EEXIST ? RenameOutcome::NameTaken : RenameOutcome::Failed, error};
}

InPlaceRenameResult RenameInPlace(const std::string& currentDir, const std::string& oldName,
                                  const std::string& text) {
    if (oldName == "..")
        return {InPlaceOutcome::Reverted, "..", {RenameOutcome::InvalidName, EINVAL}};
    if (platform::FolderExists(platform::JoinPath(currentDir, text))) {
        return {InPlaceOutcome::FolderExists, oldName, {RenameOutcome::NameTaken, EEXIST}};
    }
    const RenameResult rename = RenameEntry(currentDir, oldName, text);
    if (rename.outcome == RenameOutcome::Renamed || rename.outcome == RenameOutcome::Unchanged) {
        return {InPlaceOutcome::Renamed, text, rename};
    }
    return {InPlaceOutcome::Reverted, oldName, rename};
}

} // namespace fileops
