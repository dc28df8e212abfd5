#pragma once

#include "command_host.h"
#include "file_information.h"
#include "file_time.h"

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace filelist {
class ImageList;
class TypeTable;
} // namespace filelist

namespace fileopsui {

// One file or folder with its icon, type, place, size, attributes and
// modification time; read-only and the time can be changed.
class FileInfoDialog final : public QDialog {
    Q_OBJECT

  public:
    FileInfoDialog(app::CommandHost& host, filelist::TypeTable& types,
                   const filelist::ImageList& images);

    // Shows the entry SelectedName of CurrentDir modally over the main
    // window; false, after telling why, when the entry cannot be examined.
    bool Open();

    QLabel* imageLabel() const { return m_image; }
    QLabel* nameLabel() const { return m_name; }
    QLabel* typeLabel() const { return m_type; }
    QLabel* placeLabel() const { return m_place; }
    QLabel* sizeLabel() const { return m_size; }
    QCheckBox* attributeBox(fileops::AttributeBit bit) const;
    QLineEdit* timeBox(fileops::TimeField field) const;
    QPushButton* updateButton() const { return m_update; }
    QPushButton* closeButton() const { return m_close; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildAttributeBoxes();
    void BuildTimeBoxes();
    void LayOut();
    void FormShow(const fileops::FileInformation& entry);
    void ShowKind(const fileops::FileInformation& entry);
    // Enter in a box that holds text: its range is checked, then the focus moves on.
    void EnterInTimeBox(fileops::TimeField field);
    void Button1Click();
    bool WriteTime(const std::string& path, const fileops::DateTimeFields& time);
    void Refuse(fileops::TimeField field, const QString& message);
    std::array<std::string, 6> TimeTexts() const;
    std::string EntryPath() const;

    app::CommandHost& m_host;
    filelist::TypeTable& m_types;
    const filelist::ImageList& m_images;
    QLabel* m_image;
    QLabel* m_name;
    QLabel* m_type;
    QLabel* m_place;
    QLabel* m_size;
    // In the order read-only, archive, hidden, system.
    std::array<QCheckBox*, 4> m_attributes{};
    // In checking order: year, month, day, hour, minute, second.
    std::array<QLineEdit*, 6> m_time{};
    QPushButton* m_update;
    QPushButton* m_close;
    fileops::DateTimeFields m_shownTime;
};

} // namespace fileopsui
