#pragma once

#include "host/KxDbEvalVariant.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

class KxParameter;
class KxParameterValueSet;

/// One named, typed value of a parameter. Providers derive their property kinds from it.
class KX_PARAM_EXPORT KxParameterProperty {
public:
    /// A null name gives the empty name.
    explicit KxParameterProperty(const wchar_t* name = nullptr, bool readOnly = false);
    /// Both copy all four fields, the owner pointer included, and tell nobody.
    ///@{
    KxParameterProperty(const KxParameterProperty& other);
    KxParameterProperty& operator=(const KxParameterProperty& other);
    ///@}

    virtual ~KxParameterProperty();
    /// Puts the source's value into effect, in the model and in this property's value, or refuses
    /// with a status and may fill the two texts. 0 means the value is in effect.
    virtual Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString& message,
                                         KxString& detail) = 0;
    /// Refreshes the value from the model.
    virtual void updateValue() = 0;
    /// The set of values the property may take; the set stays the property's. None by default.
    virtual Lumo::ErrorStatus getValueSet(KxParameterValueSet*& valueSet) const;

    /// The property's name; renaming a held property tells nobody.
    ///@{
    const KxString& getName() const { return mName; }
    void setName(const KxString& name);
    ///@}

    /// The parameter that holds the property; null for none. Set by KxParameter::addProperty.
    ///@{
    KxParameter* getOwner() const { return mpOwner; }
    void setOwner(KxParameter* owner) { mpOwner = owner; }
    ///@}

    /// Whether the user may not edit the value; the provider's applyValue enforces it.
    ///@{
    bool isReadOnly() const { return mbReadOnly; }
    void setReadOnly(bool readOnly) { mbReadOnly = readOnly; }
    ///@}

    /// The value; writing it directly tells nobody.
    ///@{
    KxDbEvalVariant& value() { return mValue; }
    const KxDbEvalVariant& value() const { return mValue; }
    ///@}

private:
    KxString mName;
    KxDbEvalVariant mValue;
    bool mbReadOnly;
    KxParameter* mpOwner = nullptr;
};
