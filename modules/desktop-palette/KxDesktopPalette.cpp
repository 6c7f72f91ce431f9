#include "modules/desktop-palette/KxDesktopPalette.h"

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterGroupCollection.h"
#include "host/KxStatusName.h"
#include "kit/KxEditProperty.h"
#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "modules/desktop-palette/KxCellDelegate.h"
#include "modules/desktop-palette/KxParameterRowFilter.h"
#include "modules/desktop-palette/KxParameterTableModel.h"
#include "modules/desktop-palette/KxQtText.h"
#include "util/KxParameterUtil.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QMainWindow>

#include <algorithm>
#include <iomanip>
#include <iostream>

namespace {

QMainWindow* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget)) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

KxDesktopPalette::KxDesktopPalette()
    : mpModel(std::make_unique<KxParameterTableModel>()),
      mpRows(std::make_unique<KxParameterRowFilter>(*mpModel)),
      mpDelegate(std::make_unique<KxCellDelegate>(*mpModel, nullptr)), mpOut(&std::cout),
      mpErrors(&std::cerr) {}

KxDesktopPalette::~KxDesktopPalette() {
    // The table uses the model, the filter and the delegate, which go after it.
    delete mpDock.data();
}

void KxDesktopPalette::makeWindow() {
    mpDock = new KxParameterDock(*mpRows, *mpDelegate);
    KxGroupTree& tree = *mpDock->groupTree();
    tree.setVisible(!mbTreeHidden);
    tree.setGroups(groupNames());
    if (mpGroupFilter) {
        KxString name;
        mpGroupFilter->getGroupName(name);
        tree.showChoice(toQString(name), mbInverted);
    }
    mpDock->setSearchText(mpRows->filterRegularExpression().pattern());

    QObject::connect(mpDock, &KxParameterDock::searchTextChanged, mpRows.get(),
                     &QSortFilterProxyModel::setFilterFixedString);
    QObject::connect(mpDock, &KxParameterDock::selectionChanged, mpDock,
                     [this] { followSelection(); });
    QObject::connect(mpDock, &KxParameterDock::deleteRequested, mpDock, [this] {
        if (const std::vector<KxParameter*> doomed = selectedParameters(); !doomed.empty()) {
            deleteParameters(doomed);
        }
    });
    QObject::connect(mpDock, &KxParameterDock::newParameterRequested, mpDock,
                     [this] { newParameter(); });
    QObject::connect(mpDock, &KxParameterDock::rowMenuRequested, mpDock,
                     [this](int row, const QPoint& position) { runRowMenu(row, position); });
    QObject::connect(mpDock, &KxParameterDock::rowEntryChosen, mpDock,
                     [this](int entry) { runMenuEntry(entry); });
    QObject::connect(mpDock, &KxParameterDock::groupJoinRequested, mpDock,
                     [this](const QString& group) {
                         if (mpMenuParameter) {
                             changeMembership(*mpMenuParameter, group, true);
                         }
                     });
    QObject::connect(mpDock, &KxParameterDock::groupLeaveRequested, mpDock,
                     [this](const QString& group) {
                         if (mpMenuParameter) {
                             changeMembership(*mpMenuParameter, group, false);
                         }
                     });
    QObject::connect(mpDock, &KxParameterDock::rowDeleteRequested, mpDock,
                     [this] { deleteMenuRow(); });
    QObject::connect(mpDock, &KxParameterDock::groupChosen, mpDock,
                     [this](const QString& group, bool invert) {
                         if (applyGroupFilter(group, invert) && !group.isEmpty()) {
                             KxParameterUtil::showFilteredTaskDialog(nullptr);
                         }
                     });
    QObject::connect(mpDock, &KxParameterDock::groupAddRequested, mpDock,
                     [this](const QString& group) { addGroup(group); });
    QObject::connect(
        mpDock, &KxParameterDock::groupRenameRequested, mpDock,
        [this](const QString& group, const QString& newName) { renameGroup(group, newName); });
    QObject::connect(mpDock, &KxParameterDock::groupDeleteRequested, mpDock,
                     [this](const QString& group) { deleteGroup(group); });

    if (QMainWindow* window = mainWindow()) {
        window->addDockWidget(Qt::RightDockWidgetArea, mpDock);
    }
}

