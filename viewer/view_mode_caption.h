#pragma once

#include <QString>
#include <string>

class QWidget;

namespace viewer {

// The window caption in view mode: "View -> " and the name of the file
// shown. Leave() puts back the caption the window had before Enter().
class ViewModeCaption final {
  public:
    explicit ViewModeCaption(QWidget& window) : m_window(window) {}

    // `name` is the file's raw name.
    void Enter(const std::string& name);
    void Leave();

  private:
    QWidget& m_window;
    QString m_listCaption;
    bool m_entered = false;
};

} // namespace viewer
