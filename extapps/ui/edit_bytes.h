#pragma once

#include <string>

class QLineEdit;

namespace extapps {

// A line edit holding a name or path: it shows the bytes decoded, and gives
// the very same bytes back as long as its text is left as shown, so a name
// that is not UTF-8 survives the round trip. Edited text is taken as UTF-8.
void SetEditBytes(QLineEdit& edit, const std::string& bytes);
std::string EditBytes(const QLineEdit& edit);

} // namespace extapps
