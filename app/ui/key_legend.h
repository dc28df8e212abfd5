#pragma once

#include <QHeaderView>
#include <utility>
#include <vector>

namespace app {

// A flat bar of fixed sections naming the single-key commands of the list.
class KeyLegend final : public QHeaderView {
    Q_OBJECT

  public:
    using Section = std::pair<const char*, int>; // text, width in pixels
    KeyLegend(const std::vector<Section>& sections, QWidget* parent);
};

} // namespace app
