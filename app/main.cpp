// Tornwel: a file manager for the part programs of NC machine tools.

#include "application_setup.h"
#include "instance_lock.h"
#include "main_window.h"
#include "paths.h"
#include "settings_location.h"
#include "start_path.h"
#include "start_target.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a long message; say in one line what to do.
bool HasDisplay() {
    const char* platformName = std::getenv("QT_QPA_PLATFORM");
    if (platformName && *platformName) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

std::string ExecutablePath(const char* argv0) {
    char resolved[4096];
    const ssize_t length = ::readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    if (length > 0) return std::string(resolved, static_cast<std::size_t>(length));
    return argv0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string executable = ExecutablePath(argv[0]);
    // Keyed by the executable's own file name: a copy under another name runs beside it.
    const std::string name = platform::SplitPath(executable).second;
    const auto startPath = app::StartPathArgument(std::vector<std::string>(argv + 1, argv + argc));
    const platform::InstanceLock lock(name);
    if (!lock.acquired()) return app::HandOverToRunningInstance(argc, argv, name, startPath);
    if (!HasDisplay()) {
        std::fputs("tornwel: no display found; run it inside a desktop session, or with "
                   "xvfb-run build/bin/tornwel, or with QT_QPA_PLATFORM=offscreen\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    app::SetUpApplication();
    // The installed desktop entry and icon, when there are any.
    QGuiApplication::setDesktopFileName("tornwel");
    QApplication::setWindowIcon(QIcon::fromTheme("tornwel"));

    const std::string settingsPath = platform::SettingsFilePath(executable);
    app::MainWindow window({settingsPath, platform::SplitPath(settingsPath).first});
    app::ServeStartPaths(window, name, startPath);
    window.show();
    return application.exec();
}
