#pragma once

#include "host/KxHostExport.h"

/// A loaded resource module, as KxString::loadString reads it. It only wraps the module's handle:
/// copying it is cheap and it never closes the module. A null handle stands for no module.
class KX_HOST_EXPORT KxRxResourceInstance {
public:
    /// Wraps the handle of a loaded resource module; null for none.
    explicit KxRxResourceInstance(void* moduleHandle) : mModule(moduleHandle) {}

    /// The wrapped module handle.
    void* moduleHandle() const { return mModule; }

private:
    void* mModule;
};

/// The function by which a resource module gives its string table. The texts stay valid while the
/// module is loaded; null for an identifier that the table does not hold.
using KxResourceStringFunction = const wchar_t* (*)(unsigned int id);
/// Its exported name.
constexpr const char* kKxResourceStringSymbol = "kxResourceString";
