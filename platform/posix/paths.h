#pragma once

#include <string>
#include <utility>

namespace platform {

// Paths are raw byte strings; "/" separates folders.

// folder + "/" + name, without doubling the separator at the root ("/" + "a" = "/a").
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder and the last name of a path ("a" gives ".", "a"; "/a" gives "/", "a").
std::pair<std::string, std::string> SplitPath(const std::string& path);

// A path as the user typed it: "~" (alone or before "/") is the home folder,
// a relative path is taken relative to `currentDir`, and "." and ".." parts
// are resolved by name (".." of the root is the root). No trailing "/".
std::string ResolveTypedPath(const std::string& typed, const std::string& currentDir,
                             const std::string& home);

// True for "/" only: the one folder without a parent.
bool IsRootPath(const std::string& path);

// The path without its trailing separators, except for the root itself.
std::string WithoutTrailingSeparator(std::string path);

// The part of a file name from its last "." on ("" when it has none).
std::string ExtensionOf(const std::string& name);

// True when the path names a folder, and also when it cannot be examined (a
// missing path counts as a folder); false for anything else that exists.
bool IsFolder(const std::string& path);

// True when the path names an existing folder.
bool FolderExists(const std::string& path);

// Creates every missing folder of the path. Returns false for an empty path or
// the root and creates nothing; true otherwise, also when a creation failed.
bool ForceFolderPath(const std::string& path);

// True when the path names a file (not a folder) that can be opened for reading.
bool CanReadFile(const std::string& path);

// True when both paths name the same existing file (same device and inode).
bool SameFile(const std::string& a, const std::string& b);

} // namespace platform
