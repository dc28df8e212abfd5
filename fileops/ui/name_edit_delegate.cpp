#include "name_edit_delegate.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace fileopsui {
namespace {

// The editor keeps the Enter that ends the edit: passed on to the list, it
// would also open the row.
class NameEditor final : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) event->accept();
    }
};

} // namespace

NameEditDelegate::NameEditDelegate(Handlers handlers, QObject* parent)
    : QStyledItemDelegate(parent), m_handlers(std::move(handlers)) {}

QWidget* NameEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new NameEditor(parent);
    editor->setObjectName("NameEditor");
    editor->setAccessibleName("名前");
    m_handlers.editing(index.row());
    return editor;
}

void NameEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data(Qt::DisplayRole).toString());
    line->selectAll();
}

// An edit that loses the focus because its window is closing (or being
// destroyed, with the state the rename needs) ends without a text, as Esc does.
void NameEditDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                    const QModelIndex& index) const {
    if (editor->window()->isHidden()) return;
    m_handlers.edited(index.row(), static_cast<QLineEdit*>(editor)->text());
}

} // namespace fileopsui
