#pragma once

#include "copy_engine.h"

#include <string>
#include <vector>

namespace fileops {

// The sources of a move across file systems whose copies in one folder are
// complete and synced: they are removed only after that folder itself has
// been synced, so that a crash at any moment leaves every file in one place
// at least. One folder sync serves the whole batch.
class RemovalBatch final {
  public:
    // `copiesFolder` is the open folder holding the copies.
    explicit RemovalBatch(int copiesFolder) : m_copiesFolder(copiesFolder) {}

    // `sourceFolder` must stay open until Flush.
    void Add(int sourceFolder, std::string name, bool folder, std::string path);

    // Syncs the copies' folder, then removes the sources. Returns what could
    // not be removed (the copies stay: nothing is lost).
    std::vector<TransferFailure> Flush();

  private:
    struct Source {
        int folder;
        std::string name;
        bool isFolder;
        std::string path;
    };
    int m_copiesFolder;
    std::vector<Source> m_sources;
};

} // namespace fileops
