#include "file_batch.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

namespace cli {
namespace {

std::mutex g_errorMutex;

} // namespace

void WriteError(const std::string& message) {
    const std::lock_guard lock(g_errorMutex);
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fflush(stderr);
}

std::size_t RunOnEachFile(const std::vector<std::string>& files, unsigned workers,
                          const FileTask& task, const FailureReport& report) {
    std::atomic<std::size_t> next = 0;
    std::atomic<std::size_t> failed = 0;
    std::mutex reportMutex;
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            try {
                task(files[i]);
            } catch (const std::exception& failure) {
                ++failed;
                const std::lock_guard lock(reportMutex);
                report(files[i], failure);
            }
        }
    };
    const std::size_t threads =
        std::clamp<std::size_t>(workers, 1, std::max<std::size_t>(files.size(), 1));
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < threads; ++i)
        helpers.emplace_back(work);
    work();
    for (auto& helper : helpers)
        helper.join();
    return failed;
}

} // namespace cli
