#include "conversion_commands.h"

#include "axis_doubling_dialog.h"
#include "command_frame.h"
#include "join_dialog.h"
#include "paths.h"
#include "split_dialog.h"
#include "variable_list_dialog.h"

namespace ncui {
namespace {

template <typename Dialog> Dialog& Made(std::unique_ptr<Dialog>& dialog, app::CommandHost& host) {
    if (!dialog) dialog = std::make_unique<Dialog>(host);
    return *dialog;
}

} // namespace

ConversionCommands::ConversionCommands(app::CommandHost& host, QObject* parent)
    : QObject(parent), m_host(host) {}

ConversionCommands::~ConversionCommands() = default;

std::optional<bool> ConversionCommands::StartSingleFileCommand(const char* outputSuffix) {
    if (!CheckSingleFileSelection(m_host)) return std::nullopt;
    app::MainState& state = m_host.state();
    if (outputSuffix) state.OutputName = nc::NameWithSuffix(state.SelectedName, outputSuffix);
    return AskFileForm(m_host, m_host.hostWindow(),
                       platform::JoinPath(state.CurrentDir, state.SelectedName));
}

void ConversionCommands::tlbtnBaiClick() {
    const auto readPieces = StartSingleFileCommand("_2");
    if (!readPieces) return;
    AxisDoublingDialog& dialog = Made(m_axisDoubling, m_host);
    dialog.ClearAxis();
    m_host.RememberWindowRect();
    dialog.Open(*readPieces);
}

void ConversionCommands::tlbtnDecimalClick() {
    OpenDecimalDialog(m_insertion, DecimalDialog::Kind::Insertion, "_S");
}

void ConversionCommands::tlbtnDecimalCClick() {
    OpenDecimalDialog(m_removal, DecimalDialog::Kind::Removal, "_N");
}

void ConversionCommands::OpenDecimalDialog(std::unique_ptr<DecimalDialog>& dialog,
                                           DecimalDialog::Kind kind, const char* suffix) {
    const auto readPieces = StartSingleFileCommand(suffix);
    if (!readPieces) return;
    if (!dialog) dialog = std::make_unique<DecimalDialog>(m_host, kind);
    m_host.RememberWindowRect();
    dialog->Open(*readPieces);
}

void ConversionCommands::tlbtnDividesClick() {
    // The split names no output of its own; it sets the doubling's name as well.
    const auto readPieces = StartSingleFileCommand("_2");
    if (!readPieces) return;
    SplitDialog& dialog = Made(m_split, m_host);
    dialog.ClearFoundPrograms();
    m_host.RememberWindowRect();
    dialog.Open(*readPieces);
}

void ConversionCommands::tlbtnLstClick() {
    const auto readPieces = StartSingleFileCommand(nullptr);
    if (!readPieces) return;
    VariableListDialog& dialog = Made(m_variableList, m_host);
    dialog.ClearLists();
    m_host.RememberWindowRect();
    dialog.Open(*readPieces);
}

void ConversionCommands::tlbtnPlusClick() {
    const auto names = CheckJoinSelection(m_host);
    if (!names) return;
    Made(m_join, m_host).Open(*names);
}

} // namespace ncui
