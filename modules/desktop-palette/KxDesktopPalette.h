#pragma once

#include "host/KxArray.h"
#include "kit/KxPaletteBase.h"

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class KxParameterTableModel;
class QSortFilterProxyModel;

// The parameters palette of a desktop: a table of the parameters (Qt Widgets) with a search field
// that filters by name and a header that sorts. The window is made when the palette is first shown
// and needs the program's QApplication; the palette never makes one. What it leaves out (the
// group tree, images, predefined expressions) gives the base's neutral answer.
class KxDesktopPalette final : public KxPaletteBase {
public:
    // How a refusal is shown: the status as a person reads it, the message and the detail.
    using ErrorDialog =
        std::function<void(const QString& status, const QString& message, const QString& detail)>;

    KxDesktopPalette();
    ~KxDesktopPalette() override;
    KxDesktopPalette(const KxDesktopPalette&) = delete;
    KxDesktopPalette& operator=(const KxDesktopPalette&) = delete;

    // Showing takes up what the model registered while the palette was hidden. False without a
    // QApplication.
    bool show(bool show, bool activate) override;
    bool restore(bool restore) override;
    void cancelCurrentEdit() override;
    void setESWLockUpdate(bool lock) override;
    Lumo::ErrorStatus updateParameterDataInUI(const KxParameter* parameter) override;
    Lumo::ErrorStatus addParameterDataInUI(KxParameter* parameter, int origin) override;
    void deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) override;
    Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter* parameter) override;
    void showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                             const KxString& detail) override;
    void markInvalidCell() override;
    bool isListControlDeleted() const override;
    void setFilterLock(bool lock) override;
    void refresh(bool full) override;
    bool IsVisible() const override;
    void activeCollectionChanged(KxParameterCollection* collection) override;
    void resetSearchPattern() override;

    // Null shows a non-blocking message box.
    void setErrorDialog(ErrorDialog dialog) { mErrorDialog = std::move(dialog); }
    void setSearchPattern(const QString& pattern);
    KxParameterTableModel& model() { return *mpModel; }
    // What the table view shows: the rows filtered by the search and sorted.
    QSortFilterProxyModel& view() { return *mpProxy; }
    // The window, dockable; null before the first show.
    QWidget* widget() const { return mpWidget; }

private:
    void takeUpManagerParameters();

    std::unique_ptr<KxParameterTableModel> mpModel;
    std::unique_ptr<QSortFilterProxyModel> mpProxy;
    QPointer<QWidget> mpWidget;
    QPointer<QLineEdit> mpSearch;
    ErrorDialog mErrorDialog;
};
