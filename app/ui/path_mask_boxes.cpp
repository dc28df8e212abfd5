#include "path_mask_boxes.h"

#include "display_text.h"
#include "main_window.h"
#include "message_box.h"
#include "paths.h"
#include "typed_char_filter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>

namespace app {
namespace {

// Masks may hold "*", ".", "," and "|" (lists of patterns), never a folder.
constexpr const char* kMaskRefused = "\\:;?<>";
constexpr const char* kMaskMessage = "この文字はフォルダー名に使えません。\n\\:;?<>";

std::string HomeFolder() {
    return QFile::encodeName(QDir::homePath()).toStdString();
}

} // namespace

PathMaskBoxes::PathMaskBoxes(MainWindow& window, QComboBox& pathBox, QComboBox& maskBox)
    : QObject(&window), m_window(window), m_pathBox(pathBox), m_maskBox(maskBox),
      m_pathHistory(pathBox,
                    platform::JoinPath(window.settingsFolder(), filelist::kMainPathListFile),
                    filelist::HistoryMatch::Exact),
      m_maskHistory(maskBox, platform::JoinPath(window.settingsFolder(), filelist::kMaskListFile),
                    filelist::HistoryMatch::IgnoreAsciiCase) {
    using Rule = platform::TypedCharFilter::Rule;
    new platform::TypedCharFilter(&pathBox, Rule::RefuseListed, platform::kFolderNameRefused,
                                  platform::kFolderNameMessage);
    new platform::TypedCharFilter(&maskBox, Rule::RefuseListed, kMaskRefused, kMaskMessage);
    platform::KeepUpperCase(*maskBox.lineEdit());
    WatchKeysAndMouse(pathBox);
    WatchKeysAndMouse(maskBox);
    connect(pathBox.lineEdit(), &QLineEdit::returnPressed, this, &PathMaskBoxes::ComboBox1Enter);
    connect(maskBox.lineEdit(), &QLineEdit::returnPressed, this, &PathMaskBoxes::ComboBox2Enter);
    connect(&pathBox, &QComboBox::activated, this, &PathMaskBoxes::ComboBox1Click);
    connect(&maskBox, &QComboBox::activated, this, &PathMaskBoxes::ComboBox2Click);
}

// A key in a box, its text field or its open list ends a mouse pick; a press
// of the mouse on the box itself (the part that opens the list) starts one.
void PathMaskBoxes::WatchKeysAndMouse(QComboBox& box) {
    box.installEventFilter(this);
    box.lineEdit()->installEventFilter(this);
    box.view()->installEventFilter(this);
}

bool PathMaskBoxes::eventFilter(QObject* watched, QEvent* event) {
    MainState& state = m_window.state();
    if (event->type() == QEvent::KeyPress) state.ComboMouseDown = false;
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == &m_pathBox || watched == &m_maskBox) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        state.ComboMouseDown = true;
    }
    return false;
}

void PathMaskBoxes::LoadHistories() {
    m_pathHistory.Load(&m_window);
    ShowPath(m_window.state().CurrentDir);
    m_maskHistory.Load(&m_window);
    ShowMask(m_window.state().FileMask);
}

bool PathMaskBoxes::SaveHistories() {
    PushPathHistory();
    if (!m_pathHistory.Save(&m_window)) return false;
    PushMaskHistory();
    return m_maskHistory.Save(&m_window);
}

void PathMaskBoxes::PushPathHistory() {
    m_pathHistory.Push(m_pathHistory.Text());
}

void PathMaskBoxes::PushMaskHistory() {
    m_maskHistory.Push(m_maskHistory.Text());
}

void PathMaskBoxes::ShowPath(const std::string& path) {
    m_pathHistory.SetText(path);
}

void PathMaskBoxes::ShowMask(const std::string& mask) {
    m_maskHistory.SetText(mask);
}

void PathMaskBoxes::ComboBox1Enter() {
    const std::string typed = m_pathHistory.Text();
    if (typed.empty()) return;
    TestWorkPath(typed, true);
    PushPathHistory();
    m_window.RefreshFileList(false, false, false);
}

void PathMaskBoxes::ComboBox1Click() {
    MainState& state = m_window.state();
    if (!state.ComboMouseDown) return;
    state.ComboMouseDown = false;
    TestWorkPath(m_pathHistory.Text(), false);
    m_pathHistory.MoveToTop(state.CurrentDir);
    m_window.RefreshFileList(false, false, false);
}

// A missing folder may be created; declined, the box shows the listed folder again.
void PathMaskBoxes::TestWorkPath(const std::string& typed, bool showWorkPath) {
    MainState& state = m_window.state();
    state.WorkPath = platform::ResolveTypedPath(typed, state.CurrentDir, HomeFolder());
    if (showWorkPath) ShowPath(state.WorkPath);
    if (platform::IsRootPath(state.WorkPath) || platform::FolderExists(state.WorkPath)) {
        state.CurrentDir = state.WorkPath;
        return;
    }
    state.MsgAnswer = platform::AskWarningYesNo(
        &m_window, "ディレクトリが有りません。\n" + platform::DisplayText(state.WorkPath) +
                       "を作成しますか？");
    if (state.MsgAnswer == platform::IDYES) {
        platform::ForceFolderPath(state.WorkPath);
        state.CurrentDir = state.WorkPath;
    } else {
        ShowPath(state.CurrentDir);
    }
}

// "NC" and ".NC" mean "*.NC".
std::string PathMaskBoxes::CompletedMask() const {
    const std::string text = m_maskHistory.Text();
    if (text.starts_with('*')) return text;
    return (text.starts_with('.') ? "*" : "*.") + text;
}

void PathMaskBoxes::ComboBox2Enter() {
    if (m_maskHistory.Text().empty()) return;
    MainState& state = m_window.state();
    state.FileMask = CompletedMask();
    ShowMask(state.FileMask);
    PushMaskHistory();
    m_window.RefreshFileList(false, false, false);
}

void PathMaskBoxes::ComboBox2Click() {
    MainState& state = m_window.state();
    if (!state.ComboMouseDown) return;
    state.ComboMouseDown = false;
    state.FileMask = CompletedMask();
    ShowMask(state.FileMask);
    m_maskHistory.MoveToTop(state.FileMask);
    m_window.RefreshFileList(false, false, false);
}

} // namespace app
