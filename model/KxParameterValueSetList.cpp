#include "model/KxParameterValueSetList.h"

#include <utility>

KxParameterValueSetList::KxParameterValueSetList() = default;

KxParameterValueSetList::KxParameterValueSetList(const KxEvalVariantArray& values)
    : mValues(values) {}

KxParameterValueSetList::KxParameterValueSetList(const KxParameterValueSetList& other) = default;

KxParameterValueSetList::KxParameterValueSetList(KxParameterValueSetList&& other) noexcept
    : KxParameterValueSet(other), mValues(std::move(other.mValues)) {}

KxParameterValueSetList::~KxParameterValueSetList() = default;

KxParameterValueSetList&
KxParameterValueSetList::operator=(const KxParameterValueSetList& other) = default;

KxParameterValueSetList&
KxParameterValueSetList::operator=(KxParameterValueSetList&& other) noexcept {
    mValues = std::move(other.mValues);
    return *this;
}

void KxParameterValueSetList::setValues(const KxEvalVariantArray& values) {
    mValues = values;
}
