#include "modules/desktop-palette/KxParameterDock.h"

#include <QAction>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSplitter>
#include <QVBoxLayout>

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
    splitter->setSizes({140, 560}); // the tree narrow, the table the rest
    setWidget(splitter);

    // The keys of a table: Delete deletes the selected rows, Insert makes a new parameter.
    auto* remove = new QAction(QStringLiteral("Delete"), mpTable);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    auto* insert = new QAction(QStringLiteral("New parameter"), mpTable);
    insert->setShortcut(Qt::Key_Insert);
    insert->setShortcutContext(Qt::WidgetShortcut);
    mpTable->addActions({remove, insert});

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
