#pragma once

#include "host/CImageList.h"
#include "host/KxArray.h"
#include "host/KxExport.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

class IKxApParameterManagerESWHost;
class KxParameter;
class KxParameterCollection;
class KxParameterCollectionObserver;
class KxParameterGroupCollection;
class KxParameterManagerReactor;

// The process-wide hub: the registry of the providers' collections, the active collection, the
// user's group collection, and the link to the palette. It owns only its collection observer;
// collections, group collections and reactors stay their owners'.
class KX_EXPORT KxParameterManager {
public:
    // Creates the manager on first use and connects it to the palette, loading the palette module
    // unless the host has it loaded already.
    static KxParameterManager& getInstance();
    static void destroy();
    // Connects the palette if this manager has no link yet; true in every case.
    bool init();
    // Neither unregisters collections nor tells anybody: providers and clients leave first.
    ~KxParameterManager();

    // A collection may be registered twice; it then stands twice.
    Lumo::ErrorStatus registerCollection(KxParameterCollection* collection, CImageList& images);
    // Removes the first entry; eInvalidInput, after every notice, when there was none.
    Lumo::ErrorStatus unRegisterCollection(KxParameterCollection* collection);
    const KxArray<KxParameterCollection*>& getCollections() const { return mCollections; }
    Lumo::ErrorStatus setActiveCollection(KxParameterCollection* collection);
    const KxParameterCollection* getActiveCollection() const { return mpActiveCollection; }

    // Null is accepted and hides the palette's filter tree.
    Lumo::ErrorStatus registerParameterGroupCollection(KxParameterGroupCollection* groups);
    // Clears the registered group collection whatever the argument is.
    Lumo::ErrorStatus unregisterParameterGroupCollection(KxParameterGroupCollection* groups);
    KxParameterGroupCollection* getActiveGroupCollection() { return mpActiveGroupCollection; }
    // The group of the palette's current filter, or -1 when it filters by no group.
    short getCurrentGroupIndex() const;

    Lumo::ErrorStatus addReactor(KxParameterManagerReactor* reactor);
    Lumo::ErrorStatus removeReactor(KxParameterManagerReactor* reactor);

    // Read by the filtered-parameters notice, which stays silent while a document is switched.
    void setDocumentSwitch(bool switched) { mbDocumentSwitched = switched; }
    bool IsDocumentSwitched() const { return mbDocumentSwitched; }

    // Forwarded to the palette.
    bool ShowESW(bool show, bool activate);
    bool RestoreESW(bool restore);
    bool IsESWVisible();
    void refreshESW(bool full);
    void setESWUpdateLock(bool lock);
    Lumo::ErrorStatus setPredefinedExpressions(KxArray<KxString> expressions);
    void getPredefinedExpressions(KxArray<KxString>& expressions) const;
    IKxApParameterManagerESWHost* GetESWFrame() { return mpESWFrame; }

    // On the active collection: eNotActive without one.
    Lumo::ErrorStatus createParameter(KxParameter*& parameter);
    Lumo::ErrorStatus addParameter(KxParameter*& parameter);
    // Offers each registered collection its share of the list; each one that agrees deletes it.
    void deleteParameters(const KxArray<KxParameter*>& parameters);
    // The parameters of every registered collection, in registration order.
    void getParameters(KxArray<KxParameter*>& parameters) const;

    static KxParameterManager* mpParamManager;

private:
    KxParameterManager();
    KxParameterManager(const KxParameterManager&) = delete;
    KxParameterManager& operator=(const KxParameterManager&) = delete;

    void connectPalette();

    IKxApParameterManagerESWHost* mpESWFrame;
    KxArray<KxParameterCollection*> mCollections;
    KxArray<KxParameterManagerReactor*> mReactors;
    KxParameterCollection* mpActiveCollection;
    KxParameterGroupCollection* mpActiveGroupCollection;
    KxParameterCollectionObserver* mpCollectionObserver;
    bool mbDocumentSwitched;
};
