#include "modules/desktop-palette/KxParameterTableModel.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "kit/KxEditProperty.h"
#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "manager/KxPmUndoBracket.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterValueSetList.h"
#include "modules/desktop-palette/KxQtText.h"
#include "util/KxParameterUtil.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <unordered_set>

KxParameterTableModel::KxParameterTableModel(QObject* parent) : QAbstractTableModel(parent) {
    rebuildColumns();
}

int KxParameterTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mRows.size());
}

int KxParameterTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mColumns.size());
}

QVariant KxParameterTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const Row& row = mRows[static_cast<std::size_t>(index.row())];
    const Column& column = mColumns[static_cast<std::size_t>(index.column())];
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return cellText(*row.parameter, column);
    }
    if (role == kSortRole) {
        return sortKey(*row.parameter, column);
    }
    if (role == Qt::BackgroundRole && row.invalidCell && row.invalidCell->isSameAs(column)) {
        return QBrush(QColor(Qt::red));
    }
    return {};
}

QVariant KxParameterTableModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return mColumns[static_cast<std::size_t>(section)].title;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags KxParameterTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return flags;
    }
    KxParameter& parameter = *mRows[static_cast<std::size_t>(index.row())].parameter;
    const Column& column = mColumns[static_cast<std::size_t>(index.column())];
    bool editable = false;
    switch (column.kind) {
    case ColumnKind::kName:
        editable = true;
        break;
    case ColumnKind::kExpression:
        editable = !parameter.isExpressionReadOnly();
        break;
    case ColumnKind::kProperty: {
        const KxParameterProperty* property = parameter.getProperty(column.key.kwszPtr());
        editable = property && !property->isReadOnly();
        break;
    }
    case ColumnKind::kValue:
    case ColumnKind::kGroups:
        break;
    }
    return editable ? flags | Qt::ItemIsEditable : flags;
}

bool KxParameterTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    KxParameter& parameter = *mRows[static_cast<std::size_t>(index.row())].parameter;
    const Column column = mColumns[static_cast<std::size_t>(index.column())];
    return editText(parameter, column, value.toString()) == Lumo::eOk;
}

QVariant KxParameterTableModel::sortKey(KxParameter& parameter, const Column& column) const {
    KxDbEvalVariant value;
    if (column.kind == ColumnKind::kValue) {
        parameter.getValue(value);
    } else if (column.kind == ColumnKind::kProperty) {
        if (const KxParameterProperty* property = parameter.getProperty(column.key.kwszPtr())) {
            value = property->value();
        }
    }
    switch (value.getType()) {
    case kDwgReal:
        return value.getDouble();
    case kDwgInt32:
        return static_cast<double>(value.getInt32());
    case kDwgInt16:
        return static_cast<double>(value.getInt16());
    case kDwgInt8:
        return static_cast<double>(value.getInt8());
    default:
        return cellText(parameter, column);
    }
}

Lumo::ErrorStatus
KxParameterTableModel::editCell(KxParameter& parameter, const Column& column,
                                const std::function<Lumo::ErrorStatus()>& change) {
    mEdit = Edit{&parameter, column};
    Lumo::ErrorStatus status = Lumo::eOk;
    {
        // One user edit is one undo step of the drawing, as the host's own edits are.
        std::optional<KxPmUndoBracket> bracket;
        if (KxApDocument* document = kxDocManagerPtr()->curDocument()) {
            bracket.emplace(document);
        }
        status = change();
    }
    mEdit.reset();
    // The rows may have changed while the model took the edit.
    const int row = rowOf(&parameter);
    if (status == Lumo::eOk && row >= 0) {
        Row& edited = mRows[static_cast<std::size_t>(row)];
        if (edited.invalidCell && edited.invalidCell->isSameAs(column)) {
            edited.invalidCell.reset();
            markChanged(row);
        }
    }
    return status;
}

Lumo::ErrorStatus KxParameterTableModel::editText(KxParameter& parameter, const Column& column,
                                                  const QString& value) {
    return editCell(parameter, column, [&] {
        if (column.kind == ColumnKind::kName) {
            return parameter.setName(toKxString(value));
        }
        if (column.kind == ColumnKind::kExpression) {
            return parameter.setExpression(toKxString(value));
        }
        const KxParameterProperty* property = column.kind == ColumnKind::kProperty
                                                  ? parameter.getProperty(column.key.kwszPtr())
                                                  : nullptr;
        if (!property) {
            return Lumo::eNotSupported;
        }
        // The text is read into the type the property holds.
        KxDbEvalVariant typed = property->value();
        Lumo::ErrorStatus status = KxParameterUtil::stringToEvalVariant(toKxString(value), typed);
        if (status == Lumo::eOk) {
            status = parameter.setProperty(KxEditProperty(column.key, typed));
        }
        return status;
    });
}

bool KxParameterTableModel::addParameter(KxParameter* parameter) {
    if (rowOf(parameter) >= 0) {
        return true;
    }
    const int row = rowCount();
    const bool batched = batching();
    if (!batched) {
        beginInsertRows({}, row, row);
    }
    mRows.push_back({parameter, std::nullopt});
    mRowIndex.emplace(parameter, row);
    if (!batched) {
        endInsertRows();
    }
    return true;
}

