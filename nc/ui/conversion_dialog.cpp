#include "conversion_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "paths.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ncui {

ConversionDialog::ConversionDialog(app::CommandHost& host, const QString& caption,
                                   const char* objectName, const QString& letterLabel)
    : PassDialog(host, caption, objectName), m_sourceLabel(new QLabel(this)),
      m_outputLabel(new QLabel(this)), m_letterBox(new QLineEdit(this)), m_form(new QGridLayout),
      m_okButton(AddButton("ＯＫ", "Button1")), m_progressBar(AddProgressBar()) {
    m_sourceLabel->setObjectName("Label2");
    m_outputLabel->setObjectName("Label3");
    m_letterBox->setObjectName("Edit1");
    auto* letterCaption = new QLabel(letterLabel, this);
    letterCaption->setObjectName("Label1");
    letterCaption->setBuddy(m_letterBox);
    QPushButton* cancel = AddButton("ｷｬﾝｾﾙ", "Button2");

    m_form->addWidget(letterCaption, 0, 0);
    m_form->addWidget(m_letterBox, 0, 1);
    QVBoxLayout* layout = FixedLayout();
    layout->addWidget(m_sourceLabel);
    layout->addWidget(m_outputLabel);
    layout->addLayout(m_form);
    layout->addLayout(ButtonRow({m_okButton, cancel}));
    layout->addWidget(m_progressBar);
    m_progressBar->setMinimumWidth(300);

    connect(m_letterBox, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_okButton->setEnabled(!text.isEmpty()); });
    connect(m_letterBox, &QLineEdit::returnPressed, this, &ConversionDialog::EnterPressed);
    connect(m_okButton, &QPushButton::clicked, this, &ConversionDialog::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ConversionDialog::Open(bool readPieces) {
    m_readPieces = readPieces;
    m_progressBar->setRange(0, 1);
    m_progressBar->setValue(0);
    m_sourceLabel->setText("変換前:" + platform::DisplayText(state().SelectedName));
    m_outputLabel->setText("変換後:" + platform::DisplayText(state().OutputName));
    ResetInput();
    m_letterBox->setFocus();
    ShowCentred();
}

void ConversionDialog::EnterPressed() {
    if (!m_letterBox->text().isEmpty() && m_okButton->isEnabled()) Button1Click();
}

void ConversionDialog::Button1Click() {
    if (m_letterBox->text().isEmpty()) {
        m_letterBox->setFocus();
        return;
    }
    if (passRunning()) return;
    TakeInput();
    m_okButton->setEnabled(false);
    const auto converter = MakeConverter();
    const std::string source = platform::JoinPath(state().CurrentDir, state().SelectedName);
    const std::string output = platform::JoinPath(state().CurrentDir, state().OutputName);
    const bool readPieces = m_readPieces;
    const auto failure = RunPass(m_progressBar, [&](const nc::Progress& progress) {
        nc::RunLinePass(
            source, output, *converter, [readPieces] { return readPieces; }, progress);
    });
    if (failure) {
        ShowCommandError(this, failure->message);
        CloseIfAsked();
        return;
    }
    host().RefreshFileList(false, true, false);
    ShowCompletion(host(), this, CompletionText());
    accept();
}

} // namespace ncui
