#include "view_mode_caption.h"

#include "display_text.h"

#include <QWidget>

namespace viewer {

void ViewModeCaption::Enter(const std::string& name) {
    // A second file viewed in a row must not make its caption the one to
    // come back to.
    if (!m_entered) m_listCaption = m_window.windowTitle();
    m_entered = true;
    m_window.setWindowTitle("View -> " + platform::DisplayText(name));
}

void ViewModeCaption::Leave() {
    if (!m_entered) return;
    m_entered = false;
    m_window.setWindowTitle(m_listCaption);
}

} // namespace viewer
