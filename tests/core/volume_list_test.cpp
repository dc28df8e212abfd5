#include "mount_info.h"
#include "volume_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using filelist::MountProbes;
using filelist::Volume;
using filelist::VolumesFromMountInfo;
using filelist::VolumeType;

// The menu texts and icons, written out here so that a wrong table in the code shows.
std::string SuffixOf(VolumeType type) {
    switch (type) {
    case VolumeType::Removable:
        return "(ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ)";
    case VolumeType::Fixed:
        return "(固定ﾃﾞｨｽｸ)";
    case VolumeType::Network:
        return "(ﾈｯﾄﾜｰｸ)";
    case VolumeType::Optical:
        return "(CD-ROM)";
    case VolumeType::RamDisk:
        return "(RAM ﾃﾞｨｽｸ)";
    }
    return "?";
}

std::string IconOf(VolumeType type) {
    switch (type) {
    case VolumeType::Removable:
        return "drive-removable-media";
    case VolumeType::Fixed:
    case VolumeType::RamDisk:
        return "drive-harddisk";
    case VolumeType::Network:
        return "folder-remote";
    case VolumeType::Optical:
        return "media-optical";
    }
    return "?";
}

// One volume as one line, so that a failing list shows all of its items.
std::string Describe(const Volume& volume) {
    return volume.mountPoint + " | " + volume.caption + " | " + volume.iconName;
}

std::vector<std::string> Describe(const std::vector<Volume>& volumes) {
    std::vector<std::string> lines;
    for (const auto& volume : volumes)
        lines.push_back(Describe(volume));
    return lines;
}

std::vector<std::string> MountPoints(const std::vector<Volume>& volumes) {
    std::vector<std::string> points;
    for (const auto& volume : volumes)
        points.push_back(volume.mountPoint);
    return points;
}

// The machine behind a mount table: which devices carry the removable flag,
// which mount points are files, and which paths the code looked at.
struct FakeMachine {
    std::set<std::pair<unsigned, unsigned>> removableDevices;
    std::set<std::string> files;
    std::vector<std::string> examinedPaths;
    std::vector<std::pair<unsigned, unsigned>> askedDevices;

    MountProbes Probes() {
        return {[this](unsigned major, unsigned minor) {
                    askedDevices.emplace_back(major, minor);
                    return removableDevices.contains({major, minor});
                },
                [this](const std::string& path) {
                    examinedPaths.push_back(path);
                    return !files.contains(path);
                }};
    }
};

