#include "axis_doubling_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "typed_char_filter.h"

#include <QLineEdit>
#include <QPushButton>

namespace ncui {
namespace {

constexpr const char* kAxisLetters = "XxYyZzIiJjKkUuVvWw";

} // namespace

AxisDoublingDialog::AxisDoublingDialog(app::CommandHost& host)
    : ConversionDialog(host, "選択軸２倍変換", "Bai2Form", "２倍に変換軸") {
    letterBox()->setMaxLength(1);
    letterBox()->setFixedWidth(letterBox()->fontMetrics().horizontalAdvance("WW") + 12);
    new platform::TypedCharFilter(letterBox(), platform::TypedCharFilter::Rule::AcceptOnlyListed,
                                  kAxisLetters, kCannotChangeMessage);
}

void AxisDoublingDialog::ClearAxis() {
    letterBox()->clear();
}

void AxisDoublingDialog::ResetInput() {
    okButton()->setEnabled(false);
}

char AxisDoublingDialog::Axis() const {
    return letterBox()->text().toUpper().toLatin1().at(0);
}

std::unique_ptr<nc::LineConverter> AxisDoublingDialog::MakeConverter() {
    return std::make_unique<nc::AxisDoubling>(Axis());
}

QString AxisDoublingDialog::CompletionText() {
    return QString(QChar(Axis())) + "軸を２倍に変換しました。\n変換ファイル名は " +
           platform::DisplayText(state().OutputName) + "です。";
}

} // namespace ncui
