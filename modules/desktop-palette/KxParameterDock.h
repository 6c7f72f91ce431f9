#pragma once

#include "modules/desktop-palette/KxGroupTree.h"

#include <QDockWidget>
#include <QModelIndexList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTableView>

class QAbstractItemDelegate;
class QAbstractItemModel;
class QLineEdit;

// The palette's window: the group tree beside a search field over the table of the parameters.
// It reports what the person asks for and shows what it is told; it knows nothing of the library.
class KxParameterDock final : public QDockWidget {
    Q_OBJECT

public:
    // What the menu of a row offers, as the palette reads it from the row's parameter: its own
    // entries, then the groups that it may join and those it may leave. A menu below the last
    // row has no parameter and offers only a new one.
    struct RowMenu {
        bool hasParameter = false;
        QStringList entries;
        QStringList joinable;
        QStringList leavable;
    };

    // The table shows the rows and edits their cells with the delegate; both stay the caller's and
    // outlive the dock.
    KxParameterDock(QAbstractItemModel& rows, QAbstractItemDelegate& cells,
                    QWidget* parent = nullptr);

    QTableView* table() const { return mpTable; }
    KxGroupTree* groupTree() const { return mpGroupTree; }
    // Shows the text in the search field, which reports it as if typed.
    void setSearchText(const QString& text);
    // The first cell of each selected row.
    QModelIndexList selectedRows() const;
    // Makes the cell current and opens its editor.
    void editCell(const QModelIndex& cell);
    // Sizes each column to its content, at most a few dozen characters wide, so that a long
    // expression leaves the columns after it in sight; the table does on load and whenever its
    // columns change.
    void fitColumns();
    // Runs the menu of a row at the position on the screen and returns once the person has chosen
    // or left it; a choice is reported by the menu's signals before this returns.
    void runRowMenu(const RowMenu& content, const QPoint& position);
    // Shows a warning over the window, the detail under the text, and returns at once: the request
    // that was refused has already returned.
    void showRefusal(const QString& title, const QString& text, const QString& detail);
    // The same over another window; a null one leaves the box on its own, as for a refusal before
    // the palette has a dock.
    static void showRefusal(QWidget* over, const QString& title, const QString& text,
                            const QString& detail);

signals:
    void searchTextChanged(const QString& text);
    void selectionChanged();
    // Delete and Insert on the table.
    void deleteRequested();
    void newParameterRequested();
    // The row is as shown, -1 below the last one; the position is on the screen.
    void rowMenuRequested(int row, const QPoint& position);
    // The choices of the row menu that is running, about its row; the entry is its place among
    // the menu's entries. "New parameter" there reports newParameterRequested, as Insert does.
    void rowEntryChosen(int entry);
    void groupJoinRequested(const QString& group);
    void groupLeaveRequested(const QString& group);
    void rowDeleteRequested();
    // The person chose a group (empty for all) or turned the tree's switch.
    void groupChosen(const QString& group, bool inverted);
    // The names are the person's answers, not empty; a new name differs from the old.
    void groupAddRequested(const QString& group);
    void groupRenameRequested(const QString& group, const QString& newName);
    void groupDeleteRequested(const QString& group);

private:
    void askNewGroup();
    void askNewName(const QString& group);

    KxGroupTree* mpGroupTree;
    QLineEdit* mpSearch;
    QTableView* mpTable;
};
