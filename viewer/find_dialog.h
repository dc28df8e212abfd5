#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace viewer {

// The viewer's search box: a modeless dialog that searches down only, never
// for whole words, with or without matching case. It lives on its own: it
// stays open while the view is closed and opened again.
class FindDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit FindDialog(QWidget* parent);

    QString text() const;
    bool matchCase() const;

    QLineEdit* textBox() const { return m_textBox; }
    QCheckBox* matchCaseBox() const { return m_matchCaseBox; }
    QPushButton* findNextButton() const { return m_findNextButton; }

  signals:
    // "次を検索" was pressed.
    void FindRequested(const QString& text, bool matchCase);

  private:
    QLineEdit* m_textBox;
    QCheckBox* m_matchCaseBox;
    QPushButton* m_findNextButton;
};

} // namespace viewer
