#pragma once

#include <QObject>
#include <functional>
#include <map>

class QAbstractItemView;

namespace app {

// The single-key commands of the file list: a letter typed in the list, in
// either case, runs its command instead of moving the selection.
class ListKeys final : public QObject {
    Q_OBJECT

  public:
    explicit ListKeys(QAbstractItemView* list);

    // `letter` in upper case.
    void Bind(char letter, std::function<void()> command);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::map<char, std::function<void()>> m_commands;
};

} // namespace app
