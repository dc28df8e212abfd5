#pragma once

#include <QString>
#include <functional>
#include <string>
#include <system_error>

class QWidget;

namespace platform {

// Answers as the program stores them in MsgAnswer.
enum MessageAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7, IDYESTOALL = 10 };

// Application: the application's own icon, as the about box shows it.
enum class MessageIcon { None, Information, Warning, Stop, Question, Application };
// Yes: the one button "はい(&Y)". YesNoAllCancel: the question before
// replacing a file, which can also answer for every later one.
enum class MessageButtons { Ok, OkCancel, YesNo, Yes, YesNoAllCancel };

struct MessageRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    // Top-left corner 50 pixels right of and below the owner's; else centred.
    bool besideOwner = false;
};

// Shows a modal box and returns its answer. Every box of the program goes
// through here.
int ShowMessage(const MessageRequest& request);

// The forms the program uses most.
int ShowStop(QWidget* owner, const QString& caption, const QString& text);
int ShowInformation(QWidget* owner, const QString& caption, const QString& text);
int AskWarningYesNo(QWidget* owner, const QString& text);
// The about box: the texts beside the application's icon, and OK.
int ShowAbout(QWidget* owner, const QString& caption, const QString& text);

// A file of the program's own (settings, histories, options) that could not be
// read or written: the format's "%1" is the path, "%2" the system's reason; a
// stop box captioned "Tornwel".
inline constexpr const char* kCannotWriteFormat = "ファイル %1 に書き込めません。\n%2";
inline constexpr const char* kCannotReadFormat = "ファイル %1 は開けません。\n%2";
int ShowFileFailure(QWidget* owner, const char* format, const std::string& path,
                    const std::system_error& failure);

// While set, boxes are not shown: the responder reads each request and gives
// the answer. Tests use it to read and answer every box.
using MessageResponder = std::function<int(const MessageRequest&)>;
void SetMessageResponder(MessageResponder responder);

} // namespace platform
