#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace fileopsui {

// The in-place editing of a row's name in the file list. It only reports:
// the start of an edit, and its end with a text (Enter, or the editor losing
// the focus); the row itself is changed by whoever renames the entry. Esc,
// and closing the window, end an edit without a text.
class NameEditDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    struct Handlers {
        std::function<void(int row)> editing;
        std::function<void(int row, const QString& text)> edited;
    };

    NameEditDelegate(Handlers handlers, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    Handlers m_handlers;
};

} // namespace fileopsui
