// A stand-in program for launch tests. It writes what it received and where it
// ran to the file named by TORNWEL_ARGV_RECORD, then exits. The record is three
// parts, each ended by a NUL byte: the working folder, the open descriptors
// above stderr (blank-separated), and then every argv entry from argv[0] on.
// It is written to a temporary name and renamed, so a reader never sees half
// a record.

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>

namespace {

std::string WorkingFolder() {
    char* folder = ::getcwd(nullptr, 0);
    std::string text = folder ? folder : "";
    std::free(folder);
    return text;
}

std::string OpenDescriptorsAboveStderr() {
    DIR* listing = ::opendir("/proc/self/fd");
    if (!listing) return "?";
    std::string text;
    while (const dirent* entry = ::readdir(listing)) {
        const int fd = std::atoi(entry->d_name);
        if (fd <= 2 || fd == ::dirfd(listing)) continue;
        text += (text.empty() ? "" : " ") + std::string(entry->d_name);
    }
    ::closedir(listing);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const char* target = std::getenv("TORNWEL_ARGV_RECORD");
    if (!target) return 2;
    std::string record = WorkingFolder() + '\0' + OpenDescriptorsAboveStderr() + '\0';
    for (int i = 0; i < argc; ++i)
        record += std::string(argv[i]) + '\0';
    const std::string part = std::string(target) + ".part";
    FILE* out = std::fopen(part.c_str(), "wb");
    if (!out) return 3;
    const bool written = std::fwrite(record.data(), 1, record.size(), out) == record.size();
    if (std::fclose(out) != 0 || !written) return 4;
    return std::rename(part.c_str(), target) == 0 ? 0 : 5;
}
