#pragma once

#include "command_host.h"
#include "file_list_model.h"
#include "folder_reader.h"
#include "image_list.h"
#include "main_state.h"
#include "type_table.h"

#include <QMainWindow>
#include <string>

class QComboBox;
class QLabel;
class QMenu;
class QTreeView;
class QFrame;

namespace filelist {
class FolderWatcher;
}
namespace viewer {
class TextViewer;
}

namespace app {

class ListKeys;
class PathMaskBoxes;
class SortCommands;

// Where the program keeps its own files.
struct ProgramFiles {
    std::string settingsPath;   // the settings file
    std::string settingsFolder; // histories and option files beside it
};

// The main window: the file list with its tool bar, menus, path and mask
// boxes, status labels and key legends, and the state every command shares.
class MainWindow final : public QMainWindow, public app::CommandHost {
    Q_OBJECT

  public:
    explicit MainWindow(ProgramFiles files, QWidget* parent = nullptr);

    MainState& state() override { return m_state; }
    const ProgramFiles& files() const { return m_files; }
    QWidget* hostWindow() override { return this; }
    const std::string& settingsFolder() const override { return m_files.settingsFolder; }
    std::vector<const filelist::FileRow*> SelectedRows() const override;

    // Re-reads CurrentDir into the list (KeepFilter: FilterName stays;
    // KeepPosition: the selected row is focused again; ResortOnly: the rows are
    // sorted again without reading the folder).
    void RefreshFileList(bool KeepFilter, bool KeepPosition, bool ResortOnly) override;
    void SelectOnlyItem(int index) override;
    // Stores the window's screen rectangle in WindowRect when it is active.
    void RememberWindowRect() override;

    QTreeView* fileList() const override { return m_fileList; }
    filelist::FileListModel* fileModel() const override { return m_model; }
    QComboBox* pathBox() const { return m_pathBox; }
    QComboBox* maskBox() const { return m_maskBox; }
    QLabel* pathLabel() const { return m_pathLabel; }
    QLabel* countLabel() const { return m_countLabel; }
    QLabel* sortLabel() const { return m_sortLabel; }
    QMenu* listMenu() const { return m_listMenu; }
    filelist::TypeTable& typeTable() { return m_types; }

    static QString Caption(const std::string& versionText);

    // The path and mask boxes with their histories.
    PathMaskBoxes& boxes() { return *m_boxes; }

  public slots:
    void OpenSortDialog();

  signals:
    // A listing has been shown (tests and measurements wait for it).
    void FileListRefreshed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void CopyDroppedFiles(const QStringList& paths);

    // The steps of RefreshFileList.
    bool ReadListedFolder(std::vector<filelist::FolderEntry>& entries);
    void ShowNothingMatches();
    void FillRows(std::vector<filelist::FolderEntry>&& entries,
                  std::vector<filelist::FileRow>& files);
    void FinishListing(std::vector<filelist::FileRow> files, bool fullListing, bool keepPosition);
    void WriteStatusLabels();
    void FocusAfterListing(bool keepPosition);
    void RememberKeptCaption(bool keepPosition);

    void ConnectListCommands();
    void ConnectConversionCommands(ListKeys& keys);
    void ConnectNamingCommands(ListKeys& keys);
    void ConnectExternalAppCommands(ListKeys& keys);
    void ConnectTransferCommands(ListKeys& keys);
    void BuildToolBars();
    void BuildMenus();
    void BuildListMenu();
    void BuildCentralArea();
    QFrame* BuildStatusPanel();

    ProgramFiles m_files;
    MainState m_state;
    filelist::ImageList m_images;
    filelist::TypeTable m_types{m_images};
    std::vector<filelist::FileRow> m_folderRows; // the folders of the last full listing
    std::string m_listedDir;                     // the folder of the last listing
    bool m_shown = false;
    filelist::FileListModel* m_model = nullptr;
    QTreeView* m_fileList = nullptr;
    QComboBox* m_pathBox = nullptr;
    QComboBox* m_maskBox = nullptr;
    QLabel* m_pathLabel = nullptr;
    QLabel* m_countLabel = nullptr;
    QLabel* m_sortLabel = nullptr;
    QMenu* m_listMenu = nullptr;
    PathMaskBoxes* m_boxes = nullptr;
    SortCommands* m_sortCommands = nullptr;
    filelist::FolderWatcher* m_watcher = nullptr;
    viewer::TextViewer* m_textViewer = nullptr;
};

} // namespace app
