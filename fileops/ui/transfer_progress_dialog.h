#pragma once

#include "copy_engine.h"

#include <QDialog>
#include <future>
#include <mutex>
#include <optional>

class QEventLoop;
class QLabel;
class QProgressBar;
class QPushButton;

namespace fileopsui {

// Runs a copy or move on a worker thread while the GUI goes on: the window
// shows the files and bytes done and the name being worked on, and its
// cancel button (or Esc, or the close box) stops the transfer. A transfer
// that ends within a moment never shows the window. Each conflict is asked
// on the GUI thread, over the shown window, while the worker waits.
class TransferProgressDialog final : public QDialog {
    Q_OBJECT

  public:
    TransferProgressDialog(QWidget* owner, const QString& caption);

    // Runs the whole transfer and returns its report once it has ended.
    fileops::TransferReport Run(fileops::Transfer& transfer);

    // Asks the running transfer to stop; the window closes when it has.
    void reject() override;

    QLabel* nameLabel() const { return m_nameLabel; }
    QLabel* fileCountLabel() const { return m_fileCountLabel; }
    QLabel* byteCountLabel() const { return m_byteCountLabel; }
    QProgressBar* progressBar() const { return m_progressBar; }
    QPushButton* cancelButton() const { return m_cancelButton; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Question {
        const fileops::Conflict* conflict;
        std::promise<fileops::ConflictAnswer>* answer;
    };

    fileops::TransferCallbacks Callbacks();
    void WaitBeforeShowing();
    fileops::ConflictAnswer WaitForAnswer(const fileops::Conflict& conflict);
    void QuestionArrived(Question question);
    void AskPendingQuestion();
    void ShowProgress();
    void ShowProgress(const fileops::TransferProgress& progress);
    void Finished();

    QLabel* m_nameLabel;
    QLabel* m_fileCountLabel;
    QLabel* m_byteCountLabel;
    QProgressBar* m_progressBar;
    QPushButton* m_cancelButton;

    fileops::Transfer* m_transfer = nullptr;
    QEventLoop* m_waitLoop = nullptr; // while the window is not shown yet
    bool m_finished = false;
    std::optional<Question> m_question; // GUI thread only

    std::mutex m_progressMutex; // guards the two below, written by the worker
    fileops::TransferProgress m_progress;
    bool m_progressChanged = false;
};

} // namespace fileopsui
