#pragma once

#include "host/KxArray.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

class KxParameter;

/// Picks, from a list of parameters, those that the palette shows. The invert flag is for the
/// concrete filter to consult.
class KX_PARAM_EXPORT KxParameterFilter {
public:
    /// A filter that is not inverted.
    KxParameterFilter() = default;
    virtual ~KxParameterFilter();
    /// Fills the output with the input's passing entries, in order; the two lists must differ.
    virtual Lumo::ErrorStatus filterParameters(const KxArray<KxParameter*>& parameters,
                                               KxArray<KxParameter*>& passing) = 0;

    /// Sets the invert flag, which the next filtering consults.
    void setInvertFilter(bool invert) { mbInvert = invert; }

protected:
    /// The invert flag.
    bool isInverted() const { return mbInvert; }

private:
    bool mbInvert = false;
};
