// RefreshFileList through the real main window on fixture folders.

#include "window_fixture.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QTreeView>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::BoxRecorder;

namespace {

QStringList Column(const app::MainWindow& window, int column) {
    QStringList texts;
    const auto* model = window.fileModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        texts << model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
    return texts;
}

// A cell of the row named like the last part of `path`.
QString Cell(const app::MainWindow& window, const QString& path, int column) {
    const auto* model = window.fileModel();
    const int row = model->FindName(QFile::encodeName(QFileInfo(path).fileName()).toStdString());
    return row < 0 ? "(none)" : model->data(model->index(row, column), Qt::DisplayRole).toString();
}

QVariant Role(const app::MainWindow& window, const QString& path, int role) {
    const auto* model = window.fileModel();
    const int row = model->FindName(QFile::encodeName(QFileInfo(path).fileName()).toStdString());
    return model->data(model->index(row, 0), role);
}

int SelectedRow(const app::MainWindow& window) {
    const auto rows = window.fileList()->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows[0].row() : -1;
}

} // namespace

class ListingTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    QString Path(const QString& name) const { return m_fixture->Path(name); }
    void Write(const QString& name, const QByteArray& bytes) {
        QVERIFY(m_fixture->Write(name, bytes));
    }
    // 3 folders and 4 files of known sizes and times.
    void MakeSubfolder() {
        for (const char* folder : {"NC/beta", "NC/Alpha", "NC/gamma"})
            QDir().mkpath(Path(folder));
        Write("NC/B.NC", QByteArray(1025, 'x'));
        Write("NC/a.nc", QByteArray(1, 'x'));
        Write("NC/C.TXT", QByteArray(1024, 'x'));
        Write("NC/EMPTY", QByteArray());
        const struct timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(Path("NC/B.NC")).constData(), times, 0);
    }

  private slots:
    void init() { m_fixture = std::make_unique<testsupport::WindowFixture>(); }

    void subfolderRowsTextsAndLabels() {
        MakeSubfolder();
        auto window = m_fixture->Open(Path("NC"));
        QCOMPARE(Column(*window, 0),
                 (QStringList{"..", "Alpha", "beta", "gamma", "a.nc", "B.NC", "C.TXT", "EMPTY"}));
        QCOMPARE(Column(*window, 1), (QStringList{"", "", "", "", "1KB", "2KB", "1KB", "0KB"}));
        QCOMPARE(Cell(*window, "NC/Alpha", 2), QString("ﾌｧｲﾙ ﾌｫﾙﾀﾞ"));
        QCOMPARE(Cell(*window, "NC/a.nc", 2), QString("NC ﾌｧｲﾙ"));
        QCOMPARE(Cell(*window, "NC/EMPTY", 2), QString(" ﾌｧｲﾙ"));
        QCOMPARE(Cell(*window, "NC/B.NC", 3),
                 QDateTime::fromSecsSinceEpoch(1700000000).toString("yyyy-MM-dd hh:mm"));
        QCOMPARE(Column(*window, 2)[0], QString());
        QCOMPARE(window->state().FolderCount, 4);
        QCOMPARE(window->state().FileCount, 4);
        QCOMPARE(window->pathLabel()->text(), Path("NC") + "/*.*");
        QVERIFY(window->countLabel()->text().startsWith("4 Files ( +3 Folder) / "));
        QVERIFY(window->countLabel()->text().endsWith(" Free"));
        QCOMPARE(window->sortLabel()->text(), QString("ソートタイプ： 名前   向き： 昇順"));
        QCOMPARE(SelectedRow(*window), 4); // the first file row
        QCOMPARE(window->state().FilterName, m_fixture->Bytes("NC") + "/*.*");
    }

    void rootHasNoParentRow() {
        auto window = m_fixture->Open("/");
        const auto& state = window->state();
        QVERIFY(window->fileModel()->rowCount() > 0);
        QVERIFY(window->fileModel()->Row(0).caption != "..");
        QVERIFY(
            window->countLabel()->text().contains(QString("( +%1 Folder)").arg(state.FolderCount)));
        QCOMPARE(window->pathLabel()->text(), QString("/*.*"));
    }

    void masks_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("single") << "*.NC" << QStringList{"x.nc", "X.NC"};
        QTest::newRow("list") << "*.NC,*.TXT|*.DAT"
                              << QStringList{"A.DAT", "B.TXT", "x.nc", "X.NC"};
        QTest::newRow("trailing comma") << "*.NC," << QStringList{"x.nc", "X.NC"};
        QTest::newRow("leading comma") << ",*.NC" << QStringList{"X", "x.nc", "X.NC"};
        QTest::newRow("star dot star in a list") << "*.NC,*.*" << QStringList{"x.nc", "X.NC"};
    }

    void masks() {
        QFETCH(QString, mask);
        QFETCH(QStringList, files);
        for (const char* name : {"X.NC", "x.nc", "X.NC1", "X", "B.TXT", "A.DAT"})
            Write(QString("M/") + name, "");
        QDir().mkpath(Path("M/FOLDER.TXT"));
        auto window = m_fixture->Open(
            Path("M"), [&](app::MainState& state) { state.FileMask = mask.toStdString(); });
        QStringList rows = Column(*window, 0);
        QCOMPARE(rows.mid(0, 2), (QStringList{"..", "FOLDER.TXT"})); // folders always listed
        QCOMPARE(rows.mid(2), files);
        QCOMPARE(window->pathLabel()->text(), Path("M") + "/" + mask);
    }

    void sizes() {
        Write("S/ZERO", QByteArray());
        Write("S/ONE", "x");
        Write("S/K", QByteArray(1024, 'x'));
        Write("S/K1", QByteArray(1025, 'x'));
        const int fd =
            ::open(QFile::encodeName(Path("S/HUGE")).constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::ftruncate(fd, 5LL * 1024 * 1024 * 1024), 0); // sparse: no space used
        ::close(fd);
        auto window = m_fixture->Open(Path("S"));
        QCOMPARE(Cell(*window, "S/ZERO", 1), QString("0KB"));
        QCOMPARE(Cell(*window, "S/ONE", 1), QString("1KB"));
        QCOMPARE(Cell(*window, "S/K", 1), QString("1KB"));
        QCOMPARE(Cell(*window, "S/K1", 1), QString("2KB"));
        QCOMPARE(Cell(*window, "S/HUGE", 1), QString("5242880KB"));
    }

    void keepPositionFocusesTheKeptRowOrTheFirstFile() {
        MakeSubfolder();
        auto window = m_fixture->Open(Path("NC"));
        const int cRow = window->fileModel()->FindName("C.TXT");
        window->SelectOnlyItem(cRow);
        window->RefreshFileList(false, true, false);
        QCOMPARE(SelectedRow(*window), cRow);
        QFile::remove(Path("NC/C.TXT"));
        window->RefreshFileList(false, true, false);
        QCOMPARE(window->fileModel()->FindName("C.TXT"), -1);
        QCOMPARE(SelectedRow(*window), window->state().FolderCount);
    }

    void foldersOnlyFocusTheParentRow() {
        QDir().mkpath(Path("F/one"));
        QDir().mkpath(Path("F/two"));
        auto window = m_fixture->Open(Path("F"));
        QCOMPARE(SelectedRow(*window), 0);
        QCOMPARE(window->state().FileCount, 0);
    }

    void unreadableFolderReturnsToThePreviousOne() {
        MakeSubfolder();
        auto window = m_fixture->Open(Path("NC"));
        BoxRecorder boxes;
        for (const QString& bad : {Path("missing"), Path("NC/a.nc")}) {
            window->state().CurrentDir = QFile::encodeName(bad).toStdString();
            window->RefreshFileList(false, false, false);
            QCOMPARE(window->state().CurrentDir, m_fixture->Bytes("NC"));
            QCOMPARE(window->pathBox()->currentText(), Path("NC"));
            QCOMPARE(Column(*window, 0), QStringList{".."});
        }
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[0].text, QString::fromLocal8Bit(std::strerror(ENOENT)));
        QCOMPARE(boxes.boxes[1].text, QString::fromLocal8Bit(std::strerror(ENOTDIR)));
        QCOMPARE(boxes.boxes[0].caption, QString("Tornwel"));
        window->RefreshFileList(false, false, false);
        QCOMPARE(window->fileModel()->rowCount(), 8);
    }

    void nameThatIsNotUtf8KeepsItsBytes() {
        QDir().mkpath(Path("U"));
        const std::string raw = m_fixture->Bytes("U") + "/PROG\xff\x81.NC";
        const int fd = ::open(raw.c_str(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        auto window = m_fixture->Open(Path("U"));
        const int row = window->fileModel()->FindName("PROG\xff\x81.NC");
        QVERIFY(row > 0);
        const std::string path =
            window->state().CurrentDir + "/" + window->fileModel()->Row(row).name;
        struct stat info {};
        QCOMPARE(::stat(path.c_str(), &info), 0);
        QVERIFY(!window->fileModel()->Row(row).caption.isEmpty());
    }

    void coloursByAttribute() {
        Write("C/READONLY.NC", "x");
        ::chmod(QFile::encodeName(Path("C/READONLY.NC")).constData(), 0444);
        Write("C/.hidden.nc", "x");
        Write("C/.hiddenro", "x");
        ::chmod(QFile::encodeName(Path("C/.hiddenro")).constData(), 0444);
        Write("C/run.sh", "#!/bin/sh\n");
        ::chmod(QFile::encodeName(Path("C/run.sh")).constData(), 0755);
        ::mkfifo(QFile::encodeName(Path("C/pipe")).constData(), 0444);
        QDir().mkpath(Path("C/.hiddenfolder"));
        Write("C/PLAIN.NC", "x");
        auto window = m_fixture->Open(Path("C"));
        const auto colour = [&](const char* name) {
            return Role(*window, QString("C/") + name, Qt::ForegroundRole).value<QColor>();
        };
        QCOMPARE(colour("READONLY.NC"), QColor(128, 0, 0));
        QVERIFY(Role(*window, "C/READONLY.NC", Qt::FontRole).value<QFont>().strikeOut());
        QCOMPARE(colour("run.sh"), QColor(0, 0, 128));
        QCOMPARE(Cell(*window, "C/run.sh", 2), QString("ｱﾌﾟﾘｹｰｼｮﾝ"));
        QCOMPARE(colour("pipe"), QColor(128, 0, 128)); // system before read-only
        const QColor grey = QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        QCOMPARE(colour(".hidden.nc"), grey);
        QCOMPARE(colour(".hiddenro"), grey); // hidden before read-only: no strike-out
        QVERIFY(!Role(*window, "C/.hiddenro", Qt::FontRole).isValid());
        QVERIFY(!Role(*window, "C/.hiddenfolder", Qt::ForegroundRole).isValid());
        QCOMPARE(Cell(*window, "C/.hiddenfolder", 4), QString("H"));
        QVERIFY(!Role(*window, "C/PLAIN.NC", Qt::ForegroundRole).isValid());
    }

    void sameExtensionSharesATypeRow() {
        Write("T/A.NC", "x");
        Write("T/sub/B.nc", "x");
        auto window = m_fixture->Open(Path("T"));
        const int first = window->fileModel()->Row(window->fileModel()->FindName("A.NC")).type;
        window->state().CurrentDir = m_fixture->Bytes("T/sub");
        window->RefreshFileList(false, false, false);
        QCOMPARE(window->fileModel()->Row(window->fileModel()->FindName("B.nc")).type, first);
        QVERIFY(first >= 17);
    }

    void resortKeepsFoldersFirstAndDoesNotReadTheFolder() {
        MakeSubfolder();
        auto window = m_fixture->Open(Path("NC"));
        window->SelectOnlyItem(window->fileModel()->FindName("C.TXT"));
        Write("NC/NEW.NC", "late");
        window->state().SortKey = "S";
        window->state().SortDirection = "D";
        window->RefreshFileList(false, true, true);
        QStringList rows = Column(*window, 0);
        QCOMPARE(rows.mid(0, 4), (QStringList{"..", "Alpha", "beta", "gamma"}));
        QCOMPARE(rows.mid(4, 1), QStringList{"B.NC"}); // 2KB first; the 1KB ones compare equal
        QCOMPARE(rows.mid(7), QStringList{"EMPTY"});
        QVERIFY(!rows.contains("NEW.NC"));
        QCOMPARE(window->state().FolderCount, 4);
        QCOMPARE(window->sortLabel()->text(), QString("ソートタイプ： サイズ   向き： 降順"));
        QCOMPARE(window->fileModel()->Row(SelectedRow(*window)).caption, QString("C.TXT"));
        window->state().SortKey = "N";
        window->RefreshFileList(false, true, true);
        QCOMPARE(Column(*window, 0).mid(4), (QStringList{"EMPTY", "C.TXT", "B.NC", "a.nc"}));
        window->state().SortKey = "Q"; // not a key: the kind stays
        window->RefreshFileList(false, false, true);
        QCOMPARE(window->state().SortKind, 1);
    }

    void filterThatMatchesNothingEmptiesTheList() {
        MakeSubfolder();
        auto window = m_fixture->Open(Path("NC"));
        window->state().FilterName = m_fixture->Bytes("NC") + "/*.XYZ";
        window->RefreshFileList(true, false, false);
        QCOMPARE(window->fileModel()->rowCount(), 0);
        QCOMPARE(window->state().FileCount, 0);
        QCOMPARE(window->pathLabel()->text(), Path("NC") + "/*.XYZ");
        QVERIFY(window->countLabel()->text().startsWith("0 files / "));
    }
};

QTEST_MAIN(ListingTest)
#include "tst_listing.moc"
