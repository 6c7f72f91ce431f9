#include "host/KxRxObject.h"

bool KxRxClass::isDerivedFrom(const KxRxClass* other) const {
    for (const KxRxClass* type = this; type; type = type->mpParent) {
        if (type == other) {
            return true;
        }
    }
    return false;
}

const KxRxClass* KxRxObject::desc() {
    static const KxRxClass type(L"KxRxObject", nullptr);
    return &type;
}

const KxRxClass* KxRxObject::isA() const {
    return desc();
}

KxRxObject::~KxRxObject() = default;
