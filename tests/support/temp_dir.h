#pragma once

#include <string>
#include <string_view>

namespace testsupport {

// A fresh folder under $TMPDIR, removed with everything in it at the end.
class TempDir final {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Writes a file below the folder (creating its folders) and returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const;

  private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// The names in a folder, sorted.
std::string ListNames(const std::string& folder);

} // namespace testsupport
