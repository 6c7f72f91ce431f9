#pragma once

#include "model/KxParameterProperty.h"

// A property edit as the palette hands it to KxParameter::setProperty: the name of the property
// to change and the value the user gave. It only carries them; no parameter ever holds it.
class KxPaletteEditProperty final : public KxParameterProperty {
public:
    KxPaletteEditProperty(const KxString& name, const KxDbEvalVariant& value);

    // Only a held property puts a value into effect: eNotSupported, with a message saying so.
    Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString& message,
                                 KxString& detail) override;
    // There is no model behind an edit to read from.
    void updateValue() override {}
};
