#pragma once

#include "command_host.h"
#include "decimal_dialog.h"

#include <QObject>
#include <memory>

namespace ncui {

class AxisDoublingDialog;
class JoinDialog;
class SplitDialog;
class VariableListDialog;

// The six NC commands: each checks the selection, asks about a file whose text
// is empty, and shows its dialog. The dialogs are made at their first use and
// kept, so they keep their contents between uses.
class ConversionCommands final : public QObject {
    Q_OBJECT

  public:
    explicit ConversionCommands(app::CommandHost& host, QObject* parent = nullptr);
    ~ConversionCommands() override;

  public slots:
    void tlbtnBaiClick();
    void tlbtnPlusClick();
    void tlbtnDividesClick();
    void tlbtnDecimalClick();
    void tlbtnDecimalCClick();
    void tlbtnLstClick();

  private:
    // The first steps of a single-file command: the selection check, the
    // output name (when it has a suffix) and the file-form question; nothing
    // when the command stops.
    std::optional<bool> StartSingleFileCommand(const char* outputSuffix);
    void OpenDecimalDialog(std::unique_ptr<DecimalDialog>& dialog, DecimalDialog::Kind kind,
                           const char* suffix);

    app::CommandHost& m_host;
    std::unique_ptr<AxisDoublingDialog> m_axisDoubling;
    std::unique_ptr<DecimalDialog> m_insertion;
    std::unique_ptr<DecimalDialog> m_removal;
    std::unique_ptr<SplitDialog> m_split;
    std::unique_ptr<JoinDialog> m_join;
    std::unique_ptr<VariableListDialog> m_variableList;
};

} // namespace ncui
