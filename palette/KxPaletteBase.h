#pragma once

#include "model/KxParameterManagerExport.h"
#include "palette/IKxApParameterManagerESWHost.h"

/// A palette with nothing to show: each of the 23 operations gives exactly the neutral answer that
/// the proxy (KxApParameterManagerESW) gives while no palette is attached, and the proxy gives it
/// by asking a KxPaletteBase. A palette derives from it and overrides only what it shows.
///   false: show, restore, isListControlDeleted, IsVisible;
///   Lumo::eNotImplemented (status 1): updateParameterDataInUI, addParameterDataInUI,
///       updateCurrentGroupDataInUI, setPredefinedExpressions;
///   null: getCurrentFilter;
///   nothing at all (getPredefinedExpressions leaves its array as it was): every other operation.
class KX_PARAM_EXPORT KxPaletteBase : public IKxApParameterManagerESWHost {
public:
    KxPaletteBase() = default;
    ~KxPaletteBase() override;

    void initialize(KxParameterManager* manager) override;
    bool show(bool show, bool activate) override;
    bool restore(bool restore) override;
    void cancelCurrentEdit() override;
    void setESWLockUpdate(bool lock) override;
    void SetImageListAndIndexPair(CImageList& images, KxParameterCollection* collection) override;
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
};
