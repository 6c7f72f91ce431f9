#include "KxPlateDescriptionProperty.h"

#include "KxPlateParameter.h"

KxPlateDescriptionProperty::KxPlateDescriptionProperty() : KxParameterProperty(kName) {
    value() = KxString();
}

Lumo::ErrorStatus KxPlateDescriptionProperty::applyValue(const KxParameterProperty& source,
                                                         KxString& message, KxString&) {
    auto* parameter = dynamic_cast<KxPlateParameter*>(getOwner());
    if (!parameter) {
        message = L"description belongs to no plate parameter";
        return Lumo::eNullPtr;
    }
    if (source.value().getType() != kDwgText) {
        message = L"description takes a text";
        return Lumo::eInvalidInput;
    }
    // Also puts the text into this property's value.
    return parameter->setDescription(source.value().getString());
}

void KxPlateDescriptionProperty::updateValue() {
    if (auto* parameter = dynamic_cast<KxPlateParameter*>(getOwner())) {
        KxString description;
        parameter->getDescription(description);
        value() = description;
    }
}
