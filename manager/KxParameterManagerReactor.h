#pragma once

#include "model/KxParameterManagerExport.h"

class KxParameterCollection;
class KxParameterGroupCollection;

/// Hears the manager's registry change: a notice before each change and one after it. Every notice
/// does nothing unless overridden. The order of the virtual operations is part of the binary
/// interface.
class KX_PARAM_EXPORT KxParameterManagerReactor {
public:
    /// A collection is about to be registered, or has been.
    ///@{
    virtual void collectionWillBeRegistered(KxParameterCollection* collection);
    virtual void collectionRegistered(KxParameterCollection* collection);
    ///@}
    /// A collection is about to be unregistered, or has been.
    ///@{
    virtual void collectionWillBeUnregistered(KxParameterCollection* collection);
    virtual void collectionUnregistered(KxParameterCollection* collection);
    ///@}
    /// A collection is about to become the active one, or has.
    ///@{
    virtual void activeCollectionWillBeSet(KxParameterCollection* collection);
    virtual void activeCollectionSet(KxParameterCollection* collection);
    ///@}
    /// A group collection, or null, is about to be registered, or has been.
    ///@{
    virtual void groupCollectionWillBeRegistered(KxParameterGroupCollection* groups);
    virtual void groupCollectionRegistered(KxParameterGroupCollection* groups);
    ///@}
    /// The group collection is about to be unregistered, or has been.
    ///@{
    virtual void groupCollectionWillBeUnregistered(KxParameterGroupCollection* groups);
    virtual void groupCollectionUnregistered(KxParameterGroupCollection* groups);
    ///@}
    virtual ~KxParameterManagerReactor();
};
