#include "host/KxRxSysRegistry.h"

#include "host/KxRxDynamicLinker.h"

KxRxObject* KxRxDictionary::at(const wchar_t* key) const {
    if (!key) {
        return nullptr;
    }
    const auto entry = mEntries.find(key);
    return entry == mEntries.end() ? nullptr : entry->second;
}

KxRxObject* KxRxDictionary::atPut(const wchar_t* key, KxRxObject* entry) {
    if (!key) {
        return nullptr;
    }
    KxRxObject* replaced = at(key);
    if (entry) {
        mEntries[key] = entry;
    } else {
        mEntries.erase(key);
    }
    return replaced;
}

KxRxDictionary* kxrxSysRegistry() {
    static KxRxDictionary* const registry = [] {
        auto* services = new KxRxDictionary();
        static KxRxDynamicLinker linker;
        services->atPut(L"DynamicLinker", &linker);
        return services;
    }();
    return registry;
}
