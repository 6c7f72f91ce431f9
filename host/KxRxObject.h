#pragma once

#include "host/KxExport.h"

// The run-time class of a host object: a name and the class it derives from.
class KX_EXPORT KxRxClass {
public:
    KxRxClass(const wchar_t* name, const KxRxClass* parent) : mpName(name), mpParent(parent) {}
    const wchar_t* name() const { return mpName; }
    // True for the class itself and for every class it derives from.
    bool isDerivedFrom(const KxRxClass* other) const;

private:
    const wchar_t* mpName;
    const KxRxClass* mpParent;
};

// The root of the host's objects that can stand in its registry.
class KX_EXPORT KxRxObject {
public:
    static const KxRxClass* desc();
    virtual const KxRxClass* isA() const;
    virtual ~KxRxObject();
};
