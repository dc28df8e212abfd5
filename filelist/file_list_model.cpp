#include "file_list_model.h"

#include "folder_reader.h"
#include "local_time.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace filelist {
namespace {

const char* const kCaptions[ColumnCount] = {"名前", "ｻｲｽﾞ", "種類", "更新日時", "属性"};

} // namespace

QString SizeText(std::uint64_t bytes) {
    return QString::number(bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0)) + "KB";
}

FileListModel::FileListModel(const TypeTable& types, const ImageList& images, QObject* parent)
    : QAbstractTableModel(parent), m_types(types), m_images(images) {}

void FileListModel::SetRows(std::vector<FileRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

std::vector<FileRow> FileListModel::TakeRows() {
    beginResetModel();
    std::vector<FileRow> rows = std::move(m_rows);
    m_rows.clear();
    endResetModel();
    return rows;
}

void FileListModel::AppendRow(FileRow row) {
    const int index = static_cast<int>(m_rows.size());
    beginInsertRows({}, index, index);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

void FileListModel::ReplaceRow(int index, FileRow row) {
    m_rows[static_cast<std::size_t>(index)] = std::move(row);
    emit dataChanged(this->index(index, 0), this->index(index, ColumnCount - 1));
}

int FileListModel::FindName(const std::string& name) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

QString FileListModel::TypeText(const FileRow& row) const {
    switch (row.kind) {
    case FileRow::Kind::Parent:
        return {};
    case FileRow::Kind::Folder:
        return kFolderTypeText;
    case FileRow::Kind::File:
        return m_types.Row(row.type).typeText;
    }
    return {};
}

QString FileListModel::Text(const FileRow& row, int column) const {
    if (row.kind == FileRow::Kind::Parent) return column == NameColumn ? row.caption : QString();
    switch (column) {
    case NameColumn:
        return row.caption;
    case SizeColumn:
        return row.kind == FileRow::Kind::File ? SizeText(row.size) : QString();
    case TypeColumn:
        return TypeText(row);
    case ModifiedColumn:
        return QString::fromStdString(platform::FormatLocalTime(row.modified));
    case AttributesColumn:
        return QString::fromStdString(AttributeLetters(row.attributes));
    default:
        return {};
    }
}

int FileListModel::Image(const FileRow& row) const {
    switch (row.kind) {
    case FileRow::Kind::Parent:
        return kParentImage;
    case FileRow::Kind::Folder:
        return kFolderImage;
    case FileRow::Kind::File:
        return m_types.Row(row.type).image;
    }
    return kFileImage;
}

// The first rule that applies: folders and ".." in the list's own colour;
// then programs, system files, hidden files, read-only files.
FileListModel::Colour FileListModel::ColourOf(const FileRow& row) const {
    if (row.kind != FileRow::Kind::File) return Colour::Plain;
    if (m_types.Row(row.type).typeText == kProgramTypeText) return Colour::Program;
    if (row.attributes & System) return Colour::System;
    if (row.attributes & Hidden) return Colour::Hidden;
    if (row.attributes & ReadOnly) return Colour::ReadOnly;
    return Colour::Plain;
}

QVariant FileListModel::Foreground(const FileRow& row) const {
    switch (ColourOf(row)) {
    case Colour::Program:
        return QColor(0, 0, 128);
    case Colour::System:
        return QColor(128, 0, 128);
    case Colour::Hidden:
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    case Colour::ReadOnly:
        return QColor(128, 0, 0);
    case Colour::Plain:
        break;
    }
    return {};
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const FileRow& row = Row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return Text(row, index.column());
    case Qt::DecorationRole:
        return index.column() == NameColumn ? QVariant(m_images.At(Image(row))) : QVariant();
    case Qt::ForegroundRole:
        return Foreground(row);
    case Qt::FontRole: {
        if (ColourOf(row) != Colour::ReadOnly) return {};
        QFont font = m_font;
        font.setStrikeOut(true);
        return font;
    }
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn) return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kCaptions[section]);
    if (role == Qt::TextAlignmentRole && section == SizeColumn) {
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() == NameColumn ? flags | Qt::ItemIsEditable : flags;
}

} // namespace filelist
