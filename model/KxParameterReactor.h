#pragma once

#include "host/KxArray.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

class KxParameter;
class KxParameterProperty;

/// Hears every change of a parameter: a will-change notice before it, then either the changed
/// notice or `modificationFailed`. Every notice does nothing unless overridden.
class KX_PARAM_EXPORT KxParameterReactor {
public:
    /// The parameter is about to be renamed, before the provider vets the new name.
    virtual void nameWillChange(KxParameter* parameter, const KxString& newName);
    /// The parameter has been renamed; `newName` is the caller's text.
    virtual void nameChanged(KxParameter* parameter, const KxString& newName);
    /// The parameter's expression is about to change, before the provider vets it.
    virtual void expressionWillChange(KxParameter* parameter, const KxString& newExpression);
    /// The parameter's expression has changed; `newExpression` is the caller's text.
    virtual void expressionChanged(KxParameter* parameter, const KxString& newExpression);
    /// The value of a property that the parameter holds is about to change.
    virtual void propertyWillChange(KxParameter* parameter, KxParameterProperty* property);
    /// The value of a property that the parameter holds has changed.
    virtual void propertyChanged(KxParameter* parameter, KxParameterProperty* property);
    /// The parameter has changed as a whole, or has been refreshed.
    virtual void parameterModified(KxParameter* parameter);
    /// A change was refused with that status and the provider's texts. Does not name the
    /// parameter: the texts are shown to the user as they stand.
    virtual void modificationFailed(Lumo::ErrorStatus status, const KxString& message,
                                    const KxString& detail);
    /// The parameter's groups are about to change; `groups` still holds the membership before.
    virtual void groupsWillChange(KxParameter* parameter,
                                  const KxArray<short, KxArrayMemCopyReallocator<short>>& groups);
    /// The parameter's groups have changed; `groups` holds the membership after.
    virtual void groupsChanged(KxParameter* parameter,
                               const KxArray<short, KxArrayMemCopyReallocator<short>>& groups);
    virtual ~KxParameterReactor();
};
