#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>
#include <string>
#include <vector>

namespace filelist {

enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn, AttributesColumn, ColumnCount };

// One row of the file list. The raw name bytes are what every file operation
// uses; the texts are what the columns show.
struct FileRow {
    enum class Kind { Parent, Folder, File };
    Kind kind = Kind::File;
    std::string name;
    QString caption;
    QString sizeText;
    QString typeText;
    QString modifiedText;
    QString attributesText;
    QIcon icon;
    QColor colour;          // invalid: the list's own text colour
    bool struckOut = false;
};

// The rows of the file list in display order: "..", folders, files.
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FileListModel(QObject* parent = nullptr);

    void SetRows(std::vector<FileRow> rows);
    // The list's font, the base of the struck-out font of read-only files.
    void SetFont(const QFont& font) { m_font = font; }
    const FileRow& Row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    const std::vector<FileRow>& Rows() const { return m_rows; }
    // The first row whose name is exactly these bytes, or -1.
    int FindName(const std::string& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<FileRow> m_rows;
    QFont m_font;
};

} // namespace filelist