// A Debian desktop: system mounts, a second disk for /home, a stick whose
// label has a blank, an NFS share, a CD, a RAM disk, a snap and a container layer.
constexpr const char* kDesktop =
    "22 28 0:21 / /sys rw,nosuid,nodev,noexec,relatime shared:7 - sysfs sysfs rw\n"
    "23 28 0:22 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "24 28 0:5 / /dev rw,nosuid,relatime shared:2 - devtmpfs udev "
    "rw,size=8123456k,nr_inodes=2030864,mode=755,inode64\n"
    "25 24 0:23 / /dev/pts rw,nosuid,noexec,relatime shared:3 - devpts devpts "
    "rw,gid=5,mode=620,ptmxmode=000\n"
    "26 28 0:24 / /run rw,nosuid,nodev,noexec,relatime shared:5 - tmpfs tmpfs "
    "rw,size=1628000k,mode=755,inode64\n"
    "28 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n"
    "29 22 0:6 / /sys/kernel/security rw,nosuid,nodev,noexec,relatime shared:8 - securityfs "
    "securityfs rw\n"
    "30 24 0:25 / /dev/shm rw,nosuid,nodev shared:4 - tmpfs tmpfs rw,inode64\n"
    "31 26 0:26 / /run/lock rw,nosuid,nodev,noexec,relatime shared:6 - tmpfs tmpfs "
    "rw,size=5120k,inode64\n"
    "32 22 0:27 / /sys/fs/cgroup rw,nosuid,nodev,noexec,relatime shared:9 - cgroup2 cgroup2 "
    "rw,nsdelegate,memory_recursiveprot\n"
    "33 22 0:28 / /sys/fs/pstore rw,nosuid,nodev,noexec,relatime shared:10 - pstore pstore rw\n"
    "34 22 0:29 / /sys/fs/bpf rw,nosuid,nodev,noexec,relatime shared:11 - bpf bpf rw,mode=700\n"
    "35 23 0:30 / /proc/sys/fs/binfmt_misc rw,relatime shared:13 - autofs systemd-1 "
    "rw,fd=29,pgrp=1,timeout=0,minproto=5,maxproto=5,direct,pipe_ino=15017\n"
    "36 24 0:19 / /dev/mqueue rw,nosuid,nodev,noexec,relatime shared:14 - mqueue mqueue rw\n"
    "37 22 0:7 / /sys/kernel/debug rw,nosuid,nodev,noexec,relatime shared:15 - debugfs "
    "debugfs rw\n"
    "38 22 0:12 / /sys/kernel/tracing rw,nosuid,nodev,noexec,relatime shared:16 - tracefs "
    "tracefs rw\n"
    "39 24 0:31 / /dev/hugepages rw,relatime shared:17 - hugetlbfs hugetlbfs rw,pagesize=2M\n"
    "40 28 8:1 / /boot rw,relatime shared:30 - ext2 /dev/sda1 rw\n"
    "41 40 8:3 / /boot/efi rw,relatime shared:31 - vfat /dev/sda3 "
    "rw,fmask=0077,dmask=0077,codepage=437,iocharset=ascii,shortname=mixed,utf8\n"
    "42 28 8:17 / /home rw,relatime shared:32 - ext4 /dev/sdb1 rw\n"
    "43 28 0:35 / /tmp rw,nosuid,nodev shared:33 - tmpfs tmpfs rw,size=8140000k,inode64\n"
    "50 26 0:45 / /run/user/1000 rw,nosuid,nodev,relatime shared:400 - tmpfs tmpfs "
    "rw,size=1627996k,nr_inodes=406999,mode=700,uid=1000,gid=1000,inode64\n"
    "51 50 0:46 / /run/user/1000/gvfs rw,nosuid,nodev,relatime shared:420 - fuse.gvfsd-fuse "
    "gvfsd-fuse rw,user_id=1000,group_id=1000\n"
    "52 50 0:47 / /run/user/1000/doc rw,nosuid,nodev,relatime shared:430 - fuse.portal portal "
    "rw,user_id=1000,group_id=1000\n"
    "60 28 8:33 / /media/user/MY\\040STICK rw,nosuid,nodev,relatime shared:500 - vfat /dev/sdc1 "
    "rw,uid=1000,gid=1000,fmask=0022,dmask=0022,codepage=437,iocharset=ascii,shortname=mixed\n"
    "61 28 0:50 / /srv/share rw,relatime shared:510 - nfs4 fileserver:/export/share "
    "rw,vers=4.2,rsize=1048576,wsize=1048576,namlen=255,hard,proto=tcp,timeo=600,retrans=2\n"
    "62 28 11:0 / /mnt/cd ro,nosuid,nodev,relatime shared:520 - iso9660 /dev/sr0 "
    "ro,nojoliet,check=s,map=n,blocksize=2048,iocharset=utf8\n"
    "63 28 0:51 / /ramdisk rw,relatime shared:530 - tmpfs tmpfs rw,size=1048576k,inode64\n"
    "64 28 7:1 / /snap/core22/1122 ro,nodev,relatime shared:540 - squashfs /dev/loop1 "
    "ro,errors=continue,threads=single\n"
    "65 28 0:52 / /var/lib/docker/overlay2/3f0c/merged rw,relatime shared:550 - overlay overlay "
    "rw,lowerdir=/var/lib/docker/overlay2/l/ABC,upperdir=/var/lib/docker/overlay2/3f0c/diff\n"
    "66 42 0:53 / /home/user/remote rw,nosuid,nodev,relatime shared:560 - fuse.sshfs "
    "user@host:/home/user rw,user_id=1000,group_id=1000\n"
    "67 28 8:49 / /data rw,relatime shared:570 - ext4 /dev/sdd1 rw\n";

// The stick (8:33) is found by where it is mounted, the disk at /data (8:49) by its flag.
FakeMachine DesktopMachine() {
    FakeMachine machine;
    machine.removableDevices = {{8, 49}};
    return machine;
}

