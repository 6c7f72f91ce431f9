#pragma once

/// @file
/// The carrier of a property edit.

#include "model/KxParameterManagerExport.h"
#include "model/KxParameterProperty.h"

/// A property edit as a palette, or an import, hands it to KxParameter::setProperty: the name of
/// the property to change and the value wanted. It only carries them; no parameter holds it.
class KX_PARAM_EXPORT KxEditProperty final : public KxParameterProperty {
public:
    /// Carries `value` for the property named `name`.
    KxEditProperty(const KxString& name, const KxDbEvalVariant& value);

    /// Only a held property puts a value into effect: eNotSupported, with a message saying so.
    Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString& message,
                                 KxString& detail) override;
    /// There is no model behind an edit to read from: nothing changes.
    void updateValue() override {}
};
