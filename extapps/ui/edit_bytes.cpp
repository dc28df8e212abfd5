#include "edit_bytes.h"

#include "display_text.h"

#include <QLineEdit>
#include <QVariant>

namespace extapps {
namespace {

constexpr const char* kBytesProperty = "shownBytes";

} // namespace

void SetEditBytes(QLineEdit& edit, const std::string& bytes) {
    edit.setProperty(kBytesProperty, QByteArray::fromStdString(bytes));
    edit.setText(platform::DisplayText(bytes));
}

std::string EditBytes(const QLineEdit& edit) {
    const std::string shown = edit.property(kBytesProperty).toByteArray().toStdString();
    if (edit.text() == platform::DisplayText(shown)) return shown;
    return edit.text().toStdString();
}

} // namespace extapps
