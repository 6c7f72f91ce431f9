#pragma once

#include "host/KxArray.h"
#include "model/KxParameterManagerExport.h"

class KxParameter;

/// Hears parameters join a collection and leave it. Both notices do nothing unless overridden.
class KX_PARAM_EXPORT KxParameterCollectionReactor {
public:
    /// After the parameter is in the collection's list.
    virtual void parameterAdded(KxParameter* parameter);
    /// Before the provider erases them, while they are still in the list.
    virtual void parametersDeleted(const KxArray<KxParameter*>& parameters);
    virtual ~KxParameterCollectionReactor();
};
