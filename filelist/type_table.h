#pragma once

#include "image_list.h"

#include <QString>
#include <string>
#include <unordered_map>
#include <vector>

namespace filelist {

inline constexpr int kFolderImage = 16;
inline constexpr int kFileImage = 15;
inline constexpr int kParentImage = 1;
// Rows 0..16 are never used; the first file type gets row 17.
inline constexpr int kFirstTypeRow = 17;

inline constexpr const char* kFolderTypeText = "ﾌｧｲﾙ ﾌｫﾙﾀﾞ";
inline constexpr const char* kProgramTypeText = "ｱﾌﾟﾘｹｰｼｮﾝ";

struct TypeRow {
    std::string key;
    int image = kFileImage;
    QString typeText;
};

// The type text and image of each kind of file, asked for once per key for
// the whole run: the upper-cased extension with its dot ("" without one), or
// for a program its whole upper-cased name.
class TypeTable final {
  public:
    explicit TypeTable(ImageList& images) : m_images(images) {}

    // The row of a file name, added when its key is new.
    int FileTypeName(const std::string& name, bool program);
    const TypeRow& Row(int row) const {
        return m_rows[static_cast<std::size_t>(row - kFirstTypeRow)];
    }
    int TypeTableLast() const { return kFirstTypeRow - 1 + static_cast<int>(m_rows.size()); }

  private:
    int AddRow(TypeRow row);
    TypeRow DescribeExtension(const std::string& key);
    TypeRow DescribeProgram(const std::string& key);

    ImageList& m_images;
    std::vector<TypeRow> m_rows;
    std::unordered_map<std::string, int> m_extensionRows;
    std::unordered_map<std::string, int> m_programRows;
};

// True for the extensions of NC programs (and a name without one): they get
// the plain fallback text, never the name of an unrelated format.
bool IsNcExtension(const std::string& upperExtension);

} // namespace filelist
