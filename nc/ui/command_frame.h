#pragma once

#include "command_host.h"

#include <QString>
#include <optional>
#include <string>

class QDialog;

namespace ncui {

inline constexpr const char* kConfirmCaption = "確認";
inline constexpr const char* kDoneCaption = "完了";
inline constexpr const char* kErrorCaption = "Tornwel";
// Letters the decimal point dialogs refuse in their letter box.
inline constexpr const char* kNumberCharacters = "0123456789.-";
inline constexpr const char* kCannotChangeMessage = "この文字は変更できません。\n";

// Exactly one row selected and it is not a folder: sets SelectedName and
// returns true; otherwise shows the refusal and returns false.
bool CheckSingleFileSelection(app::CommandHost& host);

// Two or more rows selected, none a folder: returns their names top to bottom;
// otherwise shows the refusal once and returns nothing.
std::optional<std::vector<std::string>> CheckJoinSelection(app::CommandHost& host);

// The file-form question for a file whose text is empty, asked over `owner`:
// true reads it line by line. A file that can be read and has text gives true
// without a question. Nothing when the file cannot be read (reported).
std::optional<bool> AskFileForm(app::CommandHost& host, QWidget* owner, const std::string& path);

// Centres the dialog on the main window's remembered rectangle.
void PlaceOnMainWindow(QDialog& dialog, const app::MainState& state);

// The box of a failed command, captioned with the application's title.
void ShowCommandError(QWidget* owner, const QString& text);
int ShowCompletion(app::CommandHost& host, QWidget* owner, const QString& text);

// Bytes of a text typed into a box.
std::string TypedBytes(const QString& text);

} // namespace ncui
