// Measurements of the file list, run by bench/listing_bench.sh:
//   listing_bench refresh FOLDER   RefreshFileList of FOLDER: seconds and memory per row,
//                                  then a re-sort of its rows by each key
//   listing_bench startup          quits once the first listing of $HOME is shown
//   listing_bench bare             a bare Qt window with an empty list, quits when shown
//   listing_bench bare-text        the same with a line of Japanese text

#include "application_setup.h"
#include "main_window.h"
#include "settings_file.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

// The wall clock when a window is ready; the script subtracts its own clock
// reading taken just before starting the process.
void PrintReadyTime() {
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("ready_at %lld%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
}

// Kilobytes of a /proc/self/status line such as "VmRSS:".
long StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
    }
    return 0;
}

std::unique_ptr<app::MainWindow> OpenWindow(const QTemporaryDir& settings,
                                            const std::string& folder) {
    app::MainState state;
    state.CurrentDir = folder;
    const std::string path = QDir(settings.path()).filePath("bench.INI").toStdString();
    app::SaveSettings(path, state);
    return std::make_unique<app::MainWindow>(
        app::ProgramFiles{path, settings.path().toStdString()});
}

// A header click or the sort dialog: the rows sorted again without reading
// the folder, by each key in both directions (best of three each).
void Resort(app::MainWindow& window) {
    for (const char* key : {"N", "S", "T", "D", "A"}) {
        for (const char* direction : {"U", "D"}) {
            double best = 1e9;
            for (int run = 0; run < 3; ++run) {
                window.state().SortKey = key;
                window.state().SortDirection = direction;
                QElapsedTimer timer;
                timer.start();
                window.RefreshFileList(false, true, true);
                best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e9);
            }
            std::printf("resort_%s%s_seconds %.3f\n", key, direction, best);
        }
    }
}

int Refresh(QApplication& application, const std::string& folder) {
    QTemporaryDir settings;
    auto window = OpenWindow(settings, "/");
    window->show();
    application.processEvents();
    const long before = StatusKilobytes("VmRSS:"); // the empty window
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        window->state().CurrentDir = folder;
        QElapsedTimer timer;
        timer.start();
        window->RefreshFileList(false, false, false);
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e9);
        application.processEvents();
    }
    const auto perRow = [&](long kilobytes) {
        return static_cast<double>(kilobytes - before) * 1024.0 / window->fileModel()->rowCount();
    };
    std::printf("rows %d\nrefresh_seconds %.3f\npeak_bytes_per_row %.0f\nheld_bytes_per_row %.0f\n",
                window->fileModel()->rowCount(), best, perRow(StatusKilobytes("VmHWM:")),
                perRow(StatusKilobytes("VmRSS:")));
    Resort(*window);
    return 0;
}

// Started as the program starts: no settings file, so the folder listed is
// the home folder, which the script sets.
int Startup(QApplication& application) {
    auto window = std::make_unique<app::MainWindow>(
        app::ProgramFiles{"/nonexistent/bench.INI", "/nonexistent"});
    QObject::connect(window.get(), &app::MainWindow::FileListRefreshed, &application, [] {
        PrintReadyTime();
        // Closing would write the settings; the measurement ends here.
        std::_Exit(0);
    });
    window->show();
    return application.exec();
}

int Bare(QApplication& application, bool japaneseText) {
    QMainWindow window;
    window.setCentralWidget(new QTreeView(&window));
    // For reference: the same window with one line of Japanese text, which
    // brings in the font loading that any window of the program pays for.
    if (japaneseText)
        window.setWindowTitle("ﾌｧｲﾙ ﾌｫﾙﾀﾞ"), window.statusBar()->showMessage("ﾌｧｲﾙ ﾌｫﾙﾀﾞ");
    QTimer::singleShot(0, &application, [&] {
        PrintReadyTime();
        application.quit();
    });
    return application.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "bare" && mode != "bare-text") app::SetUpApplication(); // as the program does
    if (mode == "refresh" && argc > 2) return Refresh(application, argv[2]);
    if (mode == "startup") return Startup(application);
    if (mode == "bare") return Bare(application, false);
    if (mode == "bare-text") return Bare(application, true);
    std::fputs("usage: listing_bench refresh FOLDER | startup | bare | bare-text\n", stderr);
    return 2;
}
