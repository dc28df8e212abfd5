#pragma once

#include "type_table.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QString>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace filelist {

enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn, AttributesColumn, ColumnCount };

// One row of the file list. It keeps the raw name bytes, which every file
// operation uses, and the values behind the texts; the texts themselves are
// made when a row is shown, so a big folder costs little memory.
struct FileRow {
    enum class Kind : std::uint8_t { Parent, Folder, File };
    std::string name;
    QString caption;
    std::uint64_t size = 0;
    std::time_t modified = 0;
    int type = 0; // TypeTable row of a file
    std::uint8_t attributes = 0;
    Kind kind = Kind::File;
};

// The size column: whole KB rounded up, "KB" after it.
QString SizeText(std::uint64_t bytes);

// The rows of the file list in display order: "..", folders, files.
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    FileListModel(const TypeTable& types, const ImageList& images, QObject* parent = nullptr);

    void SetRows(std::vector<FileRow> rows);
    const FileRow& Row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    const std::vector<FileRow>& Rows() const { return m_rows; }
    std::vector<FileRow> TakeRows();
    // A row added after the others, without sorting (a folder just made).
    void AppendRow(FileRow row);
    // A row changed in place (renamed), keeping its position.
    void ReplaceRow(int index, FileRow row);
    // The first row whose name is exactly these bytes, or -1.
    int FindName(const std::string& name) const;
    // The list's font, the base of the struck-out font of read-only files.
    void SetFont(const QFont& font) { m_font = font; }

    // The texts of a row's columns, as shown and as the sorting compares them.
    QString Text(const FileRow& row, int column) const;
    QString TypeText(const FileRow& row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Names are edited in place; the edit's end renames the entry, not the model.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The colour rule that applies to a row; read-only files are also struck out.
    enum class Colour { Plain, Program, System, Hidden, ReadOnly };
    Colour ColourOf(const FileRow& row) const;

  private:
    QVariant Foreground(const FileRow& row) const;
    int Image(const FileRow& row) const;

    const TypeTable& m_types;
    const ImageList& m_images;
    std::vector<FileRow> m_rows;
    QFont m_font;
};

} // namespace filelist
