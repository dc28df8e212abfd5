#include "transfer_progress_dialog.h"

#include "conflict_question.h"
#include "display_text.h"
#include "file_list_model.h"
#include "transfer_texts.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <thread>

namespace fileopsui {
namespace {

// A transfer that ends sooner does not flash a window at the user.
constexpr int kShowDelayMs = 400;
// Often enough to look fluid, rarely enough to cost nothing.
constexpr int kRefreshMs = 30;
constexpr int kBarSteps = 1000;
constexpr int kNameWidth = 380;

QString ByteText(std::uint64_t bytes) {
    constexpr double kMiB = 1024.0 * 1024.0;
    if (bytes < (1u << 20)) return filelist::SizeText(bytes);
    const double mib = static_cast<double>(bytes) / kMiB;
    if (mib < 1024.0) return QString::number(mib, 'f', 1) + "MB";
    return QString::number(mib / 1024.0, 'f', 2) + "GB";
}

int BarValue(const fileops::TransferProgress& progress) {
    if (progress.bytesTotal > 0) {
        return static_cast<int>(progress.bytesDone * kBarSteps / progress.bytesTotal);
    }
    if (progress.filesTotal > 0) {
        return static_cast<int>(progress.filesDone * kBarSteps / progress.filesTotal);
    }
    return 0;
}

} // namespace

TransferProgressDialog::TransferProgressDialog(QWidget* owner, const QString& caption)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_nameLabel(new QLabel(this)), m_fileCountLabel(new QLabel(this)),
      m_byteCountLabel(new QLabel(this)), m_progressBar(new QProgressBar(this)),
      m_cancelButton(new QPushButton(kCancelButton, this)) {
    setObjectName("TransferProgress");
    setWindowTitle(caption);
    setModal(true);
    m_nameLabel->setObjectName("NameLabel");
    m_nameLabel->setFixedWidth(kNameWidth);
    m_nameLabel->setAccessibleName("処理中のﾌｧｲﾙ");
    m_fileCountLabel->setObjectName("FileCountLabel");
    m_byteCountLabel->setObjectName("ByteCountLabel");
    m_progressBar->setObjectName("ProgressBar1");
    m_progressBar->setRange(0, kBarSteps);
    m_progressBar->setTextVisible(false);
    m_progressBar->setAccessibleName("進行状況");
    m_cancelButton->setObjectName("CancelButton");
    m_cancelButton->setAutoDefault(false);

    auto* counts = new QHBoxLayout;
    counts->addWidget(m_fileCountLabel);
    counts->addStretch();
    counts->addWidget(m_byteCountLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_nameLabel);
    layout->addWidget(m_progressBar);
    layout->addLayout(counts);
    layout->addLayout(buttons);
    connect(m_cancelButton, &QPushButton::clicked, this, &TransferProgressDialog::reject);
}

fileops::TransferReport TransferProgressDialog::Run(fileops::Transfer& transfer) {
    m_transfer = &transfer;
    m_finished = false;
    m_cancelButton->setEnabled(true);
    ShowProgress(fileops::TransferProgress{});
    fileops::TransferReport report;
    const fileops::TransferCallbacks callbacks = Callbacks();
    std::thread worker([this, &transfer, &report, &callbacks] {
        report = transfer.Run(callbacks);
        QMetaObject::invokeMethod(
            this, [this] { Finished(); }, Qt::QueuedConnection);
    });
    QTimer refresh;
    connect(&refresh, &QTimer::timeout, this, qOverload<>(&TransferProgressDialog::ShowProgress));
    refresh.start(kRefreshMs);
    WaitBeforeShowing();
    if (!m_finished) exec();
    // Only a close from outside ends the window early: the transfer stops
    // then, and its last question (if any) is answered with a cancel.
    if (!m_finished) transfer.Cancel();
    while (!m_finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    worker.join();
    m_transfer = nullptr;
    return report;
}

fileops::TransferCallbacks TransferProgressDialog::Callbacks() {
    fileops::TransferCallbacks callbacks;
    callbacks.progress = [this](const fileops::TransferProgress& progress) {
        const std::lock_guard lock(m_progressMutex);
        m_progress = progress;
        m_progressChanged = true;
    };
    callbacks.askConflict = [this](const fileops::Conflict& conflict) {
        return WaitForAnswer(conflict);
    };
    return callbacks;
}

// The first moment: the window is not shown yet, and input to the windows
// below it waits, as it would behind a modal window.
void TransferProgressDialog::WaitBeforeShowing() {
    if (m_finished) return;
    QEventLoop wait;
    m_waitLoop = &wait;
    QTimer::singleShot(kShowDelayMs, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    m_waitLoop = nullptr;
}

// On the worker thread: hands the question to the GUI thread and waits.
fileops::ConflictAnswer TransferProgressDialog::WaitForAnswer(const fileops::Conflict& conflict) {
    std::promise<fileops::ConflictAnswer> answer;
    std::future<fileops::ConflictAnswer> answered = answer.get_future();
    QMetaObject::invokeMethod(
        this, [this, question = Question{&conflict, &answer}] { QuestionArrived(question); },
        Qt::QueuedConnection);
    return answered.get();
}

// A question is asked over the shown window: one that comes before the
// window is shown ends the first moment, and showEvent asks it. Once the
// window has been closed, every question is answered with a cancel.
void TransferProgressDialog::QuestionArrived(Question question) {
    m_question = question;
    if (m_waitLoop) {
        m_waitLoop->quit();
        return;
    }
    AskPendingQuestion();
}

void TransferProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &TransferProgressDialog::AskPendingQuestion);
}

void TransferProgressDialog::AskPendingQuestion() {
    if (!m_question) return;
    const Question question = *m_question;
    m_question.reset();
    ShowProgress();
    const bool stopping = !isVisible() || (m_transfer && m_transfer->cancelled());
    question.answer->set_value(stopping ? fileops::ConflictAnswer::Cancel
                                        : AskReplace(this, *question.conflict));
}

void TransferProgressDialog::ShowProgress() {
    fileops::TransferProgress progress;
    {
        const std::lock_guard lock(m_progressMutex);
        if (!m_progressChanged) return;
        m_progressChanged = false;
        progress = m_progress;
    }
    ShowProgress(progress);
}

void TransferProgressDialog::ShowProgress(const fileops::TransferProgress& progress) {
    const QString name = platform::DisplayText(progress.currentName);
    m_nameLabel->setText(
        m_nameLabel->fontMetrics().elidedText(name, Qt::ElideMiddle, m_nameLabel->width()));
    m_nameLabel->setToolTip(name);
    m_fileCountLabel->setText(QString(kFileCount).arg(progress.filesDone).arg(progress.filesTotal));
    m_byteCountLabel->setText(
        QString(kByteCount).arg(ByteText(progress.bytesDone), ByteText(progress.bytesTotal)));
    m_progressBar->setValue(BarValue(progress));
}

void TransferProgressDialog::reject() {
    if (m_finished || !m_transfer) {
        QDialog::reject();
        return;
    }
    m_transfer->Cancel();
    m_cancelButton->setEnabled(false);
}

void TransferProgressDialog::Finished() {
    m_finished = true;
    ShowProgress();
    if (m_waitLoop) m_waitLoop->quit();
    if (isVisible()) done(Accepted);
}

} // namespace fileopsui
