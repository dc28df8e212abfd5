#pragma once

#include <QString>
#include <string>

namespace platform {

// How a raw name or path is shown: UTF-8 when valid, else CP932. File
// operations always keep using the raw bytes.
QString DisplayText(const std::string& bytes);

} // namespace platform
