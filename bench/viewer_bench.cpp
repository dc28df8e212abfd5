// Measurements of the text viewer on one file, run by bench/viewer_bench.sh:
//   viewer_bench FILE TEXT
// The main window lists the file's folder with the file selected; prints the
// seconds from the V key to the first page painted, until the rows are all
// indexed, for a jump to the end, for finding TEXT from the start (matching
// case, then not), and the peak memory above the window before V.

#include "file_list_model.h"
#include "main_window.h"
#include "message_box.h"
#include "settings_file.h"
#include "text_viewer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

// Kilobytes of a /proc/self/status line such as "VmRSS:".
long StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
    }
    return 0;
}

// Starts the peak (VmHWM) afresh at the current size.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void SettleEvents(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

void Press(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers,
           const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
}

// The main window on the file's folder with the file's row selected, or
// nothing when the row is not listed.
std::unique_ptr<app::MainWindow> OpenWindowOn(const QTemporaryDir& settings,
                                              const QFileInfo& file) {
    app::MainState state;
    state.CurrentDir = QFile::encodeName(file.absolutePath()).toStdString();
    const std::string path =
        QFile::encodeName(QDir(settings.path()).filePath("bench.INI")).toStdString();
    app::SaveSettings(path, state);
    auto window = std::make_unique<app::MainWindow>(
        app::ProgramFiles{path, QFile::encodeName(settings.path()).toStdString()});
    window->resize(1000, 700);
    window->show();
    QElapsedTimer waited;
    waited.start();
    while (window->fileModel()->rowCount() == 0 && waited.elapsed() < 10000)
        SettleEvents(10);
    const int row = window->fileModel()->FindName(QFile::encodeName(file.fileName()).toStdString());
    if (row < 0) return nullptr;
    window->SelectOnlyItem(row);
    SettleEvents(300);
    return window;
}

// Seconds of one action followed by a synchronous paint of what it shows.
template <typename Action> double TimedPaint(viewer::TextViewer& view, Action action) {
    QElapsedTimer timer;
    timer.start();
    action();
    view.viewport()->repaint();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double TimedFind(viewer::TextViewer& view, const QString& text, bool matchCase) {
    Press(view, Qt::Key_Home, Qt::ControlModifier);
    bool found = false;
    const double seconds = TimedPaint(view, [&] { found = view.FindNext(text, matchCase); });
    if (!found) std::printf("  (not found: %s)\n", qPrintable(text));
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: viewer_bench FILE TEXT\n");
        return 2;
    }
    // A missing text must not wait for a click on its message box.
    platform::SetMessageResponder([](const platform::MessageRequest&) { return platform::IDOK; });
    QTemporaryDir settings;
    const auto window = OpenWindowOn(settings, QFileInfo(QFile::decodeName(argv[1])));
    if (!window) {
        std::fprintf(stderr, "viewer_bench: %s is not listed\n", argv[1]);
        return 1;
    }
    auto& view = *window->findChild<viewer::TextViewer*>("TextView");
    const long emptyKilobytes = StatusKilobytes("VmRSS:");
    ResetPeak();

    const double firstPage =
        TimedPaint(view, [&] { Press(*window->fileList(), Qt::Key_V, Qt::NoModifier, "v"); });
    if (!view.isVisible()) {
        std::fprintf(stderr, "viewer_bench: V did not open the viewer\n");
        return 1;
    }
    const QStringList shown = view.visibleLines();
    QElapsedTimer indexing;
    indexing.start();
    while (!view.indexComplete())
        SettleEvents(5);
    const double indexed = static_cast<double>(indexing.nsecsElapsed()) / 1e9 + firstPage;
    const double toEnd = TimedPaint(view, [&] { Press(view, Qt::Key_End, Qt::ControlModifier); });
    const QString lastRow = view.visibleLines().isEmpty() ? QString() : view.visibleLines().last();
    const QString text = QString::fromLocal8Bit(argv[2]);
    const double findCase = TimedFind(view, text, true);
    const double findAnyCase = TimedFind(view, text.toLower(), false);
    const long peakKilobytes = StatusKilobytes("VmHWM:");

    std::printf("first_page %.4f s (%lld rows shown, first: %s)\n", firstPage,
                static_cast<long long>(shown.size()), qPrintable(shown.value(0)));
    std::printf("indexed %.3f s (%llu rows)\n", indexed,
                static_cast<unsigned long long>(view.knownRows()));
    std::printf("to_end %.4f s (last row: %s)\n", toEnd, qPrintable(lastRow));
    std::printf("find_case %.3f s\n", findCase);
    std::printf("find_any_case %.3f s (row %llu on top)\n", findAnyCase,
                static_cast<unsigned long long>(view.firstVisibleRow()));
    std::printf("peak_above_window %.1f MB (window before V %.1f MB)\n",
                static_cast<double>(peakKilobytes - emptyKilobytes) / 1024,
                static_cast<double>(emptyKilobytes) / 1024);
    return 0;
}
