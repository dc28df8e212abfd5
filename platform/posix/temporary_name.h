#pragma once

#include <string>

namespace platform {

// A fresh hidden name beside a file: ".NAME.tornwel-XXXXXX", with NAME
// shortened when the whole would be too long for a file name.
std::string TemporaryName(const std::string& finalName);

// The /proc path through which an open descriptor's file can be reached.
std::string ProcFdPath(int fd);

// Whether an unnamed file can be linked into a folder through /proc (mounted,
// and showing this very file); linkat with AT_EMPTY_PATH would need
// CAP_DAC_READ_SEARCH.
bool CanLinkThroughProc(int fd);

} // namespace platform
