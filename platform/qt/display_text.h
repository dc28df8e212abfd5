#pragma once

#include <QString>
#include <string>

namespace platform {

// How a raw name or path is shown: UTF-8 when valid, else CP932. File
// operations always keep using the raw bytes.
QString DisplayText(const std::string& bytes);

// The bytes of a text typed by the user, for use as a path (UTF-8).
std::string TypedBytes(const QString& text);

} // namespace platform
