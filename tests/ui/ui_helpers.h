#pragma once

// What the widget tests read from and type into the main window and dialogs.

#include "history_list.h"
#include "main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QStringList>
#include <QTest>
#include <QTreeView>
#include <QUrl>

namespace testsupport {

// The captions of the file list, top to bottom.
inline QStringList Names(const app::MainWindow& window) {
    QStringList names;
    for (const auto& row : window.fileModel()->Rows())
        names << row.caption;
    return names;
}

inline QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

inline QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// The entries of a history list file; "(none)" when there is no file.
inline QStringList History(const std::string& path) {
    const auto entries = filelist::LoadHistoryFile(path);
    if (!entries) return {"(none)"};
    QStringList texts;
    for (const auto& entry : *entries)
        texts << QString::fromStdString(entry);
    return texts;
}

// Replaces a box's text by typing. Keys go to the box, as the keyboard's do.
inline void TypeInto(QComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Selects exactly these rows of the file list; false when one is missing.
inline bool SelectRows(app::MainWindow& window, const QStringList& names) {
    auto* list = window.fileList();
    list->clearSelection();
    for (const QString& name : names) {
        const int row = window.fileModel()->FindName(name.toStdString());
        if (row < 0) return false;
        list->selectionModel()->select(window.fileModel()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    return true;
}

// Makes the window the active one, as a user's click would: commands remember
// its place only then.
inline bool Activate(app::MainWindow& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A drag entering the window, then the drop, as the desktop delivers them.
inline void DropOn(QWidget* window, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    const QPoint at(100, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
}

} // namespace testsupport
