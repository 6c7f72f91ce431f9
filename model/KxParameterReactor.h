#pragma once

#include "host/KxArray.h"
#include "host/KxExport.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

class KxParameter;
class KxParameterProperty;

// Hears every change of a parameter: a will-change notice before it, then either the changed
// notice or `modificationFailed`. Every notice does nothing unless overridden.
class KX_EXPORT KxParameterReactor {
public:
    virtual void nameWillChange(KxParameter* parameter, const KxString& newName);
    virtual void nameChanged(KxParameter* parameter, const KxString& newName);
    virtual void expressionWillChange(KxParameter* parameter, const KxString& newExpression);
    virtual void expressionChanged(KxParameter* parameter, const KxString& newExpression);
    virtual void propertyWillChange(KxParameter* parameter, KxParameterProperty* property);
    virtual void propertyChanged(KxParameter* parameter, KxParameterProperty* property);
    virtual void parameterModified(KxParameter* parameter);
    // Does not name the parameter: the texts are shown to the user as they stand.
    virtual void modificationFailed(Lumo::ErrorStatus status, const KxString& message,
                                    const KxString& detail);
    virtual void groupsWillChange(KxParameter* parameter,
                                  const KxArray<short, KxArrayMemCopyReallocator<short>>& groups);
    virtual void groupsChanged(KxParameter* parameter,
                               const KxArray<short, KxArrayMemCopyReallocator<short>>& groups);
    virtual ~KxParameterReactor();
};
