#pragma once

// Helpers of the widget tests: a temporary folder with the settings file, the
// main window opened on a folder, and a recorder that answers message boxes.

#include "main_window.h"
#include "message_box.h"
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace testsupport {

// Records every message box and answers it.
class BoxRecorder final {
  public:
    BoxRecorder() {
        platform::SetMessageResponder([this](const platform::MessageRequest& request) {
            boxes << request;
            return answer;
        });
    }
    ~BoxRecorder() { platform::SetMessageResponder({}); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    QList<platform::MessageRequest> boxes;
    int answer = platform::IDOK;
};

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    return file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A temporary folder holding the settings file of the window under test.
class WindowFixture final {
  public:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Writes a file below the folder, making its parent folders.
    bool Write(const QString& name, const QByteArray& bytes) const {
        return QDir().mkpath(QFileInfo(Path(name)).path()) && WriteBytes(Path(name), bytes);
    }
    std::string Bytes(const QString& name) const {
        return QFile::encodeName(Path(name)).toStdString();
    }

    // Opens the main window on a folder, with settings changed by `configure`,
    // and waits for its first listing.
    std::unique_ptr<app::MainWindow>
    Open(const QString& folder, const std::function<void(app::MainState&)>& configure = {}) {
        app::MainState state;
        state.CurrentDir = QFile::encodeName(folder).toStdString();
        if (configure) configure(state);
        app::SaveSettings(SettingsPath(), state);
        return OpenWithSettings();
    }

    std::unique_ptr<app::MainWindow> OpenWithSettings() {
        auto window = std::make_unique<app::MainWindow>(
            app::ProgramFiles{SettingsPath(), QFile::encodeName(m_dir.path()).toStdString()});
        QSignalSpy listed(window.get(), &app::MainWindow::FileListRefreshed);
        window->show();
        if (listed.isEmpty()) listed.wait(5000);
        return window;
    }

    std::string SettingsPath() const { return Bytes("tornwel.INI"); }

  private:
    QTemporaryDir m_dir;
};

} // namespace testsupport
