#include "KxPlateToleranceProperty.h"

#include "KxPlateParameter.h"

#include "host/KxEvalVariantText.h"

namespace {

// The number a variant holds, for the number types a user's text may have been read into.
bool numberOf(const KxDbEvalVariant& value, double& number) {
    switch (value.getType()) {
    case kDwgReal:
        number = value.getDouble();
        return true;
    case kDwgInt32:
        number = value.getInt32();
        return true;
    case kDwgInt16:
        number = value.getInt16();
        return true;
    default:
        return false;
    }
}

} // namespace

KxPlateToleranceProperty::KxPlateToleranceProperty(double tolerance) : KxParameterProperty(kName) {
    value() = tolerance;
}

KxParameterValueSetList& KxPlateToleranceProperty::standards() {
    static KxParameterValueSetList standards = [] {
        KxEvalVariantArray values;
        for (const double standard : {0.1, 0.2, 0.5}) {
            values.append(KxDbEvalVariant(standard));
        }
        KxParameterValueSetList set;
        set.setValues(values);
        return set;
    }();
    return standards;
}

Lumo::ErrorStatus KxPlateToleranceProperty::applyValue(const KxParameterProperty& source,
                                                       KxString& message, KxString&) {
    auto* parameter = dynamic_cast<KxPlateParameter*>(getOwner());
    if (!parameter) {
        message = L"tolerance belongs to no plate parameter";
        return Lumo::eNullPtr;
    }
    double tolerance = 0.0;
    if (!numberOf(source.value(), tolerance)) {
        message = L"tolerance takes a number";
        return Lumo::eInvalidInput;
    }
    if (!isAllowed(tolerance)) {
        std::wstring text = L"tolerance must be one of ";
        const KxEvalVariantArray& allowed = standards().values();
        for (int i = 0; i < allowed.length(); ++i) {
            text += (i == 0 ? L"" : L", ") + kxdbEvalVariantToString(allowed[i]).wstr();
        }
        message = KxString(std::move(text));
        return Lumo::eInvalidInput;
    }
    // Also puts the tolerance, as a real, into this property's value.
    parameter->setTolerance(tolerance);
    return Lumo::eOk;
}

void KxPlateToleranceProperty::updateValue() {
    if (auto* parameter = dynamic_cast<KxPlateParameter*>(getOwner())) {
        value() = parameter->tolerance();
    }
}

Lumo::ErrorStatus KxPlateToleranceProperty::getValueSet(KxParameterValueSet*& valueSet) const {
    valueSet = &standards();
    return Lumo::eOk;
}

bool KxPlateToleranceProperty::isAllowed(double tolerance) const {
    for (const KxDbEvalVariant& allowed : standards().values()) {
        if (allowed.getDouble() == tolerance) {
            return true;
        }
    }
    return false;
}
