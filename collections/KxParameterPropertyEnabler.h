#pragma once

#include "collections/KxColumnHeaderProperty.h"
#include "host/KxArray.h"
#include "model/KxParameterManagerExport.h"

/// Lets a module change the columns a collection offers, after the collection has filled them.
class KX_PARAM_EXPORT KxParameterPropertyEnabler {
public:
    /// Changes the collection's columns as the module wants them: adds, removes or edits entries.
    virtual void enableProperties(KxArray<KxColumnHeaderProperty>& columns) = 0;
    virtual ~KxParameterPropertyEnabler();
};
