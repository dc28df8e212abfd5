#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QString>

namespace platform {

// The one order of names in the program: letters alphabetically, digits as
// text, letter case only a tie-break with lower case first.
class NameCollation final {
  public:
    NameCollation();
    int Compare(const QString& a, const QString& b) const;
    QCollatorSortKey SortKey(const QString& name) const;

  private:
    QCollator m_collator;
};

const NameCollation& Collation();

} // namespace platform
