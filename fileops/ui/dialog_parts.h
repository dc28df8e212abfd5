#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QPushButton;
class QWidget;

namespace fileopsui {

// The window of every file operation dialog: a fixed size and only a close box.
Qt::WindowFlags FixedDialogFlags();

// A push button of a dialog whose boxes take Enter themselves: Enter presses
// it only while it has the focus, as Space does.
QPushButton* AddButton(QWidget* dialog, const QString& text, const char* objectName);

// A label that shows its text as it is (a file name may hold "<").
QLabel* AddLabel(QWidget* dialog, const QString& text, const char* objectName);

} // namespace fileopsui
