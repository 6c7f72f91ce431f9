#include "modules/desktop-palette/KxGroupTree.h"

#include <QMenu>
#include <QVBoxLayout>

KxGroupTree::KxGroupTree(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mpTree = new QTreeWidget(this);
    mpTree->setHeaderHidden(true);
    mpTree->setContextMenuPolicy(Qt::CustomContextMenu);
    mpAll = new QTreeWidgetItem(mpTree, {QStringLiteral("All parameters")});
    mpTree->setCurrentItem(mpAll);
    mpInvert = new QCheckBox(QStringLiteral("All but this group"), this);
    mpInvert->setEnabled(false);
    layout->addWidget(mpTree);
    layout->addWidget(mpInvert);
    connect(mpTree, &QTreeWidget::currentItemChanged, this, [this] { report(); });
    connect(mpInvert, &QCheckBox::toggled, this, [this] { report(); });
    connect(mpTree, &QTreeWidget::customContextMenuRequested, this, &KxGroupTree::showMenu);
}

void KxGroupTree::setGroups(const QStringList& groups) {
    const QString wasChosen = chosen();
    mbShowing = true;
    qDeleteAll(mpAll->takeChildren());
    for (const QString& group : groups) {
        new QTreeWidgetItem(mpAll, {group});
    }
    mpAll->setExpanded(true);
    QTreeWidgetItem* item = itemOf(wasChosen);
    mpTree->setCurrentItem(item ? item : mpAll);
    mbShowing = false;
}

void KxGroupTree::showChoice(const QString& group, bool inverted) {
    mbShowing = true;
    QTreeWidgetItem* item = itemOf(group);
    mpTree->setCurrentItem(item ? item : mpAll);
    mpInvert->setChecked(item && inverted);
    mpInvert->setEnabled(item != nullptr);
    mbShowing = false;
}

QTreeWidgetItem* KxGroupTree::itemOf(const QString& group) const {
    for (int i = 0; !group.isEmpty() && i < mpAll->childCount(); ++i) {
        if (mpAll->child(i)->text(0) == group) {
            return mpAll->child(i);
        }
    }
    return nullptr;
}

QString KxGroupTree::chosen() const {
    QTreeWidgetItem* item = mpTree->currentItem();
    return item && item != mpAll ? item->text(0) : QString();
}

void KxGroupTree::report() {
    const QString group = chosen();
    mpInvert->setEnabled(!group.isEmpty());
    if (!mbShowing) {
        emit choiceMade(group, !group.isEmpty() && mpInvert->isChecked());
    }
}

void KxGroupTree::showMenu(const QPoint& position) {
    QTreeWidgetItem* item = mpTree->itemAt(position);
    const QString group = item && item != mpAll ? item->text(0) : QString();
    QMenu menu;
    menu.addAction(QStringLiteral("New group…"), this, [this] { emit addRequested(); });
    if (!group.isEmpty()) {
        menu.addAction(QStringLiteral("Rename group…"), this,
                       [this, group] { emit renameRequested(group); });
        menu.addAction(QStringLiteral("Delete group"), this,
                       [this, group] { emit deleteRequested(group); });
    }
    menu.exec(mpTree->viewport()->mapToGlobal(position));
}
