#pragma once

#include <QObject>
#include <string>

class QMenu;

namespace app {

class ListKeys;
class MainWindow;

// Moving through the folder tree from the file list: into a folder, to the
// parent folder (selecting the folder just left), to a chosen folder; opening
// a file with the desktop's program.
class Navigation final : public QObject {
    Q_OBJECT

  public:
    explicit Navigation(MainWindow& window);

    // Enter, Backspace, Space, Esc and the arrows.
    void BindKeys(ListKeys& keys);

  public slots:
    // Enter and double-click: the first selected row.
    void OpenSelectedRow();
    void ParentFolderStep();
    void tlbtnUpOneLevelClick();
    void tlbtnBrowseClick();
    // L: a menu of the mounted volumes over the list; a choice lists its root.
    void ShowVolumeMenu();

  private:
    // Right arrow: the first selected row, when it is a folder.
    void EnterSelectedFolder();
    // Lists `folder` and pushes it to the path history.
    void ListFolder(const std::string& folder);
    void SelectFolderLeft(const std::string& name);
    const std::string* FirstSelectedName() const;

    MainWindow& m_window;
    QMenu* m_volumeMenu;
};

} // namespace app
