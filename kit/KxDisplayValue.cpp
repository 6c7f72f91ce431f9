#include "kit/KxDisplayValue.h"

#include "host/KxDbEvalVariant.h"
#include "model/KxParameter.h"
#include "util/KxParameterUtil.h"

KxString kxDisplayValue(KxParameter& parameter) {
    KxDbEvalVariant value;
    if (parameter.getValue(value) != Lumo::eOk) {
        return {};
    }
    KxString text = KxParameterUtil::evalVariantToString(value);
    bool numeric = false;
    if (parameter.convertPrecision(numeric) && numeric) {
        KxParameterUtil::ConvertToCurrentPrecision(text, parameter.hasAngularUnits(), false);
    }
    return text;
}
