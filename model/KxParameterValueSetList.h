#pragma once

#include "host/KxArray.h"
#include "host/KxDbEvalVariant.h"
#include "host/KxExport.h"
#include "model/KxParameterValueSet.h"

using KxEvalVariantArray = KxArray<KxDbEvalVariant, KxArrayObjectCopyReallocator<KxDbEvalVariant>>;

// An explicit list of values, in the order in which the provider gave them.
class KX_EXPORT KxParameterValueSetList : public KxParameterValueSet {
public:
    KxParameterValueSetList();
    // Takes the array's grow length, then copies its values.
    explicit KxParameterValueSetList(const KxEvalVariantArray& values);
    KxParameterValueSetList(const KxParameterValueSetList& other);
    // The source is left empty, with the default grow length.
    KxParameterValueSetList(KxParameterValueSetList&& other) noexcept;
    ~KxParameterValueSetList() override;

    // Both keep this list's grow length; the moved-from list is left empty.
    KxParameterValueSetList& operator=(const KxParameterValueSetList& other);
    KxParameterValueSetList& operator=(KxParameterValueSetList&& other) noexcept;

    void setValues(const KxEvalVariantArray& values);
    const KxEvalVariantArray& values() const { return mValues; }

private:
    KxEvalVariantArray mValues;
};
