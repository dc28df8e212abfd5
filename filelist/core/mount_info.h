#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace filelist {

// One mount as a line of /proc/<pid>/mountinfo describes it.
struct MountEntry {
    unsigned major = 0; // 0 for file systems without a block device (tmpfs, nfs, btrfs, ...)
    unsigned minor = 0;
    std::string root;       // the folder of the file system shown here: "/" unless a bind mount
    std::string mountPoint; // raw bytes, escapes decoded
    std::string fsType;     // "ext4", "fuse.sshfs", ...
    std::string source;     // "/dev/sda1", "server:/export", ...
};

// The entries of a mountinfo text in their order. Lines without the fields of
// a mount, or with a mount point that is not absolute, are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// A mountinfo field with its octal escapes decoded: the kernel writes a blank
// as \040, a tab as \011, a newline as \012 and a backslash as \134.
std::string DecodeMountField(std::string_view field);

} // namespace filelist
