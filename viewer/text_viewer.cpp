#include "text_viewer.h"

#include "byte_search.h"
#include "encoding.h"
#include "find_dialog.h"
#include "fixed_pitch_font.h"
#include "message_box.h"
#include "text_viewer_accessible.h"

#include <QAccessible>
#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <system_error>

namespace viewer {
namespace {

// The first megabytes decide the encoding: enough to meet the first
// non-ASCII comment of a program, quick to read at opening.
constexpr std::size_t kDetectionBytes = 4 * 1024 * 1024;
constexpr int kMargin = 2;
constexpr int kTabColumns = 8;
constexpr std::uint64_t kMaxScrollSteps = 1'000'000'000;

// Appends `part` to `line` with each tab widened to the next tab stop.
void AppendExpanded(QString& line, const QString& part) {
    for (const QChar character : part) {
        if (character == u'\t') {
            line.append(QString(kTabColumns - line.size() % kTabColumns, u' '));
        } else {
            line.append(character);
        }
    }
}

// Shows the wait cursor while a long search runs on the GUI thread.
class WaitCursor final {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TextViewer::TextViewer(QWidget* parent)
    : QAbstractScrollArea(parent), m_closeAction(new QAction("閉じる", this)),
      m_findAction(new QAction("検索", this)) {
    InstallTextViewerAccessibility();
    setObjectName("TextView");
    setAccessibleName("ﾌｧｲﾙﾋﾞｭｰ");
    setFont(platform::FixedPitchFontOfPixels(13));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setAccessibleName("縦スクロール");
    horizontalScrollBar()->setAccessibleName("横スクロール");
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setCursor(Qt::IBeamCursor);
    m_closeAction->setObjectName("ViewClose");
    m_findAction->setObjectName("Find_m2");
    connect(m_closeAction, &QAction::triggered, this, &TextViewer::Close);
    connect(m_findAction, &QAction::triggered, this, &TextViewer::ShowFindDialog);
}

TextViewer::~TextViewer() {
    // The index thread reads the file: it stops before the file closes.
    Release();
}

bool TextViewer::Open(const std::string& path) {
    Release();
    try {
        m_file = std::make_unique<FileSource>(path);
    } catch (const std::system_error& failure) {
        Invalidate();
        UpdateScrollBars();
        platform::ShowFileFailure(this, platform::kCannotReadFormat, path, failure);
        return false;
    }
    std::string head(std::min<std::uint64_t>(m_file->size(), kDetectionBytes), '\0');
    head.resize(m_file->ReadAt(0, head));
    const TextForm form = DetectTextForm(head, head.size() == m_file->size());
    m_decoder = std::make_unique<RowDecoder>(form.encoding);
    // Progress comes from the index thread; it is handled on the GUI thread
    // (and dropped with the viewer).
    m_index = std::make_unique<LineIndex>(*m_file, form, [this] {
        QMetaObject::invokeMethod(this, &TextViewer::IndexGrew, Qt::QueuedConnection);
    });
    m_selStart = m_selEnd = form.begin;
    m_topRow = 0;
    m_widest = 0;
    horizontalScrollBar()->setValue(0);
    Invalidate();
    UpdateScrollBars();
    return true;
}

void TextViewer::Close() {
    Release();
    Invalidate();
    UpdateScrollBars();
    emit Closed();
}

void TextViewer::Release() {
    m_index.reset();
    m_decoder.reset();
    m_file.reset();
    m_topRow = 0;
    m_selStart = m_selEnd = 0;
    m_widest = 0;
}

std::uint64_t TextViewer::knownRows() const {
    return m_index ? m_index->knownRows() : 0;
}

bool TextViewer::indexComplete() const {
    return !m_index || m_index->complete();
}

void TextViewer::IndexGrew() {
    if (!m_index) return;
    UpdateScrollBars();
    // Rows missing at the end of the screen may be known now.
    if (ShownRows().size() < static_cast<std::size_t>(PageRows()) + 1) Invalidate();
}

void TextViewer::ShowFindDialog() {
    if (!m_findDialog) {
        m_findDialog = new FindDialog(this);
        connect(m_findDialog, &FindDialog::FindRequested, this,
                [this](const QString& text, bool matchCase) { FindNext(text, matchCase); });
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

bool TextViewer::FindNext() {
    if (!m_findDialog || m_findDialog->text().isEmpty()) {
        ShowFindDialog();
        return false;
    }
    return FindNext(m_findDialog->text(), m_findDialog->matchCase());
}

bool TextViewer::FindNext(const QString& text, bool matchCase) {
    if (text.isEmpty()) return false;
    std::optional<std::uint64_t> found;
    const std::optional<std::string> needle = m_file ? Encoded(text) : std::nullopt;
    if (needle) {
        const WaitCursor wait;
        found = FindForward(*m_file, {*needle, m_selEnd, matchCase, m_index->encoding()});
    }
    if (!found) {
        platform::ShowInformation(BoxOwner(), "編集", "検索文字列が見当たりません！");
        return false;
    }
    m_selStart = *found;
    m_selEnd = *found + needle->size();
    setFocus();
    SetTopRow(m_index->RowOf(*found));
    ScrollToSelectionColumn();
    return true;
}

std::optional<std::string> TextViewer::Encoded(const QString& text) const {
    const std::string utf8 = text.toStdString();
    if (m_index->encoding() == TextEncoding::Utf8) return utf8;
    // A text CP932 cannot hold cannot occur in the file.
    return platform::Utf8ToCp932(utf8);
}

QWidget* TextViewer::BoxOwner() {
    if (m_findDialog && m_findDialog->isVisible()) return m_findDialog;
    return this;
}

int TextViewer::PageRows() const {
    return std::max(1, viewport()->height() / fontMetrics().lineSpacing());
}

std::uint64_t TextViewer::ScrollableRows() const {
    if (!m_index) return 0;
    const std::uint64_t known = m_index->knownRows();
    if (m_index->complete()) return known;
    // While indexing runs, a row found beyond the known ones may be on top.
    return std::max(known, m_topRow + static_cast<std::uint64_t>(PageRows()));
}

std::uint64_t TextViewer::LastTopRow() const {
    const std::uint64_t rows = ScrollableRows();
    const auto page = static_cast<std::uint64_t>(PageRows());
    return rows > page ? rows - page : 0;
}

void TextViewer::SetTopRow(std::uint64_t row) {
    // While indexing runs, the last top row depends on the row asked for.
    m_topRow = row;
    m_topRow = std::min(row, LastTopRow());
    Invalidate();
    UpdateScrollBars();
}

void TextViewer::UpdateScrollBars() {
    const bool wasSetting = m_settingScrollBars;
    m_settingScrollBars = true;
    const std::uint64_t lastTop = LastTopRow();
    m_rowsPerStep = lastTop / kMaxScrollSteps + 1;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, static_cast<int>(lastTop / m_rowsPerStep));
    vertical->setPageStep(std::max(1, PageRows() / static_cast<int>(m_rowsPerStep)));
    vertical->setSingleStep(1);
    vertical->setValue(static_cast<int>(m_topRow / m_rowsPerStep));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, m_widest + 2 * kMargin - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(fontMetrics().averageCharWidth());
    m_settingScrollBars = wasSetting;
}

void TextViewer::scrollContentsBy(int, int dy) {
    if (dy != 0 && !m_settingScrollBars) {
        const QScrollBar* vertical = verticalScrollBar();
        const auto step = static_cast<std::uint64_t>(vertical->value());
        m_topRow = vertical->value() == vertical->maximum() ? LastTopRow() : step * m_rowsPerStep;
        Invalidate();
    }
    viewport()->update();
}

void TextViewer::Invalidate() {
    m_shownValid = false;
    viewport()->update();
    NotifyAccessibility();
}

const std::vector<TextViewer::ShownRow>& TextViewer::ShownRows() const {
    if (m_shownValid) return m_shownRows;
    m_shownRows.clear();
    m_shownValid = true;
    if (!m_index) return m_shownRows;
    for (const Row& row : m_index->Rows(m_topRow, static_cast<std::size_t>(PageRows()) + 1)) {
        m_shownRows.push_back(Shown(row));
        m_widest = std::max(m_widest, fontMetrics().horizontalAdvance(m_shownRows.back().text));
    }
    return m_shownRows;
}

TextViewer::ShownRow TextViewer::Shown(const Row& row) const {
    std::string bytes(row.end - row.start, '\0');
    bytes.resize(m_file->ReadAt(row.start, bytes));
    const std::uint64_t end = row.start + bytes.size();
    // The part before, in and after the selection, each decoded on its own:
    // a selection starts and ends at characters.
    const std::uint64_t from = std::clamp(m_selStart, row.start, end);
    const std::uint64_t to = std::clamp(m_selEnd, from, end);
    const auto part = [&](std::uint64_t first, std::uint64_t last) {
        return QString::fromStdString(
            m_decoder->ToUtf8(std::string_view(bytes).substr(first - row.start, last - first)));
    };
    ShownRow shown{row, {}, -1, -1};
    AppendExpanded(shown.text, part(row.start, from));
    const auto selectedFrom = static_cast<int>(shown.text.size());
    AppendExpanded(shown.text, part(from, to));
    if (to > from) {
        shown.selectedFrom = selectedFrom;
        shown.selectedTo = static_cast<int>(shown.text.size());
    }
    AppendExpanded(shown.text, part(to, end));
    return shown;
}

int TextViewer::TextLeft() const {
    return kMargin - horizontalScrollBar()->value();
}

void TextViewer::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.lineSpacing();
    const int left = TextLeft();
    int top = 0;
    for (const ShownRow& row : ShownRows()) {
        const int baseline = top + metrics.ascent();
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(left, baseline, row.text);
        if (row.selectedFrom >= 0) {
            const QString selected =
                row.text.mid(row.selectedFrom, row.selectedTo - row.selectedFrom);
            const int x = left + metrics.horizontalAdvance(row.text.left(row.selectedFrom));
            painter.fillRect(QRect(x, top, metrics.horizontalAdvance(selected), lineHeight),
                             palette().color(QPalette::Highlight));
            painter.setPen(palette().color(QPalette::HighlightedText));
            painter.drawText(x, baseline, selected);
        }
        top += lineHeight;
    }
    // A wider row than before widens the scroll range, once painting is over.
    if (m_widest + 2 * kMargin - viewport()->width() > horizontalScrollBar()->maximum())
        QMetaObject::invokeMethod(this, &TextViewer::UpdateScrollBars, Qt::QueuedConnection);
}

void TextViewer::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    SetTopRow(m_topRow);
}

void TextViewer::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    const auto page = static_cast<std::uint64_t>(PageRows());
    QScrollBar* horizontal = horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up:
        SetTopRow(m_topRow > 0 ? m_topRow - 1 : 0);
        break;
    case Qt::Key_Down:
        SetTopRow(m_topRow + 1);
        break;
    case Qt::Key_PageUp:
        SetTopRow(m_topRow > page ? m_topRow - page : 0);
        break;
    case Qt::Key_PageDown:
        SetTopRow(m_topRow + page);
        break;
    case Qt::Key_Left:
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Home:
        if (control) {
            SetTopRow(0);
            MoveCaret(m_index ? m_index->textBegin() : 0);
        }
        horizontal->setValue(0);
        break;
    case Qt::Key_End:
        if (control) {
            SetTopRow(LastTopRow());
            const auto& rows = ShownRows();
            MoveCaret(m_index && m_index->complete() ? m_index->textEnd()
                      : rows.empty()                 ? m_selEnd
                                                     : rows.back().row.end);
        } else {
            horizontal->setValue(horizontal->maximum());
        }
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TextViewer::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const int index = event->position().toPoint().y() / fontMetrics().lineSpacing();
    const auto& rows = ShownRows();
    if (index >= 0 && index < static_cast<int>(rows.size())) MoveCaret(rows[index].row.start);
}

void TextViewer::MoveCaret(std::uint64_t offset) {
    m_selStart = m_selEnd = offset;
    Invalidate();
}

void TextViewer::ScrollToSelectionColumn() {
    for (const ShownRow& row : ShownRows()) {
        if (row.selectedFrom < 0) continue;
        UpdateScrollBars();
        const QFontMetrics metrics = fontMetrics();
        const int from = metrics.horizontalAdvance(row.text.left(row.selectedFrom));
        const int to = metrics.horizontalAdvance(row.text.left(row.selectedTo));
        QScrollBar* horizontal = horizontalScrollBar();
        const int width = viewport()->width() - 2 * kMargin;
        if (from < horizontal->value() || to > horizontal->value() + width) {
            horizontal->setValue(std::max(0, to - width));
            if (from < horizontal->value()) horizontal->setValue(from);
        }
        return;
    }
}

QStringList TextViewer::visibleLines() const {
    QStringList lines;
    for (const ShownRow& row : ShownRows())
        lines << row.text;
    return lines;
}

QString TextViewer::visibleText() const {
    return visibleLines().join(u'\n');
}

std::optional<std::pair<int, int>> TextViewer::visibleSelection() const {
    std::optional<std::pair<int, int>> selection;
    int start = 0;
    for (const ShownRow& row : ShownRows()) {
        // A selection cut into several rows runs on through the line feeds.
        if (row.selectedFrom >= 0) {
            if (!selection) selection.emplace(start + row.selectedFrom, 0);
            selection->second = start + row.selectedTo;
        }
        start += static_cast<int>(row.text.size()) + 1;
    }
    return selection;
}

QRect TextViewer::characterRect(int offset) const {
    const QFontMetrics metrics = fontMetrics();
    int start = 0;
    int top = 0;
    for (const ShownRow& row : ShownRows()) {
        const int column = offset - start;
        if (column >= 0 && column <= row.text.size()) {
            const int x = TextLeft() + metrics.horizontalAdvance(row.text.left(column));
            const int width = column < row.text.size() ? metrics.horizontalAdvance(row.text[column])
                                                       : metrics.averageCharWidth();
            return QRect(viewport()->mapToGlobal(QPoint(x, top)),
                         QSize(width, metrics.lineSpacing()));
        }
        start += static_cast<int>(row.text.size()) + 1;
        top += metrics.lineSpacing();
    }
    return {};
}

int TextViewer::offsetAt(const QPoint& globalPoint) const {
    const QPoint point = viewport()->mapFromGlobal(globalPoint);
    const QFontMetrics metrics = fontMetrics();
    const int index = point.y() / metrics.lineSpacing();
    const auto& rows = ShownRows();
    if (point.y() < 0 || index >= static_cast<int>(rows.size())) return -1;
    int start = 0;
    for (int i = 0; i < index; ++i)
        start += static_cast<int>(rows[i].text.size()) + 1;
    // The first column whose right edge lies right of the point.
    const QString& text = rows[index].text;
    const int x = point.x() - TextLeft();
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        if (metrics.horizontalAdvance(text.left(middle + 1)) > x) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return x < 0 || low == text.size() ? -1 : start + static_cast<int>(low);
}

void TextViewer::NotifyAccessibility() {
    if (!QAccessible::isActive()) return;
    const QString text = visibleText();
    if (text == m_accessibleText) return;
    QAccessibleTextUpdateEvent event(this, 0, m_accessibleText, text);
    m_accessibleText = text;
    QAccessible::updateAccessibility(&event);
}

} // namespace viewer
