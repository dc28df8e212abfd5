#pragma once

#include <string>

namespace fileops {

// Whether two paths name the same folder: the same device and inode, so a
// different spelling, a link or a bind mount of one folder counts as the
// same. False when either cannot be examined.
bool IsSameFolder(const std::string& a, const std::string& b);

// Whether `path` is the folder `folder` or lies below it: some folder on the
// canonical path of `path` (realpath: links resolved) is `folder` by device
// and inode. False when either cannot be examined.
bool IsSameOrInside(const std::string& path, const std::string& folder);

} // namespace fileops
