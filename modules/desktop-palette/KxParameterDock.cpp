#include "modules/desktop-palette/KxParameterDock.h"

#include <QAction>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A column is never wider than this many characters when fitted; its tooltip has the rest.
constexpr int kMaxColumnCharacters = 18;
// Fitting reads this many rows about the visible ones, so that it costs the same in a large table.
constexpr int kFitRows = 200;

} // namespace

KxParameterDock::KxParameterDock(QAbstractItemModel& rows, QAbstractItemDelegate& cells,
                                 QWidget* parent)
    : QDockWidget(QStringLiteral("Parameters"), parent) {
    // The desktop program finds the palette's window by this name.
    setObjectName(QStringLiteral("KxParameterPalette"));
    auto* splitter = new QSplitter(this);
    mpGroupTree = new KxGroupTree(splitter);
    auto* side = new QWidget(splitter);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    mpSearch = new QLineEdit(side);
    mpSearch->setPlaceholderText(QStringLiteral("Search by name"));
    mpSearch->setClearButtonEnabled(true);
    mpTable = new QTableView(side);
    mpTable->setModel(&rows);
    mpTable->setSortingEnabled(true);
    mpTable->sortByColumn(-1, Qt::AscendingOrder);
    mpTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mpTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    mpTable->horizontalHeader()->setStretchLastSection(true);
    mpTable->verticalHeader()->hide();
    // One line a row, however long the expression: the rows stay even and many fit.
    mpTable->setWordWrap(false);
    mpTable->verticalHeader()->setDefaultSectionSize(mpTable->fontMetrics().height() + 8);
    mpTable->setItemDelegate(&cells);
    mpTable->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(mpSearch);
    layout->addWidget(mpTable);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({120, 580}); // the tree narrow, the table the rest
    setWidget(splitter);

    // The keys of a table: Delete deletes the selected rows, Insert makes a new parameter.
    auto* remove = new QAction(QStringLiteral("Delete"), mpTable);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    auto* insert = new QAction(QStringLiteral("New parameter"), mpTable);
    insert->setShortcut(Qt::Key_Insert);
    insert->setShortcutContext(Qt::WidgetShortcut);
    mpTable->addActions({remove, insert});

    mpTable->horizontalHeader()->setResizeContentsPrecision(kFitRows);
    connect(&rows, &QAbstractItemModel::modelReset, this, &KxParameterDock::fitColumns);
    connect(&rows, &QAbstractItemModel::columnsInserted, this, &KxParameterDock::fitColumns);
    connect(&rows, &QAbstractItemModel::columnsRemoved, this, &KxParameterDock::fitColumns);
    connect(&rows, &QAbstractItemModel::rowsInserted, this,
            [this, &rows](const QModelIndex&, int first, int last) {
                if (rows.rowCount() == last - first + 1) {
                    fitColumns(); // the first rows of an empty table
                }
            });
    fitColumns(); // the rows that the palette holds already

    connect(mpSearch, &QLineEdit::textChanged, this, &KxParameterDock::searchTextChanged);
    connect(mpTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &KxParameterDock::selectionChanged);
    connect(remove, &QAction::triggered, this, &KxParameterDock::deleteRequested);
    connect(insert, &QAction::triggered, this, &KxParameterDock::newParameterRequested);
    connect(mpTable, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        emit rowMenuRequested(mpTable->indexAt(position).row(),
                              mpTable->viewport()->mapToGlobal(position));
    });
    connect(mpGroupTree, &KxGroupTree::choiceMade, this, &KxParameterDock::groupChosen);
    connect(mpGroupTree, &KxGroupTree::addRequested, this, &KxParameterDock::askNewGroup);
    connect(mpGroupTree, &KxGroupTree::renameRequested, this, &KxParameterDock::askNewName);
    connect(mpGroupTree, &KxGroupTree::deleteRequested, this,
            &KxParameterDock::groupDeleteRequested);
}

void KxParameterDock::setSearchText(const QString& text) {
    mpSearch->setText(text);
}

QModelIndexList KxParameterDock::selectedRows() const {
    return mpTable->selectionModel()->selectedRows();
}

void KxParameterDock::editCell(const QModelIndex& cell) {
    mpTable->setCurrentIndex(cell);
    mpTable->edit(cell);
}

void KxParameterDock::fitColumns() {
    const int bound = mpTable->fontMetrics().averageCharWidth() * kMaxColumnCharacters;
    for (int column = 0; column < mpTable->model()->columnCount(); ++column) {
        mpTable->resizeColumnToContents(column);
        mpTable->setColumnWidth(column, std::min(mpTable->columnWidth(column), bound));
    }
}

void KxParameterDock::runRowMenu(const RowMenu& content, const QPoint& position) {
    QMenu menu;
    if (content.hasParameter) {
        for (int entry = 0; entry < content.entries.size(); ++entry) {
            menu.addAction(content.entries[entry], this,
                           [this, entry] { emit rowEntryChosen(entry); });
        }
        if (!content.entries.isEmpty()) {
            menu.addSeparator();
        }
        QMenu* joining = menu.addMenu(QStringLiteral("Join group"));
        for (const QString& group : content.joinable) {
            joining->addAction(group, this, [this, group] { emit groupJoinRequested(group); });
        }
        QMenu* leaving = menu.addMenu(QStringLiteral("Leave group"));
        for (const QString& group : content.leavable) {
            leaving->addAction(group, this, [this, group] { emit groupLeaveRequested(group); });
        }
        joining->setEnabled(!joining->isEmpty());
        leaving->setEnabled(!leaving->isEmpty());
        menu.addSeparator();
    }
    menu.addAction(QStringLiteral("New parameter"), this, &KxParameterDock::newParameterRequested);
    if (content.hasParameter) {
        menu.addAction(QStringLiteral("Delete"), this, &KxParameterDock::rowDeleteRequested);
    }
    menu.exec(position);
}

void KxParameterDock::showRefusal(const QString& title, const QString& text,
                                  const QString& detail) {
    showRefusal(window(), title, text, detail);
}

void KxParameterDock::showRefusal(QWidget* over, const QString& title, const QString& text,
                                  const QString& detail) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, over);
    box->setInformativeText(detail);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal to the program's loop: the request that was refused has already returned.
    box->open();
}

void KxParameterDock::askNewGroup() {
    const QString name = QInputDialog::getText(window(), QStringLiteral("New group"),
                                               QStringLiteral("Name of the group:"));
    if (!name.isEmpty()) {
        emit groupAddRequested(name);
    }
}

void KxParameterDock::askNewName(const QString& group) {
    const QString name =
        QInputDialog::getText(window(), QStringLiteral("Rename group"),
                              QStringLiteral("New name of the group:"), QLineEdit::Normal, group);
    if (!name.isEmpty() && name != group) {
        emit groupRenameRequested(group, name);
    }
}
