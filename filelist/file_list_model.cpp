#include "file_list_model.h"

namespace filelist {
namespace {

const char* const kCaptions[ColumnCount] = {"名前", "ｻｲｽﾞ", "種類", "更新日時", "属性"};

} // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

void FileListModel::SetRows(std::vector<FileRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int FileListModel::FindName(const std::string& name) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].name == name) return static_cast<int>(i);
    }
    return -1;
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
        switch (index.column()) {
        case NameColumn: return row.caption;
        case SizeColumn: return row.sizeText;
        case TypeColumn: return row.typeText;
        case ModifiedColumn: return row.modifiedText;
        case AttributesColumn: return row.attributesText;
        default: return {};
        }
    case Qt::DecorationRole:
        return index.column() == NameColumn && !row.icon.isNull() ? QVariant(row.icon) : QVariant();
    case Qt::ForegroundRole: return row.colour.isValid() ? QVariant(row.colour) : QVariant();
    case Qt::FontRole:
        if (row.struckOut) {
            QFont font = m_font;
            font.setStrikeOut(true);
            return font;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn) return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default: return {};
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

} // namespace filelist
