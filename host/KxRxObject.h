#pragma once

#include "host/KxHostExport.h"

/// The run-time class of a host object: a name and the class it derives from.
class KX_HOST_EXPORT KxRxClass {
public:
    /// A class of that name deriving from `parent`; null for a root class. Neither is copied.
    KxRxClass(const wchar_t* name, const KxRxClass* parent) : mpName(name), mpParent(parent) {}
    /// The class's name.
    const wchar_t* name() const { return mpName; }
    /// True for the class itself and for every class it derives from.
    bool isDerivedFrom(const KxRxClass* other) const;

private:
    const wchar_t* mpName;
    const KxRxClass* mpParent;
};

/// The root of the host's objects that can stand in its registry.
class KX_HOST_EXPORT KxRxObject {
public:
    /// The run-time class of KxRxObject, the root of all.
    static const KxRxClass* desc();
    /// The run-time class of this object; each derived class answers its own.
    virtual const KxRxClass* isA() const;
    virtual ~KxRxObject();
};
