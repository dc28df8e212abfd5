// Measurements of the folder watcher, run by bench/watcher_bench.sh:
//   watcher_bench FOLDER IDLE_SECONDS FILES
// watches FOLDER, lets the event loop wait IDLE_SECONDS with nothing changing
// and prints the processor time the process took meanwhile (the wake-up that
// ends the wait included) and how often it woke up; then creates
// FILES files in FOLDER from a second thread as fast as it can and prints how
// many signals came and how long after the first creation the first one did.

#include "folder_watcher.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The signals of the burst have all come this long after its last creation.
constexpr int kSettleMilliseconds = 3000;

long long Microseconds(const timeval& time) {
    return static_cast<long long>(time.tv_sec) * 1000000 + time.tv_usec;
}

long long CpuMicroseconds(int who) {
    struct rusage usage {};
    getrusage(who, &usage);
    return Microseconds(usage.ru_utime) + Microseconds(usage.ru_stime);
}

// How often the process has given up the processor, waking up afterwards.
long ContextSwitches() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// Runs the event loop for this long.
void RunFor(int milliseconds) {
    QTimer::singleShot(milliseconds, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
}

struct Burst {
    Clock::time_point firstCreation;
    Clock::time_point lastCreation;
    int failed = 0;
};

void CreateFiles(const std::string& folder, int files, Burst& burst) {
    burst.firstCreation = Clock::now();
    for (int i = 0; i < files; ++i) {
        const std::string path = folder + "/F" + std::to_string(i) + ".NC";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd < 0 || ::close(fd) != 0) ++burst.failed;
    }
    burst.lastCreation = Clock::now();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: watcher_bench FOLDER IDLE_SECONDS FILES\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int idleSeconds = std::atoi(argv[2]);
    const int files = std::atoi(argv[3]);

    filelist::FolderWatcher watcher;
    if (!watcher.Watch(folder)) {
        std::fprintf(stderr, "cannot watch %s\n", folder.c_str());
        return 1;
    }
    int signalCount = 0;
    Clock::time_point firstSignal;
    QObject::connect(&watcher, &filelist::FolderWatcher::FolderChanged, [&] {
        if (signalCount++ == 0) firstSignal = Clock::now();
    });

    // A first short run pays for what the event loop sets up once.
    RunFor(100);
    const long long idleBefore = CpuMicroseconds(RUSAGE_SELF);
    const long switchesBefore = ContextSwitches();
    std::printf("idle_start\n"); // the script measures the wait from outside too
    std::fflush(stdout);
    RunFor(idleSeconds * 1000);
    const long long idleCpu = CpuMicroseconds(RUSAGE_SELF) - idleBefore;
    const long switches = ContextSwitches() - switchesBefore;
    std::printf("idle_seconds %d\nidle_cpu_microseconds %lld\nidle_context_switches %ld\n"
                "idle_signals %d\n",
                idleSeconds, idleCpu, switches, signalCount);

    signalCount = 0;
    Burst burst;
    const long long burstBefore = CpuMicroseconds(RUSAGE_THREAD);
    std::thread creator([&] {
        CreateFiles(folder, files, burst);
        QMetaObject::invokeMethod(
            &app,
            [] {
                QTimer::singleShot(kSettleMilliseconds, QCoreApplication::instance(),
                                   &QCoreApplication::quit);
            },
            Qt::QueuedConnection);
    });
    QCoreApplication::exec(); // until the burst has settled
    creator.join();
    const long long burstCpu = CpuMicroseconds(RUSAGE_THREAD) - burstBefore;
    std::printf("burst_files %d\nburst_failed %d\nburst_create_ms %.1f\n", files, burst.failed,
                Milliseconds(burst.lastCreation - burst.firstCreation));
    std::printf("burst_signals %d\nburst_first_signal_ms %.1f\nburst_watcher_cpu_ms %.1f\n",
                signalCount, signalCount ? Milliseconds(firstSignal - burst.firstCreation) : -1.0,
                static_cast<double>(burstCpu) / 1000);
    return 0;
}
