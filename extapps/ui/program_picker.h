#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace extapps {

// Lets the user choose a program file. The picker opens in the folder of
// `current` (the program chosen so far) when that folder exists, with that
// file chosen, else in /usr/bin. Returns the chosen path, or nothing when the
// user cancels.
std::optional<std::string> PickProgram(QWidget* owner, const QString& title,
                                       const std::string& current);

} // namespace extapps
