#include "model/KxParameterProperty.h"

KxParameterProperty::KxParameterProperty(const wchar_t* name, bool readOnly)
    : mName(name), mbReadOnly(readOnly) {}

KxParameterProperty::KxParameterProperty(const KxParameterProperty& other) = default;

KxParameterProperty& KxParameterProperty::operator=(const KxParameterProperty& other) {
    if (this != &other) {
        mName = other.mName;
        mValue = other.mValue;
        mbReadOnly = other.mbReadOnly;
        mpOwner = other.mpOwner;
    }
    return *this;
}

KxParameterProperty::~KxParameterProperty() = default;

Lumo::ErrorStatus KxParameterProperty::getValueSet(KxParameterValueSet*& valueSet) const {
    valueSet = nullptr;
    return Lumo::eOk;
}

void KxParameterProperty::setName(const KxString& name) {
    if (&name != &mName) {
        mName = name;
    }
}
