#pragma once

#include "model/KxParameterProperty.h"

// The free text that says what a plate parameter is for.
class KxPlateDescriptionProperty : public KxParameterProperty {
public:
    static constexpr const wchar_t* kName = L"description";

    KxPlateDescriptionProperty();

    // Takes any text; a value of another type is refused.
    Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString& message,
                                 KxString& detail) override;
    void updateValue() override;
};