TEST(VolumeList, DesktopListsRootHomeThenMountsInPathOrder) {
    FakeMachine machine = DesktopMachine();
    const auto volumes = VolumesFromMountInfo(kDesktop, "/home/user", machine.Probes());
    const std::vector<std::string> expected = {
        "/ | &1 / (固定ﾃﾞｨｽｸ) | drive-harddisk",
        "/home/user | &2 /home/user (固定ﾃﾞｨｽｸ) | drive-harddisk",
        "/boot | &3 /boot (固定ﾃﾞｨｽｸ) | drive-harddisk",
        "/boot/efi | &4 /boot/efi (固定ﾃﾞｨｽｸ) | drive-harddisk",
        "/data | &5 /data (ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ) | drive-removable-media",
        "/home | &6 /home (固定ﾃﾞｨｽｸ) | drive-harddisk",
        "/home/user/remote | &7 /home/user/remote (ﾈｯﾄﾜｰｸ) | folder-remote",
        "/media/user/MY STICK | &8 /media/user/MY STICK (ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ) | drive-removable-media",
        "/mnt/cd | &9 /mnt/cd (CD-ROM) | media-optical",
        "/ramdisk | /ramdisk (RAM ﾃﾞｨｽｸ) | drive-harddisk",
        "/srv/share | /srv/share (ﾈｯﾄﾜｰｸ) | folder-remote",
    };
    EXPECT_EQ(Describe(volumes), expected);
    const std::vector<VolumeType> types = {
        VolumeType::Fixed,     VolumeType::Fixed,   VolumeType::Fixed,   VolumeType::Fixed,
        VolumeType::Removable, VolumeType::Fixed,   VolumeType::Network, VolumeType::Removable,
        VolumeType::Optical,   VolumeType::RamDisk, VolumeType::Network};
    ASSERT_EQ(volumes.size(), types.size());
    for (std::size_t i = 0; i < types.size(); ++i)
        EXPECT_EQ(volumes[i].type, types[i]) << volumes[i].mountPoint;
}

TEST(VolumeList, DesktopAsksFlagsOfBlockDevicesOnlyAndExaminesNoWholeMount) {
    FakeMachine machine = DesktopMachine();
    VolumesFromMountInfo(kDesktop, "/home/user", machine.Probes());
    for (const auto& [major, minor] : machine.askedDevices)
        EXPECT_NE(major, 0u) << "asked the removable flag of 0:" << minor;
    EXPECT_TRUE(machine.examinedPaths.empty());
}

// A docker container: an overlay root, the kernel's folders and files bound
// in from the host, and one bound project folder.
constexpr const char* kContainer =
    "600 500 0:80 / / rw,relatime master:1 - overlay overlay "
    "rw,lowerdir=/var/lib/docker/overlay2/l/ABC:/var/lib/docker/overlay2/l/DEF,"
    "upperdir=/var/lib/docker/overlay2/9a1/diff,workdir=/var/lib/docker/overlay2/9a1/work\n"
    "601 600 0:83 / /proc rw,nosuid,nodev,noexec,relatime - proc proc rw\n"
    "602 600 0:84 / /dev rw,nosuid - tmpfs tmpfs rw,size=65536k,mode=755,inode64\n"
    "603 602 0:85 / /dev/pts rw,nosuid,noexec,relatime - devpts devpts "
    "rw,gid=5,mode=620,ptmxmode=666\n"
    "604 600 0:86 / /sys ro,nosuid,nodev,noexec,relatime - sysfs sysfs ro\n"
    "605 604 0:28 / /sys/fs/cgroup ro,nosuid,nodev,noexec,relatime - cgroup2 cgroup "
    "rw,nsdelegate,memory_recursiveprot\n"
    "606 602 0:82 / /dev/mqueue rw,nosuid,nodev,noexec,relatime - mqueue mqueue rw\n"
    "607 602 0:87 / /dev/shm rw,nosuid,nodev,noexec,relatime - tmpfs shm rw,size=65536k\n"
    "608 600 254:1 /var/lib/docker/containers/0123/resolv.conf /etc/resolv.conf rw,relatime - "
    "ext4 /dev/vda1 rw,discard\n"
    "609 600 254:1 /var/lib/docker/containers/0123/hostname /etc/hostname rw,relatime - ext4 "
    "/dev/vda1 rw,discard\n"
    "610 600 254:1 /var/lib/docker/containers/0123/hosts /etc/hosts rw,relatime - ext4 "
    "/dev/vda1 rw,discard\n"
    "611 600 254:1 /home/user/project /work rw,relatime - ext4 /dev/vda1 rw,discard\n"
    "612 601 0:83 /bus /proc/bus ro,nosuid,nodev,noexec,relatime - proc proc rw\n"
    "613 601 0:84 /null /proc/kcore rw,nosuid - tmpfs tmpfs rw,size=65536k,mode=755\n";

