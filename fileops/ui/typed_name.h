#pragma once

#include <QString>
#include <string>

namespace fileopsui {

// The bytes of a name typed for the entry `oldName`. A text that reads as the
// old name, or as one of its case changes, keeps the old name's encoding, so
// that a name stored in CP932 is not re-encoded by an edit that keeps its
// characters; any other text is taken as typed (UTF-8).
std::string NameForText(const QString& text, const std::string& oldName);

} // namespace fileopsui
