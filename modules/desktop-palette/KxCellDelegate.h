#pragma once

#include <QPointer>
#include <QStringList>
#include <QStyledItemDelegate>

class KxParameterTableModel;

// The editors of the table's cells: a property with a value set is edited by choosing one of its
// values, an expression with the predefined expressions offered as the user types, anything
// else as text. The edit in progress can be cancelled from outside. A cell too narrow for its text
// shows the whole text as its tooltip.
class KxCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    KxCellDelegate(KxParameterTableModel& model, QObject* parent);

    void setPredefinedExpressions(const QStringList& expressions) { mExpressions = expressions; }
    const QStringList& predefinedExpressions() const { return mExpressions; }
    // Closes the open editor, if any, without storing what it holds.
    void cancel();
    // The open editor, or null.
    QWidget* openEditor() const { return mpEditor; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    QModelIndex source(const QModelIndex& index) const;

    KxParameterTableModel& mModel;
    QStringList mExpressions;
    mutable QPointer<QWidget> mpEditor;
};
