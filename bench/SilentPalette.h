#pragma once

#include "palette/IKxApParameterManagerESWHost.h"

// A palette that is visible, shows its list, and records nothing: the model pays for every call it
// makes to the palette and for nothing that a real palette would do with it.
class SilentPalette : public IKxApParameterManagerESWHost {
public:
    void initialize(KxParameterManager*) override {}
    bool show(bool, bool) override { return true; }
    bool restore(bool) override { return true; }
    void cancelCurrentEdit() override {}
    void setESWLockUpdate(bool) override {}
    void SetImageListAndIndexPair(CImageList&, KxParameterCollection*) override {}
    Lumo::ErrorStatus updateParameterDataInUI(const KxParameter*) override { return Lumo::eOk; }
    Lumo::ErrorStatus addParameterDataInUI(KxParameter*, int) override { return Lumo::eOk; }
    void deleteParameterDataInUI(const KxArray<KxParameter*>&) override {}
    void repopulateGroupDataInUI(KxParameterGroupCollection*) override {}
    Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter*) override { return Lumo::eOk; }
    void showErrorTaskDialog(Lumo::ErrorStatus, const KxString&, const KxString&) override {}
    void markInvalidCell() override {}
    bool isListControlDeleted() const override { return true; }
    void setFilterLock(bool) override {}
    void refresh(bool) override {}
    bool IsVisible() const override { return true; }
    Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>&) override {
        return Lumo::eOk;
    }
    void getPredefinedExpressions(KxArray<KxString>&) const override {}
    void activeCollectionChanged(KxParameterCollection*) override {}
    void resetSearchPattern() override {}
    void hideFilterTree(bool) override {}
    KxParameterFilter* getCurrentFilter() const override { return nullptr; }
};
