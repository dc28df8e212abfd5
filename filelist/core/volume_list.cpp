#include "volume_list.h"

#include "mount_info.h"
#include "paths.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <utility>

namespace filelist {

namespace {

using namespace std::string_view_literals;

// Kernel and desktop plumbing, and the read-only layers of containers and
// snaps: nobody browses these as a volume.
constexpr std::array kPseudoTypes = {"autofs"sv,
                                     "binfmt_misc"sv,
                                     "bpf"sv,
                                     "cgroup"sv,
                                     "cgroup2"sv,
                                     "configfs"sv,
                                     "debugfs"sv,
                                     "devpts"sv,
                                     "devtmpfs"sv,
                                     "efivarfs"sv,
                                     "fuse.gvfsd-fuse"sv,
                                     "fuse.portal"sv,
                                     "fuse.lxcfs"sv,
                                     "fuse.snapfuse"sv,
                                     "fuse.squashfuse"sv,
                                     "fuse.fuse-overlayfs"sv,
                                     "fusectl"sv,
                                     "hugetlbfs"sv,
                                     "mqueue"sv,
                                     "nfsd"sv,
                                     "nsfs"sv,
                                     "overlay"sv,
                                     "proc"sv,
                                     "pstore"sv,
                                     "rpc_pipefs"sv,
                                     "securityfs"sv,
                                     "selinuxfs"sv,
                                     "squashfs"sv,
                                     "sysfs"sv,
                                     "tracefs"sv};
constexpr std::array kNetworkTypes = {"nfs"sv,  "nfs4"sv, "cifs"sv,
                                      "smb3"sv, "9p"sv,   "fuse.sshfs"sv};
constexpr std::array kOpticalTypes = {"iso9660"sv, "udf"sv};
constexpr std::array kMemoryTypes = {"tmpfs"sv, "ramfs"sv};
constexpr std::array kSystemFolders = {"/proc"sv, "/sys"sv, "/dev"sv};
// Memory file systems here hold the system's runtime state, not the user's files.
constexpr std::array kRuntimeFolders = {"/run"sv, "/dev"sv, "/sys"sv, "/proc"sv, "/tmp"sv};
constexpr std::array kRemovableFolders = {"/media"sv, "/run/media"sv, "/mnt"sv};

template <std::size_t N>
bool IsOneOf(std::string_view value, const std::array<std::string_view, N>& values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

// True when `path` is `folder` or inside it: "/mnt/cd" is in "/mnt", "/mntx" is not.
bool IsAtOrBelow(std::string_view path, std::string_view folder) {
    if (folder == "/") return path.starts_with('/');
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

template <std::size_t N>
bool IsAtOrBelowAny(std::string_view path, const std::array<std::string_view, N>& folders) {
    return std::any_of(folders.begin(), folders.end(),
                       [path](std::string_view folder) { return IsAtOrBelow(path, folder); });
}

bool IsRemovable(const MountEntry& mount, const MountProbes& probes) {
    const bool blockDevice = mount.major != 0;
    return (blockDevice && probes.isRemovableDevice(mount.major, mount.minor)) ||
           IsAtOrBelowAny(mount.mountPoint, kRemovableFolders);
}

// The type of a mount, or nothing when it is left out of the menu.
std::optional<VolumeType> TypeOf(const MountEntry& mount, const MountProbes& probes) {
    const std::string_view point = mount.mountPoint;
    if (IsOneOf(mount.fsType, kPseudoTypes) || IsAtOrBelowAny(point, kSystemFolders))
        return std::nullopt;
    if (IsOneOf(mount.fsType, kNetworkTypes)) return VolumeType::Network;
    const bool memory = IsOneOf(mount.fsType, kMemoryTypes);
    if (memory && IsAtOrBelowAny(point, kRuntimeFolders)) return std::nullopt;
    const bool bindMount = mount.root != "/";
    if (bindMount && !probes.isFolder(mount.mountPoint)) return std::nullopt;
    if (IsOneOf(mount.fsType, kOpticalTypes)) return VolumeType::Optical;
    if (memory) return VolumeType::RamDisk;
    if (IsRemovable(mount, probes)) return VolumeType::Removable;
    return VolumeType::Fixed;
}

// "/" ranks below every other byte, so a folder's mounts follow it directly.
int PathRank(char c) {
    return c == '/' ? -1 : static_cast<unsigned char>(c);
}

struct PathOrder {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return PathRank(x) < PathRank(y); });
    }
};

using TopMounts = std::map<std::string, MountEntry, PathOrder>;

// A later mount on the same folder hides the earlier one.
TopMounts TopMountsOf(std::vector<MountEntry> entries) {
    TopMounts mounts;
    for (auto& entry : entries)
        mounts.insert_or_assign(entry.mountPoint, std::move(entry));
    return mounts;
}

// The mount holding `folder`: the one with the longest mount point at or above it.
const MountEntry* MountHolding(const TopMounts& mounts, const std::string& folder) {
    const MountEntry* holding = nullptr;
    for (const auto& [point, mount] : mounts) {
        const bool longer = holding == nullptr || point.size() > holding->mountPoint.size();
        if (longer && IsAtOrBelow(folder, point)) holding = &mount;
    }
    return holding;
}

VolumeType TypeOfFolder(const TopMounts& mounts, const std::string& folder,
                        const MountProbes& probes) {
    const MountEntry* mount = MountHolding(mounts, folder);
    if (mount == nullptr) return VolumeType::Fixed;
    return TypeOf(*mount, probes).value_or(VolumeType::Fixed);
}

struct TypeLook {
    std::string_view suffix;
    std::string_view icon;
};

TypeLook LookOf(VolumeType type) {
    switch (type) {
    case VolumeType::Removable:
        return {"(ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ)", "drive-removable-media"};
    case VolumeType::Network:
        return {"(ﾈｯﾄﾜｰｸ)", "folder-remote"};
    case VolumeType::Optical:
        return {"(CD-ROM)", "media-optical"};
    case VolumeType::RamDisk:
        return {"(RAM ﾃﾞｨｽｸ)", "drive-harddisk"};
    case VolumeType::Fixed:
        break;
    }
    return {"(固定ﾃﾞｨｽｸ)", "drive-harddisk"};
}

std::string ReadText(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A sysfs flag file: its first character is "1" or "0".
std::optional<bool> ReadFlag(const std::string& path) {
    std::ifstream file(path);
    char flag = 0;
    if (!(file >> flag)) return std::nullopt;
    return flag == '1';
}

bool IsFolderPath(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string VolumeCaption(std::size_t position, const std::string& mountPoint, VolumeType type) {
    constexpr std::size_t accessKeys = 9;
    std::string caption;
    if (position < accessKeys) caption = "&" + std::to_string(position + 1) + " ";
    // A single "&" in a folder name would be taken for an access key.
    for (const char c : mountPoint) {
        caption += c;
        if (c == '&') caption += '&';
    }
    caption += ' ';
    caption += LookOf(type).suffix;
    return caption;
}

std::string VolumeIconName(VolumeType type) {
    return std::string(LookOf(type).icon);
}

std::vector<Volume> VolumesFromMountInfo(std::string_view mountInfo, const std::string& home,
                                         const MountProbes& probes) {
    const TopMounts mounts = TopMountsOf(ParseMountInfo(mountInfo));
    std::vector<std::pair<std::string, VolumeType>> items;
    items.emplace_back("/", TypeOfFolder(mounts, "/", probes));
    const std::string homeFolder = platform::WithoutTrailingSeparator(home);
    if (homeFolder.starts_with('/') && homeFolder != "/")
        items.emplace_back(homeFolder, TypeOfFolder(mounts, homeFolder, probes));
    for (const auto& [point, mount] : mounts) {
        if (point == "/" || point == homeFolder) continue;
        if (const auto type = TypeOf(mount, probes)) items.emplace_back(point, *type);
    }
    std::vector<Volume> volumes;
    for (auto& [point, type] : items) {
        std::string caption = VolumeCaption(volumes.size(), point, type);
        volumes.push_back({std::move(point), type, std::move(caption), VolumeIconName(type)});
    }
    return volumes;
}

bool IsRemovableBlockDevice(unsigned major, unsigned minor) {
    const std::string device =
        "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
    if (const auto flag = ReadFlag(device + "/removable")) return *flag;
    // A partition has no flag of its own; its disk is the folder above it.
    return ReadFlag(device + "/../removable").value_or(false);
}

std::vector<Volume> MountedVolumes() {
    const char* home = std::getenv("HOME");
    const MountProbes probes{IsRemovableBlockDevice, IsFolderPath};
    return VolumesFromMountInfo(ReadText("/proc/self/mountinfo"), home != nullptr ? home : "",
                                probes);
}

} // namespace filelist
