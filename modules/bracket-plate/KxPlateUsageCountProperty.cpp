#include "KxPlateUsageCountProperty.h"

#include "KxPlateCollection.h"
#include "KxPlateParameter.h"

#include <cstdint>

KxPlateUsageCountProperty::KxPlateUsageCountProperty() : KxParameterProperty(kName, true) {
    value() = std::int32_t{0};
}

Lumo::ErrorStatus KxPlateUsageCountProperty::applyValue(const KxParameterProperty&,
                                                        KxString& message, KxString&) {
    message = KxString(getName().wstr() + L" is read-only");
    return Lumo::eNotAllowed;
}

void KxPlateUsageCountProperty::updateValue() {
    if (auto* parameter = dynamic_cast<KxPlateParameter*>(getOwner())) {
        value() = static_cast<std::int32_t>(parameter->plate()->usageCount(*parameter));
    }
}
