#pragma once

#include "host/KxArray.h"
#include "host/KxDbEvalVariant.h"
#include "model/KxParameterManagerExport.h"
#include "model/KxParameterValueSet.h"

/// A list of values.
using KxEvalVariantArray = KxArray<KxDbEvalVariant, KxArrayObjectCopyReallocator<KxDbEvalVariant>>;

/// An explicit list of values, in the order in which the provider gave them.
class KX_PARAM_EXPORT KxParameterValueSetList : public KxParameterValueSet {
public:
    /// An empty list.
    KxParameterValueSetList();
    /// Takes the array's grow length, then copies its values.
    explicit KxParameterValueSetList(const KxEvalVariantArray& values);
    /// A copy of the values, with the source's grow length.
    KxParameterValueSetList(const KxParameterValueSetList& other);
    /// The source is left empty, with the default grow length.
    KxParameterValueSetList(KxParameterValueSetList&& other) noexcept;
    ~KxParameterValueSetList() override;

    /// Both take the source's values and keep this list's grow length; the moved-from list is left
    /// empty.
    ///@{
    KxParameterValueSetList& operator=(const KxParameterValueSetList& other);
    KxParameterValueSetList& operator=(KxParameterValueSetList&& other) noexcept;
    ///@}

    /// Replaces the values by a copy of these; keeps this list's grow length.
    void setValues(const KxEvalVariantArray& values);
    /// The values, in order.
    const KxEvalVariantArray& values() const { return mValues; }

private:
    KxEvalVariantArray mValues;
};
