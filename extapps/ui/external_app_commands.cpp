#include "external_app_commands.h"

#include "alt_overlay.h"
#include "argument_dialog.h"
#include "command_frame.h"
#include "command_table_dialog.h"
#include "editor_command.h"
#include "editor_setting_dialog.h"
#include "external_command.h"
#include "file_list_model.h"
#include "message_box.h"
#include "program_start.h"
#include "shell_commands.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

namespace extapps {
namespace {

// The hidden menu items carry the tags 2..27 for the letters A..Z.
constexpr int kFirstTag = 2;

} // namespace

ExternalAppCommands::ExternalAppCommands(app::CommandHost& host, QObject* parent)
    : QObject(parent), m_host(host), m_overlay(new AltOverlay(host.hostWindow())) {
    BindLetterShortcuts();
    // Alt is seen wherever the focus is in the main window, the viewer included.
    qApp->installEventFilter(this);
}

ExternalAppCommands::~ExternalAppCommands() = default;

// Qt fires no shortcut of a hidden action, so each hidden item lends its key
// and tag to a shortcut of the window.
void ExternalAppCommands::BindLetterShortcuts() {
    QWidget* window = m_host.hostWindow();
    for (int slot = 0; slot < app::kOutAppCount; ++slot) {
        const auto* item =
            window->findChild<QAction*>(QString("Menu_outapp%1").arg(QChar('A' + slot)));
        Q_ASSERT(item);
        auto* shortcut = new QShortcut(item->shortcut(), window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, tag = item->data().toInt()] { Menu_outaClick(tag); });
    }
}

void ExternalAppCommands::Menu_setClick() {
    m_host.RememberWindowRect();
    m_overlay->hide();
    if (!m_table)
        m_table = std::make_unique<CommandTableDialog>(m_host.state(), m_host.hostWindow());
    HideOverlayForDialog();
    m_table->Open();
}

void ExternalAppCommands::Menu_outaClick(int tag) {
    const int slot = tag - kFirstTag;
    if (slot < 0 || slot >= app::kOutAppCount) return;
    RunExternalCommand(static_cast<char>('A' + slot));
}

void ExternalAppCommands::RunExternalCommand(char letter) {
    m_overlay->hide();
    const auto step = extapps::RunExternalCommand(m_host.state(), letter, SelectedNames());
    if (std::holds_alternative<SelectionRefused>(step)) {
        RefuseSelection();
    } else if (const auto* wanted = std::get_if<ArgumentsWanted>(&step)) {
        m_host.RememberWindowRect();
        if (!m_arguments) m_arguments = std::make_unique<ArgumentDialog>(m_host.hostWindow());
        HideOverlayForDialog();
        if (const auto request = m_arguments->Ask(*wanted, m_host.state()))
            StartProgram(m_host.hostWindow(), *request);
    } else if (const auto* request = std::get_if<LaunchRequest>(&step)) {
        StartProgram(m_host.hostWindow(), *request);
    }
}

void ExternalAppCommands::Menu_outeeClick() {
    const auto step =
        EditSelectedFile(m_host.state(), SelectedNames(), DesktopEnvironmentFromProcess());
    if (std::holds_alternative<SelectionRefused>(step)) {
        RefuseSelection();
    } else if (std::holds_alternative<NoEditorFound>(step)) {
        ncui::ShowCommandError(m_host.hostWindow(), kNoEditorMessage);
    } else {
        StartProgram(m_host.hostWindow(), std::get<LaunchRequest>(step));
    }
}

void ExternalAppCommands::Menu_seteClick() {
    m_host.RememberWindowRect();
    m_overlay->hide();
    if (!m_editorSetting) {
        m_editorSetting =
            std::make_unique<EditorSettingDialog>(m_host.state(), m_host.hostWindow());
    }
    m_editorSetting->Open();
}

bool ExternalAppCommands::eventFilter(QObject* watched, QEvent* event) {
    const bool pressed = event->type() == QEvent::KeyPress;
    if (!pressed && event->type() != QEvent::KeyRelease) return false;
    QWidget* window = m_host.hostWindow();
    if (QApplication::activeWindow() != window) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (!pressed) {
        if (key->key() == Qt::Key_Alt && !key->isAutoRepeat()) AltReleased();
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window) return false;
    if (key->key() == Qt::Key_Alt) {
        m_altHeld = true;
        return HandleDialogKey(Qt::Key_Alt);
    }
    if (key->key() == Qt::Key_Home && key->modifiers().testFlag(Qt::AltModifier))
        return HandleDialogKey(Qt::Key_Home);
    return false;
}

// The overlay names the commands while Alt is held, so the release of Alt
// hides it wherever the focus is: over the viewer nothing else would, and in
// the list the menu bar takes the focus at that release, before the list's
// own release handling could see it.
void ExternalAppCommands::AltReleased() {
    if (!m_altHeld) return;
    m_altHeld = false;
    m_overlay->hide();
    m_host.state().AltPanelShown = false;
}

// Alt shows the overlay once until its release, or a key release in the
// list, clears AltPanelShown (the key repeats while held). Alt+Home selects every row and
// is consumed, or the list would go on to select its first row alone.
bool ExternalAppCommands::HandleDialogKey(int key) {
    if (key == Qt::Key_Home) {
        SelectAllRows(m_host);
        return true;
    }
    app::MainState& state = m_host.state();
    if (!state.AltPanelShown) m_overlay->ShowFor(state);
    state.AltPanelShown = true;
    return false;
}

void ExternalAppCommands::HideOverlayForDialog() {
    m_overlay->hide();
    m_host.state().AltPanelShown = false;
}

std::vector<std::string> ExternalAppCommands::SelectedNames() const {
    std::vector<std::string> names;
    for (const filelist::FileRow* row : m_host.SelectedRows())
        names.push_back(row->name);
    return names;
}

void ExternalAppCommands::RefuseSelection() {
    m_host.state().MsgAnswer =
        platform::ShowStop(m_host.hostWindow(), ncui::kConfirmCaption, kSelectOneFileMessage);
}

} // namespace extapps
