#include "alt_overlay.h"

#include "display_text.h"
#include "fixed_pitch_font.h"

#include <QLabel>
#include <algorithm>

namespace extapps {
namespace {

constexpr int kTextPixels = 12;
constexpr int kLeftLines = 14;  // the editor and A..M
constexpr int kRightLines = 13; // N..Z

QString SlotLines(const app::MainState& state, char first, char last) {
    QString text;
    for (char letter = first; letter <= last; ++letter) {
        const auto& slot = state.OutApps[static_cast<std::size_t>(letter - 'A')];
        text += QString("ALT+%1 : ").arg(QChar(letter)) + platform::DisplayText(slot.SettingName) +
                "\n";
    }
    return text;
}

// Fixed size, no wrapping: an overlong name is clipped at the panel's edge.
QLabel* TextLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(platform::FixedPitchFontOfPixels(kTextPixels));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

// The panel is 415 x 185 with the texts at (5, 10) and (210, 10 + one line):
// 14 and 13 lines of 12 pixels. A font with more line spacing than the one it
// was drawn for gets taller texts and panel, so that no line is cut off.
AltOverlay::AltOverlay(QWidget* window)
    : QFrame(window), m_left(TextLabel(this, "Label4")), m_right(TextLabel(this, "Label5")) {
    setObjectName("GroupBox1");
    setAccessibleName("外部ｱﾌﾟﾘ");
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    const int line = std::max(kTextPixels, m_left->fontMetrics().lineSpacing());
    m_left->setGeometry(5, 10, 200, std::max(170, kLeftLines * line));
    // One line lower than the left text, so that "ALT+N" stands beside "ALT+A".
    m_right->setGeometry(210, 10 + line, 200, std::max(158, kRightLines * line));
    setGeometry(16, 120, 415, std::max(185, m_left->geometry().bottom() + 1 + 5));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    hide();
}

QString AltOverlay::LeftText(const app::MainState& state) {
    return "ｴﾃﾞｨﾀｰ: " + platform::DisplayText(state.EditApp) + "\n" + SlotLines(state, 'A', 'M');
}

QString AltOverlay::RightText(const app::MainState& state) {
    return SlotLines(state, 'N', 'Z');
}

void AltOverlay::ShowFor(const app::MainState& state) {
    m_left->setText(LeftText(state));
    m_right->setText(RightText(state));
    raise();
    show();
}

} // namespace extapps
