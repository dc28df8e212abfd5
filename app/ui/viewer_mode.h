#pragma once

#include "view_mode_caption.h"

#include <QObject>
#include <vector>

class QAction;
class QWidget;

namespace viewer {
class TextViewer;
}

namespace app {

class MainWindow;

// The text viewer in place of the list: the tool bars, the mask line and the
// list give way to the view, and the menu bar to "閉じる" and "検索".
class ViewerMode final : public QObject {
    Q_OBJECT

  public:
    // `viewer` sits in the window's layout, hidden.
    ViewerMode(MainWindow& window, viewer::TextViewer& viewer);

  public slots:
    // V and the two menu items: the selected file, after the selection checks.
    void OpenViewer();

  private:
    void Show(bool viewing);
    void ViewCloseClick();

    MainWindow& m_window;
    viewer::TextViewer& m_viewer;
    viewer::ViewModeCaption m_caption;
    std::vector<QWidget*> m_listWidgets; // hidden while viewing
    std::vector<QAction*> m_listMenus;
};

} // namespace app
