#pragma once

#include <QAccessibleWidget>

namespace viewer {

class TextViewer;

// What screen readers see of the viewer: a read-only multi-line text whose
// text is the rows on screen, updated as the view scrolls, with the found
// text as its selection. The file itself is never handed over whole.
class TextViewerAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit TextViewerAccessible(TextViewer* viewer);

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    // The selection is the found text and the caret where the search goes
    // on: clients read them but cannot move them.
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    // Whatever the text holds is on screen already.
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  private:
    TextViewer* viewer() const;
};

// Makes Qt use TextViewerAccessible for every TextViewer; once is enough.
void InstallTextViewerAccessibility();

} // namespace viewer