TEST(VolumeList, ContainerListsRootHomeAndBoundFoldersButNoBoundFiles) {
    FakeMachine machine;
    machine.files = {"/etc/resolv.conf", "/etc/hostname", "/etc/hosts", "/proc/kcore"};
    const auto volumes = VolumesFromMountInfo(kContainer, "/root", machine.Probes());
    const std::vector<std::string> expected = {
        "/ | &1 / (固定ﾃﾞｨｽｸ) | drive-harddisk",
        "/root | &2 /root (固定ﾃﾞｨｽｸ) | drive-harddisk",
        "/work | &3 /work (固定ﾃﾞｨｽｸ) | drive-harddisk",
    };
    EXPECT_EQ(Describe(volumes), expected);
    const std::set<std::string> examined(machine.examinedPaths.begin(),
                                         machine.examinedPaths.end());
    const std::set<std::string> bindMounts = {"/etc/resolv.conf", "/etc/hostname", "/etc/hosts",
                                              "/work"};
    EXPECT_EQ(examined, bindMounts);
}

// One mount line on the folder `point` (written escaped, as the kernel does).
std::string MountLine(const std::string& device, const std::string& root, const std::string& point,
                      const std::string& fsType) {
    return "36 28 " + device + " " + root + " " + point + " rw,relatime shared:40 - " + fsType +
           " source rw\n";
}

constexpr const char* kRootLine = "28 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n";

struct TypeCase {
    const char* name;
    const char* device;
    const char* root;
    const char* point;
    const char* fsType;
    std::optional<VolumeType> type; // nothing: left out
};

