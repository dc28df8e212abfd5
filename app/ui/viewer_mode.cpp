#include "viewer_mode.h"

#include "command_frame.h"
#include "main_window.h"
#include "paths.h"
#include "text_viewer.h"

#include <QAction>
#include <QFrame>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeView>

namespace app {

ViewerMode::ViewerMode(MainWindow& window, viewer::TextViewer& textViewer)
    : QObject(&window), m_window(window), m_viewer(textViewer), m_caption(window) {
    m_viewer.setObjectName("TextView");
    m_viewer.hide();
    for (const char* name : {"tlbrMyButtons", "pathBand"})
        m_listWidgets.push_back(window.findChild<QToolBar*>(name));
    m_listWidgets.push_back(window.findChild<QFrame*>("Panel1"));
    m_listWidgets.push_back(window.fileList());
    for (QAction* menu : window.menuBar()->actions())
        m_listMenus.push_back(menu);
    for (QAction* item : {m_viewer.closeAction(), m_viewer.findAction()}) {
        window.menuBar()->addAction(item);
        item->setVisible(false);
    }
    for (const char* name : {"Menu_view", "Popup_view"}) {
        auto* item = window.findChild<QAction*>(name);
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, &ViewerMode::OpenViewer);
    }
    connect(&m_viewer, &viewer::TextViewer::Closed, this, &ViewerMode::ViewCloseClick);
}

void ViewerMode::OpenViewer() {
    if (!ncui::CheckSingleFileSelection(m_window)) return;
    const MainState& state = m_window.state();
    // A file that cannot be read is reported and the list stays.
    if (!m_viewer.Open(platform::JoinPath(state.CurrentDir, state.SelectedName))) return;
    Show(true);
    m_caption.Enter(state.SelectedName);
    m_viewer.setFocus();
}

void ViewerMode::ViewCloseClick() {
    Show(false);
    m_caption.Leave();
    m_window.fileList()->setFocus();
}

void ViewerMode::Show(bool viewing) {
    for (QWidget* widget : m_listWidgets)
        widget->setVisible(!viewing);
    for (QAction* menu : m_listMenus)
        menu->setVisible(!viewing);
    m_viewer.closeAction()->setVisible(viewing);
    m_viewer.findAction()->setVisible(viewing);
    m_viewer.setVisible(viewing);
}

} // namespace app
