#include "modules/desktop-palette/KxCellDelegate.h"

#include "modules/desktop-palette/KxParameterTableModel.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QSortFilterProxyModel>

KxCellDelegate::KxCellDelegate(KxParameterTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), mModel(model) {}

void KxCellDelegate::cancel() {
    if (mpEditor) {
        emit closeEditor(mpEditor, QAbstractItemDelegate::RevertModelCache);
    }
}

QWidget* KxCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const QModelIndex cell = source(index);
    const QStringList choices = mModel.valueChoices(cell);
    QWidget* editor = nullptr;
    if (!choices.isEmpty()) {
        auto* combo = new QComboBox(parent);
        combo->addItems(choices);
        editor = combo;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
        const auto& column = mModel.columns()[static_cast<std::size_t>(cell.column())];
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line && column.kind == KxParameterTableModel::ColumnKind::kExpression &&
            !mExpressions.isEmpty()) {
            auto* completer = new QCompleter(mExpressions, line);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            line->setCompleter(completer);
        }
    }
    mpEditor = editor;
    return editor;
}

void KxCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentText(index.data(Qt::EditRole).toString());
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void KxCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

QModelIndex KxCellDelegate::source(const QModelIndex& index) const {
    const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(index.model());
    return proxy ? proxy->mapToSource(index) : index;
}
