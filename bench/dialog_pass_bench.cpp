// Decimal point insertion run from the main window as a user runs it: the
// file selected in the list, I pressed, OK clicked in the dialog. Run by
// bench/dialog_bench.sh:
//   dialog_pass_bench FILE [RUNS]    RUNS passes (default 10), best and median seconds
// A pass is timed from the OK click until the completion box is asked for,
// which happens once the output is renamed into place and the folder listed
// again; opening the window, showing the dialog and the box are not counted.
// The output of the last pass is left beside FILE for the script to compare.

#include "application_setup.h"
#include "decimal_dialog.h"
#include "main_window.h"
#include "message_box.h"
#include "nc_commands.h"
#include "settings_file.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The window on `folder`, with its settings in `settings`, once it has listed it.
std::unique_ptr<app::MainWindow> OpenWindow(const QTemporaryDir& settings,
                                            const std::string& folder) {
    app::MainState state;
    state.CurrentDir = folder;
    const std::string path =
        QFile::encodeName(QDir(settings.path()).filePath("bench.INI")).toStdString();
    app::SaveSettings(path, state);
    auto window = std::make_unique<app::MainWindow>(
        app::ProgramFiles{path, QFile::encodeName(settings.path()).toStdString()});
    QEventLoop loop;
    bool listed = false;
    QObject::connect(window.get(), &app::MainWindow::FileListRefreshed, &loop, [&] {
        listed = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    window->show();
    if (!listed) loop.exec();
    return window;
}

// One pass: `name` selected, I pressed in the list, OK clicked once the
// dialog is up. Seconds from the click to the completion box, or nothing
// when the dialog did not open or the pass ended otherwise.
std::optional<double> TimePass(app::MainWindow& window, const std::string& name,
                               const QString& output) {
    std::optional<Clock::time_point> clicked, completed;
    platform::SetMessageResponder([&](const platform::MessageRequest& request) {
        const auto now = Clock::now();
        if (request.caption == "完了" && QFile::exists(output))
            completed = now;
        else
            std::fprintf(stderr, "box: %s\n", qPrintable(request.text));
        return platform::IDOK;
    });
    // The dialog is modal: the key press returns only once it has closed, so
    // the click comes from a timer that finds the dialog shown, as in the tests.
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<ncui::DecimalDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        watcher.stop();
        clicked = Clock::now();
        dialog->okButton()->click();
        if (dialog->isVisible()) dialog->reject(); // a failed pass leaves it open
    });
    watcher.start();
    window.SelectOnlyItem(window.fileModel()->FindName(name));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_I, Qt::NoModifier, "I");
    QApplication::sendEvent(window.fileList(), &key);
    platform::SetMessageResponder({});
    if (!clicked || !completed) return std::nullopt;
    return std::chrono::duration<double>(*completed - *clicked).count();
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: dialog_pass_bench FILE [RUNS]\n", stderr);
        return 2;
    }
    app::SetUpApplication(); // as the program does
    const QFileInfo source(QFile::decodeName(argv[1]));
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const std::string name = QFile::encodeName(source.fileName()).toStdString();
    const QString output =
        source.dir().filePath(QFile::decodeName(nc::NameWithSuffix(name, "_S").c_str()));

    QTemporaryDir settings;
    auto window = OpenWindow(settings, QFile::encodeName(source.absolutePath()).toStdString());
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        // As for the command-line tool: no old output to replace, and no
        // write-back of the last pass competing with this one.
        QFile::remove(output);
        sync();
        const auto pass = TimePass(*window, name, output);
        if (!pass) {
            std::fputs("the pass did not complete\n", stderr);
            return 1;
        }
        seconds.push_back(*pass);
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t middle = seconds.size() / 2;
    const double median =
        seconds.size() % 2 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
    std::printf("best_seconds %.4f\nmedian_seconds %.4f\n", seconds.front(), median);
    return 0;
}
