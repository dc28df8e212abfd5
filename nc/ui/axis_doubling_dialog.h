#pragma once

#include "conversion_dialog.h"

namespace ncui {

// Doubles the value of one axis address on every line.
class AxisDoublingDialog final : public ConversionDialog {
    Q_OBJECT

  public:
    explicit AxisDoublingDialog(app::CommandHost& host);

    // The start of the command empties the letter box.
    void ClearAxis();

  protected:
    void ResetInput() override;
    std::unique_ptr<nc::LineConverter> MakeConverter() override;
    QString CompletionText() override;

  private:
    char Axis() const;
};

} // namespace ncui
