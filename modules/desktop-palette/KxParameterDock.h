#pragma once

#include "modules/desktop-palette/KxGroupTree.h"

#include <QDockWidget>
#include <QModelIndexList>
#include <QPoint>
#include <QString>
#include <QTableView>

class QAbstractItemDelegate;
class QAbstractItemModel;
class QLineEdit;

// The palette's window: the group tree beside a search field over the table of the parameters.
// It reports what the person asks for and shows what it is told; it knows nothing of the library.
class KxParameterDock final : public QDockWidget {
    Q_OBJECT

public:
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

signals:
    void searchTextChanged(const QString& text);
    void selectionChanged();
    // Delete and Insert on the table.
    void deleteRequested();
    void newParameterRequested();
    // The row is as shown, -1 below the last one; the position is on the screen.
    void rowMenuRequested(int row, const QPoint& position);
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
