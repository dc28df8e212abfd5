#include "text_viewer_accessible.h"

#include "text_viewer.h"

namespace viewer {
namespace {

QAccessibleInterface* CreateInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(TextViewer::staticMetaObject.className())) return nullptr;
    auto* viewer = qobject_cast<TextViewer*>(object);
    return viewer ? new TextViewerAccessible(viewer) : nullptr;
}

} // namespace

void InstallTextViewerAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(CreateInterface);
        return true;
    }();
    static_cast<void>(installed);
}

TextViewerAccessible::TextViewerAccessible(TextViewer* viewer)
    : QAccessibleWidget(viewer, QAccessible::EditableText) {}

TextViewer* TextViewerAccessible::viewer() const {
    return static_cast<TextViewer*>(widget());
}

QString TextViewerAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) return viewer()->visibleText();
    return QAccessibleWidget::text(kind);
}

QAccessible::State TextViewerAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void* TextViewerAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void TextViewerAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const auto selected = viewer()->visibleSelection();
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !selected) return;
    *startOffset = selected->first;
    *endOffset = selected->second;
}

int TextViewerAccessible::selectionCount() const {
    return viewer()->visibleSelection() ? 1 : 0;
}

void TextViewerAccessible::addSelection(int, int) {}

void TextViewerAccessible::removeSelection(int) {}

void TextViewerAccessible::setSelection(int, int, int) {}

int TextViewerAccessible::cursorPosition() const {
    const auto selected = viewer()->visibleSelection();
    return selected ? selected->first : 0;
}

void TextViewerAccessible::setCursorPosition(int) {}

QString TextViewerAccessible::text(int startOffset, int endOffset) const {
    return viewer()->visibleText().mid(startOffset, endOffset - startOffset);
}

int TextViewerAccessible::characterCount() const {
    return static_cast<int>(viewer()->visibleText().size());
}

QRect TextViewerAccessible::characterRect(int offset) const {
    return viewer()->characterRect(offset);
}

int TextViewerAccessible::offsetAtPoint(const QPoint& point) const {
    return viewer()->offsetAt(point);
}

void TextViewerAccessible::scrollToSubstring(int, int) {}

QString TextViewerAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One run without attributes spans the whole text.
    static_cast<void>(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace viewer
