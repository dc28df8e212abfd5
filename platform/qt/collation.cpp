#include "collation.h"

namespace platform {

NameCollation::NameCollation() : m_collator(QLocale(QLocale::English)) {
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collator.setNumericMode(false);
}

int NameCollation::Compare(const QString& a, const QString& b) const {
    return m_collator.compare(a, b);
}

QCollatorSortKey NameCollation::SortKey(const QString& name) const {
    return m_collator.sortKey(name);
}

const NameCollation& Collation() {
    static const NameCollation collation;
    return collation;
}

} // namespace platform