TEST(VolumeList, TypeOfEachMount) {
    constexpr auto Fixed = VolumeType::Fixed;
    constexpr auto Removable = VolumeType::Removable;
    constexpr auto Network = VolumeType::Network;
    constexpr auto Optical = VolumeType::Optical;
    constexpr auto RamDisk = VolumeType::RamDisk;
    const TypeCase cases[] = {
        {"ext4 disk", "8:17", "/", "/srv/data", "ext4", Fixed},
        {"xfs disk", "8:17", "/", "/srv/data", "xfs", Fixed},
        {"btrfs subvolume", "0:40", "/@data", "/data", "btrfs", Fixed},
        {"vfat boot partition", "8:3", "/", "/boot/efi", "vfat", Fixed},
        {"flagged device anywhere", "8:33", "/", "/data", "ext4", Removable},
        {"flagged partition of a flagged disk", "8:34", "/", "/srv/stick", "vfat", Removable},
        {"below /media", "8:17", "/", "/media/user/DISK", "ext4", Removable},
        {"below /run/media", "8:17", "/", "/run/media/user/DISK", "exfat", Removable},
        {"below /mnt", "8:17", "/", "/mnt/usb", "ext4", Removable},
        {"/mnt itself", "8:17", "/", "/mnt", "ext4", Removable},
        {"a name only starting with /mnt", "8:17", "/", "/mntx", "ext4", Fixed},
        {"a name only starting with /media", "8:17", "/", "/media2/x", "ext4", Fixed},
        {"nfs", "0:50", "/", "/srv/nfs", "nfs", Network},
        {"nfs4", "0:50", "/", "/srv/nfs", "nfs4", Network},
        {"cifs", "0:50", "/", "/srv/win", "cifs", Network},
        {"smb3", "0:50", "/", "/srv/win", "smb3", Network},
        {"9p", "0:50", "/", "/srv/host", "9p", Network},
        {"sshfs", "0:50", "/", "/srv/ssh", "fuse.sshfs", Network},
        {"nfs below /mnt: the type wins", "0:50", "/", "/mnt/nas", "nfs", Network},
        {"iso9660 below /mnt: the type wins", "11:0", "/", "/mnt/cd", "iso9660", Optical},
        {"udf below /media", "11:0", "/", "/media/user/DVD", "udf", Optical},
        {"iso9660 on a flagged device", "8:33", "/", "/srv/cd", "iso9660", Optical},
        {"disc image on a loop device", "7:0", "/", "/srv/image", "iso9660", Optical},
        {"tmpfs RAM disk", "0:51", "/", "/ramdisk", "tmpfs", RamDisk},
        {"ramfs RAM disk", "0:51", "/", "/scratch", "ramfs", RamDisk},
        {"tmpfs below /mnt: memory is not removable", "0:51", "/", "/mnt/ram", "tmpfs", RamDisk},
        {"tmpfs in a folder only starting with /run", "0:51", "/", "/runner", "tmpfs", RamDisk},
        {"tmpfs /run", "0:51", "/", "/run", "tmpfs", std::nullopt},
        {"tmpfs below /run", "0:51", "/", "/run/user/1000", "tmpfs", std::nullopt},
        {"ramfs below /run", "0:51", "/", "/run/credentials/x.service", "ramfs", std::nullopt},
        {"tmpfs /tmp", "0:51", "/", "/tmp", "tmpfs", std::nullopt},
        {"tmpfs below /tmp", "0:51", "/", "/tmp/build", "tmpfs", std::nullopt},
        {"tmpfs /dev/shm", "0:51", "/", "/dev/shm", "tmpfs", std::nullopt},
        {"tmpfs below /sys", "0:51", "/", "/sys/fs/cgroup", "tmpfs", std::nullopt},
        {"a disk below /sys", "8:17", "/", "/sys/x", "ext4", std::nullopt},
        {"a disk below /proc", "8:17", "/", "/proc/x", "ext4", std::nullopt},
        {"a disk below /dev", "8:17", "/", "/dev/x", "ext4", std::nullopt},
        {"proc elsewhere", "0:22", "/", "/srv/proc", "proc", std::nullopt},
        {"sysfs", "0:21", "/", "/srv/sys", "sysfs", std::nullopt},
        {"devtmpfs", "0:5", "/", "/srv/dev", "devtmpfs", std::nullopt},
        {"devpts", "0:23", "/", "/srv/pts", "devpts", std::nullopt},
        {"cgroup", "0:27", "/", "/srv/cg", "cgroup", std::nullopt},
        {"cgroup2", "0:27", "/", "/srv/cg", "cgroup2", std::nullopt},
        {"securityfs", "0:6", "/", "/srv/sec", "securityfs", std::nullopt},
        {"debugfs", "0:7", "/", "/srv/debug", "debugfs", std::nullopt},
        {"tracefs", "0:12", "/", "/srv/trace", "tracefs", std::nullopt},
        {"mqueue", "0:19", "/", "/srv/mq", "mqueue", std::nullopt},
        {"overlay layer", "0:52", "/", "/var/lib/docker/overlay2/3f0c/merged", "overlay",
         std::nullopt},
        {"squashfs snap", "7:1", "/", "/snap/core22/1122", "squashfs", std::nullopt},
        {"autofs placeholder", "0:30", "/", "/srv/auto", "autofs", std::nullopt},
        {"desktop's virtual files", "0:46", "/", "/srv/gvfs", "fuse.gvfsd-fuse", std::nullopt},
        {"bound folder", "8:17", "/srv/data/nc", "/nc", "ext4", Fixed},
        {"bound file", "8:17", "/srv/data/nc/O0001.NC", "/nc-file", "ext4", std::nullopt},
        {"bound file of a RAM disk", "0:51", "/notes.txt", "/nc-file", "tmpfs", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMachine machine;
        machine.removableDevices = {{8, 33}, {8, 34}};
        machine.files = {"/nc-file"};
        const std::string table = kRootLine + MountLine(c.device, c.root, c.point, c.fsType);
        const auto volumes = VolumesFromMountInfo(table, "", machine.Probes());
        if (!c.type) {
            EXPECT_EQ(MountPoints(volumes), std::vector<std::string>{"/"});
            continue;
        }
        ASSERT_EQ(volumes.size(), 2u);
        EXPECT_EQ(volumes[1].mountPoint, c.point);
        EXPECT_EQ(volumes[1].type, *c.type);
        EXPECT_EQ(volumes[1].caption, "&2 " + std::string(c.point) + " " + SuffixOf(*c.type));
        EXPECT_EQ(volumes[1].iconName, IconOf(*c.type));
    }
}

TEST(VolumeList, NetworkMountsAreNeverExamined) {
    FakeMachine machine;
    const std::string table = kRootLine + MountLine("0:50", "/export/sub", "/srv/nfs", "nfs") +
                              MountLine("0:53", "/home/user", "/srv/ssh", "fuse.sshfs");
    const auto volumes = VolumesFromMountInfo(table, "", machine.Probes());
    EXPECT_EQ(MountPoints(volumes), (std::vector<std::string>{"/", "/srv/nfs", "/srv/ssh"}));
    EXPECT_TRUE(machine.examinedPaths.empty());
    const std::vector<std::pair<unsigned, unsigned>> rootDeviceOnly = {{8, 2}};
    EXPECT_EQ(machine.askedDevices, rootDeviceOnly);
}

struct OrderCase {
    const char* name;
    std::vector<std::string> points; // in the order of the table
    std::vector<std::string> listed;
};

TEST(VolumeList, OrderIsFolderByFolder) {
    const OrderCase cases[] = {
        {"a folder's mounts follow it",
         {"/mnt-old", "/mnt/cd", "/mnt"},
         {"/", "/mnt", "/mnt/cd", "/mnt-old"}},
        {"a blank sorts after the separator",
         {"/srv/a\\040b", "/srv/a/x", "/srv/a"},
         {"/", "/srv/a", "/srv/a/x", "/srv/a b"}},
        {"bytes above 127 after ASCII",
         {"/srv/\xE3\x83\x87", "/srv/Z", "/srv/a"},
         {"/", "/srv/Z", "/srv/a", "/srv/\xE3\x83\x87"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string table = kRootLine;
        for (const auto& point : c.points)
            table += MountLine("8:17", "/", point, "ext4");
        FakeMachine machine;
        EXPECT_EQ(MountPoints(VolumesFromMountInfo(table, "", machine.Probes())), c.listed);
    }
}

struct StackCase {
    const char* name;
    std::string table;
    std::vector<std::string> listed; // Describe() of each item
};

TEST(VolumeList, TopMostMountOfAFolderDecides) {
    const StackCase cases[] = {
        {"a share mounted over a disk folder",
         std::string(kRootLine) + MountLine("8:17", "/", "/srv/data", "ext4") +
             MountLine("0:50", "/", "/srv/data", "nfs"),
         {"/ | &1 / (固定ﾃﾞｨｽｸ) | drive-harddisk",
          "/srv/data | &2 /srv/data (ﾈｯﾄﾜｰｸ) | folder-remote"}},
        {"a disk mounted over a share",
         std::string(kRootLine) + MountLine("0:50", "/", "/srv/data", "nfs") +
             MountLine("8:17", "/", "/srv/data", "ext4"),
         {"/ | &1 / (固定ﾃﾞｨｽｸ) | drive-harddisk",
          "/srv/data | &2 /srv/data (固定ﾃﾞｨｽｸ) | drive-harddisk"}},
        {"an overlay over a disk hides it",
         std::string(kRootLine) + MountLine("8:17", "/", "/srv/data", "ext4") +
             MountLine("0:52", "/", "/srv/data", "overlay"),
         {"/ | &1 / (固定ﾃﾞｨｽｸ) | drive-harddisk"}},
        {"a live system's root",
         std::string("1 1 0:1 / / rw - rootfs rootfs rw\n") + MountLine("0:51", "/", "/", "tmpfs"),
         {"/ | &1 / (RAM ﾃﾞｨｽｸ) | drive-harddisk"}},
        {"an overlay root counts as fixed",
         std::string(kRootLine) + MountLine("0:80", "/", "/", "overlay"),
         {"/ | &1 / (固定ﾃﾞｨｽｸ) | drive-harddisk"}},
        {"a root on a flagged device",
         "28 1 8:33 / / rw,relatime shared:1 - ext4 /dev/sdc1 rw\n",
         {"/ | &1 / (ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ) | drive-removable-media"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMachine machine;
        machine.removableDevices = {{8, 33}};
        EXPECT_EQ(Describe(VolumesFromMountInfo(c.table, "", machine.Probes())), c.listed);
    }
}

TEST(VolumeList, RootComesFirstEvenWhenTheTableLacksIt) {
    const char* const tables[] = {
        "",
        "garbage without fields\n",
        "63 28 0:51 / /ramdisk rw,relatime shared:530 - tmpfs tmpfs rw\n",
    };
    for (const char* table : tables) {
        SCOPED_TRACE(table);
        FakeMachine machine;
        const auto volumes = VolumesFromMountInfo(table, "", machine.Probes());
        ASSERT_FALSE(volumes.empty());
        EXPECT_EQ(Describe(volumes.front()), "/ | &1 / (固定ﾃﾞｨｽｸ) | drive-harddisk");
    }
}

struct HomeCase {
    const char* home;
    std::string second;                   // mount point of the second item
    std::optional<VolumeType> secondType; // nothing: home is not listed
};

TEST(VolumeList, HomeComesSecondWithTheTypeOfItsVolume) {
    const HomeCase cases[] = {
        {"/home/user", "/home/user", VolumeType::Fixed},
        {"/home/user/", "/home/user", VolumeType::Fixed},
        {"/home/user/remote/projects", "/home/user/remote/projects", VolumeType::Network},
        {"/media/user/MY STICK", "/media/user/MY STICK", VolumeType::Removable},
        {"/mnt/cdrom", "/mnt/cdrom", VolumeType::Fixed}, // on "/", not on "/mnt/cd"
        {"/mnt/cd/docs", "/mnt/cd/docs", VolumeType::Optical},
        {"/ramdisk/me", "/ramdisk/me", VolumeType::RamDisk},
        {"/tmp/me", "/tmp/me", VolumeType::Fixed},
        {"/run/user/1000/gvfs/x", "/run/user/1000/gvfs/x", VolumeType::Fixed},
        {"/", "/boot", std::nullopt},
        {"", "/boot", std::nullopt},
        {"relative/home", "/boot", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.home);
        FakeMachine machine = DesktopMachine();
        const auto volumes = VolumesFromMountInfo(kDesktop, c.home, machine.Probes());
        ASSERT_GE(volumes.size(), 2u);
        EXPECT_EQ(volumes[0].mountPoint, "/");
        EXPECT_EQ(volumes[1].mountPoint, c.second);
        if (c.secondType) {
            EXPECT_EQ(volumes[1].type, *c.secondType);
            EXPECT_EQ(volumes[1].caption, "&2 " + c.second + " " + SuffixOf(*c.secondType));
        }
        const auto points = MountPoints(volumes);
        for (const auto& point : points)
            EXPECT_EQ(std::count(points.begin(), points.end(), point), 1) << point;
    }
}

TEST(VolumeList, CaptionsKeepAmpersandsOfThePathVisible) {
    FakeMachine machine;
    const std::string table = kRootLine + MountLine("8:17", "/", "/media/user/Tom&Jerry", "vfat");
    const auto volumes = VolumesFromMountInfo(table, "", machine.Probes());
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_EQ(volumes[1].mountPoint, "/media/user/Tom&Jerry");
    EXPECT_EQ(volumes[1].caption, "&2 /media/user/Tom&&Jerry (ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ)");
}

TEST(VolumeList, OnlyTheFirstNineGetAccessKeys) {
    EXPECT_EQ(filelist::VolumeCaption(0, "/", VolumeType::Fixed), "&1 / (固定ﾃﾞｨｽｸ)");
    EXPECT_EQ(filelist::VolumeCaption(8, "/srv/x", VolumeType::Optical), "&9 /srv/x (CD-ROM)");
    EXPECT_EQ(filelist::VolumeCaption(9, "/srv/y", VolumeType::RamDisk), "/srv/y (RAM ﾃﾞｨｽｸ)");
    EXPECT_EQ(filelist::VolumeCaption(42, "/srv/z", VolumeType::Network), "/srv/z (ﾈｯﾄﾜｰｸ)");
}

struct DecodeCase {
    const char* field;
    const char* decoded;
};

TEST(MountInfo, DecodesTheKernelsOctalEscapes) {
    const DecodeCase cases[] = {
        {"/media/user/MY\\040STICK", "/media/user/MY STICK"},
        {"/a\\011b", "/a\tb"},
        {"/a\\012b", "/a\nb"},
        {"/a\\134b", "/a\\b"},
        {"/a\\134040", "/a\\040"}, // a decoded backslash starts no second escape
        {"\\040\\040", "  "},
        {"/a\\04", "/a\\04"}, // cut short at the end
        {"/a\\0", "/a\\0"},
        {"/a\\", "/a\\"},
        {"/a\\08x", "/a\\08x"}, // 8 is no octal digit
        {"/a\\777", "/a\\777"}, // more than a byte
        {"/\xE3\x83\x87\\040", "/\xE3\x83\x87 "},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(filelist::DecodeMountField(c.field), c.decoded) << c.field;
}

TEST(MountInfo, ParsesEveryFieldAroundTheOptionalOnes) {
    const std::string text =
        "60 28 8:33 /sub /media/user/MY\\040STICK rw,nosuid shared:500 master:3 - vfat "
        "/dev/sdc1 rw,uid=1000\n"
        "61 28 0:50 / /srv/a\\012b rw - nfs4 server:/export rw\n"
        "62 28 0:51 / /srv/empty-source rw -  tmpfs  rw\n"
        "63 28 259:1 / /srv/nvme rw - ext4 /dev/nvme0n1p1 rw";
    const auto entries = filelist::ParseMountInfo(text);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].major, 8u);
    EXPECT_EQ(entries[0].minor, 33u);
    EXPECT_EQ(entries[0].root, "/sub");
    EXPECT_EQ(entries[0].mountPoint, "/media/user/MY STICK");
    EXPECT_EQ(entries[0].fsType, "vfat");
    EXPECT_EQ(entries[0].source, "/dev/sdc1");
    EXPECT_EQ(entries[1].mountPoint, "/srv/a\nb");
    EXPECT_EQ(entries[1].fsType, "nfs4");
    EXPECT_EQ(entries[1].source, "server:/export");
    EXPECT_EQ(entries[2].fsType, "");
    EXPECT_EQ(entries[3].major, 259u);
    EXPECT_EQ(entries[3].minor, 1u);
    EXPECT_EQ(entries[3].mountPoint, "/srv/nvme");
    EXPECT_EQ(entries[3].source, "/dev/nvme0n1p1");
}

TEST(MountInfo, SkipsLinesThatAreNoMount) {
    const char* const lines[] = {
        "",
        "garbage",
        "36 28 8:17 / /srv/x rw shared:1 ext4 /dev/sdb1 rw", // no separator
        "36 28 8:17 / /srv/x rw shared:1 -",                 // nothing after it
        "36 28 8:17 / /srv/x rw - ext4",                     // no source
        "36 28 817 / /srv/x rw - ext4 /dev/sdb1 rw",         // no device number
        "36 28 8:x / /srv/x rw - ext4 /dev/sdb1 rw",         // minor not a number
        "36 28 8:17 / srv/x rw - ext4 /dev/sdb1 rw",         // relative mount point
        "36 28 8:17 / rw - ext4 /dev/sdb1 rw",               // a field missing
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        const std::string text =
            std::string(kRootLine) + line + "\n" + MountLine("8:18", "/", "/srv/y", "ext4");
        EXPECT_EQ(filelist::ParseMountInfo(text).size(), 2u);
    }
}

TEST(MachineVolumes, RootFirstAndNoKernelFolders) {
    const auto volumes = filelist::MountedVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().mountPoint, "/");
    EXPECT_TRUE(volumes.front().caption.starts_with("&1 / ("));
    for (const auto& volume : volumes) {
        for (const std::string system : {"/proc", "/sys", "/dev"}) {
            const bool inside =
                volume.mountPoint == system || volume.mountPoint.starts_with(system + "/");
            EXPECT_FALSE(inside) << volume.mountPoint;
        }
    }
}

TEST(MachineVolumes, AnUnknownBlockDeviceIsNotRemovable) {
    EXPECT_FALSE(filelist::IsRemovableBlockDevice(4095, 1048575));
}

} // namespace
