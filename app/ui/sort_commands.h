#pragma once

#include <QObject>

namespace filelist {
class SortDialog;
}

namespace app {

class MainWindow;

// The sort setting changed by a click on a column header or in the sort
// dialog; the file rows are sorted again without reading the folder.
class SortCommands final : public QObject {
    Q_OBJECT

  public:
    explicit SortCommands(MainWindow& window);

  public slots:
    // The same column flips the direction; another keeps it.
    void ListView1ColumnClick(int column);
    void OpenSortDialog();

  private:
    MainWindow& m_window;
    filelist::SortDialog* m_dialog = nullptr;
};

} // namespace app
