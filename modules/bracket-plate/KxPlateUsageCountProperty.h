#pragma once

#include "model/KxParameterProperty.h"

// How many parameters of the plate name this one in their expressions. It follows from the
// expressions, so nobody sets it.
class KxPlateUsageCountProperty : public KxParameterProperty {
public:
    static constexpr const wchar_t* kName = L"usage_count";

    KxPlateUsageCountProperty();

    // Always refused: the property is read-only.
    Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString& message,
                                 KxString& detail) override;
    // Counts afresh.
    void updateValue() override;
};
