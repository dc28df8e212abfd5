#include "message_box.h"

#include "display_text.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

MessageResponder& Responder() {
    static MessageResponder responder;
    return responder;
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
    case MessageIcon::Application:
        break;
    }
    return QMessageBox::NoIcon;
}

// Adds the buttons with the program's own texts; returns the default one.
void AddButtons(QMessageBox& box, MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        box.setDefaultButton(box.addButton("OK", QMessageBox::AcceptRole));
        break;
    case MessageButtons::OkCancel:
        box.setDefaultButton(box.addButton("OK", QMessageBox::AcceptRole));
        box.addButton("キャンセル", QMessageBox::RejectRole);
        break;
    case MessageButtons::YesNo:
        box.setDefaultButton(box.addButton("はい(&Y)", QMessageBox::YesRole));
        box.addButton("いいえ(&N)", QMessageBox::NoRole);
        break;
    case MessageButtons::Yes:
        box.setDefaultButton(box.addButton("はい(&Y)", QMessageBox::YesRole));
        break;
    case MessageButtons::YesNoAllCancel:
        box.setDefaultButton(box.addButton("はい(&Y)", QMessageBox::YesRole));
        box.addButton("いいえ(&N)", QMessageBox::NoRole);
        box.addButton("すべて上書き(&A)", QMessageBox::AcceptRole);
        box.addButton("キャンセル", QMessageBox::RejectRole);
        break;
    }
}

int AnswerOf(const QMessageBox& box, MessageButtons buttons) {
    const auto role =
        box.clickedButton() ? box.buttonRole(box.clickedButton()) : QMessageBox::RejectRole;
    if (buttons == MessageButtons::YesNo) return role == QMessageBox::YesRole ? IDYES : IDNO;
    if (buttons == MessageButtons::Yes) return IDYES;
    if (buttons == MessageButtons::YesNoAllCancel) {
        if (role == QMessageBox::YesRole) return IDYES;
        if (role == QMessageBox::NoRole) return IDNO;
        return role == QMessageBox::AcceptRole ? IDYESTOALL : IDCANCEL;
    }
    if (buttons == MessageButtons::OkCancel)
        return role == QMessageBox::AcceptRole ? IDOK : IDCANCEL;
    return IDOK;
}

} // namespace

int ShowMessage(const MessageRequest& request) {
    if (Responder()) return Responder()(request);
    QMessageBox box(request.owner);
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    box.setIcon(BoxIcon(request.icon));
    if (request.icon == MessageIcon::Application) {
        const QIcon icon = box.windowIcon();
        box.setIconPixmap(icon.pixmap(icon.actualSize(QSize(64, 64))));
    }
    AddButtons(box, request.buttons);
    if (request.besideOwner && request.owner) {
        box.move(request.owner->frameGeometry().topLeft() + QPoint(50, 50));
    }
    box.exec();
    return AnswerOf(box, request.buttons);
}

int ShowStop(QWidget* owner, const QString& caption, const QString& text) {
    return ShowMessage({owner, caption, text, MessageIcon::Stop, MessageButtons::Ok, false});
}

int ShowInformation(QWidget* owner, const QString& caption, const QString& text) {
    return ShowMessage({owner, caption, text, MessageIcon::Information, MessageButtons::Ok, false});
}

int AskWarningYesNo(QWidget* owner, const QString& text) {
    return ShowMessage({owner, "警告", text, MessageIcon::Warning, MessageButtons::YesNo, true});
}

int ShowFileFailure(QWidget* owner, const char* format, const std::string& path,
                    const std::system_error& failure) {
    const QString text = QString(format).arg(
        DisplayText(path), QString::fromLocal8Bit(failure.code().message().c_str()));
    return ShowStop(owner, "Tornwel", text);
}

int ShowAbout(QWidget* owner, const QString& caption, const QString& text) {
    return ShowMessage({owner, caption, text, MessageIcon::Application, MessageButtons::Ok, false});
}

void SetMessageResponder(MessageResponder responder) {
    Responder() = std::move(responder);
}

} // namespace platform