bool KxDesktopPalette::show(bool show, bool activate) {
    if (!mpDock) {
        if (!show || !QApplication::instance()) {
            return false;
        }
        makeWindow();
    }
    if (show) {
        takeUpManagerParameters();
        mpDock->show();
        if (activate) {
            mpDock->raise();
            mpDock->activateWindow();
        }
    } else {
        mpDock->hide();
    }
    return true;
}

bool KxDesktopPalette::restore(bool restore) {
    if (restore && mpDock) {
        // A floating palette that was minimised comes back; a docked one is shown.
        mpDock->isFloating() ? mpDock->showNormal() : mpDock->show();
    }
    return IsVisible();
}

void KxDesktopPalette::cancelCurrentEdit() {
    mpDelegate->cancel();
    mpModel->cancelEdit();
}

void KxDesktopPalette::setESWLockUpdate(bool lock) {
    lock ? mpModel->lock() : mpModel->unlock();
}

Lumo::ErrorStatus KxDesktopPalette::updateParameterDataInUI(const KxParameter* parameter) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    return mpModel->refreshParameter(parameter) ? Lumo::eOk : Lumo::eInvalidInput;
}

Lumo::ErrorStatus KxDesktopPalette::addParameterDataInUI(KxParameter* parameter, int) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    mpModel->addParameter(parameter);
    return Lumo::eOk;
}

void KxDesktopPalette::deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) {
    const std::vector<KxParameter*> doomed(parameters.begin(), parameters.end());
    // A deleted parameter took its entity, and so its highlight, with it.
    std::erase_if(mHighlighted, [&](KxParameter* parameter) {
        return std::find(doomed.begin(), doomed.end(), parameter) != doomed.end();
    });
    mpModel->removeParameters(doomed);
}

void KxDesktopPalette::repopulateGroupDataInUI(KxParameterGroupCollection*) {
    groupsChanged();
}

Lumo::ErrorStatus KxDesktopPalette::updateCurrentGroupDataInUI(const KxParameter* parameter) {
    return updateParameterDataInUI(parameter);
}

void KxDesktopPalette::showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                           const KxString& detail) {
    const QString name = QString::fromStdString(kxStatusText(status));
    *mpOut << std::flush;
    *mpErrors << "Parameter not changed (" << name.toStdString() << "): " << message.toUtf8()
              << (detail.isEmpty() ? "" : " " + detail.toUtf8()) << std::endl;
    if (mErrorDialog) {
        mErrorDialog(name, toQString(message), toQString(detail));
        return;
    }
    if (!QApplication::instance()) {
        return;
    }
    const QString title = QStringLiteral("Parameter not changed (%1)").arg(name);
    if (mpDock) {
        mpDock->showRefusal(title, toQString(message), toQString(detail));
    } else {
        KxParameterDock::showRefusal(nullptr, title, toQString(message), toQString(detail));
    }
}

void KxDesktopPalette::markInvalidCell() {
    mpModel->markEditedCellInvalid();
}

bool KxDesktopPalette::isListControlDeleted() const {
    // As the console palette: true makes the collection observer forward deletions, so that the
    // rows never keep a parameter that its collection has erased.
    return true;
}

void KxDesktopPalette::setFilterLock(bool lock) {
    lock ? mpModel->lock() : mpModel->unlock();
}

void KxDesktopPalette::refresh(bool full) {
    if (full) {
        mpModel->rebuildColumns();
    } else {
        mpModel->refreshAll();
    }
}

bool KxDesktopPalette::IsVisible() const {
    return mpDock && mpDock->isVisible();
}

Lumo::ErrorStatus KxDesktopPalette::setPredefinedExpressions(const KxArray<KxString>& expressions) {
    QStringList list;
    for (const KxString& expression : expressions) {
        list.push_back(toQString(expression));
    }
    mpDelegate->setPredefinedExpressions(list);
    return Lumo::eOk;
}

void KxDesktopPalette::getPredefinedExpressions(KxArray<KxString>& expressions) const {
    expressions.setLogicalLength(0);
    for (const QString& expression : mpDelegate->predefinedExpressions()) {
        expressions.append(toKxString(expression));
    }
}

void KxDesktopPalette::activeCollectionChanged(KxParameterCollection*) {
    // The columns are read from the live manager's active collection.
    mpModel->rebuildColumns();
}

void KxDesktopPalette::resetSearchPattern() {
    setSearchPattern({});
}

void KxDesktopPalette::hideFilterTree(bool hide) {
    mbTreeHidden = hide;
    if (mpDock) {
        mpDock->groupTree()->setVisible(!hide);
    }
}

