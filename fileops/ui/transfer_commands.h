#pragma once

#include "command_host.h"

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fileopsui {

class CopyMoveDialog;

// Delete, copy, move and new folder on the rows selected in the file list.
// The copy and move dialog is made at its first use and kept.
class TransferCommands final : public QObject {
    Q_OBJECT

  public:
    explicit TransferCommands(app::CommandHost& host, QObject* parent = nullptr);
    ~TransferCommands() override;

  public slots:
    void tlbtnDelClick();
    void tlbtnCopyClick();
    void tlbtnMoveClick();
    void tlbtnNewFdClick();

  private:
    // The selected names without "..", top to bottom; nothing (after the
    // refusal) when no row is selected.
    std::optional<std::vector<std::string>> SelectedNames();
    void OpenCopyMoveDialog(bool move);

    app::CommandHost& m_host;
    std::unique_ptr<CopyMoveDialog> m_copyMoveDialog;
};

} // namespace fileopsui
