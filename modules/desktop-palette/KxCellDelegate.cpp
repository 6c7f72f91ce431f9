#include "modules/desktop-palette/KxCellDelegate.h"

#include "modules/desktop-palette/KxParameterTableModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QHelpEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QToolTip>

KxCellDelegate::KxCellDelegate(KxParameterTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), mModel(model) {}

bool KxCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid()) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    // The text as painted, elided or not, against the room the cell has.
    if (sizeHint(option, index).width() > option.rect.width()) {
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view,
                           option.rect);
    } else {
        QToolTip::hideText();
    }
    return true;
}

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
