#include "host/KxDbClassRegistry.h"

#include "host/KxDbCurves.h"
#include "host/internal/KxDbProxyObject.h"

#include <map>
#include <string>

namespace {

struct ClassEntry {
    KxDbObjectMaker make;
    bool mandatory;
    bool builtIn;
};

template <class Object>
KxDbObject* makeObject() {
    return new Object;
}

// Never destroyed: modules that unload at exit may still withdraw their classes.
std::map<std::wstring, ClassEntry>& classes() {
    static auto* registered = new std::map<std::wstring, ClassEntry>{
        {L"KxDbObject", {makeObject<KxDbObject>, true, true}},
        {L"KxDbEntity", {makeObject<KxDbEntity>, true, true}},
        {L"KxDbPolyline", {makeObject<KxDbPolyline>, true, true}},
        {L"KxDbCircle", {makeObject<KxDbCircle>, true, true}},
    };
    return *registered;
}

const ClassEntry* find(const wchar_t* className) {
    if (!className) {
        return nullptr;
    }
    const auto found = classes().find(className);
    return found == classes().end() ? nullptr : &found->second;
}

} // namespace

Lumo::ErrorStatus kxdbRegisterClass(const wchar_t* className, KxDbObjectMaker make,
                                    bool mandatory) {
    if (!className || !make) {
        return Lumo::eNullPtr;
    }
    if (*className == L'\0') {
        return Lumo::eInvalidInput;
    }
    const bool added = classes().emplace(className, ClassEntry{make, mandatory, false}).second;
    return added ? Lumo::eOk : Lumo::eDuplicateKey;
}

Lumo::ErrorStatus kxdbUnregisterClass(const wchar_t* className) {
    const ClassEntry* entry = find(className);
    if (!entry) {
        return Lumo::eKeyNotFound;
    }
    if (entry->builtIn) {
        return Lumo::eNotAllowed;
    }
    KxDbProxyObject::standIn(className, entry->mandatory);
    classes().erase(className);
    return Lumo::eOk;
}

bool kxdbIsClassRegistered(const wchar_t* className) {
    return find(className) != nullptr;
}

bool kxdbIsClassMandatory(const wchar_t* className) {
    const ClassEntry* entry = find(className);
    return entry && entry->mandatory;
}

KxDbObject* kxdbCreateObject(const wchar_t* className) {
    const ClassEntry* entry = find(className);
    return entry ? entry->make() : nullptr;
}
