#pragma once

// Drives the modal dialogs of a command: the command is started, and once its
// dialog is shown a test step acts on it; the call returns when the dialog
// has closed again.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

namespace testsupport {

// Starts the command with `start`; `act` runs on the dialog once it is shown
// modally. A dialog that `act` leaves open is closed after it. Returns
// whether a dialog was shown.
template <typename Dialog>
bool DriveDialog(const std::function<void()>& start, const std::function<void(Dialog&)>& act) {
    bool shown = false;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || shown) return;
        shown = true;
        watcher.stop();
        // Focus and keys reach a dialog once it is the active window.
        static_cast<void>(QTest::qWaitForWindowActive(dialog));
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    watcher.start();
    start();
    return shown;
}

} // namespace testsupport
