#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

// Answers as the program stores them in MsgAnswer.
enum MessageAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

enum class MessageIcon { None, Information, Warning, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };

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

// While set, boxes are not shown: the responder reads each request and gives
// the answer. Tests use it to read and answer every box.
using MessageResponder = std::function<int(const MessageRequest&)>;
void SetMessageResponder(MessageResponder responder);

} // namespace platform
