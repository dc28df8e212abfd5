#include "command_binding.h"

#include "list_keys.h"

#include <QAction>
#include <QWidget>

namespace app {

void BindCommand(QWidget& window, ListKeys& keys, std::initializer_list<const char*> actionNames,
                 char key, const std::function<void()>& command) {
    for (const char* name : actionNames) {
        auto* action = window.findChild<QAction*>(name);
        Q_ASSERT_X(action, "BindCommand", name);
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, &keys, [command] { command(); });
    }
    if (key != 0) keys.Bind(key, command);
}

} // namespace app
