#pragma once

#include <QDialog>
#include <array>
#include <string>

class QButtonGroup;
class QPushButton;

namespace filelist {

// The sort setting chosen with the keyboard: the kind, the direction, Enter.
class SortDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit SortDialog(QWidget* parent);

    // Shows the dialog on `key` ("N", "S", "T", "D", "A") and `direction`
    // ("D" descending, else ascending), centred on the rectangle (left, top,
    // width, height); on OK stores the choice and returns true.
    bool Choose(std::string& key, std::string& direction, const std::array<int, 4>& over);

    QButtonGroup* kinds() const { return m_kinds; }
    QButtonGroup* directions() const { return m_directions; }
    QPushButton* okButton() const { return m_okButton; }

  private:
    QButtonGroup* m_kinds;
    QButtonGroup* m_directions;
    QPushButton* m_okButton;
};

} // namespace filelist
