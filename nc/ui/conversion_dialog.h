#pragma once

#include "line_converters.h"
#include "pass_dialog.h"

#include <memory>

class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ncui {

// The dialog of a conversion that writes one file beside its source: the two
// names, a letter box, OK and Cancel, and the progress bar along the bottom.
class ConversionDialog : public PassDialog {
    Q_OBJECT

  public:
    // Shows the dialog for SelectedName and OutputName; `readPieces` is the
    // answer to the file-form question.
    void Open(bool readPieces);

    QLineEdit* letterBox() const { return m_letterBox; }
    QPushButton* okButton() const { return m_okButton; }
    QProgressBar* progressBar() const { return m_progressBar; }

  protected:
    ConversionDialog(app::CommandHost& host, const QString& caption, const char* objectName,
                     const QString& letterLabel);

    // Rows below the letter box.
    QGridLayout* form() const { return m_form; }

    // The show step of the dialog's own controls.
    virtual void ResetInput() = 0;
    // Takes the input over before the pass.
    virtual void TakeInput() {}
    virtual std::unique_ptr<nc::LineConverter> MakeConverter() = 0;
    virtual QString CompletionText() = 0;

  private:
    void Button1Click();
    void EnterPressed();

    QLabel* m_sourceLabel;
    QLabel* m_outputLabel;
    QLineEdit* m_letterBox;
    QGridLayout* m_form;
    QPushButton* m_okButton;
    QProgressBar* m_progressBar;
    bool m_readPieces = true;
};

} // namespace ncui
