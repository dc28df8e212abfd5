#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QWidget;

namespace fileopsui {

// What could not be done, one "path: reason" line per entry, for a message
// box. A long list is cut, so that the box still fits on the screen.
class FailureList final {
  public:
    void Add(const std::string& path, const std::string& reason);
    bool empty() const { return m_lines.empty(); }
    // The lines, the last one counting those left out.
    QString Text() const;
    // A stop box: the heading, then the lines.
    void Show(QWidget* owner, const char* heading) const;

  private:
    QStringList m_lines;
};

} // namespace fileopsui
