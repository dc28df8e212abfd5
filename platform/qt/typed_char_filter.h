#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QKeyEvent;
class QLineEdit;

namespace platform {

// Characters refused in boxes that take a folder or a file name, and their
// messages. "/" separates folders here, so it is accepted and the backslash
// refused in its place.
inline constexpr const char* kFolderNameRefused = "\\,;*?<>|";
inline constexpr const char* kFolderNameMessage =
    "この文字はフォルダー名に使えません。\n\\:,;*?<>|.";
inline constexpr const char* kFileNameRefused = "\\:,;*?<>|";
inline constexpr const char* kFileNameMessage = "この文字はファイル名に使えません。\n\\:,;*?<>|.";

// Filters the characters typed into a text box against a fixed set: a refused
// character is swallowed and explained in a stop box captioned "確認".
// Backspace always passes. Enter in a box that holds text passes (the dialog
// takes it as OK); in an empty box it is checked like any other character.
// Pasted text is held to the same rule, silently.
class TypedCharFilter final : public QObject {
    Q_OBJECT

  public:
    enum class Rule { RefuseListed, AcceptOnlyListed };

    TypedCharFilter(QLineEdit* box, Rule rule, QString listed, QString message);
    // An editable combo box: typed keys reach the box itself, which hands
    // them to its text field directly.
    TypedCharFilter(QComboBox* box, Rule rule, QString listed, QString message);

    bool Accepts(QChar typed) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Refuses(const QKeyEvent& key) const;

    QLineEdit* m_box;
    Rule m_rule;
    QString m_listed;
    QString m_message;
};

// A box that shows and keeps its letters in upper case as they are typed.
void KeepUpperCase(QLineEdit& box);

} // namespace platform
