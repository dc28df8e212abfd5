// The file operations as bench/fileops_bench.sh times them:
//   fileops_bench tree FOLDER FOLDERS FILES BYTES   makes FOLDERS x FILES files of BYTES
//   fileops_bench copy DESTINATION SOURCE...        copies like the copy dialog
//   fileops_bench move DESTINATION SOURCE...        moves like the move dialog
//   fileops_bench trash FOLDER                      trashes every entry of FOLDER
// Exit status 0 when everything went, 1 otherwise.

#include "copy_engine.h"
#include "paths.h"
#include "trash.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

int MakeTree(const std::string& root, int folders, int files, std::size_t bytes) {
    std::string data(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        data[i] = static_cast<char>('0' + (i * 7919 % 75));
    ::mkdir(root.c_str(), 0755);
    for (int f = 0; f < folders; ++f) {
        const std::string folder = platform::JoinPath(root, "D" + std::to_string(f));
        if (::mkdir(folder.c_str(), 0755) != 0) return 1;
        for (int n = 0; n < files; ++n) {
            const std::string path = platform::JoinPath(folder, "O" + std::to_string(n) + ".NC");
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            data[0] = static_cast<char>('A' + n % 26); // no two files alike
            const bool written =
                fd >= 0 && ::write(fd, data.data(), data.size()) == static_cast<ssize_t>(bytes);
            if (fd >= 0) ::close(fd);
            if (!written) return 1;
        }
    }
    return 0;
}

int Transfer(fileops::TransferKind kind, const std::string& destination,
             std::vector<std::string> sources) {
    fileops::Transfer transfer(kind, std::move(sources), destination);
    fileops::TransferCallbacks callbacks;
    // A dialog's handover: keep the latest numbers, nothing more.
    fileops::TransferProgress latest;
    callbacks.progress = [&latest](const fileops::TransferProgress& progress) {
        latest.bytesDone = progress.bytesDone;
        latest.filesDone = progress.filesDone;
    };
    const auto report = transfer.Run(callbacks);
    for (const auto& failure : report.failures)
        std::fprintf(stderr, "%s: %s\n", failure.path.c_str(), failure.reason.c_str());
    std::printf("files %llu bytes %llu\n", static_cast<unsigned long long>(latest.filesDone),
                static_cast<unsigned long long>(latest.bytesDone));
    return report.status == fileops::TransferStatus::Done ? 0 : 1;
}

int TrashAll(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 1;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    const auto failures = fileops::MoveEntriesToTrash(folder, names);
    for (const auto& failure : failures)
        std::fprintf(stderr, "%s: %s\n", failure.name.c_str(), failure.reason.c_str());
    std::printf("trashed %zu\n", names.size() - failures.size());
    return failures.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 5 && args[0] == "tree") {
        return MakeTree(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()),
                        std::strtoull(args[4].c_str(), nullptr, 10));
    }
    if (args.size() >= 3 && (args[0] == "copy" || args[0] == "move")) {
        return Transfer(args[0] == "copy" ? fileops::TransferKind::Copy
                                          : fileops::TransferKind::Move,
                        args[1], std::vector<std::string>(args.begin() + 2, args.end()));
    }
    if (args.size() == 2 && args[0] == "trash") return TrashAll(args[1]);
    std::fprintf(stderr, "usage: fileops_bench tree|copy|move|trash ...\n");
    return 2;
}