KxParameterFilter* KxDesktopPalette::getCurrentFilter() const {
    return mpGroupFilter.get();
}

void KxDesktopPalette::setOutput(std::ostream* out, std::ostream* errors) {
    mpOut = out ? out : &std::cout;
    mpErrors = errors ? errors : &std::cerr;
}

void KxDesktopPalette::draw() {
    // The rows as the window shows them, in its columns, order and filter.
    const int columns = mpRows->columnCount();
    const int rows = mpRows->rowCount();
    std::vector<std::size_t> widths(static_cast<std::size_t>(columns), 0);
    const auto cell = [&](int row, int column) {
        return (row < 0 ? mpRows->headerData(column, Qt::Horizontal, Qt::DisplayRole)
                        : mpRows->index(row, column).data())
            .toString()
            .toStdString();
    };
    for (int row = -1; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            std::size_t& width = widths[static_cast<std::size_t>(column)];
            width = std::max(
                width, static_cast<std::size_t>(QString::fromStdString(cell(row, column)).size()));
        }
    }
    for (int row = -1; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const std::string value = cell(row, column);
            const std::size_t shown =
                static_cast<std::size_t>(QString::fromStdString(value).size());
            *mpOut << value
                   << (column + 1 < columns
                           ? std::string(widths[static_cast<std::size_t>(column)] - shown + 2, ' ')
                           : "\n");
        }
    }
    *mpOut << std::flush;
}

Lumo::ErrorStatus KxDesktopPalette::editName(KxParameter* parameter, const KxString& name) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    return mpModel->editCell(*parameter, mpModel->columns()[0],
                             [&] { return parameter->setName(name); });
}

Lumo::ErrorStatus KxDesktopPalette::editExpression(KxParameter* parameter,
                                                   const KxString& expression) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    return mpModel->editCell(*parameter, mpModel->columns()[1],
                             [&] { return parameter->setExpression(expression); });
}

Lumo::ErrorStatus KxDesktopPalette::editProperty(KxParameter* parameter, const KxString& property,
                                                 const KxDbEvalVariant& value) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    if (!parameter->getProperty(property.kwszPtr())) {
        return Lumo::eKeyNotFound;
    }
    KxParameterTableModel::Column column{KxParameterTableModel::ColumnKind::kProperty, property,
                                         toQString(property)};
    return mpModel->editCell(*parameter, column, [&] {
        return parameter->setProperty(KxEditProperty(property, value));
    });
}

Lumo::ErrorStatus KxDesktopPalette::setGroupFilter(const KxString& groupName, bool invert) {
    if (groupName.isEmpty() || !applyGroupFilter(toQString(groupName), invert)) {
        return Lumo::eInvalidInput;
    }
    KxParameterUtil::showFilteredTaskDialog(nullptr);
    return Lumo::eOk;
}

void KxDesktopPalette::clearFilter() {
    applyGroupFilter({}, false);
}

