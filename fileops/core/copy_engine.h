#pragma once

#include <functional>
#include <string>

namespace fileops {

// What to do when the destination already has an entry of the same name.
enum class ConflictAnswer { Replace, Skip, Cancel };
using ConflictQuestion = std::function<ConflictAnswer(const std::string& target)>;

enum class CopyResult { Copied, Skipped, Cancelled, Failed };

// Copies a file or a folder with its contents into a folder. Files keep their
// permissions and modification time; symbolic links are copied as links; a
// replaced file is written under a temporary name and renamed over the old
// one, so no half file is ever left. A folder is never copied into itself.
// `error` receives the reason of a failure.
CopyResult CopyInto(const std::string& source, const std::string& destinationFolder,
                    const ConflictQuestion& ask, std::string& error);

} // namespace fileops
