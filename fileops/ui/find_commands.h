#pragma once

#include "command_host.h"

#include <QObject>
#include <memory>

namespace fileopsui {

class FilterDialog;

// Finding entries of the listed folder: the file search selects the first row
// whose name contains a typed text; the filter lists only the entries whose
// names match a pattern.
class FindCommands final : public QObject {
    Q_OBJECT

  public:
    FindCommands(app::CommandHost& host, QObject* parent);
    ~FindCommands() override;

    void tlbtnFindFileClick();
    void tlbtnFindClick();

    FilterDialog* filterDialog() const { return m_filterDialog.get(); }

  private:
    app::CommandHost& m_host;
    std::unique_ptr<FilterDialog> m_filterDialog;
};

} // namespace fileopsui
