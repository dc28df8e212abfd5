#include "detached_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace extapps {

namespace {

// Highest descriptor marked close-on-exec when close_range is missing.
constexpr int kDescriptorScanLimit = 65536;

std::string FailureText(const std::string& program, const std::string& reason) {
    return program + " を起動できません。(" + reason + ")";
}

std::string ReasonOf(int error) {
    return std::generic_category().message(error);
}

int DescriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return kDescriptorScanLimit;
    return static_cast<int>(std::min<rlim_t>(limit.rlim_cur, kDescriptorScanLimit));
}

// Everything below runs between fork and exec, so it calls only
// async-signal-safe functions.

void ReportAndExit(int reportFd, int error) {
    [[maybe_unused]] const auto written = ::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

void KeepOnlyStandardDescriptors(int descriptorLimit) {
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
    for (int fd = 3; fd < descriptorLimit; ++fd)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Signal dispositions set to "ignore" and the blocked mask survive exec; the
// new program starts from the defaults.
void ResetSignals() {
    for (int number = 1; number < NSIG; ++number)
        ::signal(number, SIG_DFL);
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

// The intermediate child: a new session, then the program in a grandchild,
// so the program is adopted by init and nobody has to reap it.
[[noreturn]] void RunIntermediate(const char* path, char* const* argv, int reportFd,
                                  int descriptorLimit) {
    ::setsid();
    const pid_t program = ::fork();
    if (program < 0) ReportAndExit(reportFd, errno);
    if (program == 0) {
        ResetSignals();
        KeepOnlyStandardDescriptors(descriptorLimit);
        ::execv(path, argv);
        ReportAndExit(reportFd, errno);
    }
    ::_exit(0);
}

// Waits for the intermediate child and reads the error the program's start
// reported; 0 when exec succeeded (the pipe closed on exec without a word).
int AwaitStart(pid_t intermediate, int reportFd) {
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(reportFd, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    while (::waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
    }
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

} // namespace

LaunchResult StartDetachedProcess(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    const auto holdsNul = [](const std::string& text) {
        return text.find('\0') != std::string::npos;
    };
    if (program.empty()) return {false, FailureText(program, ReasonOf(ENOENT))};
    if (holdsNul(program) || std::any_of(arguments.begin(), arguments.end(), holdsNul))
        return {false, FailureText(program, ReasonOf(EINVAL))};

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int descriptorLimit = DescriptorLimit();

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return {false, FailureText(program, ReasonOf(errno))};
    const pid_t intermediate = ::fork();
    if (intermediate == 0)
        RunIntermediate(program.c_str(), argv.data(), report[1], descriptorLimit);
    const int forkError = errno;
    ::close(report[1]);
    const int error = intermediate < 0 ? forkError : AwaitStart(intermediate, report[0]);
    ::close(report[0]);
    if (error != 0) return {false, FailureText(program, ReasonOf(error))};
    return {true, {}};
}

} // namespace extapps
