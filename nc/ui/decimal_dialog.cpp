#include "decimal_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "fixed_pitch_font.h"
#include "typed_char_filter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ncui {
namespace {

// Units 10^-1 .. 10^-6; the item index plus one is the number of decimals.
const char* const kInsertionUnits[] = {"1 -> 0.1",    "1 -> 0.01",    "1 -> 0.001",
                                       "1 -> 0.0001", "1 -> 0.00001", "1 -> 0.000001"};
// Padded so that "->" lines up in a fixed-pitch font.
const char* const kRemovalUnits[] = {"0.1      -> 1", "0.01     -> 1", "0.001    -> 1",
                                     "0.0001   -> 1", "0.00001  -> 1", "0.000001 -> 1"};
constexpr int kPresetUnit = 2; // 0.001, the unit of most controls
constexpr int kLetterBoxLength = 20;

} // namespace

DecimalDialog::DecimalDialog(app::CommandHost& host, Kind kind)
    : ConversionDialog(host, kind == Kind::Insertion ? "小数点付きに変換" : "小数点無しに変換",
                       kind == Kind::Insertion ? "decimalForm" : "decimalcForm", "変換しないｱﾄﾞﾚｽ"),
      m_kind(kind), m_unitBox(new QComboBox(this)) {
    letterBox()->setMaxLength(kLetterBoxLength);
    platform::KeepUpperCase(*letterBox());
    new platform::TypedCharFilter(letterBox(), platform::TypedCharFilter::Rule::RefuseListed,
                                  kNumberCharacters, kCannotChangeMessage);
    m_unitBox->setObjectName("ComboBox1");
    for (const char* unit : kind == Kind::Insertion ? kInsertionUnits : kRemovalUnits)
        m_unitBox->addItem(unit);
    if (kind == Kind::Removal) m_unitBox->setFont(platform::FixedPitchFontOfPoints(9));
    auto* unitLabel = new QLabel(kind == Kind::Insertion ? "変換タイプ" : "設定単位", this);
    unitLabel->setObjectName("Label4");
    unitLabel->setBuddy(m_unitBox);
    form()->addWidget(unitLabel, 1, 0);
    form()->addWidget(m_unitBox, 1, 1);
    setTabOrder(letterBox(), m_unitBox);
    setTabOrder(m_unitBox, okButton());
}

void DecimalDialog::ResetInput() {
    letterBox()->setText(platform::DisplayText(state().NoChgChar));
    m_unitBox->setCurrentIndex(kPresetUnit);
    okButton()->setEnabled(true);
}

void DecimalDialog::TakeInput() {
    state().NoChgChar = TypedBytes(letterBox()->text());
}

std::unique_ptr<nc::LineConverter> DecimalDialog::MakeConverter() {
    const int decimals = m_unitBox->currentIndex() + 1;
    if (m_kind == Kind::Insertion)
        return std::make_unique<nc::DecimalInsertion>(state().NoChgChar, decimals);
    return std::make_unique<nc::DecimalRemoval>(state().NoChgChar, decimals);
}

QString DecimalDialog::CompletionText() {
    const QString done =
        m_kind == Kind::Insertion ? "小数点付きに変換しました。" : "小数点無しに変換しました。";
    return done + "\n変換ファイル名は " + platform::DisplayText(state().OutputName) + "です。";
}

} // namespace ncui
