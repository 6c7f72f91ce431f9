#pragma once

#include "host/CImageList.h"
#include "host/KxArray.h"
#include "host/KxExport.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

class KxParameter;
class KxParameterCollection;
class KxParameterFilter;
class KxParameterGroupCollection;
class KxParameterManager;

// The palette, as the model sees it. The palette module implements it; the proxy implements it
// too, so that a holder of this interface can use either. The order is a binary interface.
class KX_EXPORT IKxApParameterManagerESWHost {
public:
    virtual void initialize(KxParameterManager* manager) = 0;
    virtual bool show(bool show, bool activate) = 0;
    virtual bool restore(bool restore) = 0;
    virtual void cancelCurrentEdit() = 0;
    virtual void setESWLockUpdate(bool lock) = 0;
    virtual void SetImageListAndIndexPair(CImageList& images,
                                          KxParameterCollection* collection) = 0;
    virtual Lumo::ErrorStatus updateParameterDataInUI(const KxParameter* parameter) = 0;
    virtual Lumo::ErrorStatus addParameterDataInUI(KxParameter* parameter, int origin) = 0;
    virtual void deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) = 0;
    virtual void repopulateGroupDataInUI(KxParameterGroupCollection* groups) = 0;
    virtual Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter* parameter) = 0;
    virtual void showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                     const KxString& detail) = 0;
    virtual void markInvalidCell() = 0;
    virtual bool isListControlDeleted() const = 0;
    virtual void setFilterLock(bool lock) = 0;
    virtual void refresh(bool full) = 0;
    virtual bool IsVisible() const = 0;
    virtual Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>& expressions) = 0;
    virtual void getPredefinedExpressions(KxArray<KxString>& expressions) const = 0;
    virtual void activeCollectionChanged(KxParameterCollection* collection) = 0;
    virtual void resetSearchPattern() = 0;
    virtual void hideFilterTree(bool hide) = 0;
    virtual KxParameterFilter* getCurrentFilter() const = 0;
    virtual ~IKxApParameterManagerESWHost();
};

// Event sinks that other modules register with the proxy; the library only keeps them.
class KX_EXPORT IKxApParameterManagerESWHostEvents {
public:
    virtual ~IKxApParameterManagerESWHostEvents();
};
