// The text viewer on its own: files in CP932 and UTF-8, the NUL that ends
// the text, scrolling through a file of megabytes, the search box and its
// walk through the matches, the accessible text, closing, the caption.

#include "find_dialog.h"
#include "text_viewer.h"
#include "view_mode_caption.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using testsupport::BoxRecorder;
using viewer::TextViewer;

namespace {

const QByteArray kTestCp932 = "\x83\x65\x83\x58\x83\x67"; // テスト
const QString kNotFound = "検索文字列が見当たりません！";

// Numbered NC lines of 18 bytes: line k reads "N" and k in seven digits.
QByteArray NumberedProgram(int lines) {
    QByteArray bytes;
    bytes.reserve(lines * 18);
    for (int k = 0; k < lines; ++k)
        bytes += QByteArray("N") + QByteArray::number(k).rightJustified(7, '0') + " G01X1.\r\n";
    return bytes;
}

QString NumberedLine(int k) {
    return "N" + QString::number(k).rightJustified(7, u'0') + " G01X1.";
}

} // namespace

class TextViewerTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<TextViewer> m_viewer;

    std::string Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        [&] { QVERIFY(testsupport::WriteBytes(path, bytes)); }();
        return QFile::encodeName(path).toStdString();
    }
    void Open(const QByteArray& bytes) { QVERIFY(m_viewer->Open(Write("text.NC", bytes))); }
    using Selection = std::pair<std::uint64_t, std::uint64_t>;

  private slots:
    void init() {
        m_viewer = std::make_unique<TextViewer>();
        m_viewer->resize(640, 400);
        m_viewer->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_viewer.get()));
    }
    void cleanup() {
        if (m_viewer->findDialog()) m_viewer->findDialog()->close();
        m_viewer.reset();
    }

    void showsTheTextInItsEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CP932") << "O1000(" + kTestCp932 + ")\r\nG01X1.\r\n"
                               << QStringList{"O1000(テスト)", "G01X1."};
        QTest::newRow("UTF-8") << QString("O1000(テスト)\nG01X1.").toUtf8()
                               << QStringList{"O1000(テスト)", "G01X1."};
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBFG01\rX1") << QStringList{"G01", "X1"};
        QTest::newRow("half-width kana")
            << QByteArray("(\xC3\xBD\xC4)\r\n") << QStringList{"(ﾃｽﾄ)"};
        QTest::newRow("tabs") << QByteArray("a\tb\r\n12345678\tc")
                              << QStringList{"a       b", "12345678        c"};
        QTest::newRow("NUL") << QByteArray("G01\r\nX1\0Y2\r\nZ3", 14) << QStringList{"G01", "X1"};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }
    void showsTheTextInItsEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        Open(bytes);
        QCOMPARE(m_viewer->visibleLines(), lines);
        QTRY_VERIFY(m_viewer->indexComplete());
        QCOMPARE(m_viewer->knownRows(), std::uint64_t(lines.size()));
    }

    void unreadableFileIsReportedAndLeavesTheViewEmpty() {
        Open("G01\r\n");
        BoxRecorder recorder;
        QVERIFY(!m_viewer->Open(Write("folder.NC", "x") + "/missing"));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].caption, QString("Tornwel"));
        QVERIFY2(recorder.boxes[0].text.contains("missing"), qPrintable(recorder.boxes[0].text));
        QVERIFY(!m_viewer->isOpen());
        QCOMPARE(m_viewer->visibleLines(), QStringList{});
    }

    void firstPageShowsAtOnceAndTheEndIsReachable() {
        constexpr int kLines = 300000; // 5.4 MB
        Open(NumberedProgram(kLines));
        // Before the index thread has got far: the first rows are read directly.
        QCOMPARE(m_viewer->visibleLines().first(), NumberedLine(0));
        QTRY_VERIFY_WITH_TIMEOUT(m_viewer->indexComplete(), 20000);
        QCOMPARE(m_viewer->knownRows(), std::uint64_t{kLines});

        const auto page =
            static_cast<int>(m_viewer->visibleLines().size()) - 1; // the last one shows in part
        QTest::keyClick(m_viewer.get(), Qt::Key_PageDown);
        QCOMPARE(m_viewer->visibleLines().first(), NumberedLine(page));
        QTest::keyClick(m_viewer.get(), Qt::Key_Down);
        QCOMPARE(m_viewer->visibleLines().first(), NumberedLine(page + 1));
        QTest::keyClick(m_viewer.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(m_viewer->visibleLines().last(), NumberedLine(kLines - 1));
        QCOMPARE(m_viewer->verticalScrollBar()->value(), m_viewer->verticalScrollBar()->maximum());
        QTest::keyClick(m_viewer.get(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(m_viewer->visibleLines().first(), NumberedLine(0));

        m_viewer->verticalScrollBar()->setValue(m_viewer->verticalScrollBar()->maximum());
        QCOMPARE(m_viewer->visibleLines().last(), NumberedLine(kLines - 1));
        m_viewer->verticalScrollBar()->setValue(123456);
        QCOMPARE(m_viewer->visibleLines().first(), NumberedLine(123456));
    }

    void longLinesScrollSideways() {
        Open(QByteArray(300, 'X') + "Y\r\nG01");
        QScrollBar* horizontal = m_viewer->horizontalScrollBar();
        QTRY_VERIFY(horizontal->maximum() > 0);
        QTest::keyClick(m_viewer.get(), Qt::Key_End);
        QCOMPARE(horizontal->value(), horizontal->maximum());
        QTest::keyClick(m_viewer.get(), Qt::Key_Home);
        QCOMPARE(horizontal->value(), 0);
    }

    void repeatedFindsWalkThroughTheMatchesAndStop() {
        Open("G01X1\r\nG01Y2\r\ng01Z3\r\nG01");
        BoxRecorder recorder;
        m_viewer->ShowFindDialog();
        viewer::FindDialog* dialog = m_viewer->findDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->windowTitle(), QString("検索"));
        QCOMPARE(dialog->matchCaseBox()->text(), QString("大文字と小文字を区別する"));
        QCOMPARE(dialog->findNextButton()->text(), QString("次を検索"));
        QVERIFY(!dialog->findNextButton()->isEnabled());
        QTest::keyClicks(dialog->textBox(), "g01");
        dialog->matchCaseBox()->setChecked(true);

        const auto findNext = [&] {
            QTest::mouseClick(dialog->findNextButton(), Qt::LeftButton);
            return m_viewer->selection();
        };
        QCOMPARE(findNext(), Selection(14, 17));
        QCOMPARE(m_viewer->visibleSelection(), (std::pair{12, 15}));
        QVERIFY(recorder.boxes.isEmpty());
        // Match case: no further g01.
        QCOMPARE(findNext(), Selection(14, 17));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, kNotFound);
        QCOMPARE(recorder.boxes[0].caption, QString("編集"));
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Information);

        dialog->matchCaseBox()->setChecked(false);
        QTest::keyClick(m_viewer.get(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(findNext(), Selection(0, 3));
        QCOMPARE(findNext(), Selection(7, 10));
        QCOMPARE(findNext(), Selection(14, 17));
        QCOMPARE(findNext(), Selection(21, 24));
        // No wrap to the start.
        QCOMPARE(findNext(), Selection(21, 24));
        QCOMPARE(recorder.boxes.size(), 2);
        QCOMPARE(recorder.boxes[1].text, kNotFound);
        QVERIFY(m_viewer->hasFocus() || m_viewer->window()->focusWidget() == m_viewer.get());
    }

    void searchStartsAtTheCaret() {
        Open("(" + kTestCp932 + ")\r\nG01\r\n");
        BoxRecorder recorder;
        QVERIFY(m_viewer->FindNext("テスト", true));
        QCOMPARE(m_viewer->selection(), Selection(1, 7));
        QCOMPARE(m_viewer->visibleSelection(), (std::pair{1, 4}));
        // Only before the caret.
        QVERIFY(!m_viewer->FindNext("(", true));
        QTest::keyClick(m_viewer.get(), Qt::Key_Home, Qt::ControlModifier);
        QVERIFY(m_viewer->FindNext("(", true));
        QCOMPARE(m_viewer->selection(), Selection(0, 1));
        // CP932 cannot hold it.
        QVERIFY(!m_viewer->FindNext("😀", false));
        QCOMPARE(recorder.boxes.size(), 2);
    }

    void foundRowBecomesTheFirstShown() {
        constexpr int kLines = 200000;
        Open(NumberedProgram(kLines));
        BoxRecorder recorder;
        // Found before or after the index reaches it: the same row on top.
        QVERIFY(m_viewer->FindNext(NumberedLine(kLines - 1000), true));
        QCOMPARE(m_viewer->visibleLines().first(), NumberedLine(kLines - 1000));
        QCOMPARE(m_viewer->firstVisibleRow(), std::uint64_t{kLines - 1000});
        QCOMPARE(m_viewer->visibleSelection(), (std::pair{0, 15}));
        QTRY_VERIFY_WITH_TIMEOUT(m_viewer->indexComplete(), 20000);
        QVERIFY(m_viewer->FindNext(NumberedLine(kLines - 2), true));
        QCOMPARE(m_viewer->visibleLines().last(), NumberedLine(kLines - 1));
        QVERIFY(m_viewer->visibleLines().contains(NumberedLine(kLines - 2)));
        QVERIFY(recorder.boxes.isEmpty());
    }

    void accessibleTextIsTheVisibleRows() {
        constexpr int kLines = 1000;
        Open(NumberedProgram(kLines));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_viewer.get());
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::EditableText);
        QVERIFY(accessible->state().readOnly);
        QCOMPARE(m_viewer->verticalScrollBar()->accessibleName(), QString("縦スクロール"));
        QCOMPARE(m_viewer->horizontalScrollBar()->accessibleName(), QString("横スクロール"));
        QAccessibleTextInterface* text = accessible->textInterface();
        QVERIFY(text);
        const QString shown = m_viewer->visibleLines().join('\n');
        QVERIFY(shown.startsWith(NumberedLine(0) + "\n" + NumberedLine(1) + "\n"));
        QCOMPARE(text->text(0, text->characterCount()), shown);
        QCOMPARE(accessible->text(QAccessible::Value), shown);
        QCOMPARE(text->selectionCount(), 0);

        // Scrolled, it reads the rows now shown.
        QTest::keyClick(m_viewer.get(), Qt::Key_PageDown);
        const QString scrolled = text->text(0, text->characterCount());
        QVERIFY(scrolled.startsWith(
            NumberedLine(static_cast<int>(m_viewer->visibleLines().size()) - 1) + "\n"));
        QCOMPARE(scrolled, m_viewer->visibleLines().join('\n'));

        BoxRecorder recorder;
        QVERIFY(m_viewer->FindNext("G01", true));
        int start = -1;
        int end = -1;
        QCOMPARE(text->selectionCount(), 1);
        text->selection(0, &start, &end);
        QCOMPARE(text->text(start, end), QString("G01"));
        const QRect first = text->characterRect(start);
        QVERIFY(first.isValid());
        QCOMPARE(text->offsetAtPoint(first.center()), start);
    }

    void closingEmptiesTheViewAndKeepsTheSearchBox() {
        Open("G01\r\n");
        m_viewer->findAction()->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(m_viewer->findDialog()));
        QSignalSpy closed(m_viewer.get(), &TextViewer::Closed);
        QCOMPARE(m_viewer->closeAction()->text(), QString("閉じる"));
        QCOMPARE(m_viewer->findAction()->text(), QString("検索"));
        m_viewer->closeAction()->trigger();
        QCOMPARE(closed.size(), 1);
        QVERIFY(!m_viewer->isOpen());
        QCOMPARE(m_viewer->visibleLines(), QStringList{});
        QVERIFY(m_viewer->findDialog()->isVisible());
        BoxRecorder recorder;
        QVERIFY(!m_viewer->FindNext("G01", true));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, kNotFound);
    }

    void captionNamesTheFileAndComesBack() {
        QWidget window;
        const QString listCaption = "Tornwel Ver2.25 (Win98/Me/2000/Xp)";
        window.setWindowTitle(listCaption);
        viewer::ViewModeCaption caption(window);
        caption.Enter("A.NC");
        QCOMPARE(window.windowTitle(), QString("View -> A.NC"));
        caption.Enter("\x83\x65\x83\x58\x83\x67.NC");
        QCOMPARE(window.windowTitle(), QString("View -> テスト.NC"));
        caption.Leave();
        QCOMPARE(window.windowTitle(), listCaption);
        caption.Leave();
        QCOMPARE(window.windowTitle(), listCaption);
    }
};

QTEST_MAIN(TextViewerTest)
#include "tst_text_viewer.moc"
