#include "failure_list.h"

#include "display_text.h"
#include "message_box.h"
#include "transfer_texts.h"

namespace fileopsui {
namespace {

// Twenty lines keep the box on a small screen and still show a pattern.
constexpr qsizetype kShownLines = 20;

} // namespace

void FailureList::Add(const std::string& path, const std::string& reason) {
    m_lines << platform::DisplayText(path) + ": " + platform::DisplayText(reason);
}

QString FailureList::Text() const {
    if (m_lines.size() <= kShownLines) return m_lines.join('\n');
    return m_lines.mid(0, kShownLines).join('\n') + '\n' +
           QString(kMoreFailures).arg(m_lines.size() - kShownLines);
}

void FailureList::Show(QWidget* owner, const char* heading) const {
    platform::ShowStop(owner, kErrorCaption, QString(heading) + '\n' + Text());
}

} // namespace fileopsui
