#include "main_window.h"

#include "command_binding.h"
#include "conversion_commands.h"
#include "copy_engine.h"
#include "failure_list.h"
#include "folder_watcher.h"
#include "list_keys.h"
#include "message_box.h"
#include "navigation.h"
#include "path_mask_boxes.h"
#include "paths.h"
#include "settings_file.h"
#include "sort_commands.h"
#include "tool_images.h"
#include "transfer_progress_dialog.h"
#include "transfer_texts.h"
#include "viewer_mode.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <algorithm>
#include <system_error>

namespace app {
namespace {

constexpr int kMinimumWidth = 560;
constexpr int kMinimumHeight = 400;
constexpr const char* kVersionText = "2.25";

} // namespace

MainWindow::MainWindow(ProgramFiles files, QWidget* parent)
    : QMainWindow(parent), m_files(std::move(files)) {
    setObjectName("Form1");
    setWindowTitle("Tornwel");
    resize(572, 405);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    for (int image = 0; image < kToolImageCount; ++image)
        m_images.Append(ToolImage(image));
    BuildToolBars();
    BuildMenus();
    BuildListMenu();
    BuildCentralArea();
    m_boxes = new PathMaskBoxes(*this, *m_pathBox, *m_maskBox);
    m_sortCommands = new SortCommands(*this);
    ConnectListCommands();
    // Files made, removed or renamed in the listed folder by any program.
    m_watcher = new filelist::FolderWatcher(this);
    connect(m_watcher, &filelist::FolderWatcher::FolderChanged, this,
            [this] { RefreshFileList(false, true, false); });
    FormCreate();
}

// The commands of the list's keys, tool buttons and menu items.
void MainWindow::ConnectListCommands() {
    auto* keys = new ListKeys(m_fileList, m_state);
    ConnectConversionCommands(*keys);
    ConnectNamingCommands(*keys);
    ConnectExternalAppCommands(*keys);
    ConnectTransferCommands(*keys);
    (new Navigation(*this))->BindKeys(*keys);
    keys->Bind('S', [this] { OpenSortDialog(); });
    auto* viewing = new ViewerMode(*this, *m_textViewer);
    keys->Bind('V', [viewing] { viewing->OpenViewer(); });
    keys->OnEveryRelease([this] {
        m_state.AltPanelShown = false;
        if (auto* overlay = findChild<QWidget*>("GroupBox1", Qt::FindDirectChildrenOnly))
            overlay->hide();
    });
}

void MainWindow::OpenSortDialog() {
    m_sortCommands->OpenSortDialog();
}

// The NC commands on their tool buttons, menu items and list keys.
void MainWindow::ConnectConversionCommands(ListKeys& keys) {
    using Commands = ncui::ConversionCommands;
    struct Binding {
        const char* button;
        const char* menuItem;
        char key;
        void (Commands::*handler)();
    };
    static constexpr Binding kBindings[] = {
        {"tlbtnBai", "Menu_bai2", 'H', &Commands::tlbtnBaiClick},
        {"tlbtnPlus", "Menu_plus", 'K', &Commands::tlbtnPlusClick},
        {"tlbtnDivides", "Menu_divides", 'B', &Commands::tlbtnDividesClick},
        {"tlbtnDecimal", "Menu_decimal", 'I', &Commands::tlbtnDecimalClick},
        {"tlbtnDecimalC", "Menu_decimalc", 'J', &Commands::tlbtnDecimalCClick},
        {"tlbtnLst", "Menu_lst", 'N', &Commands::tlbtnLstClick},
    };
    auto* commands = new Commands(*this, this);
    for (const Binding& binding : kBindings) {
        BindCommand(*this, keys, {binding.button, binding.menuItem}, binding.key,
                    [commands, handler = binding.handler] { (commands->*handler)(); });
    }
}

std::vector<const filelist::FileRow*> MainWindow::SelectedRows() const {
    auto selected = m_fileList->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<const filelist::FileRow*> rows;
    for (const QModelIndex& index : selected)
        rows.push_back(&m_model->Row(index.row()));
    return rows;
}

QString MainWindow::Caption(const std::string& versionText) {
    return QString("Tornwel Ver%1 (Win98/Me/2000/Xp)").arg(QString::fromStdString(versionText));
}

void MainWindow::FormCreate() {
    LoadSettings(m_files.settingsPath, m_state);
    const WindowBounds& bounds = m_state.Bounds;
    move(bounds.Left, bounds.Top);
    resize(bounds.Width, bounds.Height);
    for (int column = 0; column < kColumnCount; ++column) {
        m_fileList->setColumnWidth(column, m_state.ColumnWidths[column]);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    FormShow();
}

void MainWindow::FormShow() {
    setAcceptDrops(true);
    m_boxes->LoadHistories();
    m_state.WorkPath = m_state.CurrentDir;
    if (!platform::IsRootPath(m_state.WorkPath) && !platform::FolderExists(m_state.WorkPath)) {
        m_state.MsgAnswer = platform::AskWarningYesNo(
            this, "ディレクトリが見つかりません。ディレクトリを作成しますか？");
        if (m_state.MsgAnswer == platform::IDYES) {
            platform::ForceFolderPath(m_state.CurrentDir);
        } else {
            m_state.CurrentDir = DefaultStartFolder();
            m_boxes->ShowPath(m_state.CurrentDir);
            m_boxes->PushPathHistory();
        }
    }
    m_state.FolderImage = filelist::kFolderImage;
    m_state.TypeTableLast = m_types.TypeTableLast();
    m_state.FileImage = filelist::kFileImage;
    // The first listing runs once the window is on the screen.
    QTimer::singleShot(0, this, [this] { RefreshFileList(false, false, false); });
    m_state.InPlaceEditing = false;
    m_state.ComboMouseDown = true;
    m_state.VersionText = kVersionText;
    setWindowTitle(Caption(m_state.VersionText));
    m_state.AltPanelShown = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainWindow::FormCloseQuery() {
    for (int column = 0; column < kColumnCount; ++column) {
        m_state.ColumnWidths[column] = m_fileList->columnWidth(column);
    }
    m_state.Bounds = {x(), y(), width(), height()};
    try {
        SaveSettings(m_files.settingsPath, m_state);
    } catch (const std::system_error& failure) {
        platform::ShowFileFailure(this, platform::kCannotWriteFormat, m_files.settingsPath,
                                  failure);
        return false;
    }
    return m_boxes->SaveHistories();
}

void MainWindow::SelectOnlyItem(int index) {
    const QModelIndex target = m_model->index(index, 0);
    m_fileList->setFocus();
    m_fileList->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    m_fileList->scrollTo(target, QAbstractItemView::EnsureVisible);
}

void MainWindow::RememberWindowRect() {
    if (QApplication::activeWindow() != this) return;
    const QRect frame = frameGeometry();
    m_state.WindowRect = {frame.x(), frame.y(), frame.width(), frame.height()};
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    CopyDroppedFiles(paths);
}

// Each dropped path is copied into the listed folder by the copy engine, with
// its progress window and questions; the paths copied whole are counted.
void MainWindow::CopyDroppedFiles(const QStringList& paths) {
    m_state.OpCount = 0;
    std::vector<std::string> sources;
    for (const QString& path : paths) {
        m_state.SelectedName = QFile::encodeName(path).toStdString();
        sources.push_back(m_state.SelectedName);
    }
    fileops::Transfer transfer(fileops::TransferKind::Copy, sources, m_state.CurrentDir);
    const auto report =
        fileopsui::TransferProgressDialog(this, fileopsui::kCopyCaption).Run(transfer);
    m_state.OpCount = static_cast<int>(
        std::count(report.outcomes.begin(), report.outcomes.end(), fileops::TransferOutcome::Done));
    // A cancel ends the drop without a word, as it ends a copy.
    if (report.status == fileops::TransferStatus::Cancelled) return;
    fileopsui::FailureList failures;
    for (const auto& failure : report.failures)
        failures.Add(failure.path, failure.reason);
    if (!failures.empty()) failures.Show(this, fileopsui::kNotCopiedHeading);
    if (m_state.OpCount == 0) return;
    RefreshFileList(false, false, false);
    m_state.MsgAnswer = platform::ShowInformation(
        this, "確認", QString("%1個のﾌｧｲﾙをｺﾋﾟｰしました。").arg(m_state.OpCount));
}

} // namespace app
