#pragma once

#include "file_source.h"
#include "line_index.h"
#include "text_encoding.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;

namespace viewer {

class FindDialog;

// A read-only view of a file's text, for files of any size. The file is read
// by position, never whole: its rows are found by a background thread and
// only the rows on screen are read, decoded and painted. The text ends at
// the file's first NUL byte and is read as UTF-8 or CP932, as its first
// megabytes say. A search finds text forward from the caret and selects it.
//
// The window showing it swaps its own contents for the viewer while a file
// is shown (see ViewModeCaption for the caption) and goes back when
// Closed() is emitted.
class TextViewer final : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit TextViewer(QWidget* parent = nullptr);
    ~TextViewer() override;

    // Shows the file at the raw path `path` from its first row, the caret at
    // the start. A file that cannot be read is reported in a message box
    // and leaves the view empty; false then.
    bool Open(const std::string& path);
    // Empties the view, releases the file and emits Closed().
    void Close();
    bool isOpen() const { return m_file != nullptr; }

    // Opens the search box. It stays open, also after Close().
    void ShowFindDialog();
    // Searches for the search box's text with its match-case choice.
    bool FindNext();
    // Searches for `text` from the end of the selection (or the caret) to
    // the end of the text, without wrapping. Found: selects it, scrolls its
    // row to the top and focuses the view. Else the message
    // "検索文字列が見当たりません！" and the selection stays.
    bool FindNext(const QString& text, bool matchCase);

    // The viewer menu's items: "閉じる" runs Close(), "検索" ShowFindDialog().
    QAction* closeAction() const { return m_closeAction; }
    QAction* findAction() const { return m_findAction; }
    // The search box, once it has been shown.
    FindDialog* findDialog() const { return m_findDialog; }

    // What is on screen: the rows shown (tabs expanded), top to bottom.
    QStringList visibleLines() const;
    // The same joined by line feeds, and the selection within it (start and
    // end, or nothing when no selected text is on screen); the
    // accessibility interface reads these.
    QString visibleText() const;
    std::optional<std::pair<int, int>> visibleSelection() const;
    // The rectangle of a character of visibleText() in global coordinates,
    // and the character at a global point (-1 if none).
    QRect characterRect(int offset) const;
    int offsetAt(const QPoint& globalPoint) const;

    std::uint64_t firstVisibleRow() const { return m_topRow; }
    std::uint64_t knownRows() const;
    bool indexComplete() const;
    // The selected bytes of the file: [first, second); empty at the caret.
    std::pair<std::uint64_t, std::uint64_t> selection() const { return {m_selStart, m_selEnd}; }

  signals:
    void Closed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    // A row on screen, decoded, with the selected part's columns.
    struct ShownRow {
        Row row;
        QString text;
        int selectedFrom = -1;
        int selectedTo = -1;
    };

    void Release();
    void IndexGrew();
    const std::vector<ShownRow>& ShownRows() const;
    ShownRow Shown(const Row& row) const;
    void Invalidate();
    int PageRows() const;
    std::uint64_t ScrollableRows() const;
    std::uint64_t LastTopRow() const;
    void SetTopRow(std::uint64_t row);
    void UpdateScrollBars();
    void ScrollToSelectionColumn();
    void MoveCaret(std::uint64_t offset);
    int TextLeft() const;
    std::optional<std::string> Encoded(const QString& text) const;
    QWidget* BoxOwner();
    void NotifyAccessibility();

    std::unique_ptr<FileSource> m_file;
    std::unique_ptr<LineIndex> m_index;
    std::unique_ptr<RowDecoder> m_decoder;
    std::uint64_t m_topRow = 0;
    std::uint64_t m_selStart = 0;
    std::uint64_t m_selEnd = 0;
    // Scroll bar steps are ints: beyond a billion rows one step spans several.
    std::uint64_t m_rowsPerStep = 1;
    bool m_settingScrollBars = false;

    mutable std::vector<ShownRow> m_shownRows;
    mutable bool m_shownValid = false;
    mutable int m_widest = 0; // the widest row shown so far, in pixels
    QString m_accessibleText;

    QAction* m_closeAction;
    QAction* m_findAction;
    FindDialog* m_findDialog = nullptr;
};

} // namespace viewer
