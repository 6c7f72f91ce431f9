#pragma once

#include "collections/KxParameterGroupFilter.h"
#include "host/KxArray.h"
#include "kit/KxPaletteControl.h"
#include "model/KxParameter.h"
#include "modules/desktop-palette/KxParameterDock.h"
#include "palette/KxPaletteBase.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <iosfwd>
#include <memory>
#include <vector>

class KxCellDelegate;
class KxParameterGroupCollection;
class KxParameterRowFilter;
class KxParameterTableModel;

// The parameters palette of a desktop: its window, a KxParameterDock, shows the rows of the table
// model, filtered by the search and the group and sorted by the header; the palette carries what
// the person asks there to the library and what the library reports back to the window. The
// window is made when the palette is first shown, docked at the right of the program's main
// window when it has one; it needs the program's QApplication, which the palette never makes.
class KxDesktopPalette final : public KxPaletteBase, public KxPaletteControl {
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
    void repopulateGroupDataInUI(KxParameterGroupCollection* groups) override;
    Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter* parameter) override;
    void showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                             const KxString& detail) override;
    void markInvalidCell() override;
    bool isListControlDeleted() const override;
    void setFilterLock(bool lock) override;
    void refresh(bool full) override;
    bool IsVisible() const override;
    Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>& expressions) override;
    void getPredefinedExpressions(KxArray<KxString>& expressions) const override;
    void activeCollectionChanged(KxParameterCollection* collection) override;
    void resetSearchPattern() override;
    void hideFilterTree(bool hide) override;
    KxParameterFilter* getCurrentFilter() const override;

    // What the host program drives: the output of `draw`, the user's edits, the group filter.
    void setOutput(std::ostream* out, std::ostream* errors) override;
    void draw() override;
    Lumo::ErrorStatus editName(KxParameter* parameter, const KxString& name) override;
    Lumo::ErrorStatus editExpression(KxParameter* parameter, const KxString& expression) override;
    Lumo::ErrorStatus editProperty(KxParameter* parameter, const KxString& property,
                                   const KxDbEvalVariant& value) override;
    Lumo::ErrorStatus setGroupFilter(const KxString& groupName, bool invert) override;
    void clearFilter() override;
    Lumo::ErrorStatus selectParameter(KxParameter* parameter) override;

    // The user's commands of the row menu and the group tree, each through the manager, the
    // parameter or the group collection; a refusal is shown as the error dialog.
    Lumo::ErrorStatus createParameter(KxParameter*& parameter);
    Lumo::ErrorStatus deleteParameters(const std::vector<KxParameter*>& parameters);
    Lumo::ErrorStatus changeMembership(KxParameter& parameter, const QString& group, bool join);
    Lumo::ErrorStatus addGroup(const QString& group);
    Lumo::ErrorStatus renameGroup(const QString& group, const QString& newName);
    Lumo::ErrorStatus deleteGroup(const QString& group);

    // Null shows a non-blocking message box.
    void setErrorDialog(ErrorDialog dialog) { mErrorDialog = std::move(dialog); }
    void setSearchPattern(const QString& pattern);
    KxParameterTableModel& model() { return *mpModel; }
    // What the table view shows: the rows filtered by the search and the group, sorted.
    KxParameterRowFilter& view() { return *mpRows; }
    // The window, its table and its group tree; null before the first show.
    KxParameterDock* widget() const { return mpDock; }
    QTableView* table() const { return mpDock ? mpDock->table() : nullptr; }
    KxGroupTree* groupTree() const { return mpDock ? mpDock->groupTree() : nullptr; }

private:
    void makeWindow();
    void takeUpManagerParameters();
    KxParameterGroupCollection* groups() const;
    QStringList groupNames() const;
    // Applies the group filter of that name (empty for none); false when no group has it.
    bool applyGroupFilter(const QString& group, bool invert);
    void showRefusal(Lumo::ErrorStatus status, const QString& message);
    // The user asks for a new parameter.
    void newParameter();
    // The parameters of the selected rows, in the table's order.
    std::vector<KxParameter*> selectedParameters() const;
    // Pushes the highlight of every selected row's parameter and pops the others'.
    void followSelection();
    void groupsChanged();
    // Runs a change of the group collection, shows its refusal, and shows the groups as they are.
    Lumo::ErrorStatus
    changeGroups(const std::function<Lumo::ErrorStatus(KxParameterGroupCollection&)>& change,
                 const QString& refusal);
    // The row menu: what it offers for the parameter (null below the last row), keeping the
    // parameter's own entries for the choice; running it; and its choices.
    KxParameterDock::RowMenu rowMenu(KxParameter* parameter);
    void runRowMenu(int row, const QPoint& position);
    void runMenuEntry(int entry);
    void deleteMenuRow();

    std::unique_ptr<KxParameterTableModel> mpModel;
    std::unique_ptr<KxParameterRowFilter> mpRows;
    std::unique_ptr<KxParameterGroupFilter> mpGroupFilter;
    std::unique_ptr<KxCellDelegate> mpDelegate;
    QPointer<KxParameterDock> mpDock;
    std::vector<KxParameter*> mHighlighted;
    // The parameter whose row menu is running and its own entries as it gave them; they answer
    // the menu's choices, which name neither.
    KxParameter* mpMenuParameter = nullptr;
    KxParameter::StringList mMenuEntries;
    bool mbInverted = false;
    bool mbTreeHidden = true;
    std::ostream* mpOut;
    std::ostream* mpErrors;
    ErrorDialog mErrorDialog;
};
