#pragma once

#include "conversion_dialog.h"

class QComboBox;

namespace ncui {

// Decimal point insertion and removal: the letters left alone (NoChgChar) and
// the unit. Both share the dialog and differ in texts, units and converter.
class DecimalDialog final : public ConversionDialog {
    Q_OBJECT

  public:
    enum class Kind { Insertion, Removal };

    DecimalDialog(app::CommandHost& host, Kind kind);

    QComboBox* unitBox() const { return m_unitBox; }

  protected:
    void ResetInput() override;
    void TakeInput() override;
    std::unique_ptr<nc::LineConverter> MakeConverter() override;
    QString CompletionText() override;

  private:
    Kind m_kind;
    QComboBox* m_unitBox;
};

} // namespace ncui
