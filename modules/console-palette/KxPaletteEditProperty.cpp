#include "modules/console-palette/KxPaletteEditProperty.h"

KxPaletteEditProperty::KxPaletteEditProperty(const KxString& name, const KxDbEvalVariant& value)
    : KxParameterProperty(name.kwszPtr()) {
    this->value() = value;
}

Lumo::ErrorStatus KxPaletteEditProperty::applyValue(const KxParameterProperty&, KxString& message,
                                                    KxString&) {
    message = L"A palette edit carries a value; it is not a property of a parameter.";
    return Lumo::eNotSupported;
}
