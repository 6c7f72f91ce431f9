#include "modules/desktop-palette/KxParameterRowFilter.h"

#include "collections/KxParameterFilter.h"
#include "modules/desktop-palette/KxParameterTableModel.h"

KxParameterRowFilter::KxParameterRowFilter(KxParameterTableModel& model) : mModel(model) {
    setSourceModel(&model);
    setFilterKeyColumn(0);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
    setSortRole(KxParameterTableModel::kSortRole);
    mOne.append(nullptr);
}

void KxParameterRowFilter::setParameterFilter(KxParameterFilter* filter) {
    mpFilter = filter;
    invalidateFilter();
}

KxParameter* KxParameterRowFilter::parameterAt(int row) const {
    return mModel.parameterAt(mapToSource(index(row, 0)).row());
}

bool KxParameterRowFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (!QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent)) {
        return false;
    }
    if (!mpFilter) {
        return true;
    }
    mOne[0] = mModel.parameterAt(sourceRow);
    mpFilter->filterParameters(mOne, mPassing);
    return mPassing.length() == 1;
}
