#include "type_table.h"

#include "file_mask.h"
#include "paths.h"

#include <QMimeDatabase>
#include <algorithm>

namespace filelist {
namespace {

// "NC ﾌｧｲﾙ" for the key ".NC": the key without its first character.
QString FallbackText(const std::string& key) {
    return QString::fromStdString(key.empty() ? key : key.substr(1)) + " ﾌｧｲﾙ";
}

} // namespace

bool IsNcExtension(const std::string& upperExtension) {
    static const char* const extensions[] = {"",     ".NC",  ".TAP", ".MIN", ".EIA",  ".NGC",
                                             ".CNC", ".PTP", ".ISO", ".PRG", ".GCODE"};
    return std::find(std::begin(extensions), std::end(extensions), upperExtension) !=
           std::end(extensions);
}

int TypeTable::FileTypeName(const std::string& name, bool program) {
    auto& rows = program ? m_programRows : m_extensionRows;
    const std::string key = program ? UpperAscii(name) : UpperAscii(platform::ExtensionOf(name));
    if (const auto found = rows.find(key); found != rows.end()) return found->second;
    const int row = AddRow(program ? DescribeProgram(key) : DescribeExtension(key));
    rows.emplace(key, row);
    return row;
}

int TypeTable::AddRow(TypeRow row) {
    m_rows.push_back(std::move(row));
    return TypeTableLast();
}

TypeRow TypeTable::DescribeExtension(const std::string& key) {
    TypeRow row{key, kFileImage, FallbackText(key)};
    if (IsNcExtension(key)) {
        const QIcon text = QIcon::fromTheme("text-x-generic");
        if (!text.isNull()) row.image = m_images.Append(text);
        return row;
    }
    // By name only: the file is never opened for its type.
    static const QMimeDatabase database;
    const QMimeType mime =
        database.mimeTypeForFile("x" + QString::fromStdString(key), QMimeDatabase::MatchExtension);
    if (!mime.isValid() || mime.isDefault()) return row;
    const QIcon icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
    if (icon.isNull()) return row;
    row.image = m_images.Append(icon);
    if (!mime.comment().isEmpty()) row.typeText = mime.comment();
    return row;
}

TypeRow TypeTable::DescribeProgram(const std::string& key) {
    TypeRow row{key, kFileImage, kProgramTypeText};
    const QIcon icon = QIcon::fromTheme("application-x-executable");
    if (!icon.isNull()) row.image = m_images.Append(icon);
    return row;
}

} // namespace filelist
