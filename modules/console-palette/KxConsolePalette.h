#pragma once

#include "collections/KxParameterGroupFilter.h"
#include "kit/KxPaletteControl.h"
#include "kit/KxPaletteTable.h"
#include "palette/KxPaletteBase.h"

#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The parameters palette of a console: it keeps one row per parameter that the model handed it,
// in the order they came, prints a short line for each change while it is visible, and draws the
// whole table on request. Rows hold the parameters' pointers and remember each name, so that a
// deletion never has to read a parameter. What it leaves out (initialize: it asks for the live
// manager when it needs it; SetImageListAndIndexPair: it shows no images; activeCollectionChanged:
// each drawing reads the active collection's columns afresh; resetSearchPattern: it has no search
// box) gives the base's neutral answer.
class KxConsolePalette final : public KxPaletteBase, public KxPaletteControl {
public:
    KxConsolePalette();
    ~KxConsolePalette() override;
    KxConsolePalette(const KxConsolePalette&) = delete;
    KxConsolePalette& operator=(const KxConsolePalette&) = delete;

    // The palette operations, in the interface's order.
    // Showing draws the whole table, after taking up the collections and parameters that the model
    // registered while the palette was hidden or not yet loaded (the model hands additions to a
    // visible palette only). Always true.
    bool show(bool show, bool activate) override;
    // A console keeps no window layout to restore: the answer is whether the palette is visible.
    bool restore(bool restore) override;
    void cancelCurrentEdit() override;
    // While held, changes are counted and told in one line when it is released.
    void setESWLockUpdate(bool lock) override;
    // eNullObjectPointer for null, eInvalidInput for a parameter without a row.
    Lumo::ErrorStatus updateParameterDataInUI(const KxParameter* parameter) override;
    // A parameter that has a row keeps it: it is not added twice. eNullObjectPointer for null.
    Lumo::ErrorStatus addParameterDataInUI(KxParameter* parameter, int origin) override;
    void deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) override;
    void repopulateGroupDataInUI(KxParameterGroupCollection* groups) override;
    Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter* parameter) override;
    // Printed to the error stream whether or not the palette is visible: it is how a refusal
    // reaches the user.
    void showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                             const KxString& detail) override;
    void markInvalidCell() override;
    bool isListControlDeleted() const override;
    // While held, additions are counted and told in one line when it is released.
    void setFilterLock(bool lock) override;
    // Draws the whole table while the palette is visible.
    void refresh(bool full) override;
    bool IsVisible() const override;
    Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>& expressions) override;
    void getPredefinedExpressions(KxArray<KxString>& expressions) const override;
    // Hiding the filter tree drops the group data and the group filter chosen in it.
    void hideFilterTree(bool hide) override;
    KxParameterFilter* getCurrentFilter() const override;

    // What the shell asks of the palette.
    void setOutput(std::ostream* out, std::ostream* errors) override;
    void draw() override;
    Lumo::ErrorStatus editName(KxParameter* parameter, const KxString& name) override;
    Lumo::ErrorStatus editExpression(KxParameter* parameter, const KxString& expression) override;
    Lumo::ErrorStatus editProperty(KxParameter* parameter, const KxString& property,
                                   const KxDbEvalVariant& value) override;
    Lumo::ErrorStatus setGroupFilter(const KxString& groupName, bool invert) override;
    // Removes the filter and draws the table, as choosing a filter does.
    void clearFilter() override;
    // A table of text has no selection: eNotImplemented.
    Lumo::ErrorStatus selectParameter(KxParameter* parameter) override;

    // The palette's state, for its tests.
    std::vector<KxParameter*> rowParameters() const;
    bool isEditing() const { return mEdit.has_value(); }

private:
    struct Row {
        KxParameter* parameter = nullptr;
        KxString name;
        std::optional<KxPaletteColumn> invalidCell;
    };
    struct Edit {
        KxParameter* parameter = nullptr;
        KxPaletteColumn column;
    };
    // Changes told in one line when a lock is released.
    struct Batch {
        int added = 0;
        int updated = 0;
        int deleted = 0;
        bool groups = false;
        bool isEmpty() const { return added == 0 && updated == 0 && deleted == 0 && !groups; }
    };

    // The live manager, asked afresh each time (kit/KxParameterManagerAlive.h): a destroyed one
    // is never used, even if a new one stands at its address.
    static KxParameterManager* manager();
    // The live manager's group collection; without one, the last that the model handed over.
    KxParameterGroupCollection* groups() const;

    Row* findRow(const KxParameter* parameter);
    bool appendRow(KxParameter* parameter);
    void takeUpManagerParameters();
    // Remembers the cell while the model takes the change, which may mark it invalid.
    Lumo::ErrorStatus edit(KxParameter* parameter, KxPaletteColumn column,
                           const std::function<Lumo::ErrorStatus()>& change);
    // The group filter follows a renamed group and goes with a deleted one.
    void reconcileFilter();

    // A change to tell: counted under a lock, printed while visible otherwise.
    void tellAdded(const std::string& name);
    void tellUpdated(const std::string& line);
    void tellDeleted(const std::string& name);
    void tellGroups(const std::string& line);
    void print(const std::string& line);

    std::ostream* mpOut;
    std::ostream* mpErrors;
    KxParameterGroupCollection* mpGroups = nullptr;
    std::list<Row> mRows;
    std::unordered_map<const KxParameter*, std::list<Row>::iterator> mRowIndex;
    std::optional<Edit> mEdit;
    std::unique_ptr<KxParameterGroupFilter> mpFilter;
    bool mbFilterInverted = false;
    bool mbVisible = false;
    int mUpdateLocks = 0;
    int mFilterLocks = 0;
    Batch mUpdateBatch;
    int mFilterLockAdded = 0;
    KxArray<KxString> mPredefinedExpressions;
};
