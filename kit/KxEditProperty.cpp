#include "kit/KxEditProperty.h"

KxEditProperty::KxEditProperty(const KxString& name, const KxDbEvalVariant& value)
    : KxParameterProperty(name.kwszPtr()) {
    this->value() = value;
}

Lumo::ErrorStatus KxEditProperty::applyValue(const KxParameterProperty&, KxString& message,
                                             KxString&) {
    message = L"An edit carries a value; it is not a property of a parameter.";
    return Lumo::eNotSupported;
}
