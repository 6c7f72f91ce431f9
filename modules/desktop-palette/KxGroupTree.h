#pragma once

#include <QCheckBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>

// The palette's filter tree: "All parameters" with the groups under it, and the switch that shows
// all but the chosen group. It shows the palette's choice and reports the user's; a context menu
// asks for a new group, or to rename or delete the one under the pointer.
class KxGroupTree final : public QWidget {
    Q_OBJECT

public:
    explicit KxGroupTree(QWidget* parent);

    // The groups in the collection's order; the choice is kept by name.
    void setGroups(const QStringList& groups);
    // Shows a choice; the empty group is "All parameters". Nobody is told.
    void showChoice(const QString& group, bool inverted);
    // The item of each group, after "All parameters"; for tests and the menu.
    QTreeWidgetItem* itemOf(const QString& group) const;
    QCheckBox& invertSwitch() { return *mpInvert; }

signals:
    // The user chose a group (empty for all) or turned the switch.
    void choiceMade(const QString& group, bool inverted);
    void addRequested();
    void renameRequested(const QString& group);
    void deleteRequested(const QString& group);

private:
    QString chosen() const;
    void report();
    void showMenu(const QPoint& position);

    QPointer<QTreeWidget> mpTree;
    QPointer<QCheckBox> mpInvert;
    QTreeWidgetItem* mpAll = nullptr;
    bool mbShowing = false;
};
