#pragma once

#include "model/KxParameterManagerExport.h"

/// The base of a set of values that a property may take. A set's kind is its dynamic type.
class KX_PARAM_EXPORT KxParameterValueSet {
public:
    virtual ~KxParameterValueSet();

    /// Copies the set; the base holds nothing.
    ///@{
    KxParameterValueSet(const KxParameterValueSet&) = default;
    KxParameterValueSet& operator=(const KxParameterValueSet&) = default;
    ///@}

protected:
    /// Only a derived set is made.
    KxParameterValueSet() = default;
};
