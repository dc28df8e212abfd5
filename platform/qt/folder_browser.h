#pragma once

#include <QString>
#include <string>

class QWidget;

namespace platform {

// Lets the user choose a folder, starting at `startFolder`. Returns the chosen
// folder; on cancel the start folder, or an empty text when it does not exist.
std::string BrowseForFolder(QWidget* owner, const QString& title, const std::string& startFolder);

} // namespace platform
