#pragma once

#include "host/CImageList.h"
#include "host/KxArray.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

class IKxApParameterManagerESWHost;
class KxParameter;
class KxParameterCollection;
class KxParameterCollectionObserver;
class KxParameterGroupCollection;
class KxParameterManagerReactor;

/// The process-wide hub: the registry of the providers' collections, the active collection, the
/// user's group collection, and the link to the palette. It owns only its collection observer;
/// collections, group collections and reactors stay their owners'.
class KX_PARAM_EXPORT KxParameterManager {
public:
    /// Creates the manager on first use and connects it to the palette, loading the palette module
    /// unless the host has it loaded already.
    static KxParameterManager& getInstance();
    /// Destroys the manager, if there is one; the next getInstance() creates a new one.
    static void destroy();
    /// Connects the palette if this manager has no link yet; true in every case.
    bool init();
    /// Neither unregisters collections nor tells anybody: providers and clients leave first.
    ~KxParameterManager();
    /// Not copyable: there is one manager.
    ///@{
    KxParameterManager(const KxParameterManager&) = delete;
    KxParameterManager& operator=(const KxParameterManager&) = delete;
    ///@}

    /// Registers a collection: the manager observes it and its parameters, and the palette
    /// receives its images and parameters. eNullPtr for null. A collection may be registered
    /// twice; it then stands twice.
    Lumo::ErrorStatus registerCollection(KxParameterCollection* collection, CImageList& images);
    /// Removes the first entry and the collection's parameters from the palette, and clears the
    /// active collection if it was this one; eInvalidInput, after every notice, when there was
    /// none.
    Lumo::ErrorStatus unRegisterCollection(KxParameterCollection* collection);
    /// The registered collections, in registration order.
    const KxArray<KxParameterCollection*>& getCollections() const { return mCollections; }
    /// Makes the collection the one that createParameter and addParameter work on, and tells the
    /// palette; eNullPtr for null. It need not be registered.
    Lumo::ErrorStatus setActiveCollection(KxParameterCollection* collection);
    /// The active collection; null for none.
    const KxParameterCollection* getActiveCollection() const { return mpActiveCollection; }

    /// Null is accepted and hides the palette's filter tree.
    Lumo::ErrorStatus registerParameterGroupCollection(KxParameterGroupCollection* groups);
    /// Clears the registered group collection whatever the argument is.
    Lumo::ErrorStatus unregisterParameterGroupCollection(KxParameterGroupCollection* groups);
    /// The registered group collection; null for none.
    KxParameterGroupCollection* getActiveGroupCollection() { return mpActiveGroupCollection; }
    /// The group of the palette's current filter, or -1 when it filters by no group.
    short getCurrentGroupIndex() const;

    /// Registers a reactor once: eNullPtr for null; 0 also when it is registered already.
    Lumo::ErrorStatus addReactor(KxParameterManagerReactor* reactor);
    /// Unregisters a reactor without telling it: eNullPtr for null, eEmptyList when none is
    /// registered, eInvalidInput when this one is not.
    Lumo::ErrorStatus removeReactor(KxParameterManagerReactor* reactor);

    /// Whether a document is being switched. Read by the filtered-parameters notice, which stays
    /// silent while a document is switched.
    ///@{
    void setDocumentSwitch(bool switched) { mbDocumentSwitched = switched; }
    bool IsDocumentSwitched() const { return mbDocumentSwitched; }
    ///@}

    /// Forwarded to the palette through the proxy; without a palette link the answers are false
    /// and eNullPtr, and the expressions are left as they were.
    ///@{
    bool ShowESW(bool show, bool activate);
    bool RestoreESW(bool restore);
    bool IsESWVisible();
    void refreshESW(bool full);
    void setESWUpdateLock(bool lock);
    Lumo::ErrorStatus setPredefinedExpressions(KxArray<KxString> expressions);
    void getPredefinedExpressions(KxArray<KxString>& expressions) const;
    ///@}
    /// The palette proxy; null before the manager is connected.
    IKxApParameterManagerESWHost* GetESWFrame() { return mpESWFrame; }

    /// Has the active collection make a new parameter, or adds one to it: eNotActive without an
    /// active collection; eNullObjectPointer for adding null.
    ///@{
    Lumo::ErrorStatus createParameter(KxParameter*& parameter);
    Lumo::ErrorStatus addParameter(KxParameter*& parameter);
    ///@}
    /// Offers each registered collection its share of the list; each one that agrees deletes it.
    void deleteParameters(const KxArray<KxParameter*>& parameters);
    /// The parameters of every registered collection, in registration order.
    void getParameters(KxArray<KxParameter*>& parameters) const;

    /// The manager; null before the first getInstance() and after destroy().
    static KxParameterManager* mpParamManager;

private:
    KxParameterManager();

    void connectPalette();

    IKxApParameterManagerESWHost* mpESWFrame = nullptr;
    KxArray<KxParameterCollection*> mCollections;
    KxArray<KxParameterManagerReactor*> mReactors;
    KxParameterCollection* mpActiveCollection = nullptr;
    KxParameterGroupCollection* mpActiveGroupCollection = nullptr;
    KxParameterCollectionObserver* mpCollectionObserver = nullptr;
    bool mbDocumentSwitched = false;
};
