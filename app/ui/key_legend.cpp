#include "key_legend.h"

#include <QStandardItemModel>
#include <QStringList>

namespace app {
namespace {

constexpr int kLegendHeight = 17;

} // namespace

KeyLegend::KeyLegend(const std::vector<Section>& sections, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent) {
    auto* model = new QStandardItemModel(0, static_cast<int>(sections.size()), this);
    for (int i = 0; i < static_cast<int>(sections.size()); ++i) {
        model->setHeaderData(i, Qt::Horizontal, QString::fromUtf8(sections[i].first));
        model->setHeaderData(i, Qt::Horizontal, int(Qt::AlignLeft | Qt::AlignVCenter),
                             Qt::TextAlignmentRole);
    }
    setModel(model);
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(1);
    for (int i = 0; i < static_cast<int>(sections.size()); ++i)
        resizeSection(i, sections[i].second);
    setFixedHeight(kLegendHeight);
    setFocusPolicy(Qt::NoFocus);
    // Painted sections say nothing to a screen reader: the legend names its keys.
    QStringList texts;
    for (const auto& section : sections)
        texts << QString::fromUtf8(section.first);
    setAccessibleName(texts.join("  "));
}

} // namespace app
