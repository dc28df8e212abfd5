#include "file_mask.h"

#include "paths.h"

#include <algorithm>

namespace filelist {
namespace {

std::string MaskExtension(const std::string& mask) {
    return UpperAscii(mask.empty() ? mask : mask.substr(1));
}

} // namespace

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return text;
}

FileMask::FileMask(const std::string& mask) {
    m_list = mask.find_first_of(",|") != std::string::npos;
    if (!m_list) {
        m_all = mask == "*.*";
        m_extensions.push_back(MaskExtension(mask));
        return;
    }
    // Cut at every "," and "|": a separator at the very end adds no part,
    // two in a row give an empty part (which passes names without extension).
    std::size_t start = 0;
    while (start < mask.size()) {
        const auto end = std::min(mask.find_first_of(",|", start), mask.size());
        m_parts.push_back(mask.substr(start, end - start));
        start = end + 1;
    }
    for (const auto& part : m_parts)
        m_extensions.push_back(MaskExtension(part));
}

bool FileMask::Passes(const std::string& fileName) const {
    if (m_all) return true;
    const std::string extension = UpperAscii(platform::ExtensionOf(fileName));
    return std::find(m_extensions.begin(), m_extensions.end(), extension) != m_extensions.end();
}

} // namespace filelist
