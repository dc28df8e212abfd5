#pragma once

#include "file_list_model.h"

#include <vector>

namespace filelist {

// SortKind: 1 name, 2 size (whole KB as shown), 3 type text, 4 modified
// minute, 5 attribute letters; any other kind keeps the order. Descending is
// the exact opposite of ascending; rows that compare equal keep their order.
void SortFileRows(std::vector<FileRow>& rows, int sortKind, bool descending,
                  const FileListModel& texts);

// Folders always go in ascending name order.
void SortByName(std::vector<FileRow>& rows);

} // namespace filelist
