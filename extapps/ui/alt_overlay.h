#pragma once

#include "main_state.h"

#include <QFrame>

class QLabel;

namespace extapps {

// The white panel over the file list (and the viewer) that names the editor
// and the 26 commands while Alt is held.
class AltOverlay final : public QFrame {
    Q_OBJECT

  public:
    // `window`: the main window, which the panel lies over.
    explicit AltOverlay(QWidget* window);

    // Rebuilds both texts from the current table and shows the panel on top.
    void ShowFor(const app::MainState& state);

    QLabel* leftText() const { return m_left; }
    QLabel* rightText() const { return m_right; }

    // "ｴﾃﾞｨﾀｰ: " and A..M (fourteen lines), then N..Z (thirteen lines), each
    // line ended by a line break.
    static QString LeftText(const app::MainState& state);
    static QString RightText(const app::MainState& state);

  private:
    QLabel* m_left;
    QLabel* m_right;
};

} // namespace extapps
