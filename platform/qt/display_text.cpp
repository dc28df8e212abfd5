#include "display_text.h"

#include "encoding.h"

namespace platform {

QString DisplayText(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return QString::fromStdString(bytes);
    if (auto utf8 = Cp932ToUtf8(bytes)) return QString::fromStdString(*utf8);
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace platform
