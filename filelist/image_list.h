#pragma once

#include <QIcon>
#include <vector>

namespace filelist {

// The small images of the tool bar and the list. The first 17 are the
// program's own; every new file type with an icon adds one.
class ImageList final {
  public:
    int Append(const QIcon& icon) {
        m_icons.push_back(icon);
        return static_cast<int>(m_icons.size()) - 1;
    }
    QIcon At(int index) const {
        return index >= 0 && index < Count() ? m_icons[static_cast<std::size_t>(index)] : QIcon();
    }
    int Count() const { return static_cast<int>(m_icons.size()); }

  private:
    std::vector<QIcon> m_icons;
};

} // namespace filelist
