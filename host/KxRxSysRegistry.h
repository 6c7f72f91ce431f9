#pragma once

/// @file
/// The host's registry of named services.

#include "host/KxHostExport.h"
#include "host/KxRxObject.h"

#include <map>
#include <string>

/// The host's system registry: named services. It holds "DynamicLinker" from the start.
class KX_HOST_EXPORT KxRxDictionary {
public:
    /// The entry of that name, or null.
    KxRxObject* at(const wchar_t* key) const;
    /// Stores the entry (null removes it) and gives back the one it replaces. Not owned.
    KxRxObject* atPut(const wchar_t* key, KxRxObject* entry);

private:
    std::map<std::wstring, KxRxObject*> mEntries;
};

/// The host's one system registry.
KX_HOST_EXPORT KxRxDictionary* kxrxSysRegistry();
