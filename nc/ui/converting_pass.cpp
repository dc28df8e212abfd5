#include "converting_pass.h"

#include "display_text.h"
#include "nc_error.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QTimer>
#include <exception>
#include <thread>

namespace ncui {
namespace {

// 30 ms: smooth to the eye, and rare enough to cost the pass nothing.
constexpr int kProgressInterval = 30;
constexpr int kProgressSteps = 1000;

PassFailure FailureOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const nc::NcError& error) {
        QString message = platform::DisplayText(error.what());
        if (!error.reason().empty()) message += "\n" + QString::fromLocal8Bit(error.reason());
        return {message, nc::IsInvalidNumberMessage(error.what())};
    } catch (const std::exception& error) {
        return {QString::fromLocal8Bit(error.what())};
    }
}

} // namespace

std::optional<PassFailure> ConvertingPass::Run(QProgressBar* bar, const Work& work,
                                               const std::function<void()>& tick) {
    m_running = true;
    m_done = 0;
    m_total = 0;
    if (bar) {
        bar->setRange(0, kProgressSteps);
        bar->setValue(0);
    }
    QEventLoop loop;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        ShowProgress(bar);
        if (tick) tick();
    });
    timer.start(kProgressInterval);

    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work([this](std::uint64_t done, std::uint64_t total) {
                m_total.store(total, std::memory_order_relaxed);
                m_done.store(done, std::memory_order_relaxed);
            });
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    timer.stop();
    if (tick) tick();
    m_running = false;
    if (failure) return FailureOf(failure);
    if (bar) bar->setValue(bar->maximum());
    return std::nullopt;
}

void ConvertingPass::ShowProgress(QProgressBar* bar) const {
    const std::uint64_t total = m_total.load(std::memory_order_relaxed);
    if (!bar || total == 0) return;
    const std::uint64_t done = std::min(m_done.load(std::memory_order_relaxed), total);
    bar->setValue(static_cast<int>(done * kProgressSteps / total));
}

} // namespace ncui
