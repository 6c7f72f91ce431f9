#pragma once

#include "model/KxParameterProperty.h"
#include "model/KxParameterValueSetList.h"

// The manufacturing tolerance of a plate dimension: one of a few standard reals.
class KxPlateToleranceProperty : public KxParameterProperty {
public:
    static constexpr const wchar_t* kName = L"tolerance";

    explicit KxPlateToleranceProperty(double tolerance);

    // Takes a number of the value set, as a real; anything else is refused.
    Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString& message,
                                 KxString& detail) override;
    void updateValue() override;
    // The allowed values; the set stays this property's.
    Lumo::ErrorStatus getValueSet(KxParameterValueSet*& valueSet) const override;

private:
    bool isAllowed(double tolerance) const;
    // The standard values, one set for every tolerance: a drawing has many dimensions. Handed out,
    // as a set callers may not change, by the const `getValueSet`.
    static KxParameterValueSetList& standards();
};