Lumo::ErrorStatus KxDesktopPalette::selectParameter(KxParameter* parameter) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    const int row = mpModel->rowOf(parameter);
    const QModelIndex shown =
        row < 0 ? QModelIndex() : mpRows->mapFromSource(mpModel->index(row, 0));
    if (!shown.isValid() || !mpDock) {
        return Lumo::eKeyNotFound;
    }
    // The selection's notice highlights the parameter, as a click on the row does.
    QTableView& table = *mpDock->table();
    table.selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    table.scrollTo(shown);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDesktopPalette::createParameter(KxParameter*& parameter) {
    parameter = nullptr;
    KxParameterManager* live = kxParameterManagerIfAlive();
    if (!live) {
        return Lumo::eNotActive;
    }
    KxParameter* made = nullptr;
    Lumo::ErrorStatus status = live->createParameter(made);
    if (status == Lumo::eOk && made) {
        status = live->addParameter(made);
    }
    if (status != Lumo::eOk || !made) {
        showRefusal(status, QStringLiteral("The active collection made no new parameter."));
        return status == Lumo::eOk ? Lumo::eNotActive : status;
    }
    parameter = made;
    const int row = mpModel->rowOf(made);
    const QModelIndex shown = mpRows->mapFromSource(mpModel->index(row, 0));
    if (!shown.isValid()) {
        // The new parameter is there, but the filter hides it.
        KxParameterUtil::showFilteredTaskDialog(nullptr);
    } else if (mpDock) {
        mpDock->editCell(shown);
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDesktopPalette::deleteParameters(const std::vector<KxParameter*>& parameters) {
    KxParameterManager* live = kxParameterManagerIfAlive();
    if (!live) {
        return Lumo::eNotActive;
    }
    KxArray<KxParameter*> doomed;
    for (KxParameter* parameter : parameters) {
        doomed.append(parameter);
    }
    const int before = mpModel->rowCount();
    live->deleteParameters(doomed);
    // The provider keeps what others still use.
    if (mpModel->rowCount() + static_cast<int>(parameters.size()) > before) {
        showRefusal(Lumo::eInvalidInput,
                    QStringLiteral("Parameters that others still use were not deleted."));
        return Lumo::eInvalidInput;
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDesktopPalette::changeMembership(KxParameter& parameter, const QString& group,
                                                     bool join) {
    short index = -1;
    KxParameterGroupCollection* collection = groups();
    if (!collection || collection->getGroupIndex(toKxString(group), index) != Lumo::eOk) {
        return Lumo::eInvalidInput;
    }
    // The groups cell is the one a refusal marks.
    return mpModel->editCell(parameter, mpModel->columns()[3], [&] {
        return join ? parameter.addToGroup(index) : parameter.removeFromGroup(index);
    });
}

Lumo::ErrorStatus KxDesktopPalette::addGroup(const QString& group) {
    return changeGroups(
        [&](KxParameterGroupCollection& groups) {
            return groups.addParameterGroup(toKxString(group));
        },
        QStringLiteral("The group \"%1\" was not added.").arg(group));
}

Lumo::ErrorStatus KxDesktopPalette::renameGroup(const QString& group, const QString& newName) {
    return changeGroups(
        [&](KxParameterGroupCollection& groups) {
            const Lumo::ErrorStatus status =
                groups.renameParameterGroup(toKxString(group), toKxString(newName));
            // A filter on the group follows it to its new name.
            KxString shown;
            if (status == Lumo::eOk && mpGroupFilter) {
                mpGroupFilter->getGroupName(shown);
                if (toQString(shown) == group) {
                    mpGroupFilter->renameGroupFilter(toKxString(newName));
                }
            }
            return status;
        },
        QStringLiteral("The group \"%1\" was not renamed.").arg(group));
}

Lumo::ErrorStatus KxDesktopPalette::deleteGroup(const QString& group) {
    return changeGroups(
        [&](KxParameterGroupCollection& groups) {
            return groups.deleteParameterGroup(toKxString(group));
        },
        QStringLiteral("The group \"%1\" was not deleted.").arg(group));
}

Lumo::ErrorStatus KxDesktopPalette::changeGroups(
    const std::function<Lumo::ErrorStatus(KxParameterGroupCollection&)>& change,
    const QString& refusal) {
    KxParameterGroupCollection* collection = groups();
    const Lumo::ErrorStatus status = collection ? change(*collection) : Lumo::eNotActive;
    if (status != Lumo::eOk) {
        showRefusal(status, refusal);
    }
    groupsChanged();
    return status;
}

KxParameterDock::RowMenu KxDesktopPalette::rowMenu(KxParameter* parameter) {
    KxParameterDock::RowMenu menu;
    mMenuEntries.setLogicalLength(0);
    if (!parameter) {
        return menu;
    }
    menu.hasParameter = true;
    if (parameter->getContextMenuStringItems(mMenuEntries) != Lumo::eOk) {
        mMenuEntries.setLogicalLength(0);
    }
    for (const KxString& entry : mMenuEntries) {
        menu.entries.push_back(toQString(entry));
    }
    KxParameter::GroupIndexList mine;
    parameter->getGroupNameIndexes(mine);
    KxParameterGroupCollection* collection = groups();
    for (const QString& group : groupNames()) {
        short index = -1;
        collection->getGroupIndex(toKxString(group), index);
        (mine.contains(index) ? menu.leavable : menu.joinable).push_back(group);
    }
    return menu;
}

void KxDesktopPalette::runRowMenu(int row, const QPoint& position) {
    mpMenuParameter = mpRows->parameterAt(row);
    mpDock->runRowMenu(rowMenu(mpMenuParameter), position);
    // The parameter may be gone with the choice.
    mpMenuParameter = nullptr;
    mMenuEntries.setLogicalLength(0);
}

void KxDesktopPalette::runMenuEntry(int entry) {
    if (mpMenuParameter && entry >= 0 && entry < mMenuEntries.length()) {
        mpMenuParameter->executeContextMenuStringItem(mMenuEntries[entry]);
        mpModel->refreshParameter(mpMenuParameter);
    }
}

void KxDesktopPalette::deleteMenuRow() {
    if (!mpMenuParameter) {
        return;
    }
    // The selected rows, when the menu's row is among them.
    std::vector<KxParameter*> doomed = selectedParameters();
    if (std::find(doomed.begin(), doomed.end(), mpMenuParameter) == doomed.end()) {
        doomed = {mpMenuParameter};
    }
    deleteParameters(doomed);
}

void KxDesktopPalette::setSearchPattern(const QString& pattern) {
    if (mpDock) {
        mpDock->setSearchText(pattern); // the field passes it on to the filter
    }
    mpRows->setFilterFixedString(pattern);
}

void KxDesktopPalette::takeUpManagerParameters() {
    KxParameterManager* live = kxParameterManagerIfAlive();
    if (!live) {
        return;
    }
    KxArray<KxParameter*> parameters;
    live->getParameters(parameters);
    mpModel->lock();
    for (KxParameter* parameter : parameters) {
        if (parameter) {
            mpModel->addParameter(parameter);
        }
    }
    mpModel->unlock();
}

KxParameterGroupCollection* KxDesktopPalette::groups() const {
    KxParameterManager* live = kxParameterManagerIfAlive();
    return live ? live->getActiveGroupCollection() : nullptr;
}

QStringList KxDesktopPalette::groupNames() const {
    QStringList names;
    if (KxParameterGroupCollection* collection = groups()) {
        KxArray<KxString> list;
        collection->getParameterGroups(list);
        for (const KxString& name : list) {
            names.push_back(toQString(name));
        }
    }
    return names;
}

bool KxDesktopPalette::applyGroupFilter(const QString& group, bool invert) {
    std::unique_ptr<KxParameterGroupFilter> filter;
    if (!group.isEmpty()) {
        short index = -1;
        KxParameterGroupCollection* collection = groups();
        if (!collection || collection->getGroupIndex(toKxString(group), index) != Lumo::eOk) {
            return false;
        }
        filter = std::make_unique<KxParameterGroupFilter>(toKxString(group), index);
        filter->setInvertFilter(invert);
    }
    // The view lets go of the old filter before it is deleted.
    mpRows->setParameterFilter(filter.get());
    mpGroupFilter = std::move(filter);
    mbInverted = mpGroupFilter && invert;
    if (mpDock) {
        mpDock->groupTree()->showChoice(group, invert);
    }
    return true;
}

void KxDesktopPalette::showRefusal(Lumo::ErrorStatus status, const QString& message) {
    showErrorTaskDialog(status, toKxString(message), {});
}

void KxDesktopPalette::newParameter() {
    KxParameter* made = nullptr;
    createParameter(made); // a refusal has been shown
}

std::vector<KxParameter*> KxDesktopPalette::selectedParameters() const {
    std::vector<KxParameter*> selected;
    if (mpDock) {
        for (const QModelIndex& row : mpDock->selectedRows()) {
            if (KxParameter* parameter = mpRows->parameterAt(row.row())) {
                selected.push_back(parameter);
            }
        }
    }
    return selected;
}

void KxDesktopPalette::followSelection() {
    const std::vector<KxParameter*> selected = selectedParameters();
    const auto has = [](const std::vector<KxParameter*>& list, KxParameter* parameter) {
        return std::find(list.begin(), list.end(), parameter) != list.end();
    };
    for (KxParameter* parameter : mHighlighted) {
        if (!has(selected, parameter)) {
            parameter->highlight(false, false);
        }
    }
    std::vector<KxParameter*> highlighted;
    for (KxParameter* parameter : selected) {
        if (has(mHighlighted, parameter) || parameter->highlight(true, false) == Lumo::eOk) {
            highlighted.push_back(parameter);
        }
    }
    mHighlighted = std::move(highlighted);
}

void KxDesktopPalette::groupsChanged() {
    // A filter on a group that is gone shows everything again.
    if (mpGroupFilter) {
        KxString name;
        mpGroupFilter->getGroupName(name);
        short index = -1;
        KxParameterGroupCollection* collection = groups();
        if (!collection || collection->getGroupIndex(name, index) != Lumo::eOk ||
            index != mpGroupFilter->getGroupIndex()) {
            clearFilter();
        }
    }
    if (mpDock) {
        mpDock->groupTree()->setGroups(groupNames());
    }
    mpModel->refreshAll();
}
