#pragma once

#include <string>

namespace fileops {

// The name of the n-th new folder: "新規ﾌｫﾙﾀﾞ" for 1, "新規ﾌｫﾙﾀﾞ(n)" from 2 on.
std::string NewFolderName(int number);

// The highest number tried; when every name up to it is taken, no folder is made.
constexpr int kLastNewFolderNumber = 99;

struct NewFolderResult {
    std::string name; // the folder made; empty when none was
    int error = 0;    // errno value when none was (EEXIST: every name is taken)
};

// Makes the first free one of the new-folder names in `folder`. A name is
// taken by any entry, a file included, and the folder is made by the test
// itself (mkdir), so a name another program takes meanwhile is skipped too.
NewFolderResult CreateNewFolder(const std::string& folder);

} // namespace fileops
