#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

// A scratch folder for one run of a file command, removed afterwards.
class FuzzFolder {
  public:
    FuzzFolder() {
        char pattern[] = "/tmp/tornwel-fuzz-XXXXXX";
        m_path = ::mkdtemp(pattern);
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string Write(const std::string& name, std::string_view bytes) const {
        const std::string path = m_path + "/" + name;
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        return path;
    }
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};
