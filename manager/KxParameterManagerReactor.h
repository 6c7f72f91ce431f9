#pragma once

#include "host/KxExport.h"

class KxParameterCollection;
class KxParameterGroupCollection;

// Hears the manager's registry change: a notice before each change and one after it. Every notice
// does nothing unless overridden. The order of the virtual operations is part of the binary
// interface.
class KX_EXPORT KxParameterManagerReactor {
public:
    virtual void collectionWillBeRegistered(KxParameterCollection* collection);
    virtual void collectionRegistered(KxParameterCollection* collection);
    virtual void collectionWillBeUnregistered(KxParameterCollection* collection);
    virtual void collectionUnregistered(KxParameterCollection* collection);
    virtual void activeCollectionWillBeSet(KxParameterCollection* collection);
    virtual void activeCollectionSet(KxParameterCollection* collection);
    virtual void groupCollectionWillBeRegistered(KxParameterGroupCollection* groups);
    virtual void groupCollectionRegistered(KxParameterGroupCollection* groups);
    virtual void groupCollectionWillBeUnregistered(KxParameterGroupCollection* groups);
    virtual void groupCollectionUnregistered(KxParameterGroupCollection* groups);
    virtual ~KxParameterManagerReactor();
};
