#pragma once

#include "history_combo.h"

#include <QObject>
#include <string>

class QComboBox;

namespace app {

class MainWindow;

// The path box and the mask box of the main window with their histories: a
// folder or mask typed and ended with Enter, or picked from the list with the
// mouse, is listed; a pick made with the arrow keys waits for Enter.
class PathMaskBoxes final : public QObject {
    Q_OBJECT

  public:
    PathMaskBoxes(MainWindow& window, QComboBox& pathBox, QComboBox& maskBox);

    // Replaces each list by its file, when the file exists.
    void LoadHistories();
    // Pushes both texts and writes both lists; false when a file failed.
    bool SaveHistories();
    void PushPathHistory();
    void PushMaskHistory();
    // Shows a folder or a mask in its box.
    void ShowPath(const std::string& path);
    void ShowMask(const std::string& mask);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ComboBox1Enter();
    void ComboBox2Enter();
    void ComboBox1Click();
    void ComboBox2Click();
    // The folder test of a typed or picked path, with the creation question;
    // `showWorkPath`: the box shows the path as it will be listed.
    void TestWorkPath(const std::string& typed, bool showWorkPath);
    std::string CompletedMask() const;
    void WatchKeysAndMouse(QComboBox& box);

    MainWindow& m_window;
    QComboBox& m_pathBox;
    QComboBox& m_maskBox;
    filelist::HistoryCombo m_pathHistory;
    filelist::HistoryCombo m_maskHistory;
};

} // namespace app
