#pragma once

#include "host/KxArray.h"
#include "model/KxParameterManagerExport.h"
#include "palette/IKxApParameterManagerESWHost.h"

class KxApParameterManagerESWImp;

/// The one process-wide way from the model to the palette. Each operation goes to the attached
/// palette; without one it gives a neutral answer (those of KxPaletteBase,
/// palette/KxPaletteBase.h), so the model never depends on the palette.
class KX_PARAM_EXPORT KxApParameterManagerESW : public IKxApParameterManagerESWHost {
public:
    /// Made on first use and never destroyed.
    static KxApParameterManagerESW* instance();
    /// Not copyable: there is one proxy.
    ///@{
    KxApParameterManagerESW(const KxApParameterManagerESW&) = delete;
    KxApParameterManagerESW& operator=(const KxApParameterManagerESW&) = delete;
    ///@}

    /// The last call wins; null detaches the palette. The palette is neither told nor owned.
    void setHost(IKxApParameterManagerESWHost* host);
    /// Registers an event sink; one already registered stays once. Not owned.
    void addEvent(IKxApParameterManagerESWHostEvents* sink);
    /// Unregisters an event sink; one not registered is ignored.
    void removeEvent(IKxApParameterManagerESWHostEvents* sink);
    /// A copy of the registered sinks, ordered by pointer value.
    KxArray<IKxApParameterManagerESWHostEvents*> events() const;

    /// Loads the palette module unless the host has it loaded, then hands the manager to the
    /// palette that attached itself meanwhile.
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
    ~KxApParameterManagerESW() override;

private:
    KxApParameterManagerESW();

    KxApParameterManagerESWImp* mpImp;
};
