#pragma once

#include "host/KxArray.h"

#include <QSortFilterProxyModel>

class KxParameter;
class KxParameterFilter;
class KxParameterTableModel;

// The rows the table shows, in the order it shows them: those whose name holds the search text
// (any letter case) and that the palette's current filter passes, sorted by the column the user
// chose.
class KxParameterRowFilter final : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit KxParameterRowFilter(KxParameterTableModel& model);

    // Null shows every row. The filter stays the caller's.
    void setParameterFilter(KxParameterFilter* filter);
    // The parameter of a row as shown.
    KxParameter* parameterAt(int row) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    KxParameterTableModel& mModel;
    KxParameterFilter* mpFilter = nullptr;
    // Reused for each row, so that filtering allocates nothing.
    mutable KxArray<KxParameter*> mOne;
    mutable KxArray<KxParameter*> mPassing;
};
