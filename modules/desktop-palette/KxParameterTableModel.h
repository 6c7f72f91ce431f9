#pragma once

#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "kit/KxPaletteTable.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class KxParameter;
class KxParameterManager;

// The rows the library hands the desktop palette, one per parameter in the order they came, with
// the columns Name, Expression, Value, Groups and then the visible columns of the active
// collection. Cells are formatted only when the view asks for them, and the views hear of changed
// rows once per turn of the event loop, however many the model heard of: a root edit that
// changes every value costs one repaint. An edit goes through the parameter's own operations
// inside an undo bracket on the current drawing; a refused one marks its cell until an edit of
// that cell succeeds.
class KxParameterTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using ColumnKind = KxPaletteColumnKind;
    // A column of the kit's table (kit/KxPaletteTable.h), its title ready for the header.
    struct Column {
        ColumnKind kind = ColumnKind::kName;
        KxString key;
        QString title;
        bool isSameAs(const Column& other) const { return kind == other.kind && key == other.key; }
    };

    // What a cell sorts by: a number as a number, so that 9 comes before 10, and anything else as
    // its text. Numbers are read without formatting, so sorting a large table stays quick.
    static constexpr int kSortRole = Qt::UserRole;

    explicit KxParameterTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The user's edit of a cell: `change` runs as the edit in progress, so that a refusal marks
    // that cell.
    Lumo::ErrorStatus editCell(KxParameter& parameter, const Column& column,
                               const std::function<Lumo::ErrorStatus()>& change);
    // The same, with the text the user typed, read as the column's value.
    Lumo::ErrorStatus editText(KxParameter& parameter, const Column& column, const QString& value);

    // What the palette passes on. Each answers whether the parameter had (or got) a row.
    bool addParameter(KxParameter* parameter);
    void removeParameters(const std::vector<KxParameter*>& parameters);
    bool refreshParameter(const KxParameter* parameter);
    void refreshAll();
    // Rebuilds the columns from the live manager's active collection (kxPaletteColumns).
    void rebuildColumns();
    // The cell of the edit in progress is marked refused.
    void markEditedCellInvalid();
    void cancelEdit() { mEdit.reset(); }
    // While held, changes reach the views as one reset when the last lock is released.
    void lock();
    void unlock();

    // The values a property cell offers (its value set); empty for a free cell.
    QStringList valueChoices(const QModelIndex& index) const;
    KxParameter* parameterAt(int row) const;
    // The row of the parameter, or -1.
    int rowOf(const KxParameter* parameter) const;
    const std::vector<Column>& columns() const { return mColumns; }

private:
    struct Row {
        KxParameter* parameter = nullptr;
        std::optional<Column> invalidCell;
    };
    struct Edit {
        KxParameter* parameter = nullptr;
        Column column;
    };

    QString cellText(KxParameter& parameter, const Column& column) const;
    QVariant sortKey(KxParameter& parameter, const Column& column) const;
    // Starts the one reset of a locked batch, or tells the views directly.
    bool batching();
    void reindex();
    // The changed rows that the views have not heard of yet.
    void markChanged(int row);
    void flushChanged();

    std::vector<Row> mRows;
    std::unordered_map<const KxParameter*, int> mRowIndex;
    int mChangedFirst = -1;
    int mChangedLast = -1;
    std::vector<Column> mColumns;
    std::optional<Edit> mEdit;
    int mLocks = 0;
    bool mbResetting = false;
};
