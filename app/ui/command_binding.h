#pragma once

#include <functional>
#include <initializer_list>

class QWidget;

namespace app {

class ListKeys;

// Connects a command to its tool button and menu items (found by object name
// under the window, and enabled) and to its key in the file list; `key` 0
// when it has none.
void BindCommand(QWidget& window, ListKeys& keys, std::initializer_list<const char*> actionNames,
                 char key, const std::function<void()>& command);

} // namespace app
