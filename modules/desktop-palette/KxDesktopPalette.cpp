#include "modules/desktop-palette/KxDesktopPalette.h"

#include "collections/KxParameterCollection.h"
#include "host/KxStatusName.h"
#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "modules/desktop-palette/KxParameterTableModel.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

#include <vector>

namespace {

QString text(const KxString& string) {
    return QString::fromStdWString(string.wstr());
}

// A property with a value set is edited by choosing one of its values.
class KxValueSetDelegate final : public QStyledItemDelegate {
public:
    KxValueSetDelegate(KxParameterTableModel& model, QObject* parent)
        : QStyledItemDelegate(parent), mModel(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const QStringList choices = mModel.valueChoices(source(index));
        if (choices.isEmpty()) {
            return QStyledItemDelegate::createEditor(parent, option, index);
        }
        auto* combo = new QComboBox(parent);
        combo->addItems(choices);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(index.data(Qt::EditRole).toString());
        } else {
            QStyledItemDelegate::setEditorData(editor, index);
        }
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, combo->currentText(), Qt::EditRole);
        } else {
            QStyledItemDelegate::setModelData(editor, model, index);
        }
    }

private:
    QModelIndex source(const QModelIndex& index) const {
        const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(index.model());
        return proxy ? proxy->mapToSource(index) : index;
    }

    KxParameterTableModel& mModel;
};

} // namespace

KxDesktopPalette::KxDesktopPalette()
    : mpModel(std::make_unique<KxParameterTableModel>()),
      mpProxy(std::make_unique<QSortFilterProxyModel>()) {
    mpProxy->setSourceModel(mpModel.get());
    mpProxy->setFilterKeyColumn(0);
    mpProxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
}

KxDesktopPalette::~KxDesktopPalette() {
    delete mpWidget.data();
}

bool KxDesktopPalette::show(bool show, bool activate) {
    if (!mpWidget) {
        if (!show || !QApplication::instance()) {
            return false;
        }
        mpWidget = new QWidget;
        mpWidget->setWindowTitle(QStringLiteral("Parameters"));
        auto* layout = new QVBoxLayout(mpWidget);
        mpSearch = new QLineEdit(mpWidget);
        mpSearch->setPlaceholderText(QStringLiteral("Search"));
        mpSearch->setClearButtonEnabled(true);
        QObject::connect(mpSearch, &QLineEdit::textChanged, mpProxy.get(),
                         &QSortFilterProxyModel::setFilterFixedString);
        auto* table = new QTableView(mpWidget);
        table->setModel(mpProxy.get());
        table->setSortingEnabled(true);
        table->sortByColumn(-1, Qt::AscendingOrder);
        table->horizontalHeader()->setStretchLastSection(true);
        table->setItemDelegate(new KxValueSetDelegate(*mpModel, table));
        layout->addWidget(mpSearch);
        layout->addWidget(table);
    }
    if (show) {
        takeUpManagerParameters();
        mpWidget->show();
        if (activate) {
            mpWidget->activateWindow();
        }
    } else {
        mpWidget->hide();
    }
    return true;
}

bool KxDesktopPalette::restore(bool restore) {
    if (restore && mpWidget) {
        mpWidget->showNormal();
    }
    return IsVisible();
}

void KxDesktopPalette::cancelCurrentEdit() {
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
    mpModel->removeParameters(std::vector<KxParameter*>(parameters.begin(), parameters.end()));
}

Lumo::ErrorStatus KxDesktopPalette::updateCurrentGroupDataInUI(const KxParameter* parameter) {
    return updateParameterDataInUI(parameter);
}

void KxDesktopPalette::showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                           const KxString& detail) {
    const QString name = QString::fromStdString(kxStatusText(status));
    if (mErrorDialog) {
        mErrorDialog(name, text(message), text(detail));
        return;
    }
    if (!QApplication::instance()) {
        return;
    }
    // Not modal to the program's loop: the edit that was refused has already returned.
    auto* box = new QMessageBox(QMessageBox::Warning,
                                QStringLiteral("Parameter not changed (%1)").arg(name),
                                text(message), QMessageBox::Ok, mpWidget);
    box->setInformativeText(text(detail));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
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
    return mpWidget && mpWidget->isVisible();
}

void KxDesktopPalette::activeCollectionChanged(KxParameterCollection*) {
    // The columns are read from the live manager's active collection.
    mpModel->rebuildColumns();
}

void KxDesktopPalette::resetSearchPattern() {
    setSearchPattern({});
}

void KxDesktopPalette::setSearchPattern(const QString& pattern) {
    if (mpSearch) {
        mpSearch->setText(pattern); // the field passes it on to the filter
    }
    mpProxy->setFilterFixedString(pattern);
}

void KxDesktopPalette::takeUpManagerParameters() {
    KxParameterManager* live = kxParameterManagerIfAlive();
    if (!live) {
        return;
    }
    KxArray<KxParameter*> parameters;
    live->getParameters(parameters);
    for (KxParameter* parameter : parameters) {
        if (parameter) {
            mpModel->addParameter(parameter);
        }
    }
}
