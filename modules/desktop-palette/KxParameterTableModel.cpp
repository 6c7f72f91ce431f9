#include "modules/desktop-palette/KxParameterTableModel.h"

#include "collections/KxColumnHeaderProperty.h"
#include "collections/KxParameterCollection.h"
#include "collections/KxParameterGroupCollection.h"
#include "kit/KxDisplayValue.h"
#include "kit/KxEditProperty.h"
#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterValueSetList.h"
#include "resources/KxParameterResIds.h"
#include "util/KxParameterUtil.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {

QString text(const KxString& string) {
    return QString::fromStdWString(string.wstr());
}

KxString kxText(const QString& string) {
    return KxString(string.toStdWString());
}

QString columnTitle(unsigned int id, const char* english) {
    const KxString title = KxParameterUtil::getResourceString(id);
    return title.isEmpty() ? QString::fromUtf8(english) : text(title);
}

} // namespace

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
    Row& row = mRows[static_cast<std::size_t>(index.row())];
    const Column column = mColumns[static_cast<std::size_t>(index.column())];
    KxParameter* parameter = row.parameter;
    if (edit(*parameter, column, value.toString()) != Lumo::eOk) {
        return false;
    }
    // The rows may have changed while the model took the edit.
    const int now = rowOf(parameter);
    if (now >= 0) {
        Row& edited = mRows[static_cast<std::size_t>(now)];
        if (edited.invalidCell && edited.invalidCell->isSameAs(column)) {
            edited.invalidCell.reset();
            const QModelIndex cell = this->index(now, index.column());
            emit dataChanged(cell, cell, {Qt::BackgroundRole});
        }
    }
    return true;
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
    if (!batched) {
        endInsertRows();
    }
    return true;
}

void KxParameterTableModel::removeParameters(const std::vector<KxParameter*>& parameters) {
    // Only the pointers are compared: the parameters may be gone.
    for (KxParameter* parameter : parameters) {
        const int row = rowOf(parameter);
        if (row < 0) {
            continue;
        }
        if (mEdit && mEdit->parameter == parameter) {
            mEdit.reset();
        }
        const bool batched = batching();
        if (!batched) {
            beginRemoveRows({}, row, row);
        }
        mRows.erase(mRows.begin() + row);
        if (!batched) {
            endRemoveRows();
        }
    }
}

bool KxParameterTableModel::refreshParameter(const KxParameter* parameter) {
    const int row = rowOf(parameter);
    if (row < 0) {
        return false;
    }
    if (!batching()) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    return true;
}

void KxParameterTableModel::refreshAll() {
    if (!batching() && rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

void KxParameterTableModel::rebuildColumns() {
    std::vector<Column> columns = {
        {ColumnKind::kName, {}, columnTitle(KxParameterRes::kColumnName, "Name")},
        {ColumnKind::kExpression, {}, columnTitle(KxParameterRes::kColumnExpression, "Expression")},
        {ColumnKind::kValue, {}, columnTitle(KxParameterRes::kColumnValue, "Value")},
        {ColumnKind::kGroups, {}, columnTitle(KxParameterRes::kColumnGroups, "Groups")},
    };
    if (KxParameterManager* live = kxParameterManagerIfAlive()) {
        if (const KxParameterCollection* active = live->getActiveCollection()) {
            KxArray<KxColumnHeaderProperty> headers;
            active->getSupportedProperties(headers);
            for (const KxColumnHeaderProperty& header : headers) {
                if (header.mbVisible) {
                    columns.push_back(
                        {ColumnKind::kProperty, header.mKey,
                         text(header.mTitle.isEmpty() ? header.mKey : header.mTitle)});
                }
            }
        }
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
    const auto found = std::find_if(mColumns.begin(), mColumns.end(), [&](const Column& column) {
        return column.isSameAs(mEdit->column);
    });
    if (found != mColumns.end() && !batching()) {
        const QModelIndex cell = index(row, static_cast<int>(found - mColumns.begin()));
        emit dataChanged(cell, cell, {Qt::BackgroundRole});
    }
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
                choices.push_back(text(KxParameterUtil::evalVariantToString(value)));
            }
        }
    }
    return choices;
}

KxParameter* KxParameterTableModel::parameterAt(int row) const {
    return row >= 0 && row < rowCount() ? mRows[static_cast<std::size_t>(row)].parameter : nullptr;
}

int KxParameterTableModel::rowOf(const KxParameter* parameter) const {
    const auto found = std::find_if(mRows.begin(), mRows.end(),
                                    [&](const Row& row) { return row.parameter == parameter; });
    return found == mRows.end() ? -1 : static_cast<int>(found - mRows.begin());
}

QString KxParameterTableModel::cellText(KxParameter& parameter, const Column& column) const {
    switch (column.kind) {
    case ColumnKind::kName:
        return text(parameter.getName());
    case ColumnKind::kExpression:
        return text(parameter.getExpression());
    case ColumnKind::kValue:
        return text(kxDisplayValue(parameter));
    case ColumnKind::kGroups: {
        KxParameterManager* live = kxParameterManagerIfAlive();
        KxParameterGroupCollection* groups = live ? live->getActiveGroupCollection() : nullptr;
        if (!groups) {
            return {};
        }
        KxParameter::GroupIndexList indexes;
        parameter.getGroupNameIndexes(indexes);
        KxArray<KxString> names;
        groups->getParameterGroups(names);
        QStringList mine;
        for (const KxString& name : names) {
            short index = 0;
            if (groups->getGroupIndex(name, index) == Lumo::eOk && indexes.contains(index)) {
                mine.push_back(text(name));
            }
        }
        return mine.join(QStringLiteral(", "));
    }
    case ColumnKind::kProperty:
        break;
    }
    const KxParameterProperty* property = parameter.getProperty(column.key.kwszPtr());
    return property ? text(KxParameterUtil::evalVariantToString(property->value())) : QString();
}

Lumo::ErrorStatus KxParameterTableModel::edit(KxParameter& parameter, const Column& column,
                                              const QString& value) {
    mEdit = Edit{&parameter, column};
    Lumo::ErrorStatus status = Lumo::eNotSupported;
    if (column.kind == ColumnKind::kName) {
        status = parameter.setName(kxText(value));
    } else if (column.kind == ColumnKind::kExpression) {
        status = parameter.setExpression(kxText(value));
    } else if (const KxParameterProperty* property = parameter.getProperty(column.key.kwszPtr())) {
        // The text is read into the type the property holds.
        KxDbEvalVariant typed = property->value();
        status = KxParameterUtil::stringToEvalVariant(kxText(value), typed);
        if (status == Lumo::eOk) {
            const KxEditProperty carrier(column.key, typed);
            status = parameter.setProperty(carrier);
        }
    }
    mEdit.reset();
    return status;
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
