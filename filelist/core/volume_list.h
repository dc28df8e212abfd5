#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace filelist {

enum class VolumeType { Removable, Fixed, Network, Optical, RamDisk };

// One item of the volume menu.
struct Volume {
    std::string mountPoint; // raw bytes: the folder listed when the item is chosen
    VolumeType type = VolumeType::Fixed;
    std::string caption;  // "&1 / (固定ﾃﾞｨｽｸ)": the menu text, "&" of the path doubled
    std::string iconName; // the icon theme's name for the type
};

// What the mount table does not tell. Both must be set.
struct MountProbes {
    // The sysfs "removable" flag of a block device.
    std::function<bool(unsigned major, unsigned minor)> isRemovableDevice;
    // True when the path is a folder; asked only for bind mounts, never for
    // network mounts (a server that does not answer must not stall the menu).
    std::function<bool(const std::string& path)> isFolder;
};

// The volumes a user browses, from the text of a mountinfo file:
// - "/" first, also when the table lacks it (then it is fixed);
// - then `home` (absolute; "" or a relative path leaves it out) with the type
//   of the volume holding it: the mount with the longest mount point that is
//   `home` or one of its parent folders. A volume that is not listed itself
//   (the overlay root of a container, a tmpfs /tmp) counts as fixed here;
// - then every other listed mount point in path order, where a folder comes
//   right before what it contains ("/mnt", "/mnt/cd", "/mnt-old").
// A mount point mounted more than once shows its last (top-most) mount only,
// and that mount alone decides its type or that it is left out.
// Type, the first rule that fits winning:
// - left out: pseudo file systems (proc, sysfs, cgroup, overlay, squashfs,
//   ...), anything at or below /proc, /sys or /dev, and bind mounts of files;
// - network: nfs, nfs4, cifs, smb3, 9p, fuse.sshfs, wherever mounted;
// - CD-ROM: iso9660, udf, also below /mnt or /media: the file system says
//   more about the medium than the folder chosen for it;
// - tmpfs, ramfs: left out at or below /run, /dev, /sys, /proc and /tmp,
//   otherwise a RAM disk (also below /mnt: memory is never removable);
// - removable: a block device whose removable flag is set, or a mount point at
//   or below /media, /run/media or /mnt;
// - fixed: every other file system.
// The first nine captions get the access keys "&1 " to "&9 " in front.
std::vector<Volume> VolumesFromMountInfo(std::string_view mountInfo, const std::string& home,
                                         const MountProbes& probes);

// The volumes of this machine: /proc/self/mountinfo, $HOME and the sysfs flags.
std::vector<Volume> MountedVolumes();

// The sysfs removable flag of a block device, or of the disk holding it when
// it is a partition; false when the device is unknown.
bool IsRemovableBlockDevice(unsigned major, unsigned minor);

// "&3 /media/usb (ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ)" for the item at `position` (0 based).
std::string VolumeCaption(std::size_t position, const std::string& mountPoint, VolumeType type);

// "drive-harddisk", "media-optical", ...
std::string VolumeIconName(VolumeType type);

} // namespace filelist