void KxParameterTableModel::removeParameters(const std::vector<KxParameter*>& parameters) {
    // Only the pointers are compared: the parameters may be gone.
    std::unordered_set<const KxParameter*> doomed;
    int first = -1;
    for (KxParameter* parameter : parameters) {
        const int row = rowOf(parameter);
        if (row >= 0 && doomed.insert(parameter).second) {
            first = first < 0 ? row : std::min(first, row);
        }
    }
    if (doomed.empty()) {
        return;
    }
    if (mEdit && doomed.count(mEdit->parameter)) {
        mEdit.reset();
    }
    // A changed row after the first removed one moves up, but stays within the range.
    if (mChangedFirst >= 0) {
        mChangedFirst = std::min(mChangedFirst, first);
    }
    // One row is removed as such; more at once, as one reset, in one pass.
    const bool batched = batching();
    const bool single = doomed.size() == 1;
    if (!batched) {
        single ? beginRemoveRows({}, first, first) : beginResetModel();
    }
    std::erase_if(mRows, [&](const Row& row) { return doomed.count(row.parameter) > 0; });
    reindex();
    if (!batched) {
        single ? endRemoveRows() : endResetModel();
    }
}

bool KxParameterTableModel::refreshParameter(const KxParameter* parameter) {
    const int row = rowOf(parameter);
    if (row < 0) {
        return false;
    }
    markChanged(row);
    return true;
}

void KxParameterTableModel::refreshAll() {
    if (rowCount() > 0) {
        markChanged(0);
        markChanged(rowCount() - 1);
    }
}

void KxParameterTableModel::markChanged(int row) {
    if (batching()) {
        return; // the reset at the end of the batch tells everything
    }
    if (mChangedFirst < 0) {
        mChangedFirst = mChangedLast = row;
        QMetaObject::invokeMethod(this, &KxParameterTableModel::flushChanged, Qt::QueuedConnection);
        return;
    }
    mChangedFirst = std::min(mChangedFirst, row);
    mChangedLast = std::max(mChangedLast, row);
}

void KxParameterTableModel::flushChanged() {
    const int last = std::min(mChangedLast, rowCount() - 1);
    const int first = mChangedFirst;
    mChangedFirst = mChangedLast = -1;
    if (first >= 0 && first <= last && columnCount() > 0) {
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
    }
}

void KxParameterTableModel::rebuildColumns() {
    std::vector<Column> columns;
    for (const KxPaletteColumn& column : kxPaletteColumns(kxParameterManagerIfAlive())) {
        columns.push_back({column.kind, column.key, toQString(column.title)});
    }
    const bool batched = batching();
    if (!batched) {
        beginResetModel();
    }
    mColumns = std::move(columns);
    if (!batched) {
        endResetModel();
    }
}

void KxParameterTableModel::markEditedCellInvalid() {
    if (!mEdit) {
        return;
    }
    const int row = rowOf(mEdit->parameter);
    if (row < 0) {
        return;
    }
    mRows[static_cast<std::size_t>(row)].invalidCell = mEdit->column;
    markChanged(row);
}

void KxParameterTableModel::lock() {
    ++mLocks;
}

void KxParameterTableModel::unlock() {
    if (mLocks == 0 || --mLocks > 0) {
        return;
    }
    if (mbResetting) {
        mbResetting = false;
        mChangedFirst = mChangedLast = -1;
        endResetModel();
    }
}

QStringList KxParameterTableModel::valueChoices(const QModelIndex& index) const {
    QStringList choices;
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return choices;
    }
    const Column& column = mColumns[static_cast<std::size_t>(index.column())];
    const KxParameterProperty* property =
        column.kind == ColumnKind::kProperty
            ? mRows[static_cast<std::size_t>(index.row())].parameter->getProperty(
                  column.key.kwszPtr())
            : nullptr;
    KxParameterValueSet* set = nullptr;
    if (property && property->getValueSet(set) == Lumo::eOk) {
        if (const auto* list = dynamic_cast<const KxParameterValueSetList*>(set)) {
            for (const KxDbEvalVariant& value : list->values()) {
                choices.push_back(toQString(KxParameterUtil::evalVariantToString(value)));
            }
        }
    }
    return choices;
}

KxParameter* KxParameterTableModel::parameterAt(int row) const {
    return row >= 0 && row < rowCount() ? mRows[static_cast<std::size_t>(row)].parameter : nullptr;
}

int KxParameterTableModel::rowOf(const KxParameter* parameter) const {
    const auto found = mRowIndex.find(parameter);
    return found == mRowIndex.end() ? -1 : found->second;
}

void KxParameterTableModel::reindex() {
    mRowIndex.clear();
    for (std::size_t row = 0; row < mRows.size(); ++row) {
        mRowIndex.emplace(mRows[row].parameter, static_cast<int>(row));
    }
}

QString KxParameterTableModel::cellText(KxParameter& parameter, const Column& column) const {
    KxParameterManager* live = kxParameterManagerIfAlive();
    return toQString(kxPaletteCellText(parameter, {column.kind, column.key, {}},
                                       live ? live->getActiveGroupCollection() : nullptr));
}

bool KxParameterTableModel::batching() {
    if (mLocks == 0) {
        return false;
    }
    if (!mbResetting) {
        mbResetting = true;
        beginResetModel();
    }
    return true;
}
