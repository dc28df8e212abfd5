#pragma once

#include <QObject>
#include <functional>
#include <map>

class QAbstractItemView;

namespace app {

struct MainState;

// The single-key commands of the file list. Every character typed in the list
// runs its command, if it has one, and is consumed, so that the list's own
// type-ahead never moves the selection; letters act in either case. While a
// row's name may be edited in place the characters go to the list instead,
// until Enter or a click. Released keys: the arrows step out of and into
// folders, and every release hides the Alt overlay.
class ListKeys final : public QObject {
    Q_OBJECT

  public:
    using Command = std::function<void()>;

    ListKeys(QAbstractItemView* list, MainState& state);

    // `character`: a letter in upper case, or Enter (13), Backspace (8),
    // Space (32) or Esc (27).
    void Bind(char character, Command command);
    // Runs on the release of Left or Right (Qt::Key_Left, Qt::Key_Right).
    void BindRelease(int key, Command command);
    // Runs on a key release, whatever the key (hides the Alt overlay).
    void OnEveryRelease(Command command);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool KeyPress(int key, const QString& text);
    void KeyRelease(int key);

    QAbstractItemView* m_list;
    MainState& m_state;
    std::map<char, Command> m_commands;
    std::map<int, Command> m_releases;
    Command m_everyRelease;
};

} // namespace app
